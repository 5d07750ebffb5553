#include "app/cli/console_progress.h"

#include <algorithm>
#include <string>

namespace tarvo::app {

namespace {
constexpr int kWidth = 30;
// The longest text after the bar: "100 %, осталось 99 мин 59 с", with room to spare.
constexpr int kTextWidth = 40;
}  // namespace

void ConsoleProgress::Changed() {
  if (!enabled_) return;
  const int filled = std::clamp(Percent() * kWidth / 100, 0, kWidth);
  // Padded so that a shorter text covers the end of a longer one.
  std::string text = Text();
  text.resize(std::max<std::size_t>(text.size(), kTextWidth), ' ');
  out_ << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
       << std::string(static_cast<std::size_t>(kWidth - filled), ' ') << "] " << text;
  out_.flush();
  drawn_ = true;
}

void ConsoleProgress::Clear() {
  if (!drawn_) return;
  out_ << "\r" << std::string(kWidth + 3 + kTextWidth, ' ') << "\r";
  out_.flush();
  drawn_ = false;
}

}  // namespace tarvo::app
