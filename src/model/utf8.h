#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tarvo::model {

// Appends a code point as UTF-8.
void AppendUtf8(std::string& out, char32_t cp);

// Decodes the UTF-8 character at text[i] and moves i past it. Bytes that form no valid
// character (cut, overlong, a surrogate, beyond U+10FFFF) give nothing and move i by one.
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& i);

// Valid UTF-8 in which every control character shows as an escape: C0 controls and DEL become
// \xNN, C1 controls \u00NN, bytes that are not UTF-8 \xNN. Line breaks stay when asked.
std::string VisibleUtf8(std::string_view text, bool keepLineBreaks);

}  // namespace tarvo::model
