#include "forms/channel/type_code_g.h"

#include <algorithm>
#include <cstdio>

#include "forms/form.h"
#include "model/value_text.h"

namespace tarvo::forms {

namespace {

constexpr std::uint8_t kExecution47 = 0x47;

// The largest character of each position, except with execution code 47.
constexpr char kLargest[kTypeCodeLengthG + 1] = "9473338";

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::uint8_t DigitValue(char c) {
  return static_cast<std::uint8_t>(IsDigit(c) ? c - '0' : c - 'A' + 10);
}

}  // namespace

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
  // The cell takes seven characters; a longer text only comes from a record whose digits do
  // not fit one character each, and cutting it would silently shift the digits.
  if (CharCount(cell) > kTypeCodeLengthG) return false;
  std::string code = model::FirstChars(cell, kTypeCodeLengthG);
  code.resize(kTypeCodeLengthG, '0');

  for (int i = 0; i < kTypeCodeLengthG; ++i) {
    const char c = code[i];
    if (!IsDigit(c) && !(i == 0 && (c == 'A' || c == 'B'))) return false;
  }
  const bool execution47 = executionCode == kExecution47;
  if (!execution47) {
    for (int i = 0; i < kTypeCodeLengthG; ++i) {
      if (code[i] > kLargest[i]) return false;
    }
  }
  const auto transducers =
      std::count_if(code.begin() + 2, code.begin() + 5, [](char c) { return c != '0'; });
  if (code[1] == '0' && transducers != 0) return false;
  if (code[1] >= '4' && transducers > 1) return false;
  if (execution47 && code[2] == '6') return false;
  if (code[0] == '0' && code.find_first_not_of('0', 1) != std::string::npos) return false;

  record.mediumKind = DigitValue(code[0]);
  record.typeDigit2 = DigitValue(code[1]);
  for (int i = 0; i < 3; ++i) record.typeDigits3to5[i] = DigitValue(code[2 + i]);
  record.typeDigit6 = DigitValue(code[5]);
  record.typeDigit7 = DigitValue(code[6]);
  return true;
}

}  // namespace tarvo::forms
