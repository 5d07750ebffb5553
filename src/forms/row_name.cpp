#include "forms/row_name.h"

namespace tarvo::forms {

namespace {

// Blanks and line breaks as single spaces, none at either end: descriptions start with a space
// and some run over two lines.
std::string OneLine(std::string_view text) {
  std::string line;
  bool blank = false;
  for (const char c : text) {
    if (c == ' ' || c == '\n' || c == '\r' || c == '\t') {
      blank = !line.empty();
      continue;
    }
    if (blank) line += ' ';
    blank = false;
    line += c;
  }
  return line;
}

bool OfSeveralCells(const Row& row, int cell) {
  return row.cells.size() > 1 && cell >= 0;
}

}  // namespace

std::string CellAccessibleName(const Row& row, int cell) {
  std::string name = OneLine(row.code);
  const std::string description = OneLine(row.description);
  if (!name.empty() && !description.empty()) name += ' ';
  name += description;
  if (OfSeveralCells(row, cell)) name += ", ячейка " + std::to_string(cell + 1);
  return name;
}

std::string CellObjectName(const Row& row, int cell) {
  std::string name = OneLine(row.code.empty() ? row.description : row.code);
  if (OfSeveralCells(row, cell) && cell > 0) name += '.' + std::to_string(cell + 1);
  return name;
}

}  // namespace tarvo::forms
