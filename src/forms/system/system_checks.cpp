#include "forms/system/system_checks.h"

#include "model/value_text.h"

namespace tarvo::forms {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
int D(const std::array<char, 8>& digits, int position) {
  return digits[position - 1] - '0';
}

}  // namespace

std::optional<std::array<char, 8>> ReadModeDigits(std::string_view text, int shownChars) {
  const std::string entered = model::FirstChars(text, static_cast<std::size_t>(shownChars));
  if (entered.size() > 8) return std::nullopt;  // only possible with non-digit characters
  std::array<char, 8> digits;
  digits.fill('0');
  for (std::size_t i = 0; i < entered.size(); ++i) {
    if (!IsDigit(entered[i])) return std::nullopt;
    digits[i] = entered[i];
  }
  return digits;
}

bool ModeDigitsAllowed(model::DeviceVariant variant, std::uint8_t executionCode,
                       const std::array<char, 8>& d) {
  using model::DeviceVariant;
  switch (variant) {
    case DeviceVariant::V:
    case DeviceVariant::UV:
      return D(d, 1) <= 2 && D(d, 2) <= 1;
    case DeviceVariant::G:
      return D(d, 1) <= 2 && D(d, 2) <= 1 && D(d, 3) <= 1 && D(d, 4) == 0 &&
             (executionCode != 0x47 || D(d, 3) == 0);
    case DeviceVariant::U:
      return D(d, 1) <= 2 && D(d, 2) <= 1 && D(d, 3) <= 3 && (D(d, 4) == 0 || D(d, 4) >= 4) &&
             D(d, 4) <= 7;
    case DeviceVariant::L:
      return D(d, 1) == 0 && D(d, 2) <= 1;
    case DeviceVariant::None:
      break;
  }
  return false;
}

std::optional<std::array<std::uint8_t, 4>> ReadTariffZones(std::string_view text) {
  const std::string entered = model::FirstChars(text, 8);
  std::array<int, 8> digits{};
  // Every character that is not a decimal digit counts as "0"; a short text is padded.
  std::size_t position = 0;
  for (std::size_t i = 0; i < entered.size() && position < 8; ++position) {
    const char c = entered[i];
    digits[position] = IsDigit(c) ? c - '0' : 0;
    ++i;
    while (i < entered.size() && (static_cast<unsigned char>(entered[i]) & 0xC0) == 0x80) ++i;
  }
  std::array<std::uint8_t, 4> zones;
  for (int i = 0; i < 4; ++i)
    zones[i] = static_cast<std::uint8_t>(digits[2 * i] * 10 + digits[2 * i + 1]);
  if (zones[0] > 23 || zones[1] > 59 || zones[2] > 23 || zones[3] > 59) return std::nullopt;
  return zones;
}

std::optional<model::Float32> ReadBaroPressure(std::string_view text) {
  const model::Float32 value = model::ReadValueText(text);
  if (value.IsNotSet()) return value;
  const float x = value.Value();
  if (x == 0 || (0.09f <= x && x <= 0.11f)) return value;
  return std::nullopt;
}

std::optional<std::uint8_t> ReadCorrectionFlag(std::string_view text) {
  if (text.empty() || text[0] < '0' || text[0] > '3') return std::nullopt;
  return static_cast<std::uint8_t>(text[0] - '0');
}

}  // namespace tarvo::forms
