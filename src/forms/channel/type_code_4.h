#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/parameter_set.h"

namespace tarvo::forms {

inline constexpr int kTypeCodeLength4 = 4;

// Which values each digit of a four-digit type code may take: bit d of allowed[i] allows the
// value d in digit i + 1 (medium, flow, pressure and temperature transducer types).
struct TypeDigitRule {
  std::uint16_t allowed[kTypeCodeLength4];
};

// The digits 0..last as a mask.
constexpr std::uint16_t DigitsUpTo(int last) {
  return static_cast<std::uint16_t>((1u << (last + 1)) - 1u);
}

// The four-digit type code: medium kind, flow transducer 1 type, pressure and temperature
// transducer types, each as a decimal number.
std::string TypeCodeText4(const model::ChannelRecord& record);

// Reads a type code cell into the record's four type fields when every digit is allowed and a
// medium of 0 comes with no transducer; false (record untouched) otherwise. A short text is
// padded with "0".
bool ReadTypeCode4(std::string_view cell, const TypeDigitRule& rule, model::ChannelRecord& record);

}  // namespace tarvo::forms
