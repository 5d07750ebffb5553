#pragma once

#include <QString>
#include <string_view>

namespace tarvo::platform::qt {

// The program's texts, messages and values are UTF-8, as QString takes them.
inline QString ToQt(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace tarvo::platform::qt
