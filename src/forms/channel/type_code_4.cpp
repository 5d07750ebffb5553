#include "forms/channel/type_code_4.h"

#include <cstdio>

#include "forms/form.h"

namespace tarvo::forms {

std::string TypeCodeText4(const model::ChannelRecord& record) {
  char text[32];
  std::snprintf(text, sizeof text, "%d%d%d%d", record.mediumKind, record.typeDigits3to5[0],
                record.typeDigit6, record.typeDigit7);
  return text;
}

bool ReadTypeCode4(std::string_view cell, const TypeDigitRule& rule, model::ChannelRecord& record) {
  // A longer text only comes from a record whose digits do not fit one character each; cutting
  // it would silently shift the digits into other fields.
  if (CharCount(cell) > kTypeCodeLength4) return false;
  std::string code(cell);
  code.resize(kTypeCodeLength4, '0');

  int digits[kTypeCodeLength4];
  for (int i = 0; i < kTypeCodeLength4; ++i) {
    if (code[i] < '0' || code[i] > '9') return false;
    digits[i] = code[i] - '0';
    if ((rule.allowed[i] & (1u << digits[i])) == 0) return false;
  }
  if (digits[0] == 0 && (digits[1] != 0 || digits[2] != 0 || digits[3] != 0)) return false;

  record.mediumKind = static_cast<std::uint8_t>(digits[0]);
  record.typeDigits3to5[0] = static_cast<std::uint8_t>(digits[1]);
  record.typeDigit6 = static_cast<std::uint8_t>(digits[2]);
  record.typeDigit7 = static_cast<std::uint8_t>(digits[3]);
  return true;
}

}  // namespace tarvo::forms
