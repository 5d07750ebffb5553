#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/parameter_set.h"

namespace tarvo::forms {

// A set of position values 0..31: bit v stands for the value v.
using ValueSet = std::uint32_t;

constexpr ValueSet ValuesFromTo(int first, int last) {
  ValueSet set = 0;
  for (int v = first; v <= last; ++v) set |= ValueSet{1} << v;
  return set;
}
constexpr ValueSet Value(int v) {
  return ValueSet{1} << v;
}
constexpr bool Holds(ValueSet set, int v) {
  return v >= 0 && v < 32 && (set & Value(v)) != 0;
}

// What a value of a position stands for, as the engineer reads it in the helper.
struct ValueMeaning {
  int value;
  const char* text;
};

// One position of a type code: one character, or two for a medium of two decimal digits.
struct TypeCodePosition {
  const char* name;  // "способ измерения расхода"
  int width = 1;
  bool hex = false;    // one character 0-9, A, B...
  ValueSet allowed{};  // the values this position may hold on this channel
  // Why fewer values are allowed here than the position knows ("на канале 3"); may be empty.
  std::string where;
  std::vector<ValueMeaning> meanings;
};

// A rule between positions: while `position` holds a value of `when`, every one of `targets`
// (bit p: position p) must hold a value of `each`, and from `least` to `most` of them must be
// other than 0. `says` tells the engineer what the deciding value allows.
struct TypeCodeRule {
  int position;
  ValueSet when;
  std::uint32_t targets;
  ValueSet each = ~ValueSet{0};
  int least = 0;
  int most = 32;
  const char* says = "";
};

// The type code of a channel page: its positions and the rules between them, in the order they
// are checked, and where its values go in the channel record.
struct TypeCodeLayout {
  std::vector<TypeCodePosition> positions;
  std::vector<TypeCodeRule> rules;
  void (*store)(std::span<const int> values, model::ChannelRecord& record) = nullptr;

  int Length() const;
};

// The reading of a type code cell: the value of each position (empty when a character is no
// value at all) and, when the code is refused, why.
struct TypeCodeReading {
  std::vector<int> values;
  // Empty when the code is accepted; otherwise the position and the rule it breaks:
  // "позиция 3 (способ измерения расхода) = 0: преобразователи расхода не допускаются, а
  // позиция 4 = 5".
  std::string fault;

  bool Accepted() const { return fault.empty(); }
};

// Reads a cell padded on the right with "0"; a text longer than the code is refused.
TypeCodeReading ReadTypeCode(const TypeCodeLayout& layout, std::string_view cell);
// Reads a cell into the record's type code fields when it is accepted; false (record untouched)
// otherwise.
bool ReadTypeCodeInto(const TypeCodeLayout& layout, std::string_view cell,
                      model::ChannelRecord& record);
// The code of the values, each position printed at its width.
std::string ComposeTypeCode(const TypeCodeLayout& layout, std::span<const int> values);
// The first check the values fail, as ReadTypeCode words it; empty when they pass.
std::string TypeCodeFault(const TypeCodeLayout& layout, std::span<const int> values);

// The accepted code nearest to the values with position `fixed` (-1: none) holding its value:
// every other position keeps its value where it can, else takes 0, else the smallest that fits.
// Nothing when no accepted code has that value there.
std::optional<std::vector<int>> NearestAccepted(const TypeCodeLayout& layout,
                                                std::vector<int> values, int fixed = -1);

// "3" or "1–2": the characters a position takes in the code, counted from 1.
std::string PlaceText(const TypeCodeLayout& layout, int position);
// A position's value as the code shows it: "5", "A", "04".
std::string PositionValueText(const TypeCodePosition& position, int value);

}  // namespace tarvo::forms
