#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvo::testing {

// An HTML listing read back: each section's heading, its table rows (cell texts) and its
// preformatted blocks, entities decoded.
struct HtmlSection {
  std::string heading;
  std::vector<std::vector<std::string>> rows;  // header rows left out
  std::vector<std::string> blocks;
};

struct HtmlRead {
  bool wellFormed = false;
  std::string error;
  std::string title;
  std::vector<HtmlSection> sections;  // the first holds what stands before any <h2>
};

inline std::string DecodeEntities(const std::string& text, std::string& error) {
  std::string decoded;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') {
      decoded += text[i];
      continue;
    }
    const auto end = text.find(';', i);
    const std::string entity = end == std::string::npos ? "" : text.substr(i, end - i + 1);
    if (entity == "&amp;") {
      decoded += '&';
    } else if (entity == "&lt;") {
      decoded += '<';
    } else if (entity == "&gt;") {
      decoded += '>';
    } else if (entity == "&quot;") {
      decoded += '"';
    } else if (entity == "&#39;") {
      decoded += '\'';
    } else {
      error = "unknown entity at " + text.substr(i, 10);
      return decoded;
    }
    i = end;
  }
  return decoded;
}

// Reads the markup strictly: every element but the void ones closed in order, no stray '<' or
// '>' in text, only the entities the listing writes.
inline HtmlRead ReadHtml(const std::string& html) {
  HtmlRead read;
  read.sections.emplace_back();
  std::vector<std::string> open;
  std::string text;
  std::vector<std::string> cells;
  bool headerRow = false;
  std::size_t i = 0;
  const auto fail = [&](const std::string& why) {
    read.error = why + " at " + std::to_string(i);
    return read;
  };
  while (i < html.size()) {
    if (html[i] == '>') return fail("stray >");
    if (html[i] != '<') {
      text += html[i++];
      continue;
    }
    const auto close = html.find('>', i);
    if (close == std::string::npos) return fail("unclosed tag");
    const std::string tag = html.substr(i + 1, close - i - 1);
    i = close + 1;
    if (tag.starts_with("!DOCTYPE")) continue;
    const bool closing = tag.starts_with("/");
    const std::string name =
        tag.substr(closing ? 1 : 0, tag.find_first_of(" ") - (closing ? 1 : 0));
    if (name.find('<') != std::string::npos) return fail("'<' inside a tag");
    std::string error;
    const std::string content = DecodeEntities(text, error);
    if (!error.empty()) return fail(error);
    text.clear();
    if (name == "meta") continue;
    if (!closing) {
      open.push_back(name);
      if (name == "h2") read.sections.emplace_back();
      if (name == "tr") cells.clear(), headerRow = false;
      continue;
    }
    if (open.empty() || open.back() != name) return fail("</" + name + "> closes nothing open");
    open.pop_back();
    HtmlSection& section = read.sections.back();
    if (name == "title") read.title = content;
    if (name == "h2") section.heading = content;
    if (name == "td") cells.push_back(content);
    if (name == "th") headerRow = true;
    if (name == "tr" && !headerRow) section.rows.push_back(cells);
    if (name == "pre") section.blocks.push_back(content);
  }
  if (!open.empty()) return fail("<" + open.back() + "> never closed");
  read.wellFormed = true;
  return read;
}

}  // namespace tarvo::testing
