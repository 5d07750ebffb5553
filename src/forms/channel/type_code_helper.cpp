#include "forms/channel/type_code_helper.h"

#include <algorithm>

#include "forms/form_messages.h"

namespace tarvo::forms {

namespace {

// The position names start lower-case, as they read inside a sentence; a row starts upper-case.
std::string Capitalized(const std::string& text) {
  std::string result = text;
  if (result.size() >= 2 && static_cast<unsigned char>(result[0]) == 0xD0 &&
      static_cast<unsigned char>(result[1]) >= 0xB0) {
    result[1] = static_cast<char>(static_cast<unsigned char>(result[1]) - 0x20);  // а..п
  } else if (result.size() >= 2 && static_cast<unsigned char>(result[0]) == 0xD1 &&
             static_cast<unsigned char>(result[1]) < 0x90) {
    result[0] = static_cast<char>(0xD0);  // р..я
    result[1] = static_cast<char>(static_cast<unsigned char>(result[1]) + 0x20);
  }
  return result;
}

std::string Joined(const std::vector<std::string>& items, const char* separator) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : separator) + item;
  return text;
}

// The row number a code ends with (K123: 23), or -1.
int RowNumber(const std::string& code) {
  const std::size_t n = code.size();
  if (n < 2 || code[n - 1] < '0' || code[n - 1] > '9' || code[n - 2] < '0' || code[n - 2] > '9') {
    return -1;
  }
  return (code[n - 2] - '0') * 10 + (code[n - 1] - '0');
}

// Codes of one channel that follow one another, three or more, as a range: K111–K116.
std::string CodesText(const std::vector<std::string>& codes) {
  std::vector<std::string> items;
  for (std::size_t i = 0; i < codes.size();) {
    std::size_t end = i;
    while (end + 1 < codes.size() && RowNumber(codes[end]) >= 0 &&
           RowNumber(codes[end + 1]) == RowNumber(codes[end]) + 1 &&
           codes[end + 1].compare(0, codes[end + 1].size() - 2, codes[end], 0,
                                  codes[end].size() - 2) == 0) {
      ++end;
    }
    if (end >= i + 2) {
      items.push_back(codes[i] + "–" + codes[end]);
      i = end + 1;
    } else {
      items.push_back(codes[i++]);
    }
  }
  return Joined(items, ", ");
}

}  // namespace

TypeCodeHelperForm::TypeCodeHelperForm(Form& owner, int ownerRow, TypeCodeLayout layout,
                                       DemandedRows demands)
    : owner_(owner), ownerRow_(ownerRow), layout_(std::move(layout)), demands_(std::move(demands)) {
  const Row& target = owner_.Rows()[ownerRow_];
  title = "Подбор кода " + target.code + ":" + target.description;
  headings.push_back(
      {"Списки предлагают только допустимые значения; выбор значения подстраивает "
       "остальные позиции."});
  const int count = static_cast<int>(layout_.positions.size());
  offered_.resize(count);
  for (int p = 0; p < count; ++p) {
    const TypeCodePosition& position = layout_.positions[p];
    for (int v = 0; v < 32; ++v) {
      if (!Holds(position.allowed, v)) continue;
      std::vector<int> values(count, 0);
      values[p] = v;
      if (NearestAccepted(layout_, values, p)) offered_[p].push_back(v);
    }
    Row row;
    row.code = PlaceText(layout_, p);
    row.description = " " + Capitalized(position.name);
    row.kind = CellKind::DropDown;
    rows.push_back(std::move(row));
  }
  Row code = TextRow(target.code, target.description, layout_.Length());
  code.enabled = false;
  rows.push_back(std::move(code));
}

void TypeCodeHelperForm::Fill() {
  const TypeCodeReading reading = ReadTypeCode(layout_, owner_.Rows()[ownerRow_].Text());
  values_ = NearestAccepted(layout_, reading.values).value_or(std::vector<int>{});
  Show();
}

std::vector<std::string> TypeCodeHelperForm::DemandsWith(int position, int value) const {
  std::vector<int> values = values_;
  values[position] = value;
  const auto nearest = NearestAccepted(layout_, values, position);
  std::vector<std::string> demands = nearest ? demands_(*nearest) : std::vector<std::string>{};
  // A channel not in use demands nothing; what a transducer demands shows on a medium in use.
  for (std::size_t m = 0; demands.empty() && position != 0 && m < offered_[0].size(); ++m) {
    values[0] = offered_[0][m];
    if (const auto inUse = NearestAccepted(layout_, values, position)) demands = demands_(*inUse);
  }
  return demands;
}

void TypeCodeHelperForm::Show() {
  const int count = static_cast<int>(layout_.positions.size());
  for (int p = 0; p < count; ++p) {
    Row& row = rows[p];
    row.entries.clear();
    row.selected = -1;
    if (values_.empty()) continue;
    // What every value in use demands anyway is left out: each entry names what it adds.
    std::vector<std::vector<std::string>> demands;
    std::vector<std::string> common;
    bool first = true;
    for (const int v : offered_[p]) {
      demands.push_back(DemandsWith(p, v));
      const auto& d = demands.back();
      if (d.empty()) continue;
      if (first) {
        common = d;
        first = false;
      } else {
        std::erase_if(common, [&d](const std::string& code) {
          return std::find(d.begin(), d.end(), code) == d.end();
        });
      }
    }
    for (std::size_t i = 0; i < offered_[p].size(); ++i) {
      const int v = offered_[p][i];
      std::vector<std::string> parts;
      for (const ValueMeaning& meaning : layout_.positions[p].meanings) {
        if (meaning.value == v) parts.emplace_back(meaning.text);
      }
      for (const TypeCodeRule& rule : layout_.rules) {
        if (rule.position == p && Holds(rule.when, v) &&
            std::find(parts.begin(), parts.end(), rule.says) == parts.end()) {
          parts.emplace_back(rule.says);
        }
      }
      std::vector<std::string> added;
      for (const std::string& code : demands[i]) {
        if (std::find(common.begin(), common.end(), code) == common.end()) added.push_back(code);
      }
      if (!added.empty()) parts.push_back("требуются " + CodesText(added));
      const std::string text = PositionValueText(layout_.positions[p], v);
      row.entries.push_back(parts.empty() ? text : text + " — " + Joined(parts, "; "));
      if (v == values_[p]) row.selected = static_cast<int>(i);
    }
  }
  rows[count].Text() = values_.empty() ? "" : Code();
}

void TypeCodeHelperForm::RowChanged(Row& row) {
  const auto p = static_cast<std::size_t>(&row - rows.data());
  if (p >= offered_.size() || values_.empty() || row.selected < 0 ||
      row.selected >= static_cast<int>(offered_[p].size())) {
    return;
  }
  std::vector<int> values = values_;
  values[p] = offered_[p][row.selected];
  if (auto nearest = NearestAccepted(layout_, values, static_cast<int>(p))) values_ = *nearest;
  Show();
}

bool TypeCodeHelperForm::Accept(platform::Ui& ui) {
  if (values_.empty()) return ShowError(ui, "На этом канале нет допустимого кода");
  entered = owner_.EnterCell(ownerRow_, 0, Code());
  if (entered.error) return ShowError(ui, *entered.error);
  return true;
}

}  // namespace tarvo::forms
