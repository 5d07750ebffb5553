#include "forms/channel/type_code_l.h"

#include <cstdio>

#include "forms/form.h"
#include "model/value_text.h"

namespace tarvo::forms {

namespace {

// Allowed characters of each position; a pressure transducer only on channels 1 and 2.
constexpr std::string_view kMedium = "01";
constexpr std::string_view kFlowmeter = "05";
constexpr std::string_view kPressure = "0123";
constexpr std::string_view kNoPressure = "0";
constexpr std::string_view kTemperature = "045678";
constexpr int kLastPressureChannel = 2;

std::uint8_t DigitValue(char c) {
  return static_cast<std::uint8_t>(c - '0');
}

}  // namespace

std::string TypeCodeTextL(const model::ChannelRecord& record) {
  char text[64];
  std::snprintf(text, sizeof text, "%d%d%d%d", record.mediumKind, record.typeDigits3to5[0],
                record.typeDigit6, record.typeDigit7);
  return text;
}

bool ReadTypeCodeL(std::string_view cell, int channelIndex, model::ChannelRecord& record) {
  // A longer text only comes from a record whose digits do not fit one character each:
  // cutting it would shift the digits into other fields.
  if (CharCount(cell) > kTypeCodeLengthL) return false;
  std::string code = model::FirstChars(cell, kTypeCodeLengthL);
  code.resize(kTypeCodeLengthL, '0');

  const std::string_view allowed[kTypeCodeLengthL] = {
      kMedium, kFlowmeter, channelIndex + 1 <= kLastPressureChannel ? kPressure : kNoPressure,
      kTemperature};
  for (int i = 0; i < kTypeCodeLengthL; ++i) {
    if (allowed[i].find(code[i]) == std::string_view::npos) return false;
  }
  if (code[0] == '0' && code.find_first_not_of('0', 1) != std::string::npos) return false;

  record.mediumKind = DigitValue(code[0]);
  record.typeDigit2 = 0;
  record.typeDigits3to5[0] = DigitValue(code[1]);
  record.typeDigits3to5[1] = 0;
  record.typeDigits3to5[2] = 0;
  record.typeDigit6 = DigitValue(code[2]);
  record.typeDigit7 = DigitValue(code[3]);
  return true;
}

}  // namespace tarvo::forms
