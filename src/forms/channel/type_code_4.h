#pragma once

#include <cstdint>
#include <string>

#include "forms/channel/type_code_layout.h"
#include "model/parameter_set.h"

namespace tarvo::forms {

inline constexpr int kTypeCodeLength4 = 4;

// Which values each digit of a four-digit type code may take: allowed[i] for digit i + 1
// (medium, flow, pressure and temperature transducer types).
struct TypeDigitRule {
  ValueSet allowed[kTypeCodeLength4];
};

// The digits 0..last as a set.
constexpr ValueSet DigitsUpTo(int last) {
  return ValuesFromTo(0, last);
}

// The four-digit type code: medium kind, flow transducer 1 type, pressure and temperature
// transducer types, each as a decimal number.
std::string TypeCodeText4(const model::ChannelRecord& record);

}  // namespace tarvo::forms
