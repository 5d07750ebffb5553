#pragma once

#include <string>
#include <string_view>

#include "model/parameter_set.h"

namespace tarvo::forms {

inline constexpr int kTypeCodeLengthL = 4;

// The four-character type code of a channel of variant Л: medium, flow transducer 1 type,
// pressure transducer type and temperature transducer type.
std::string TypeCodeTextL(const model::ChannelRecord& record);

// Reads a type code cell of the channel (0-based index) into the record's type code fields when
// it passes every rule; false (record untouched) otherwise. A short text is padded with "0".
bool ReadTypeCodeL(std::string_view cell, int channelIndex, model::ChannelRecord& record);

}  // namespace tarvo::forms
