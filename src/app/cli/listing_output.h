#pragma once

#include <optional>
#include <string>

namespace tarvo::app {

// The pieces of the tool's listings (show, diff) in their machine formats.

// A text padded with spaces to a width in characters.
std::string PadToWidth(const std::string& text, int width);
// A description without the leading spaces that indent it on its form.
std::string TrimmedDescription(const std::string& description);
// A value of a difference on the terminal: "(нет)" where a side has none; a value whose edges
// are blank is quoted, so that "" and " " differ too.
std::string ShownValue(const std::optional<std::string>& value);
// A CSV field: control characters escaped, so a field never spans lines; quoted when needed.
std::string CsvField(const std::string& value);
// A JSON string, valid UTF-8 whatever the text holds: a byte that is not UTF-8 (a file name can
// hold any) becomes U+FFFD.
std::string JsonString(const std::string& text);

}  // namespace tarvo::app
