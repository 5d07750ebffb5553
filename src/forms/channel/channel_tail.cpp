#include "forms/channel/channel_tail.h"

#include <cstdio>

namespace tarvo::forms {

std::optional<std::uint32_t> ReadBinaryDigits(std::string_view text, int count) {
  std::uint32_t bits = 0;
  int position = 0;
  for (const char c : text) {
    if (c == ' ') continue;
    if ((c != '0' && c != '1') || position >= count) return std::nullopt;
    if (c == '1') bits |= 1u << position;
    ++position;
  }
  return bits;
}

std::string DigitPairText(const std::uint8_t (&digits)[2]) {
  char text[16];
  std::snprintf(text, sizeof text, "%d%d", digits[0], digits[1]);
  return text;
}

std::string BitsText(std::uint32_t bits, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += (bits >> i) & 1u ? '1' : '0';
  return text;
}

void SetDigitPair(std::uint8_t (&digits)[2], std::uint32_t bits) {
  digits[0] = static_cast<std::uint8_t>(bits & 1u);
  digits[1] = static_cast<std::uint8_t>((bits >> 1) & 1u);
}

}  // namespace tarvo::forms
