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

}  // namespace tarvo::app
