#include "forms/form.h"

#include <gtest/gtest.h>

namespace tarvo::forms {
namespace {

Row InputsRow() {
  Row row = TextRow("K0301", " Назначение каналов преобразователей Q (dP)", 2);
  row.cells = {Cell{"", 2}, Cell{"", 2}, Cell{"", 2}};
  return row;
}

struct Case {
  const char* value;
  std::vector<std::string> cells;  // empty: refused
};

class MultiCellEntry : public ::testing::TestWithParam<Case> {};

TEST_P(MultiCellEntry, CommasOrFixedWidths) {
  const Case& c = GetParam();
  Row row = InputsRow();
  row.cells[0].text = "07";
  const auto error = EnterRowValue(row, c.value);
  std::vector<std::string> texts;
  for (const Cell& cell : row.cells) texts.push_back(cell.text);
  if (c.cells.empty()) {
    EXPECT_NE(error, std::nullopt);
    EXPECT_EQ(texts, (std::vector<std::string>{"07", "", ""})) << "a refusal changes no cell";
  } else {
    EXPECT_EQ(error, std::nullopt);
    EXPECT_EQ(texts, c.cells);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, MultiCellEntry,
                         ::testing::Values(Case{"01,17,5", {"01", "17", "5"}},
                                           Case{"011705", {"01", "17", "05"}},
                                           Case{"0117", {"01", "17", ""}},
                                           Case{"1,", {"1", "", ""}}, Case{"", {"", "", ""}},
                                           Case{"0117051", {}}, Case{"1,2,3,4", {}},
                                           Case{"123,4", {}}));

TEST(EnterRowValueTest, TextLongerThanTheCellIsRefusedWithTheLimit) {
  Row row = TextRow("K003", " Режим работы вычислителя", 2);
  row.Text() = "00";
  EXPECT_EQ(EnterRowValue(row, "123"),
            std::optional<std::string>("значение «123» длиннее ячейки (наибольшая длина 2)"));
  EXPECT_EQ(row.Text(), "00");
  EXPECT_EQ(EnterRowValue(row, "ъ1"), std::nullopt);  // characters, not bytes
}

TEST(EnterRowValueTest, CheckBoxTakesOneOrZero) {
  Row row = CheckBoxRow("K017", " Переход");
  EXPECT_EQ(EnterRowValue(row, "1"), std::nullopt);
  EXPECT_TRUE(row.checked);
  EXPECT_EQ(RowValueText(row), "1");
  EXPECT_NE(EnterRowValue(row, "yes"), std::nullopt);
  EXPECT_TRUE(row.checked);
  EXPECT_EQ(EnterRowValue(row, "0"), std::nullopt);
  EXPECT_EQ(RowValueText(row), "0");
}

TEST(EnterRowValueTest, DropDownTakesTheEntryTextOrItsIndex) {
  Row row;
  row.kind = CellKind::DropDown;
  row.entries = {"молярные", "массовые", "объемные"};
  EXPECT_EQ(EnterRowValue(row, "массовые"), std::nullopt);
  EXPECT_EQ(row.selected, 1);
  EXPECT_EQ(EnterRowValue(row, "2"), std::nullopt);
  EXPECT_EQ(RowValueText(row), "объемные");
  EXPECT_NE(EnterRowValue(row, "3"), std::nullopt);
  EXPECT_NE(EnterRowValue(row, "-1"), std::nullopt);
  EXPECT_EQ(row.selected, 2);
}

TEST(EnterRowValueTest, HiddenOrDisabledRowsTakeNothing) {
  Row row = TextRow("K034", " Первая часть", 3);
  row.visible = false;
  EXPECT_NE(EnterRowValue(row, "1"), std::nullopt);
  row.visible = true;
  row.enabled = false;
  EXPECT_NE(EnterRowValue(row, "1"), std::nullopt);
  EXPECT_EQ(row.Text(), "");
}

}  // namespace
}  // namespace tarvo::forms
