#include "shell/take_value.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>

#include "fakes/recording_ui.h"
#include "shell/configuration_diff.h"
#include "support/case_name.h"

namespace tarvo::shell {
namespace {

struct TakeCase {
  const char* what;
  std::uint8_t exec;
  std::function<void(model::ParameterSet&)> changeOther;
  const char* form;
  const char* code;
  const char* refusal;  // nullptr: taken
  // What the open configuration holds besides a new configuration's values.
  std::function<void(model::ParameterSet&)> changeOpen = [](model::ParameterSet&) {};
};

class TakeValueTest : public ::testing::TestWithParam<TakeCase> {};

// Where the comparison lists a code, or nothing.
std::optional<std::pair<DifferentForm, DifferentRow>> Find(
    const std::vector<DifferentForm>& differences, const std::string& form,
    const std::string& code) {
  for (const DifferentForm& f : differences) {
    if (f.name != form) continue;
    for (const DifferentRow& row : f.rows) {
      if (row.code == code) return std::pair{f, row};
    }
  }
  return std::nullopt;
}

TEST_P(TakeValueTest, GoesThroughTheFormsChecks) {
  const TakeCase& c = GetParam();
  model::ConfigurationDocument document;
  document.NewConfiguration(c.exec);
  // The page checks for start of counting are the forms' own; here they would refuse first.
  document.Set().checkForStart = 0;
  c.changeOpen(document.Set());
  auto other = std::make_unique<model::ParameterSet>(document.Set());
  c.changeOther(*other);
  const auto before = std::make_unique<model::ParameterSet>(document.Set());

  const auto found = Find(CompareConfigurations(document.Set(), *other), c.form, c.code);
  ASSERT_TRUE(found) << c.what;
  testing::RecordingUi ui;
  const bool taken = TakeValue(document, *other, found->first, found->second, ui);

  if (c.refusal == nullptr) {
    EXPECT_TRUE(taken) << c.what;
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
    EXPECT_FALSE(Find(CompareConfigurations(document.Set(), *other), c.form, c.code)) << c.what;
    EXPECT_TRUE(document.Modified());
  } else {
    EXPECT_FALSE(taken) << c.what;
    ASSERT_EQ(ui.messages.size(), 1u) << c.what;
    EXPECT_EQ(ui.messages[0].text, c.refusal);
    EXPECT_EQ(ui.messages[0].caption, "Ошибка");
    EXPECT_TRUE(document.Set().SameContent(*before)) << c.what;
    EXPECT_FALSE(document.Modified());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TakeValueTest,
    ::testing::Values(
        TakeCase{"check box", 0x47, [](model::ParameterSet& s) { s.daylightSaving = 1; }, "system",
                 "K018", nullptr},
        TakeCase{
            "number in range", 0x47,
            [](model::ParameterSet& s) { s.contractBaroPressure = model::Float32::Of(0.105f); },
            "system", "K023", nullptr},
        TakeCase{"number out of range", 0x47,
                 [](model::ParameterSet& s) { s.contractBaroPressure = model::Float32::Of(0.12f); },
                 "system", "K023",
                 "Договорное барометрическое давление должно либо быть в диапазоне от 0,09 до "
                 "0,11 МПа, либо равняться нулю"},
        TakeCase{"node row", 0x47, [](model::ParameterSet& s) { s.nodes[1].reportHour = 12; },
                 "node 2", "П215", nullptr},
        TakeCase{"table of a dialog", 0x42,
                 [](model::ParameterSet& s) { s.channels[1].irvis2[0] = model::Float32::Of(7); },
                 "channel 2/irvis", "K271", nullptr},
        TakeCase{"report text flag", 0x47, [](model::ParameterSet& s) { s.headerEnabled = 1; },
                 "texts", "header", nullptr},
        // As the editor stores it: a space at the start of every line.
        TakeCase{"report text", 0x47,
                 [](model::ParameterSet& s) { std::strcpy(s.headerText, " Station 7\r\n Two"); },
                 "texts", "header-text", nullptr,
                 [](model::ParameterSet& s) { s.headerEnabled = 1; }},
        TakeCase{"report text turned off", 0x47,
                 [](model::ParameterSet& s) { std::strcpy(s.headerText, " Station 7"); }, "texts",
                 "header-text",
                 "Значение header-text не принято: колонтитул не используется, его текст не "
                 "сохраняется."}),
    testing::CaseNameOfWhat());

TEST(TakeValue, ARowTheOtherSideLacksIsNotTaken) {
  model::ConfigurationDocument document;
  document.NewConfiguration(0x47);
  auto other = std::make_unique<model::ParameterSet>();
  model::MakeNewConfiguration(*other, 0x46, 0);
  const auto before = std::make_unique<model::ParameterSet>(document.Set());
  for (const DifferentForm& form : CompareConfigurations(document.Set(), *other)) {
    for (const DifferentRow& row : form.rows) {
      if (row.first && row.second) continue;
      testing::RecordingUi ui;
      EXPECT_FALSE(TakeValue(document, *other, form, row, ui)) << row.code;
      ASSERT_EQ(ui.messages.size(), 1u);
      EXPECT_EQ(ui.messages[0].text, "Значение " + row.code +
                                         " не принято: одна из конфигураций не показывает этот "
                                         "параметр.");
    }
  }
  EXPECT_TRUE(document.Set().SameContent(*before));
}

}  // namespace
}  // namespace tarvo::shell
