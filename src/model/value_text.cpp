#include "model/value_text.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "model/number_text.h"

namespace tarvo::model {

namespace {

int DecimalsFor(double magnitude) {
  if (magnitude < 1) return 7;
  if (magnitude < 10) return 6;
  if (magnitude < 100) return 5;
  if (magnitude < 1000) return 4;
  if (magnitude < 10000) return 3;
  if (magnitude < 100000) return 2;
  if (magnitude < 1000000) return 1;
  return 0;
}

}  // namespace

std::string FormatValue(Float32 value) {
  if (value.IsNotSet()) return "-";
  const double number = value.Value();
  if (number == 0) return "0";

  // Fixed notation of the double made from the float, rounded as printf's "%.*f" rounds;
  // to_chars ignores the user's locale. 3.4e38 needs 39 digits.
  char buffer[128];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, number,
                                    std::chars_format::fixed, DecimalsFor(std::fabs(number)));
  std::string text(buffer, result.ptr);

  if (text.find('.', 1) != std::string::npos) {
    while (!text.empty() && text.back() == '0') text.pop_back();
    if (!text.empty() && text.back() == '.') text.pop_back();
  }
  for (char& c : text) {
    if (c == '.') c = ',';
  }
  return text;
}

double ReadNumber(std::string_view text) {
  return ReadLeadingNumber(text).value;
}

Float32 ReadValueText(std::string_view text) {
  if (IsDashes(text)) return Float32::NotSet();
  const double number = ReadNumber(CommaToPoint(std::string(text)));
  // A double outside the float range becomes an infinity explicitly rather than by an undefined
  // conversion; a range check then rejects it.
  constexpr double kMax = std::numeric_limits<float>::max();
  if (number > kMax) return Float32::Of(std::numeric_limits<float>::infinity());
  if (number < -kMax) return Float32::Of(-std::numeric_limits<float>::infinity());
  return Float32::Of(static_cast<float>(number));
}

std::optional<Float32> ReadStorableValue(std::string_view text) {
  // Decided on the text: a nan read from it must not pass for the marker, whatever its bits.
  if (IsDashes(text)) return Float32::NotSet();
  const Float32 value = ReadValueText(text);
  if (!std::isfinite(value.Value())) return std::nullopt;
  return value;
}

bool IsDashes(std::string_view text) {
  bool any = false;
  for (char c : text) {
    if (c == ' ') continue;
    if (c != '-') return false;
    any = true;
  }
  return any;
}

bool IsNotSet(const void* fourBytes) {
  const auto* bytes = static_cast<const unsigned char*>(fourBytes);
  return bytes[0] == 0xFF && bytes[1] == 0xFF && bytes[2] == 0xFF && bytes[3] == 0xFF;
}

std::string CommaToPoint(std::string text) {
  const auto comma = text.find(',');
  if (comma != std::string::npos) text[comma] = '.';
  return text;
}

bool HasCharOutside(std::string_view text, char lowest, char highest) {
  const auto low = static_cast<unsigned char>(lowest);
  const auto high = static_cast<unsigned char>(highest);
  // A zero byte is no digit either: typed or pasted into a cell, it would otherwise end the
  // check early and reach the stored digits.
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < low || byte > high) return true;
  }
  return false;
}

std::string FirstChars(std::string_view text, std::size_t maxChars) {
  std::size_t count = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    if (count == maxChars) break;
    ++count;
    ++i;
    while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
  }
  return std::string(text.substr(0, i));
}

}  // namespace tarvo::model
