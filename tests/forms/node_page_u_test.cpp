#include "forms/node/node_page_u.h"

#include "forms/node_page_cases.h"

namespace tarvo::forms {
namespace {

using model::Float32;

constexpr std::uint8_t kU = 0x50;  // C = 20, N = 16

constexpr const char* kAveraging =
    "Коэффициент усреднения массового расхода должен быть в диапазоне от 0 до 0,05 ";
constexpr const char* kGasUnit =
    "Признак единиц измерения объема газа должен быть равен 1 или 1000";
constexpr const char* kHour =
    "Отчетный час суток должен быть в диапазоне от 00 до 23 (кроме 02 и 03)";

class NodePageUChecks : public ::testing::TestWithParam<NodeCase> {};

TEST_P(NodePageUChecks, LeavesWithOneMessage) {
  ExpectLeave(kU, GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, NodePageUChecks,
    ::testing::Values(
        NodeCase{"Type4", {{"П0100", "4"}}, kTypeMessage},
        NodeCase{"Type6", {{"П0100", "6"}}, kTypeMessage},
        NodeCase{"Type8", {{"П0100", "8"}}, kTypeMessage},
        NodeCase{"TypeEmpty", {{"П0100", ""}}, kTypeMessage},
        NodeCase{"Type9AnyRoles", {{"П0100", "9"}, {"П0101", "6543210000"}}, ""},
        NodeCase{"Type7Role1", {{"П0100", "7"}, {"П0101", "1111111111"}, {"П0102", "1"}}, ""},
        NodeCase{"Type7Role2", {{"П0100", "7"}, {"П0101", "12"}}, kCompositionMessage},
        NodeCase{"Type7Role2InSecondRow",
                 {{"П0100", "7"}, {"П0102", "0000000002"}},
                 kCompositionMessage},
        NodeCase{"Role7", {{"П0101", "7"}}, kCompositionMessage},
        NodeCase{"Role7InSecondRow", {{"П0102", "0000000007"}}, kCompositionMessage},
        NodeCase{"Type2RolesOverBothRows", {{"П0100", "2"}, {"П0101", "1"}, {"П0102", "2"}}, ""},
        NodeCase{"Type2WithoutRole2", {{"П0100", "2"}, {"П0101", "1"}}, kCompositionMessage},
        NodeCase{"Type3TwoInRole3",
                 {{"П0100", "3"}, {"П0101", "123"}, {"П0102", "3"}},
                 kCompositionMessage},
        NodeCase{"TypeBeforeComposition", {{"П0100", "4"}, {"П0101", "7"}}, kTypeMessage},
        NodeCase{
            "CompositionBeforeGasUnit", {{"П0102", "8"}, {"П0103", "10"}}, kCompositionMessage},
        NodeCase{"GasUnit10", {{"П0103", "10"}}, kGasUnit},
        NodeCase{"GasUnit1000", {{"П0103", "1000"}}, ""},
        NodeCase{"GasUnitBeforeAveraging", {{"П0103", ""}, {"П0104", "1"}}, kGasUnit},
        NodeCase{"Averaging006", {{"П0104", "0,06"}}, kAveraging},
        NodeCase{"AveragingBeforeHour", {{"П0104", "0,06"}, {"П0117", "02"}}, kAveraging},
        NodeCase{"Hour02", {{"П0117", "02"}}, kHour}, NodeCase{"Hour24", {{"П0117", "24"}}, kHour},
        NodeCase{"Hour23", {{"П0117", "23"}}, ""}),
    CaseName);

TEST(NodePageUTest, RowsAndFill) {
  NodeSheetRun run(kU);
  ASSERT_EQ(run.sheet->PageCount(), 16);
  EXPECT_EQ(run.PageOf(0).tabTitle, "Узел учета 01");
  EXPECT_EQ(run.PageOf(11).tabTitle, "Узел учета 12");
  model::NodeRecord& node = run.Set().nodes[11];
  node.nodeType = 7;
  node.composition[0] = 1;
  node.composition[19] = 1;
  node.gasVolumeUnit = 1000;
  node.reportHour = 5;
  ExpectRows(
      run.PageOf(11),
      {{"П1200", " Тип узла учета (потребителя)", "7", 1},
       {"П1201", " Состав узла учета (с 1-го по 10-й трубопровод)", "1000000000", 10},
       {"П1202", " Состав узла учета (с 11-го по 20-й трубопровод)", "0000000001", 10},
       {"П1203", " Признак единиц измерения объема газа (1 - куб.м, 1000 - тыс.куб.м)", "1000", 4},
       {"П1204", "Коэффициент усреднения массового расхода для закрытых систем", "-", 9},
       {"П1217", "Отчетный час суток", "05", 2}});
}

TEST(NodePageUTest, StoresBothCompositionRows) {
  NodeSheetRun run(kU);
  ASSERT_TRUE(run.Leave(0, {{"П0100", "2"}, {"П0101", "1"}, {"П0102", "0000520006"}}));
  const model::NodeRecord& node = run.Set().nodes[0];
  const std::uint8_t composition[model::kMaxChannels] = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                         0, 0, 0, 0, 5, 2, 0, 0, 0, 6};
  EXPECT_TRUE(std::equal(composition, composition + model::kMaxChannels, node.composition));
}

// Nodes share channels unless one of them is a gas node (type 7).
TEST(NodePageUTest, GasNodesDoNotShareChannels) {
  struct Case {
    const char* otherType;
    const char* ownType;
    bool accepted;
  };
  for (const Case& c :
       {Case{"1", "1", true}, Case{"7", "1", false}, Case{"1", "7", false}, Case{"5", "9", true}}) {
    NodeSheetRun run(kU);
    ASSERT_TRUE(run.Leave(11, {{"П1200", c.otherType}, {"П1201", "0000100000"}}));
    EXPECT_EQ(run.Leave(2, {{"П0300", c.ownType}, {"П0301", "0000100000"}}), c.accepted)
        << c.otherType << c.ownType;
    if (c.accepted) {
      EXPECT_TRUE(run.ui.messages.empty());
      continue;
    }
    ASSERT_EQ(run.ui.messages.size(), 1u);
    EXPECT_EQ(run.ui.messages[0].text,
              "Канал учета 05 уже находится в составе узла учета 12.\nДля узлов учета газа нельзя "
              "использовать один и тот же канал учета в составе более чем одного узла учета");
  }
}

TEST(NodePageUTest, MembershipReachesChannelsOfTheSecondRow) {
  NodeSheetRun run(kU);
  ASSERT_TRUE(run.Leave(1, {{"П0200", "7"}, {"П0202", "0000100000"}}));
  EXPECT_FALSE(run.Leave(0, {{"П0100", "1"}, {"П0102", "0000100000"}}));
  ASSERT_EQ(run.ui.messages.size(), 1u);
  EXPECT_EQ(run.ui.messages[0].text.rfind(
                "Канал учета 15 уже находится в составе узла учета 02.\nДля узлов учета газа", 0),
            0u);
}

}  // namespace
}  // namespace tarvo::forms
