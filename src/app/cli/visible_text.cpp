#include "app/cli/visible_text.h"

#include <algorithm>
#include <cstdio>

#include "forms/form.h"
#include "model/utf8.h"

namespace tarvo::app {

namespace {

std::string Escaped(std::string_view text, bool keepLineBreaks) {
  std::string shown;
  ForEachChar(text, [&](std::string_view bytes, std::optional<char32_t> c) {
    char escape[8];
    if (!c) {
      std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned char>(bytes[0]));
      shown += escape;
    } else if (*c == '\n' && keepLineBreaks) {
      shown += '\n';
    } else if (*c < 0x20 || *c == 0x7F) {
      std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned>(*c));
      shown += escape;
    } else if (*c >= 0x80 && *c <= 0x9F) {
      std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(*c));
      shown += escape;
    } else {
      shown += bytes;
    }
  });
  return shown;
}

}  // namespace

void ForEachChar(
    std::string_view text,
    const std::function<void(std::string_view bytes, std::optional<char32_t>)>& visit) {
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t start = at;
    const std::optional<char32_t> decoded = model::DecodeUtf8(text, at);
    visit(text.substr(start, at - start), decoded);
  }
}

std::string VisibleText(std::string_view text) {
  return Escaped(text, false);
}

std::string VisibleLines(std::string_view text) {
  return Escaped(text, true);
}

std::string Quoted(std::string_view text) {
  return "«" + VisibleText(text) + "»";
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

std::string Padded(const std::string& text, int width) {
  return text +
         std::string(static_cast<std::size_t>(std::max(0, width - forms::CharCount(text))), ' ');
}

}  // namespace tarvo::app
