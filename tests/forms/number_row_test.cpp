#include "forms/number_row.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

#include "fakes/recording_ui.h"
#include "model/check_range.h"

namespace tarvo::forms {
namespace {

using model::Float32;

constexpr float kMax = std::numeric_limits<float>::max();
constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr Float32 kHeld = Float32::NotSet();
constexpr const char* kTemplate = "Значение должно быть в диапазоне от  до ";

struct CellCase {
  const char* text;
  std::optional<Float32> stored;  // nothing: refused
};

// A number cell goes through one of two readings: a row with a range (CheckNumberRow) or a cell
// no range guards (ReadNumberCell). Neither lets a value the flow computer cannot hold through,
// whatever the bounds, and neither stores anything when it refuses.
class NumberCellTest : public ::testing::TestWithParam<CellCase> {};

TEST_P(NumberCellTest, UnguardedCell) {
  const CellCase& c = GetParam();
  Row row = NumberRow("K181", "");
  row.Text() = c.text;
  testing::RecordingUi ui;
  Float32 destination = kHeld;
  EXPECT_EQ(ReadNumberCell(ui, row, destination), c.stored.has_value());
  EXPECT_EQ(destination, c.stored.value_or(kHeld));
  if (c.stored) {
    EXPECT_TRUE(ui.messages.empty());
  } else {
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "Значение параметра K181 должно быть конечным числом не больше 3,4e38 по модулю");
    EXPECT_EQ(ui.messages[0].caption, "Ошибка");
  }
}

TEST_P(NumberCellTest, RowWhoseRangeTakesEveryFloat) {
  const CellCase& c = GetParam();
  for (const auto& [lower, upper] : {std::pair{-kMax, kMax}, std::pair{-kInfinity, kInfinity}}) {
    const NumberRowSpec spec{26,    "",    SystemFloat<&model::ParameterSet::contractOutdoorTemp>,
                             lower, upper, kTemplate};
    Row row = NumberRow("K026", "");
    row.Text() = c.text;
    model::ParameterSet working{};
    working.contractOutdoorTemp = kHeld;
    testing::RecordingUi ui;
    EXPECT_EQ(CheckNumberRow(row, spec, working, -1, ui), c.stored.has_value()) << upper;
    EXPECT_EQ(working.contractOutdoorTemp, c.stored.value_or(kHeld)) << upper;
    // The row's own range message stands, as for any value out of range.
    EXPECT_EQ(ui.messages.size(), c.stored ? 0u : 1u) << upper;
    if (!ui.messages.empty()) {
      EXPECT_EQ(ui.messages[0].text,
                model::BuildRangeMessage(kTemplate, Float32::Of(lower), Float32::Of(upper)));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumberCellTest,
    ::testing::Values(CellCase{"nan", std::nullopt}, CellCase{"NAN", std::nullopt},
                      CellCase{"-nan", std::nullopt}, CellCase{"nan(1)", std::nullopt},
                      CellCase{"inf", std::nullopt}, CellCase{"-inf", std::nullopt},
                      CellCase{"infinity", std::nullopt}, CellCase{"1e39", std::nullopt},
                      CellCase{"-1e39", std::nullopt}, CellCase{"3,5e38", std::nullopt},
                      CellCase{"0x1p128", std::nullopt}, CellCase{"1e99999", std::nullopt},
                      CellCase{"3,4e38", Float32::Of(3.4e38f)},
                      CellCase{"-3.4e38", Float32::Of(-3.4e38f)},
                      CellCase{"0x1p127", Float32::Of(0x1p127f)},
                      CellCase{"1e-50", Float32::Of(0.0f)}, CellCase{"12abc", Float32::Of(12.0f)},
                      CellCase{"", Float32::Of(0.0f)}, CellCase{" - -", Float32::NotSet()},
                      // A filled cell holds a stored value's whole text, which may be longer than
                      // typing allows; it is read whole.
                      CellCase{"1000000000", Float32::Of(1e9f)},
                      CellCase{"000000001e39", std::nullopt}));

}  // namespace
}  // namespace tarvo::forms
