#include "forms/node/node_page_v.h"

#include "forms/node_page_cases.h"

namespace tarvo::forms {
namespace {

using model::Float32;

constexpr std::uint8_t k46 = 0x46;  // C = 5, N = 2, minimum difference and Tнш shown
constexpr std::uint8_t k44 = 0x44;  // C = 5, N = 2, without them

constexpr const char* kAveraging =
    "Коэффициент усреднения массового расхода для закрытых систем должен быть в диапазоне от 0 до "
    "0,05 ";

class NodePageVChecks : public ::testing::TestWithParam<NodeCase> {};

TEST_P(NodePageVChecks, LeavesWithOneMessage) {
  ExpectLeave(k46, GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, NodePageVChecks,
    ::testing::Values(
        NodeCase{"Type4Roles5And6", {{"П100", "40056"}}, ""},
        NodeCase{"Type4WithRole1", {{"П100", "41056"}}, kCompositionMessage},
        NodeCase{"Type1FiveInRole1", {{"П100", "111111"}}, ""},
        NodeCase{"Type1FiveInRole2", {{"П100", "122222"}}, kCompositionMessage},
        NodeCase{"Type1FiveInRole4", {{"П100", "144444"}}, ""},
        NodeCase{"Type5", {{"П100", "512560"}}, ""},
        NodeCase{"Type2Role5", {{"П100", "212500"}}, kCompositionMessage},
        NodeCase{"Type6", {{"П100", "6"}}, kTypeMessage},
        NodeCase{"Empty", {{"П100", ""}}, kTypeMessage},
        NodeCase{"Type0Role9", {{"П100", "000009"}}, ""},
        NodeCase{"Averaging005", {{"П101", "0,05"}}, ""},
        NodeCase{"Averaging006", {{"П101", "0.06"}}, kAveraging},
        NodeCase{"MinDifference0", {{"П124", "0"}}, ""},
        NodeCase{"MinDifferenceEmpty", {{"П124", ""}}, ""},
        NodeCase{"MinDifferencePoint5", {{"П124", "0.5"}}, kMinDifferenceMessage},
        NodeCase{"MinDifferenceComma5", {{"П124", "0,5"}}, kMinDifferenceMessage},
        NodeCase{"MinDifference1And5", {{"П124", "1,5"}}, ""},
        NodeCase{"MinDifference150", {{"П124", "150"}}, ""},
        NodeCase{"MinDifference151", {{"П124", "151"}}, kMinDifferenceMessage},
        NodeCase{"MinDifferenceNegative", {{"П124", "-3"}}, kMinDifferenceMessage},
        NodeCase{"Tnsh11222", {{"П125", "11222"}}, ""},
        NodeCase{"Tnsh00112", {{"П125", "00112"}}, ""},
        NodeCase{"Tnsh11332", {{"П125", "11332"}}, ""},
        NodeCase{"Tnsh11221", {{"П125", "11221"}}, kTnshMessageText},
        NodeCase{"Tnsh21222", {{"П125", "21222"}}, kTnshMessageText},
        NodeCase{"Tnsh11022", {{"П125", "11022"}}, kTnshMessageText},
        NodeCase{"Tnsh1122Short", {{"П125", "1122"}}, kTnshMessageText},
        NodeCase{"Tnsh4", {{"П125", "11242"}}, kTnshMessageText},
        NodeCase{"TypeFirst", {{"П100", "6"}, {"П101", "1"}}, kTypeMessage},
        NodeCase{"AveragingBeforeDifference", {{"П101", "1"}, {"П124", "151"}}, kAveraging},
        NodeCase{"DifferenceBeforeTnsh", {{"П124", "151"}, {"П125", "9"}}, kMinDifferenceMessage}),
    CaseName);

TEST(NodePageVTest, RowsOfExecution46AndOthers) {
  NodeSheetRun run(k46);
  ExpectRows(
      run.PageOf(1),
      {{"П200", " Тип и состав узла учета (потребителя)", "000000", 6},
       {"П201", "Коэффициент усреднения массового расхода для закрытых систем", "-", 9},
       {"П224", "Минимальная разность температур воды в подающем и обратном трубопроводах", "-", 9},
       {"П225", " Настройка накопления времени Tнш и приостановки счета при обнаружении НС",
        "11222", 5}});
  NodeSheetRun other(k44);
  Page& page = other.PageOf(0);
  ExpectRows(page,
             {{"П100", " Тип и состав узла учета (потребителя)", "000000", 6},
              {"П101", "Коэффициент усреднения массового расхода для закрытых систем", "-", 9}});
  ASSERT_EQ(page.Rows().size(), 4u);
  EXPECT_FALSE(page.Rows()[3].enabled);
}

TEST(NodePageVTest, StoresWhatWasRead) {
  NodeSheetRun run(k46);
  ASSERT_TRUE(run.Leave(0, {{"П124", "1,5"}, {"П125", "01132"}}));
  const model::NodeRecord& node = run.Set().nodes[0];
  EXPECT_EQ(node.minTemperatureDifference, Float32::Of(1.5f));
  const std::uint8_t tnsh[model::kTnshDigits] = {0, 1, 1, 3, 2};
  EXPECT_TRUE(std::equal(tnsh, tnsh + model::kTnshDigits, node.tnshSettings));
  ASSERT_TRUE(run.Leave(0, {{"П124", ""}}));
  EXPECT_EQ(node.minTemperatureDifference, Float32::Of(0.0f));
}

// A field of dashes is what the page shows for a value not set: leaving it keeps it not set.
TEST(NodePageVTest, DashesKeepTheMinimumDifferenceNotSet) {
  NodeSheetRun run(k46);
  ASSERT_TRUE(run.Leave(0, {}));
  EXPECT_TRUE(run.Set().nodes[0].minTemperatureDifference.IsNotSet());
  ASSERT_TRUE(run.Leave(0, {{"П124", "--"}}));
  EXPECT_TRUE(run.Set().nodes[0].minTemperatureDifference.IsNotSet());
}

TEST(NodePageVTest, OtherExecutionsCommitTheResetValuesOfTheHiddenRows) {
  NodeSheetRun run(k44);
  run.Set().nodes[0].minTemperatureDifference = Float32::Of(5.0f);
  ASSERT_EQ(run.Set().nodes[0].tnshSettings[4], 2);  // archive default
  ASSERT_TRUE(run.Leave(0, {}));
  EXPECT_TRUE(run.Set().nodes[0].minTemperatureDifference.IsNotSet());
  EXPECT_EQ(run.Set().nodes[0].tnshSettings[4], 0);
}

TEST(NodePageVTest, OneNodePerChannel) {
  NodeSheetRun run(k46);
  ASSERT_TRUE(run.Leave(1, {{"П200", "400056"}}));
  EXPECT_FALSE(run.Leave(0, {{"П100", "100001"}}));
  ASSERT_EQ(run.ui.messages.size(), 1u);
  EXPECT_EQ(run.ui.messages[0].text,
            "Канал учета 5 уже находится в составе узла учета 2.\nНельзя использовать один и тот "
            "же канал учета в составе более чем одного узла учета");
}

}  // namespace
}  // namespace tarvo::forms
