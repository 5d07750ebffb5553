#include "forms/channel/type_code_g.h"

#include <cstdio>

#include "forms/channel/type_code_positions.h"

namespace tarvo::forms {

std::string TypeCodeTextG(const model::ChannelRecord& record) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const char medium[2] = {record.mediumKind <= 15 ? kHex[record.mediumKind] : '0', '\0'};
  const auto& flow = record.typeDigits3to5;
  char text[64];
  std::snprintf(text, sizeof text, "%s%d%d%d%d%d%d", medium, record.typeDigit2, flow[0], flow[1],
                flow[2], record.typeDigit6, record.typeDigit7);
  return text;
}

bool ReadTypeCodeG(std::string_view cell, std::uint8_t executionCode,
                   model::ChannelRecord& record) {
  return ReadTypeCodeInto(TypeCodeLayoutG(executionCode), cell, record);
}

}  // namespace tarvo::forms
