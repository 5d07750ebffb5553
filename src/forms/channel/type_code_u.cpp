#include "forms/channel/type_code_u.h"

#include <cstdio>
#include <initializer_list>

#include "forms/form.h"
#include "model/value_text.h"

namespace tarvo::forms {

namespace {

constexpr char kLargest[kTypeCodeLengthU + 1] = "29553338";

struct MediumRange {
  int first;
  int last;
};

bool InRanges(std::initializer_list<MediumRange> ranges, int medium) {
  for (const MediumRange& range : ranges) {
    if (medium >= range.first && medium <= range.last) return true;
  }
  return false;
}

}  // namespace

std::string TypeCodeTextU(const model::ChannelRecord& record) {
  const auto& flow = record.typeDigits3to5;
  char text[64];
  std::snprintf(text, sizeof text, "%02d%d%d%d%d%d%d", record.mediumKind, record.typeDigit2,
                flow[0], flow[1], flow[2], record.typeDigit6, record.typeDigit7);
  return text;
}

bool MediumAllowedU(std::uint8_t executionCode, int medium) {
  switch (executionCode) {
    case 0x50:
      return InRanges({{0, 12}, {21, 22}}, medium);
    case 0x51:
      return InRanges({{0, 1}}, medium);
    case 0x52:
      return InRanges({{0, 3}, {5, 5}}, medium);
    case 0x53:
      return InRanges({{0, 5}, {12, 29}}, medium);
    default:
      return false;
  }
}

bool ReadTypeCodeU(std::string_view cell, std::uint8_t executionCode,
                   model::ChannelRecord& record) {
  // A longer text only comes from a record whose digits do not fit their places; cutting it
  // would silently shift the digits.
  if (CharCount(cell) > kTypeCodeLengthU) return false;
  std::string code = model::FirstChars(cell, kTypeCodeLengthU);
  code.resize(kTypeCodeLengthU, '0');

  if (model::HasCharOutside(code, '0', '9')) return false;
  for (int i = 0; i < kTypeCodeLengthU; ++i) {
    if (code[i] > kLargest[i]) return false;
  }
  const char method = code[2];
  const bool anyFlow = code[3] != '0' || code[4] != '0' || code[5] != '0';
  if (method == '0' ? anyFlow : !anyFlow) return false;
  if (method == '4' && (code[4] != '0' || code[5] != '0')) return false;
  const int medium = (code[0] - '0') * 10 + (code[1] - '0');
  if (medium == kElectricityMeter &&
      (method != '4' || code[3] != '5' || code[6] != '0' || code[7] != '0')) {
    return false;
  }
  if (!MediumAllowedU(executionCode, medium)) return false;
  if (medium == 0 && code.find_first_not_of('0') != std::string::npos) return false;

  const auto digit = [&code](int i) { return static_cast<std::uint8_t>(code[i] - '0'); };
  record.mediumKind = static_cast<std::uint8_t>(medium);
  record.typeDigit2 = digit(2);
  for (int i = 0; i < 3; ++i) record.typeDigits3to5[i] = digit(3 + i);
  record.typeDigit6 = digit(6);
  record.typeDigit7 = digit(7);
  return true;
}

}  // namespace tarvo::forms
