#include "forms/channel/type_code_u.h"

#include <cstdio>

#include "forms/channel/type_code_positions.h"

namespace tarvo::forms {

std::string TypeCodeTextU(const model::ChannelRecord& record) {
  const auto& flow = record.typeDigits3to5;
  char text[64];
  std::snprintf(text, sizeof text, "%02d%d%d%d%d%d%d", record.mediumKind, record.typeDigit2,
                flow[0], flow[1], flow[2], record.typeDigit6, record.typeDigit7);
  return text;
}

bool ReadTypeCodeU(std::string_view cell, std::uint8_t executionCode,
                   model::ChannelRecord& record) {
  return ReadTypeCodeInto(TypeCodeLayoutU(executionCode), cell, record);
}

}  // namespace tarvo::forms
