#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvo::model {

// Code page 1251 bytes as UTF-8. The one byte 1251 leaves undefined (0x98) becomes U+0098, so
// every byte survives a round trip.
std::string Cp1251ToUtf8(std::string_view bytes);

struct Cp1251Result {
  bool ok = false;
  std::string bytes;         // the text in code page 1251 when ok
  char32_t badChar = 0;      // the first character 1251 cannot hold (0xFFFFFFFF: bad UTF-8)
  std::size_t position = 0;  // its 1-based position among the text's characters
  // Names the character and where it stands: " в позиции N", or the place given (" в строке 2
  // верхнего колонтитула"). A control character is named by its code alone.
  std::string Message() const;
  std::string Message(const std::string& where) const;
};

// UTF-8 to code page 1251; a character 1251 cannot hold is reported, never replaced.
Cp1251Result Utf8ToCp1251(std::string_view utf8);

// Report-text bytes between the device (code page 866) and the set (code page 1251).
std::uint8_t Cp866ToCp1251(std::uint8_t byte);
std::uint8_t Cp1251ToCp866(std::uint8_t byte);

}  // namespace tarvo::model
