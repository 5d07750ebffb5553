#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "fakes/recording_ui.h"
#include "forms/channel/channel_page_uv.h"
#include "forms/form.h"
#include "forms/system/system_form.h"
#include "model/document.h"

namespace tarvo::forms {
namespace {

struct VerdictCase {
  const char* name;
  std::uint8_t executionCode;
  std::function<std::unique_ptr<Form>(model::ParameterSet&)> make;
  const char* code;
  int cell;
  const char* value;
  bool accepted;
};

class FormVerdict : public ::testing::TestWithParam<VerdictCase> {};

// OK or leaving a page says which row (and cell) its refusal names, so the window can put the
// cursor there after the message.
TEST_P(FormVerdict, NamesTheRowAndCellThatFailed) {
  const VerdictCase& c = GetParam();
  model::ConfigurationDocument document;
  document.NewConfiguration(c.executionCode);
  testing::RecordingUi ui;
  auto form = c.make(document.Set());
  form->Fill();
  const int row = form->RowIndexOf(c.code);
  ASSERT_GE(row, 0) << c.code;
  ASSERT_EQ(form->EnterCell(row, c.cell, c.value).error, std::nullopt);
  const Verdict verdict = form->Submit(ui);
  EXPECT_EQ(verdict.accepted, c.accepted);
  if (c.accepted) {
    EXPECT_TRUE(ui.messages.empty());
    return;
  }
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(verdict.row, row);
  EXPECT_EQ(verdict.cell, c.cell);
  EXPECT_EQ(form->Submit(ui).row, row) << "a second OK names it again";
}

std::unique_ptr<Form> SystemWide(model::ParameterSet& set) {
  return MakeSystemForm(set);
}
std::unique_ptr<Form> ChannelUv(model::ParameterSet& set) {
  return std::make_unique<CChannel_UV_Page>(set, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, FormVerdict,
    ::testing::Values(VerdictCase{"SystemNumber", 0x47, SystemWide, "K023", 0, "0.12", false},
                      VerdictCase{"SystemAccepted", 0x47, SystemWide, "K023", 0, "0.1", true},
                      VerdictCase{"ChannelInputCell", 0x60, ChannelUv, "K101", 1, "10", false},
                      VerdictCase{"ChannelInputAccepted", 0x60, ChannelUv, "K101", 1, "17", true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarvo::forms
