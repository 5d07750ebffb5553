#include "forms/channel/type_code_layout.h"

#include <algorithm>
#include <functional>

#include "forms/form.h"

namespace tarvo::forms {

namespace {

int FirstCharOf(const TypeCodeLayout& layout, int position) {
  int first = 0;
  for (int p = 0; p < position; ++p) first += layout.positions[p].width;
  return first;
}

}  // namespace

std::string PlaceText(const TypeCodeLayout& layout, int position) {
  const int first = FirstCharOf(layout, position) + 1;
  const int width = layout.positions[position].width;
  return width == 1 ? std::to_string(first)
                    : std::to_string(first) + "–" + std::to_string(first + width - 1);
}

namespace {

std::string Label(const TypeCodeLayout& layout, int position) {
  const TypeCodePosition& p = layout.positions[position];
  return (p.width == 1 ? "позиция " : "позиции ") + PlaceText(layout, position) + " (" + p.name +
         ") = ";
}

std::string JoinedList(const std::vector<std::string>& items) {
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text += i + 1 == items.size() ? " и " : ", ";
    text += items[i];
  }
  return text;
}

// "0, 4–8": runs of three values or more as a range.
std::string AllowedText(const TypeCodePosition& position) {
  std::vector<int> values;
  for (int v = 0; v < 32; ++v) {
    if (Holds(position.allowed, v)) values.push_back(v);
  }
  if (values.empty()) return "допустимых значений нет";
  if (values.size() == 1) return "допустимо только " + PositionValueText(position, values[0]);
  std::string text = "допустимы ";
  for (std::size_t i = 0; i < values.size();) {
    std::size_t end = i;
    while (end + 1 < values.size() && values[end + 1] == values[end] + 1) ++end;
    if (i > 0) text += ", ";
    text += PositionValueText(position, values[i]);
    if (end >= i + 2) {
      text += "–" + PositionValueText(position, values[end]);
    } else if (end == i + 1) {
      text += ", " + PositionValueText(position, values[end]);
    }
    i = end + 1;
  }
  return text;
}

std::string AllowedFault(const TypeCodeLayout& layout, int position, const std::string& shown) {
  const TypeCodePosition& p = layout.positions[position];
  return Label(layout, position) + shown + ": " + (p.where.empty() ? "" : p.where + " ") +
         AllowedText(p);
}

bool Targets(const TypeCodeRule& rule, int position) {
  return (rule.targets >> position & 1u) != 0;
}

// The targets that break the rule, in the order it is stated: a value outside `each`, then too
// many transducers, then too few.
std::vector<int> Offenders(const TypeCodeRule& rule, std::span<const int> values) {
  std::vector<int> wrong;
  std::vector<int> nonZero;
  std::vector<int> all;
  for (int t = 0; t < static_cast<int>(values.size()); ++t) {
    if (!Targets(rule, t)) continue;
    all.push_back(t);
    if (!Holds(rule.each, values[t])) wrong.push_back(t);
    if (values[t] != 0) nonZero.push_back(t);
  }
  if (!wrong.empty()) return wrong;
  const int count = static_cast<int>(nonZero.size());
  if (count > rule.most) return nonZero;
  if (count < rule.least) return all;
  return {};
}

bool Applies(const TypeCodeRule& rule, std::span<const int> values) {
  return Holds(rule.when, values[rule.position]);
}

std::string RuleFault(const TypeCodeLayout& layout, const TypeCodeRule& rule,
                      std::span<const int> values, const std::vector<int>& offenders) {
  std::vector<std::string> items;
  for (const int t : offenders) {
    items.push_back(PlaceText(layout, t) + " = " +
                    PositionValueText(layout.positions[t], values[t]));
  }
  const TypeCodePosition& deciding = layout.positions[rule.position];
  return Label(layout, rule.position) + PositionValueText(deciding, values[rule.position]) + ": " +
         rule.says + ", а " + (offenders.size() == 1 ? "позиция " : "позиции ") + JoinedList(items);
}

// Every UTF-8 character of a text on its own.
std::vector<std::string> Characters(std::string_view text) {
  std::vector<std::string> chars;
  for (const char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) == 0x80 && !chars.empty()) {
      chars.back() += c;
    } else {
      chars.emplace_back(1, c);
    }
  }
  return chars;
}

std::optional<int> ValueOf(const TypeCodePosition& position, std::string_view text) {
  int value = 0;
  for (const char c : text) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (position.hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0 || text.size() != static_cast<std::size_t>(position.width)) return std::nullopt;
    value = value * (position.hex ? 16 : 10) + digit;
  }
  return value;
}

}  // namespace

