#include "forms/row_name.h"

#include <gtest/gtest.h>

namespace tarvo::forms {
namespace {

Row WithCells(Row row, std::size_t count) {
  row.cells.resize(count, Cell{"", 2});
  return row;
}

struct NameCase {
  Row row;
  int cell;
  const char* accessible;
  const char* object;
};

const NameCase kCases[] = {
    // The description's leading space and line break are not read out.
    {NumberRow("K102", " Договорная температура, град.С"), 0, "K102 Договорная температура, град.С",
     "K102"},
    {TextRow("K0200", " Вид носителя\nи тип преобразователей", 8), 0,
     "K0200 Вид носителя и тип преобразователей", "K0200"},
    {CheckBoxRow("K018", "Переход на летнее время"), 0, "K018 Переход на летнее время", "K018"},
    // Each cell of a row of several is numbered; the first keeps the bare code.
    {WithCells(TextRow("K0201", " Вход расхода", 2), 3), 0, "K0201 Вход расхода, ячейка 1",
     "K0201"},
    {WithCells(TextRow("K0201", " Вход расхода", 2), 3), 2, "K0201 Вход расхода, ячейка 3",
     "K0201.3"},
    // Rows without a code or without a description.
    {CheckBoxRow("", "Канал 03"), 0, "Канал 03", "Канал 03"},
    {NumberRow("K1-41", ""), 0, "K1-41", "K1-41"},
};

class RowName : public ::testing::TestWithParam<NameCase> {};

TEST_P(RowName, CodeAndDescription) {
  const NameCase& c = GetParam();
  EXPECT_EQ(CellAccessibleName(c.row, c.cell), c.accessible);
  EXPECT_EQ(CellObjectName(c.row, c.cell), c.object);
}

INSTANTIATE_TEST_SUITE_P(Rows, RowName, ::testing::ValuesIn(kCases));

}  // namespace
}  // namespace tarvo::forms
