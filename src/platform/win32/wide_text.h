#pragma once

#include <string>
#include <string_view>

namespace tarvo::platform::win32 {

// The program's UTF-8 text as the UTF-16 the wide Windows calls take, and back.
std::wstring WideOfUtf8(std::string_view utf8);
std::string Utf8OfWide(std::wstring_view wide);

}  // namespace tarvo::platform::win32
