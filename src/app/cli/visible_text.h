#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tarvo::app {

// Walks UTF-8 text character by character. A byte that starts no valid character (a stray
// continuation byte, an overlong or cut sequence) comes alone, without a character.
void ForEachChar(std::string_view text,
                 const std::function<void(std::string_view bytes, std::optional<char32_t>)>& visit);

// Text safe to put on a terminal: valid UTF-8 in which every control character shows as an
// escape. C0 controls and DEL become \xNN, C1 controls \u00NN, bytes that are not UTF-8 \xNN.
std::string VisibleText(std::string_view text);

// A whole message: as VisibleText, but the line breaks the program put in it stay.
std::string VisibleLines(std::string_view text);

// A value quoted back to the user: «text» with its control characters escaped.
std::string Quoted(std::string_view text);

// A CSV field: control characters escaped, so a field never spans lines; quoted when it holds a
// comma or a quote.
std::string CsvField(const std::string& value);

// A JSON string, valid UTF-8 whatever the text holds: a byte that is not UTF-8 (a file name can
// hold any) becomes U+FFFD.
std::string JsonString(const std::string& text);

// The text followed by spaces up to a width in characters, for aligned columns.
std::string Padded(const std::string& text, int width);

}  // namespace tarvo::app
