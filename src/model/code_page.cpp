#include "model/code_page.h"

#include "model/utf8.h"

#include <array>
#include <cstdio>

namespace tarvo::model {

namespace {

// Code points of 1251 bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F.
constexpr std::array<char16_t, 64> kUpper1251 = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

char32_t CodePointOf1251(std::uint8_t byte) {
  if (byte < 0x80) return byte;
  if (byte >= 0xC0) return 0x0410 + (byte - 0xC0);
  return kUpper1251[byte - 0x80];
}

int ByteOf1251(char32_t codePoint) {
  if (codePoint < 0x80) return static_cast<int>(codePoint);
  if (codePoint >= 0x0410 && codePoint <= 0x044F)
    return 0xC0 + static_cast<int>(codePoint - 0x0410);
  for (std::size_t i = 0; i < kUpper1251.size(); ++i) {
    if (kUpper1251[i] == codePoint) return 0x80 + static_cast<int>(i);
  }
  return -1;
}

constexpr char32_t kMalformed = 0xFFFFFFFF;

// 866 bytes 0xF0..0xFF as 1251 bytes; "?" where 1251 has no such character (√ and ■).
constexpr std::array<std::uint8_t, 16> kFrom866High = {
    0xA8, 0xB8, 0xAA, 0xBA, 0xAF, 0xBF, 0xA1, 0xA2, 0xB0, 0xB7, 0xB7, '?', 0xB9, 0xA4, '?', 0xA0};

}  // namespace

std::string Cp1251ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char c : bytes) AppendUtf8(out, CodePointOf1251(static_cast<std::uint8_t>(c)));
  return out;
}

Cp1251Result Utf8ToCp1251(std::string_view utf8) {
  Cp1251Result result;
  std::size_t i = 0;
  std::size_t position = 0;
  while (i < utf8.size()) {
    const std::optional<char32_t> decoded = DecodeUtf8(utf8, i);
    const char32_t cp = decoded.value_or(kMalformed);
    ++position;
    const int byte = decoded ? ByteOf1251(cp) : -1;
    if (byte < 0) {
      result.badChar = cp;
      result.position = position;
      result.bytes.clear();
      return result;
    }
    result.bytes += static_cast<char>(byte);
  }
  result.ok = true;
  return result;
}

std::string Cp1251Result::Message() const {
  return Message(" в позиции " + std::to_string(position));
}

std::string Cp1251Result::Message(const std::string& where) const {
  if (ok) return {};
  if (badChar == kMalformed) return "Неверная последовательность байтов UTF-8" + where;
  char code[16];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(badChar));
  std::string shown;
  // A control character would show as nothing: its code says it.
  if (badChar >= 0x20) {
    shown = "«";
    AppendUtf8(shown, badChar);
    shown += "» ";
  }
  return "Символ " + shown + "(" + code + ")" + where + " нельзя записать в кодировке Windows-1251";
}

std::uint8_t Cp866ToCp1251(std::uint8_t byte) {
  if (byte >= 0x80 && byte <= 0xAF) return byte + 0x40;
  if (byte >= 0xE0 && byte <= 0xEF) return byte + 0x10;
  if (byte >= 0xF0) return kFrom866High[byte - 0xF0];
  return byte;
}

std::uint8_t Cp1251ToCp866(std::uint8_t byte) {
  if (byte >= 0xC0 && byte <= 0xEF) return byte - 0x40;
  if (byte >= 0xF0) return byte - 0x10;
  // Characters that both code pages hold go to their 866 places, so that a text read back from
  // the device is the text written; the rest of 0x80..0xBF passes unchanged.
  switch (byte) {
    case 0xA8:
      return 0xF0;  // Ё
    case 0xB8:
      return 0xF1;  // ё
    case 0xAA:
      return 0xF2;  // Є
    case 0xBA:
      return 0xF3;  // є
    case 0xAF:
      return 0xF4;  // Ї
    case 0xBF:
      return 0xF5;  // ї
    case 0xA1:
      return 0xF6;  // Ў
    case 0xA2:
      return 0xF7;  // ў
    case 0xB0:
      return 0xF8;  // °
    case 0xB7:
      return 0xFA;  // ·
    case 0xB9:
      return 0xFC;  // №
    case 0xA4:
      return 0xFD;  // ¤
    case 0xA0:
      return 0xFF;  // no-break space
    default:
      return byte;
  }
}

}  // namespace tarvo::model
