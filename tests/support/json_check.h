#pragma once

#include <cstddef>
#include <string_view>

namespace tarvo::testing {

// Whether the bytes are well-formed UTF-8 (Unicode's table of well-formed byte sequences: no
// overlong forms, no surrogates, nothing beyond U+10FFFF).
inline bool IsUtf8(std::string_view text) {
  std::size_t i = 0;
  auto in = [&](std::size_t at, unsigned lo, unsigned hi) {
    if (at >= text.size()) return false;
    const auto byte = static_cast<unsigned char>(text[at]);
    return byte >= lo && byte <= hi;
  };
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    if (b <= 0x7F) {
      length = 1;
    } else if (b >= 0xC2 && b <= 0xDF) {
      length = in(i + 1, 0x80, 0xBF) ? 2 : 0;
    } else if (b == 0xE0) {
      length = in(i + 1, 0xA0, 0xBF) && in(i + 2, 0x80, 0xBF) ? 3 : 0;
    } else if (b == 0xED) {
      length = in(i + 1, 0x80, 0x9F) && in(i + 2, 0x80, 0xBF) ? 3 : 0;
    } else if (b >= 0xE1 && b <= 0xEF) {
      length = in(i + 1, 0x80, 0xBF) && in(i + 2, 0x80, 0xBF) ? 3 : 0;
    } else if (b == 0xF0) {
      length = in(i + 1, 0x90, 0xBF) && in(i + 2, 0x80, 0xBF) && in(i + 3, 0x80, 0xBF) ? 4 : 0;
    } else if (b >= 0xF1 && b <= 0xF3) {
      length = in(i + 1, 0x80, 0xBF) && in(i + 2, 0x80, 0xBF) && in(i + 3, 0x80, 0xBF) ? 4 : 0;
    } else if (b == 0xF4) {
      length = in(i + 1, 0x80, 0x8F) && in(i + 2, 0x80, 0xBF) && in(i + 3, 0x80, 0xBF) ? 4 : 0;
    }
    if (length == 0) return false;
    i += length;
  }
  return true;
}

// A strict reader of one JSON text (RFC 8259): whether the whole text is one value.
class JsonCheck {
 public:
  static bool Valid(std::string_view text) {
    if (!IsUtf8(text)) return false;
    JsonCheck check(text);
    check.Space();
    if (!check.Value()) return false;
    check.Space();
    return check.at_ == text.size();
  }

 private:
  explicit JsonCheck(std::string_view text) : text_(text) {}

  bool More() const { return at_ < text_.size(); }
  char Peek() const { return More() ? text_[at_] : '\0'; }
  bool Take(char c) {
    if (Peek() != c) return false;
    ++at_;
    return true;
  }
  void Space() {
    while (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r') ++at_;
  }
  bool Word(std::string_view word) {
    if (text_.substr(at_, word.size()) != word) return false;
    at_ += word.size();
    return true;
  }
  bool Digits() {
    const std::size_t start = at_;
    while (Peek() >= '0' && Peek() <= '9') ++at_;
    return at_ > start;
  }
  bool Number() {
    Take('-');
    if (!Take('0') && !Digits()) return false;
    if (Take('.') && !Digits()) return false;
    if (Take('e') || Take('E')) {
      if (!Take('+')) Take('-');
      if (!Digits()) return false;
    }
    return true;
  }
  bool String() {
    if (!Take('"')) return false;
    while (More()) {
      const auto c = static_cast<unsigned char>(text_[at_++]);
      if (c == '"') return true;
      if (c < 0x20) return false;
      if (c != '\\') continue;
      const char escape = Peek();
      ++at_;
      if (escape == 'u') {
        for (int i = 0; i < 4; ++i) {
          const char h = Peek();
          ++at_;
          if (!((h >= '0' && h <= '9') || (h >= 'a' && h <= 'f') || (h >= 'A' && h <= 'F'))) {
            return false;
          }
        }
      } else if (std::string_view("\"\\/bfnrt").find(escape) == std::string_view::npos) {
        return false;
      }
    }
    return false;
  }
  template <typename Item>
  bool Sequence(char close, Item item) {
    Space();
    if (Take(close)) return true;
    do {
      Space();
      if (!item()) return false;
      Space();
    } while (Take(','));
    return Take(close);
  }
  bool Value() {
    switch (Peek()) {
      case '{':
        ++at_;
        return Sequence('}', [this] {
          if (!String()) return false;
          Space();
          if (!Take(':')) return false;
          Space();
          return Value();
        });
      case '[':
        ++at_;
        return Sequence(']', [this] { return Value(); });
      case '"':
        return String();
      case 't':
        return Word("true");
      case 'f':
        return Word("false");
      case 'n':
        return Word("null");
      default:
        return Number();
    }
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

}  // namespace tarvo::testing
