#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/parameter_set.h"

namespace tarvo::forms {

inline constexpr int kTypeCodeLengthG = 7;

// The seven-character type code of a gas channel: the medium as one hexadecimal digit ("0"
// above 15), then flow method, the three flow transducer types, pressure and temperature
// transducer types, each as a decimal number.
std::string TypeCodeTextG(const model::ChannelRecord& record);

// Reads a type code cell into the record's type code fields when it passes every rule for the
// execution code; false (record untouched) otherwise. A short text is padded with "0".
bool ReadTypeCodeG(std::string_view cell, std::uint8_t executionCode, model::ChannelRecord& record);

}  // namespace tarvo::forms
