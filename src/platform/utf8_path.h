#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

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

// A relative path made absolute against the current folder, without "." and ".."; an absolute
// path, or one the system cannot resolve, is returned as given.
inline std::string AbsoluteUtf8Path(const std::string& utf8) {
  const std::filesystem::path path = PathFromUtf8(utf8);
  if (utf8.empty() || path.is_absolute()) return utf8;
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return error ? utf8 : Utf8OfPath(absolute.lexically_normal());
}

}  // namespace tarvo::platform
