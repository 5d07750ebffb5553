#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tarvo::platform {

// File names travel through the program as UTF-8. A path made from a plain string would decode
// it in the system's narrow code page (byte by byte on Windows), so it is made from UTF-8 text.
// Bytes that are not UTF-8 cannot name a file on Windows; they are taken as they are rather
// than thrown out as an exception.
inline std::filesystem::path PathFromUtf8(std::string_view utf8) {
  try {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
  } catch (const std::exception&) {
    return std::filesystem::path(std::string(utf8));
  }
}

inline std::string Utf8OfPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace tarvo::platform
