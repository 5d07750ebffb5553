#include "forms/form.h"

#include <algorithm>
#include <charconv>

#include "model/value_text.h"

namespace tarvo::forms {

namespace {

std::string TooLong(std::string_view value, int limit) {
  return "значение «" + std::string(value) + "» длиннее ячейки (наибольшая длина " +
         std::to_string(limit) + ")";
}

std::optional<std::string> EnterCellText(Cell& cell, std::string_view value) {
  if (cell.maxLength > 0 && CharCount(value) > cell.maxLength) {
    return TooLong(value, cell.maxLength);
  }
  cell.text = std::string(value);
  return std::nullopt;
}

std::vector<std::string_view> SplitAtCommas(std::string_view value) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (true) {
    const auto comma = value.find(',', start);
    parts.push_back(value.substr(start, comma - start));
    if (comma == std::string_view::npos) return parts;
    start = comma + 1;
  }
}

std::optional<std::string> EnterCells(Row& row, std::string_view value) {
  std::vector<std::string> texts;
  if (value.find(',') != std::string_view::npos) {
    const auto parts = SplitAtCommas(value);
    if (parts.size() > row.cells.size()) {
      return "в строке " + std::to_string(row.cells.size()) + " ячейки, а задано " +
             std::to_string(parts.size());
    }
    for (const auto part : parts) texts.emplace_back(part);
  } else {
    // Run together: each cell takes its own width in turn; a cell without a limit takes the rest.
    std::string_view rest = value;
    for (const Cell& cell : row.cells) {
      const std::size_t width =
          cell.maxLength > 0 ? static_cast<std::size_t>(cell.maxLength) : rest.size();
      const std::string piece = model::FirstChars(rest, width);
      texts.push_back(piece);
      rest.remove_prefix(piece.size());
    }
    if (!rest.empty()) {
      int total = 0;
      for (const Cell& cell : row.cells) total += cell.maxLength;
      return TooLong(value, total);
    }
  }
  texts.resize(row.cells.size());
  std::vector<Cell> entered = row.cells;
  for (std::size_t i = 0; i < entered.size(); ++i) {
    if (auto error = EnterCellText(entered[i], texts[i])) return error;
  }
  row.cells = std::move(entered);
  return std::nullopt;
}

std::optional<std::string> EnterDropDown(Row& row, std::string_view value) {
  for (std::size_t i = 0; i < row.entries.size(); ++i) {
    if (row.entries[i] == value) {
      row.selected = static_cast<int>(i);
      return std::nullopt;
    }
  }
  int index = -1;
  const auto result = std::from_chars(value.data(), value.data() + value.size(), index);
  if (result.ec == std::errc() && result.ptr == value.data() + value.size() && index >= 0 &&
      index < static_cast<int>(row.entries.size())) {
    row.selected = index;
    return std::nullopt;
  }
  std::string list;
  for (std::size_t i = 0; i < row.entries.size(); ++i) {
    list += (i == 0 ? "" : ", ") + std::to_string(i) + " «" + row.entries[i] + "»";
  }
  return "значение «" + std::string(value) + "» не входит в список: " + list;
}

}  // namespace

std::string& Row::Text() {
  if (cells.empty()) cells.emplace_back();
  return cells.front().text;
}

const std::string& Row::Text() const {
  static const std::string kNone;
  return cells.empty() ? kNone : cells.front().text;
}

bool SameShown(const Row& a, const Row& b) {
  const auto sameCells = [](const std::vector<Cell>& x, const std::vector<Cell>& y) {
    return std::equal(x.begin(), x.end(), y.begin(), y.end(), [](const Cell& c, const Cell& d) {
      return c.text == d.text && c.maxLength == d.maxLength;
    });
  };
  return a.code == b.code && a.description == b.description && a.kind == b.kind &&
         sameCells(a.cells, b.cells) && a.checked == b.checked && a.entries == b.entries &&
         a.selected == b.selected && a.visible == b.visible && a.enabled == b.enabled &&
         a.column == b.column && a.demand == b.demand;
}

