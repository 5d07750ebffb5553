#include "app/cli/listing_output.h"

#include <algorithm>
#include <cstdio>

#include "app/cli/visible_text.h"
#include "forms/form.h"

namespace tarvo::app {

std::string PadToWidth(const std::string& text, int width) {
  return text +
         std::string(static_cast<std::size_t>(std::max(0, width - forms::CharCount(text))), ' ');
}

std::string ShownValue(const std::optional<std::string>& value) {
  if (!value) return "(нет)";
  const std::string text = VisibleText(*value);
  if (text.empty() || text.front() == ' ' || text.back() == ' ') return Quoted(*value);
  return text;
}

std::string TrimmedDescription(const std::string& description) {
  return description.substr(std::min(description.find_first_not_of(' '), description.size()));
}

std::string CsvField(const std::string& value) {
  const std::string text = VisibleText(value);
  if (text.find_first_of(",\"") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string JsonString(const std::string& text) {
  std::string json = "\"";
  ForEachChar(text, [&json](std::string_view bytes, std::optional<char32_t> c) {
    if (!c) {
      json += "\\ufffd";
    } else if (*c == '"' || *c == '\\') {
      json += '\\';
      json += bytes;
    } else if (*c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(*c));
      json += escaped;
    } else {
      json += bytes;
    }
  });
  return json + "\"";
}

}  // namespace tarvo::app