int TypeCodeLayout::Length() const {
  int length = 0;
  for (const TypeCodePosition& p : positions) length += p.width;
  return length;
}

std::string PositionValueText(const TypeCodePosition& position, int value) {
  if (position.hex && value >= 10) return std::string(1, static_cast<char>('A' + value - 10));
  std::string text = std::to_string(value);
  if (static_cast<int>(text.size()) < position.width)
    text.insert(0, position.width - text.size(), '0');
  return text;
}

std::string TypeCodeFault(const TypeCodeLayout& layout, std::span<const int> values) {
  for (int p = 0; p < static_cast<int>(layout.positions.size()); ++p) {
    if (!Holds(layout.positions[p].allowed, values[p])) {
      return AllowedFault(layout, p, PositionValueText(layout.positions[p], values[p]));
    }
  }
  for (const TypeCodeRule& rule : layout.rules) {
    if (!Applies(rule, values)) continue;
    const auto offenders = Offenders(rule, values);
    if (!offenders.empty()) return RuleFault(layout, rule, values, offenders);
  }
  return {};
}

TypeCodeReading ReadTypeCode(const TypeCodeLayout& layout, std::string_view cell) {
  const int length = layout.Length();
  std::vector<std::string> chars = Characters(cell);
  if (static_cast<int>(chars.size()) > length) {
    return {{},
            "в коде " + std::to_string(chars.size()) + " знаков, а допускается не более " +
                std::to_string(length)};
  }
  chars.resize(length, "0");
  TypeCodeReading reading;
  int first = 0;
  for (int p = 0; p < static_cast<int>(layout.positions.size()); ++p) {
    const TypeCodePosition& position = layout.positions[p];
    std::string text;
    for (int c = 0; c < position.width; ++c) text += chars[first + c];
    first += position.width;
    const auto value = ValueOf(position, text);
    if (!value) return {{}, AllowedFault(layout, p, "«" + text + "»")};
    reading.values.push_back(*value);
  }
  reading.fault = TypeCodeFault(layout, reading.values);
  return reading;
}

bool ReadTypeCodeInto(const TypeCodeLayout& layout, std::string_view cell,
                      model::ChannelRecord& record) {
  const TypeCodeReading reading = ReadTypeCode(layout, cell);
  if (!reading.Accepted()) return false;
  layout.store(reading.values, record);
  return true;
}

std::string ComposeTypeCode(const TypeCodeLayout& layout, std::span<const int> values) {
  std::string code;
  for (std::size_t p = 0; p < layout.positions.size() && p < values.size(); ++p) {
    code += PositionValueText(layout.positions[p], values[p]);
  }
  return code;
}

std::optional<std::vector<int>> NearestAccepted(const TypeCodeLayout& layout,
                                                std::vector<int> values, int fixed) {
  const int count = static_cast<int>(layout.positions.size());
  values.resize(count, 0);
  const std::vector<int> wanted = values;
  // Whether the positions chosen so far (0..last) can still make an accepted code: a rule whose
  // deciding position is chosen already fails on a wrong value or too many transducers; too few
  // only show once all its targets are chosen.
  const auto stillFits = [&](int last) {
    return std::all_of(layout.rules.begin(), layout.rules.end(), [&](const TypeCodeRule& rule) {
      if (rule.position > last || !Applies(rule, values)) return true;
      int nonZero = 0;
      bool allChosen = true;
      for (int t = 0; t < count; ++t) {
        if (!Targets(rule, t)) continue;
        if (t > last) {
          allChosen = false;
          continue;
        }
        if (!Holds(rule.each, values[t])) return false;
        if (values[t] != 0) ++nonZero;
      }
      return nonZero <= rule.most && (!allChosen || nonZero >= rule.least);
    });
  };
  std::function<bool(int)> choose = [&](int p) {
    if (p == count) return true;
    // Keep the value, else 0, else the smallest that fits.
    std::vector<int> candidates = {wanted[p]};
    if (p != fixed) {
      for (int v = 0; v < 32; ++v) {
        if (v != wanted[p]) candidates.push_back(v);
      }
    }
    for (const int v : candidates) {
      if (!Holds(layout.positions[p].allowed, v)) continue;
      values[p] = v;
      if (stillFits(p) && choose(p + 1)) return true;
    }
    return false;
  };
  if (!choose(0)) return std::nullopt;
  return values;
}

}  // namespace tarvo::forms
