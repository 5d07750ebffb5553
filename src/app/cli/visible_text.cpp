#include "app/cli/visible_text.h"

#include <cstdio>

namespace tarvo::app {

namespace {

// Length and value of the character starting at text[0]; nothing when the bytes there form
// none (overlong forms, surrogates and values beyond U+10FFFF included).
std::optional<std::pair<std::size_t, char32_t>> DecodeChar(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80) return std::pair<std::size_t, char32_t>{1, lead};
  // Lead byte ranges: the length of the sequence, the value bits of the lead, the least value
  // the length may carry.
  struct Lead {
    unsigned char first, last;
    std::size_t length;
    unsigned char bits;
    char32_t lowest;
  };
  static constexpr Lead kLeads[] = {
      {0xC2, 0xDF, 2, 0x1F, 0x80}, {0xE0, 0xEF, 3, 0x0F, 0x800}, {0xF0, 0xF4, 4, 0x07, 0x10000}};
  const Lead* form = nullptr;
  for (const Lead& candidate : kLeads) {
    if (lead >= candidate.first && lead <= candidate.last) form = &candidate;
  }
  if (form == nullptr) return std::nullopt;
  const std::size_t length = form->length;
  const char32_t lowest = form->lowest;
  char32_t value = lead & form->bits;
  if (text.size() < length) return std::nullopt;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    value = (value << 6) | (next & 0x3F);
  }
  if (value < lowest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
    return std::nullopt;
  }
  return std::pair<std::size_t, char32_t>{length, value};
}

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
    const auto decoded = DecodeChar(text.substr(at));
    const std::size_t length = decoded ? decoded->first : 1;
    visit(text.substr(at, length),
          decoded ? std::optional<char32_t>(decoded->second) : std::nullopt);
    at += length;
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

}  // namespace tarvo::app
