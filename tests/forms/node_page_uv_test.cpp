#include "forms/node/node_page_uv.h"

#include "forms/node_page_cases.h"

namespace tarvo::forms {
namespace {

using model::Float32;

constexpr std::uint8_t kUV = 0x60;  // C = 10, N = 6 with version 0

constexpr const char* kAveraging =
    "Коэффициент усреднения массового расхода должен быть в диапазоне от 0 до 0,05 ";
constexpr const char* kMass = "Константа часовой массы должна быть в диапазоне от 0 до 999999 т";
constexpr const char* kMassAlgorithm =
    "Ошибочно задан алгоритм использования константы часовой массы";
constexpr const char* kImbalance = "Уставка небаланса масс должна быть в диапазоне от 0 до 0,04 ";
constexpr const char* kEnergy =
    "Константа часовой энергии должна быть в диапазоне от 0 до 999999 ГДж(Гкал)";
constexpr const char* kEnergyAlgorithm =
    "Ошибочно задан алгоритм использования константы часовой энергии";

class NodePageUVChecks : public ::testing::TestWithParam<NodeCase> {};

TEST_P(NodePageUVChecks, LeavesWithOneMessage) {
  ExpectLeave(kUV, GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, NodePageUVChecks,
    ::testing::Values(
        NodeCase{"Type4", {{"П100", "4"}}, kTypeMessage},
        NodeCase{"Type7", {{"П100", "7"}}, kTypeMessage},
        NodeCase{"TypeEmpty", {{"П100", ""}}, kTypeMessage},
        NodeCase{"TypeLetter", {{"П100", "a"}}, kTypeMessage},
        NodeCase{"Type5AnyRoles", {{"П100", "5"}, {"П101", "6655443322"}}, ""},
        NodeCase{"Type1AnyRoles", {{"П100", "1"}, {"П101", "1111111111"}}, ""},
        NodeCase{"Role7", {{"П101", "0700000000"}}, kCompositionMessage},
        NodeCase{"CompositionLetter", {{"П101", "1x"}}, kCompositionMessage},
        NodeCase{"Type2Roles12", {{"П100", "2"}, {"П101", "12"}}, ""},
        NodeCase{"Type2Roles4To6Free", {{"П100", "3"}, {"П101", "1234455660"}}, ""},
        NodeCase{"Type2WithoutRole2", {{"П100", "2"}, {"П101", "1"}}, kCompositionMessage},
        NodeCase{"Type3TwoInRole3", {{"П100", "3"}, {"П101", "1233"}}, kCompositionMessage},
        NodeCase{"TypeBeforeComposition", {{"П100", "4"}, {"П101", "7"}}, kTypeMessage},
        NodeCase{"Averaging006", {{"П110", "0,06"}}, kAveraging},
        NodeCase{"Mass999999", {{"П111", "999999"}}, ""},
        NodeCase{"Mass1000000", {{"П111", "1000000"}}, kMass},
        NodeCase{"MassAlgorithm3", {{"П112", "3"}}, ""},
        NodeCase{"MassAlgorithm4", {{"П112", "4"}}, kMassAlgorithm},
        NodeCase{"Imbalance004", {{"П113", "0,04"}}, ""},
        NodeCase{"Imbalance005", {{"П113", "0,05"}}, kImbalance},
        NodeCase{"EnergyNegative", {{"П114", "-1"}}, kEnergy},
        NodeCase{"EnergyAlgorithm9", {{"П115", "9"}}, kEnergyAlgorithm},
        NodeCase{"MinDifference151", {{"П118", "151"}}, kMinDifferenceMessage},
        NodeCase{"MinDifference0", {{"П118", "0"}}, ""},
        NodeCase{"Tnsh00011222", {{"П119", "00011222"}}, ""},
        NodeCase{"Tnsh00000332", {{"П119", "00000332"}}, ""},
        NodeCase{"Tnsh10011222", {{"П119", "10011222"}}, kTnshMessageText},
        NodeCase{"Tnsh00011221", {{"П119", "00011221"}}, kTnshMessageText},
        NodeCase{"Tnsh00011022", {{"П119", "00011022"}}, kTnshMessageText},
        NodeCase{"Tnsh0001122Short", {{"П119", "0001122"}}, kTnshMessageText},
        NodeCase{"MassBeforeAlgorithm", {{"П111", "-1"}, {"П112", "4"}}, kMass},
        NodeCase{"AlgorithmBeforeImbalance", {{"П112", "4"}, {"П113", "1"}}, kMassAlgorithm},
        NodeCase{
            "EnergyAlgorithmBeforeDifference", {{"П115", "4"}, {"П118", "151"}}, kEnergyAlgorithm},
        NodeCase{"DifferenceBeforeTnsh", {{"П118", "151"}, {"П119", "1"}}, kMinDifferenceMessage}),
    CaseName);

TEST(NodePageUVTest, RowsAndFill) {
  NodeSheetRun run(kUV);
  ASSERT_EQ(run.sheet->PageCount(), 6);
  EXPECT_EQ(run.PageOf(2).tabTitle, "Узел учета 3");
  model::NodeRecord& node = run.Set().nodes[2];
  node.nodeType = 2;
  node.composition[0] = 1;
  node.composition[9] = 2;
  node.hourlyMassAlgorithm = 3;
  node.hourlyEnergyConstant = Float32::Of(12.5f);
  ExpectRows(
      run.PageOf(2),
      {{"П300", " Тип узла учета (потребителя)", "2", 1},
       {"П301", " Состав узла учета", "1000000002", 10},
       {"П310", "Коэффициент усреднения массового расхода для закрытых систем", "-", 9},
       {"П311", "Константа часовой массы, т", "-", 9},
       {"П312", "Алгоритм использования константы часовой массы", "3", 1},
       {"П313", "Уставка небаланса масс", "-", 9},
       {"П314", "Константа часовой энергии, ГДж(Гкал)", "12,5", 9},
       {"П315", "Алгоритм использования константы часовой энергии", "0", 1},
       {"П318", "Минимальная разность температур воды в подающем и обратном трубопроводах", "-", 9},
       {"П319", " Настройка накопления времени Tнш и приостановки счета при обнаружении НС",
        "00011222", 8}});
}

TEST(NodePageUVTest, StoresWhatWasReadAndSharesChannels) {
  NodeSheetRun run(kUV);
  ASSERT_TRUE(run.Leave(1, {{"П200", "1"}, {"П201", "0000000001"}}));
  ASSERT_TRUE(run.Leave(0, {{"П100", "2"},
                            {"П101", "1200000003"},
                            {"П111", "100"},
                            {"П112", "2"},
                            {"П115", "1"},
                            {"П119", "00000332"}}));
  EXPECT_TRUE(run.ui.messages.empty());
  const model::NodeRecord& node = run.Set().nodes[0];
  EXPECT_EQ(node.nodeType, 2);
  EXPECT_EQ(node.composition[1], 2);
  EXPECT_EQ(node.composition[9], 3);
  EXPECT_EQ(node.hourlyMassConstant, Float32::Of(100.0f));
  EXPECT_EQ(node.hourlyMassAlgorithm, 2);
  EXPECT_EQ(node.hourlyEnergyAlgorithm, 1);
  const std::uint8_t tnsh[model::kTnshDigits] = {0, 0, 0, 0, 0, 3, 3, 2};
  EXPECT_TRUE(std::equal(tnsh, tnsh + model::kTnshDigits, node.tnshSettings));
}

}  // namespace
}  // namespace tarvo::forms