namespace {
// Counts the marks of one OK: a check that names a cell marks before the checks around it do.
thread_local int refusalMarks = 0;
}  // namespace

bool MarkRefused(const Row& row, int cell) {
  // The first check that refused names the cell.
  if (row.refusedCell < 0) {
    row.refusedCell = cell;
    row.refusalOrder = ++refusalMarks;
  }
  return false;
}

PressResult PressResult::OpenDialog(std::unique_ptr<Form> form) {
  if (!form) return Done();
  form->Fill();
  return {Outcome::Dialog, std::move(form)};
}

Row TextRow(std::string code, std::string description, int maxLength, int column) {
  Row row;
  row.code = std::move(code);
  row.description = std::move(description);
  row.kind = CellKind::Text;
  row.cells = {Cell{"", maxLength}};
  row.column = column;
  return row;
}

Row NumberRow(std::string code, std::string description, int column) {
  Row row = TextRow(std::move(code), std::move(description), 9, column);
  row.kind = CellKind::Number;
  return row;
}

Row CheckBoxRow(std::string code, std::string description, int column) {
  Row row;
  row.code = std::move(code);
  row.description = std::move(description);
  row.kind = CellKind::CheckBox;
  row.column = column;
  return row;
}

std::string RowValueText(const Row& row) {
  switch (row.kind) {
    case CellKind::CheckBox:
      return row.checked ? "1" : "0";
    case CellKind::DropDown:
      return row.selected >= 0 && row.selected < static_cast<int>(row.entries.size())
                 ? row.entries[row.selected]
                 : "";
    case CellKind::Text:
    case CellKind::Number:
      break;
  }
  std::string text;
  for (std::size_t i = 0; i < row.cells.size(); ++i) {
    if (i > 0) text += ",";
    text += row.cells[i].text;
  }
  return text;
}

std::optional<std::string> EnterRowValue(Row& row, std::string_view value) {
  if (!row.visible || !row.enabled) return std::string("строка недоступна для ввода");
  switch (row.kind) {
    case CellKind::CheckBox:
      if (value != "1" && value != "0") {
        return "флажок принимает только 1 или 0, задано «" + std::string(value) + "»";
      }
      row.checked = value == "1";
      return std::nullopt;
    case CellKind::DropDown:
      return EnterDropDown(row, value);
    case CellKind::Text:
    case CellKind::Number:
      break;
  }
  if (row.cells.empty()) return std::string("в строке нет ячейки для значения");
  if (row.cells.size() == 1) return EnterCellText(row.cells.front(), value);
  return EnterCells(row, value);
}

Verdict Form::Submit(platform::Ui& ui) {
  for (const Row& row : rows) row.refusedCell = -1;
  if (Accept(ui)) return {};
  Verdict verdict{false, -1, 0};
  int earliest = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].refusedCell >= 0 && (verdict.row < 0 || rows[i].refusalOrder < earliest)) {
      verdict.row = static_cast<int>(i);
      verdict.cell = rows[i].refusedCell;
      earliest = rows[i].refusalOrder;
    }
  }
  return verdict;
}

void Form::MarkDemands() {
  std::vector<Demand> demands = UnmetDemands();
  for (Row& row : rows) row.demand.clear();
  for (Demand& demand : demands) {
    if (demand.row >= 0 && demand.row < static_cast<int>(rows.size())) {
      rows[demand.row].demand = std::move(demand.message);
    }
  }
}

PressResult Form::Press(std::string_view buttonId, platform::Ui& ui) {
  const Button* button = FindButton(buttonId);
  if (button == nullptr || !button->visible || !button->enabled) return {};
  if (button->OpensDialog()) return PressResult::OpenDialog(button->dialog());
  return OnPress(buttonId, ui);
}

PressResult Form::OnPress(std::string_view, platform::Ui&) {
  return {};
}

