#include "forms/channel/type_code_4.h"

#include <cstdio>

namespace tarvo::forms {

std::string TypeCodeText4(const model::ChannelRecord& record) {
  char text[32];
  std::snprintf(text, sizeof text, "%d%d%d%d", record.mediumKind, record.typeDigits3to5[0],
                record.typeDigit6, record.typeDigit7);
  return text;
}

}  // namespace tarvo::forms
