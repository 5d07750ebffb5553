#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/parameter_set.h"

namespace tarvo::forms {

inline constexpr int kTypeCodeLengthU = 8;
inline constexpr std::uint8_t kElectricityMeter = 4;
inline constexpr std::uint8_t kAssociatedGas = 12;

// The eight-character type code of a У channel: the medium as two decimal digits, then flow
// method, the three flow transducer types, pressure and temperature transducer types.
std::string TypeCodeTextU(const model::ChannelRecord& record);

// Reads a type code cell into the record's type code fields when it passes every rule for the
// execution code; false (record untouched) otherwise. A short text is padded with "0".
bool ReadTypeCodeU(std::string_view cell, std::uint8_t executionCode, model::ChannelRecord& record);

}  // namespace tarvo::forms
