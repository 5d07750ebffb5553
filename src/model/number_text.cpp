#include "model/number_text.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>

namespace tarvo::model {

namespace {

constexpr std::uint64_t kQuietNanBits = 0x7FF8'0000'0000'0000;
constexpr std::uint64_t kNanPayloadMask = 0x0007'FFFF'FFFF'FFFF;
// Far beyond any exponent a double can reach, and small enough to add digit counts to.
constexpr std::int64_t kExponentLimit = 1'000'000'000;

bool IsSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsDecimalDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsHexDigit(char c) {
  return IsDecimalDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithWord(std::string_view text, std::string_view lowerWord) {
  if (text.size() < lowerWord.size()) return false;
  for (std::size_t i = 0; i < lowerWord.size(); ++i) {
    if (Lower(text[i]) != lowerWord[i]) return false;
  }
  return true;
}

struct Digits {
  std::size_t length = 0;  // 0 when there is no digit
  // Digits between the point and the first nonzero digit, counted positive to its left and
  // negative to its right; enough to tell a number beyond the range huge from tiny.
  std::int64_t order = 0;
};

// Digits with at most one point among them; a point with no digit on either side is no number.
Digits ScanDigits(std::string_view text, bool (*isDigit)(char)) {
  std::size_t i = 0;
  std::int64_t count = 0;
  std::int64_t pointAt = -1;
  std::int64_t firstNonzero = -1;
  for (; i < text.size(); ++i) {
    if (text[i] == '.' && pointAt < 0) {
      pointAt = count;
      continue;
    }
    if (!isDigit(text[i])) break;
    if (text[i] != '0' && firstNonzero < 0) firstNonzero = count;
    ++count;
  }
  if (count == 0) return {};
  const std::int64_t whole = pointAt < 0 ? count : pointAt;
  return {i, firstNonzero < 0 ? 0 : whole - firstNonzero};
}

struct Exponent {
  std::size_t length = 0;  // 0 when the marker has no digits after it
  std::int64_t value = 0;
};

// The marker, an optional sign and at least one decimal digit.
Exponent ScanExponent(std::string_view text, char marker) {
  if (text.empty() || Lower(text[0]) != marker) return {};
  std::size_t i = 1;
  const bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  if (i == text.size() || !IsDecimalDigit(text[i])) return {};
  std::int64_t value = 0;
  for (; i < text.size() && IsDecimalDigit(text[i]); ++i) {
    value = std::min(value * 10 + (text[i] - '0'), kExponentLimit);
  }
  return {i, negative ? -value : value};
}

// from_chars rounds correctly, but beyond the range it leaves the value alone; the result is
// then an infinity or zero, as the order of magnitude says.
std::optional<LeadingNumber> ReadDigits(std::string_view text, bool hex) {
  const Digits digits = ScanDigits(text, hex ? IsHexDigit : IsDecimalDigit);
  if (digits.length == 0) return std::nullopt;
  const Exponent exponent = ScanExponent(text.substr(digits.length), hex ? 'p' : 'e');
  const std::size_t length = digits.length + exponent.length;
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + length, value,
                                      hex ? std::chars_format::hex : std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    const std::int64_t order = digits.order * (hex ? 4 : 1) + exponent.value;
    value = order > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return LeadingNumber{value, length};
}

unsigned DigitValue(char c) {
  if (IsDecimalDigit(c)) return static_cast<unsigned>(c - '0');
  const char lower = Lower(c);
  if (lower >= 'a' && lower <= 'z') return static_cast<unsigned>(lower - 'a' + 10);
  return 36;
}

// The C library keeps what is written in "nan(...)" as a C integer constant (decimal, octal or
// 0x hexadecimal, saturated) in the low mantissa bits of the quiet nan; other texts give the
// plain quiet nan.
double NanWithPayload(std::string_view text) {
  unsigned base = 10;
  if (text.size() >= 2 && text[0] == '0' && Lower(text[1]) == 'x') {
    base = 16;
    text.remove_prefix(2);
    if (text.empty()) return std::bit_cast<double>(kQuietNanBits);
  } else if (!text.empty() && text[0] == '0') {
    base = 8;
  }
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  std::uint64_t payload = 0;
  for (char c : text) {
    const unsigned digit = DigitValue(c);
    if (digit >= base) return std::bit_cast<double>(kQuietNanBits);
    payload = payload > (kMax - digit) / base ? kMax : payload * base + digit;
  }
  return std::bit_cast<double>(kQuietNanBits | (payload & kNanPayloadMask));
}

bool IsNanChar(char c) {
  return DigitValue(c) < 36 || c == '_';
}

std::optional<LeadingNumber> ReadWord(std::string_view text) {
  if (StartsWithWord(text, "inf")) {
    return LeadingNumber{std::numeric_limits<double>::infinity(),
                         StartsWithWord(text, "infinity") ? 8u : 3u};
  }
  if (!StartsWithWord(text, "nan")) return std::nullopt;
  const LeadingNumber plain{std::bit_cast<double>(kQuietNanBits), 3};
  if (text.size() < 4 || text[3] != '(') return plain;
  std::size_t close = 4;
  while (close < text.size() && IsNanChar(text[close])) ++close;
  if (close == text.size() || text[close] != ')') return plain;
  return LeadingNumber{NanWithPayload(text.substr(4, close - 4)), close + 1};
}

}  // namespace

LeadingNumber ReadLeadingNumber(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && IsSpace(text[start])) ++start;
  const bool negative = start < text.size() && text[start] == '-';
  if (start < text.size() && (text[start] == '-' || text[start] == '+')) ++start;
  const std::string_view rest = text.substr(start);

  std::optional<LeadingNumber> read;
  // "0x" with no hexadecimal digit after it is the number 0 followed by other text.
  if (rest.size() > 2 && rest[0] == '0' && Lower(rest[1]) == 'x') {
    read = ReadDigits(rest.substr(2), true);
    if (read) read->length += 2;
  }
  if (!read) read = ReadDigits(rest, false);
  if (!read) read = ReadWord(rest);
  // A sign alone is no number: nothing is read and the value is +0.
  if (!read) return {};
  return {negative ? -read->value : read->value, start + read->length};
}

}  // namespace tarvo::model
