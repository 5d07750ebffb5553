#include "forms/channel/type_code_l.h"

#include <cstdio>

#include "forms/channel/type_code_positions.h"

namespace tarvo::forms {

std::string TypeCodeTextL(const model::ChannelRecord& record) {
  char text[64];
  std::snprintf(text, sizeof text, "%d%d%d%d", record.mediumKind, record.typeDigits3to5[0],
                record.typeDigit6, record.typeDigit7);
  return text;
}

bool ReadTypeCodeL(std::string_view cell, int channelIndex, model::ChannelRecord& record) {
  return ReadTypeCodeInto(TypeCodeLayoutL(channelIndex), cell, record);
}

}  // namespace tarvo::forms
