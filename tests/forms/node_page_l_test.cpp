#include "forms/node/node_page_l.h"

#include "forms/node_page_cases.h"

namespace tarvo::forms {
namespace {

constexpr std::uint8_t kL = 0x49;  // C = 4, N = 2

class NodePageLChecks : public ::testing::TestWithParam<NodeCase> {};

TEST_P(NodePageLChecks, LeavesWithOneMessage) {
  ExpectLeave(kL, GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, NodePageLChecks,
    ::testing::Values(NodeCase{"Type5OneOfEachRole", {{"П100", "51256"}}, ""},
                      NodeCase{"Type5TwoInRole1", {{"П100", "51156"}}, kCompositionMessage},
                      NodeCase{"Type5WithoutRole6", {{"П100", "5125"}}, kCompositionMessage},
                      NodeCase{"Type4", {{"П100", "40056"}}, kTypeMessage},
                      NodeCase{"Type6", {{"П100", "6"}}, kTypeMessage},
                      NodeCase{"Type7", {{"П100", "71000"}}, kTypeMessage},
                      NodeCase{"Type9", {{"П100", "9"}}, kTypeMessage},
                      NodeCase{"Empty", {{"П100", ""}}, kTypeMessage},
                      NodeCase{"LetterBeforeType", {{"П100", "4a"}}, kCompositionMessage},
                      NodeCase{"Type0Role7NotCounted", {{"П100", "07000"}}, ""},
                      NodeCase{"Type0Role1", {{"П100", "01000"}}, kCompositionMessage},
                      NodeCase{"Type1FourInRole1", {{"П100", "11111"}}, ""},
                      NodeCase{"Type1ThreeInRole2", {{"П100", "12220"}}, ""},
                      NodeCase{"Type1FourInRole2", {{"П100", "12222"}}, kCompositionMessage},
                      NodeCase{"Type1Role3", {{"П100", "13000"}}, kCompositionMessage},
                      NodeCase{"Type1Role5", {{"П100", "15000"}}, kCompositionMessage},
                      NodeCase{"Type1TwoInRole6", {{"П100", "16600"}}, kCompositionMessage},
                      NodeCase{"Type1FourInRole4", {{"П100", "14444"}}, ""},
                      NodeCase{"Type2Roles1234", {{"П100", "21234"}}, ""},
                      NodeCase{"Type2WithoutRole2", {{"П100", "21000"}}, kCompositionMessage},
                      NodeCase{"Type3TwoInRole3", {{"П100", "31233"}}, kCompositionMessage},
                      NodeCase{"Type3Role5", {{"П100", "31250"}}, kCompositionMessage}),
    CaseName);

TEST(NodePageLTest, RowAndFill) {
  NodeSheetRun run(kL);
  ASSERT_EQ(run.sheet->PageCount(), 2);
  EXPECT_EQ(run.PageOf(1).tabTitle, "Узел учета 2");
  run.Set().nodes[1].nodeType = 2;
  run.Set().nodes[1].composition[0] = 1;
  run.Set().nodes[1].composition[3] = 2;
  run.Set().nodes[1].composition[4] = 3;  // beyond the channel count: not shown
  ExpectRows(run.PageOf(1), {{"П200", " Тип и состав узла учета (потребителя)", "21002", 5}});
}

TEST(NodePageLTest, OneNodePerChannelCountsEveryDigit) {
  NodeSheetRun run(kL);
  // Type 0 with channel 1 in role 7: counted by no rule, still a member.
  ASSERT_TRUE(run.Leave(0, {{"П100", "07000"}}));
  EXPECT_FALSE(run.Leave(1, {{"П200", "11000"}}));
  ASSERT_EQ(run.ui.messages.size(), 1u);
  EXPECT_EQ(run.ui.messages[0].text,
            "Канал учета 1 уже находится в составе узла учета 1.\nНельзя использовать один и тот "
            "же канал учета в составе более чем одного узла учета");
  EXPECT_TRUE(run.Leave(1, {{"П200", "10100"}}));
  const model::NodeRecord& node = run.Set().nodes[1];
  EXPECT_EQ(node.nodeType, 1);
  EXPECT_EQ(node.composition[0], 0);
  EXPECT_EQ(node.composition[1], 1);
}

}  // namespace
}  // namespace tarvo::forms
