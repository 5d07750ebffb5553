#include "forms/form.h"

#include <charconv>

#include "model/value_text.h"

namespace tarvo::forms {

namespace {

std::string TooLong(std::string_view value, int limit) {
  return "значение «" + std::string(value) + "» длиннее ячейки (наибольшая длина " +
         std::to_string(limit) + ")";
}

std::optional<std::string> EnterCell(Cell& cell, std::string_view value) {
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
    // Run together: each cell takes its own width in turn.
    std::string_view rest = value;
    for (const Cell& cell : row.cells) {
      const std::string piece = model::FirstChars(rest, static_cast<std::size_t>(cell.maxLength));
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
    if (auto error = EnterCell(entered[i], texts[i])) return error;
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
  if (row.cells.size() == 1) return EnterCell(row.cells.front(), value);
  return EnterCells(row, value);
}

std::unique_ptr<Form> Form::Press(std::string_view, platform::Ui&) {
  return nullptr;
}

void Form::RowChanged(Row&) {}

std::optional<std::string> Form::EnterValue(Row& row, std::string_view value) {
  auto error = EnterRowValue(row, value);
  if (!error && (row.kind == CellKind::DropDown || row.kind == CellKind::CheckBox)) {
    RowChanged(row);
  }
  return error;
}

std::vector<OpenedDialog> OpenDialogs(Form& form, platform::Ui& ui) {
  std::vector<OpenedDialog> dialogs;
  for (const Button& button : form.buttons) {
    if (!button.opensDialog || !button.visible || !button.enabled) continue;
    if (auto dialog = form.Press(button.id, ui)) {
      dialog->Fill();
      dialogs.push_back({button.id, std::move(dialog)});
    }
  }
  return dialogs;
}

Row* Form::FindRow(std::string_view code) {
  for (Row& row : rows) {
    if (row.visible && row.code == code) return &row;
  }
  return nullptr;
}

const Row* Form::FindRow(std::string_view code) const {
  return const_cast<Form*>(this)->FindRow(code);
}

Button* Form::FindButton(std::string_view id) {
  for (Button& button : buttons) {
    if (button.id == id) return &button;
  }
  return nullptr;
}

int CharCount(std::string_view text) {
  int count = 0;
  for (char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

}  // namespace tarvo::forms
