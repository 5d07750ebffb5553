#include "shell/commands.h"

#include <gtest/gtest.h>

#include <memory>

namespace tarvo::shell {
namespace {

using C = CommandId;

std::unique_ptr<model::ParameterSet> SetFor(std::uint8_t executionCode) {
  auto set = std::make_unique<model::ParameterSet>();
  if (executionCode == 0) {
    set->Reset();
  } else {
    model::MakeNewConfiguration(*set, executionCode);
  }
  return set;
}

struct Case {
  std::uint8_t executionCode;
  bool configuration;  // read/write, forms, switch, save
  bool reportTexts;    // both report-text commands
};

class CommandEnabling : public ::testing::TestWithParam<Case> {};

TEST_P(CommandEnabling, FollowsTheVariant) {
  const Case& c = GetParam();
  auto set = SetFor(c.executionCode);
  EXPECT_TRUE(StateOf(C::ReadDevice, *set).enabled);
  for (C command : {C::WriteDevice, C::SystemWide, C::Channels, C::Nodes, C::CheckForStart, C::Save,
                    C::SaveAs}) {
    EXPECT_EQ(StateOf(command, *set).enabled, c.configuration) << static_cast<int>(command);
  }
  EXPECT_EQ(StateOf(C::ReportTexts, *set).enabled, c.reportTexts);
  EXPECT_EQ(StateOf(C::WriteReportTexts, *set).enabled, c.reportTexts);
}

INSTANTIATE_TEST_SUITE_P(Variants, CommandEnabling,
                         ::testing::Values(Case{0, false, false}, Case{0x40, true, true},
                                           Case{0x42, true, true}, Case{0x50, true, false},
                                           Case{0x53, true, false}, Case{0x60, true, true},
                                           Case{0x49, true, true}),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           return "Exec" + std::to_string(info.param.executionCode);
                         });

TEST(CommandEnablingTest, SwitchShowsItsStateEvenWhenDisabled) {
  auto none = SetFor(0);
  EXPECT_EQ(none->checkForStart, 1);
  const CommandState state = StateOf(C::CheckForStart, *none);
  EXPECT_FALSE(state.enabled);
  EXPECT_TRUE(state.checked);
  auto set = SetFor(0x46);
  set->checkForStart = 0;
  EXPECT_FALSE(StateOf(C::CheckForStart, *set).checked);
}

}  // namespace
}  // namespace tarvo::shell