EntryResult Form::Changed(const std::vector<Row>& before, std::optional<std::string> error) {
  MarkDemands();
  EntryResult result{std::move(error), {}};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (i >= before.size() || !SameShown(before[i], rows[i])) {
      result.changedRows.push_back(static_cast<int>(i));
    }
  }
  return result;
}

EntryResult Form::EnterCell(int row, int cell, std::string_view text) {
  if (row < 0 || row >= static_cast<int>(rows.size())) return {"нет такой строки", {}};
  Row& target = rows[row];
  if (target.kind == CellKind::CheckBox || target.kind == CellKind::DropDown || cell < 0 ||
      cell >= static_cast<int>(target.cells.size())) {
    return {"в строке нет такой ячейки", {}};
  }
  if (!target.visible || !target.enabled) return {"строка недоступна для ввода", {}};
  const std::vector<Row> before = rows;
  return Changed(before, EnterCellText(target.cells[cell], text));
}

EntryResult Form::SetChecked(int row, bool checked) {
  if (row < 0 || row >= static_cast<int>(rows.size()) || rows[row].kind != CellKind::CheckBox) {
    return {"в строке нет флажка", {}};
  }
  Row& target = rows[row];
  if (!target.visible || !target.enabled) return {"строка недоступна для ввода", {}};
  const std::vector<Row> before = rows;
  target.checked = checked;
  RowChanged(target);
  return Changed(before, std::nullopt);
}

EntryResult Form::Choose(int row, int entry) {
  if (row < 0 || row >= static_cast<int>(rows.size()) || rows[row].kind != CellKind::DropDown) {
    return {"в строке нет списка", {}};
  }
  Row& target = rows[row];
  if (!target.visible || !target.enabled) return {"строка недоступна для ввода", {}};
  if (entry < 0 || entry >= static_cast<int>(target.entries.size()))
    return {"нет такой строки списка", {}};
  const std::vector<Row> before = rows;
  target.selected = entry;
  RowChanged(target);
  return Changed(before, std::nullopt);
}

void Form::RowChanged(Row&) {}

EntryResult Form::EnterValue(int row, std::string_view value) {
  if (row < 0 || row >= static_cast<int>(rows.size())) return {"нет такой строки", {}};
  // Read into a copy first: a row of several cells takes all of them or none.
  Row read = rows[row];
  if (auto error = EnterRowValue(read, value)) return {std::move(error), {}};
  const std::vector<Row> before = rows;
  switch (read.kind) {
    case CellKind::CheckBox:
      SetChecked(row, read.checked);
      break;
    case CellKind::DropDown:
      Choose(row, read.selected);
      break;
    case CellKind::Text:
    case CellKind::Number:
      for (std::size_t c = 0; c < read.cells.size(); ++c) {
        EnterCell(row, static_cast<int>(c), read.cells[c].text);
      }
      break;
  }
  return Changed(before, std::nullopt);
}

std::vector<OpenedDialog> OpenDialogs(Form& form, platform::Ui& ui) {
  std::vector<OpenedDialog> dialogs;
  for (const Button& button : form.buttons) {
    if (!button.OpensDialog()) continue;
    auto pressed = form.Press(button.id, ui);
    if (pressed.dialog) dialogs.push_back({button.id, std::move(pressed.dialog)});
  }
  return dialogs;
}

const Row* Form::FindRow(std::string_view code) const {
  for (const Row& row : rows) {
    if (row.visible && row.code == code) return &row;
  }
  return nullptr;
}

Button* Form::FindButton(std::string_view id) {
  for (Button& button : buttons) {
    if (button.id == id) return &button;
  }
  return nullptr;
}

int Form::RowIndexOf(std::string_view code) const {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].visible && rows[i].code == code) return static_cast<int>(i);
  }
  return -1;
}

int CharCount(std::string_view text) {
  int count = 0;
  for (char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

}  // namespace tarvo::forms
