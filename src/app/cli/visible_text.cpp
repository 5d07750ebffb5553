#include "app/cli/visible_text.h"

#include "model/utf8.h"

namespace tarvo::app {

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
  return model::VisibleUtf8(text, false);
}

std::string VisibleLines(std::string_view text) {
  return model::VisibleUtf8(text, true);
}

std::string Quoted(std::string_view text) {
  return "«" + VisibleText(text) + "»";
}

}  // namespace tarvo::app
