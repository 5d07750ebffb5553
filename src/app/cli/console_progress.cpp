#include "app/cli/console_progress.h"

#include <algorithm>
#include <string>

namespace tarvo::app {

namespace {
constexpr int kWidth = 30;
}

void ConsoleProgress::Changed() {
  if (!enabled_) return;
  const int span = Upper() - Lower();
  const int filled = span > 0 ? (Position() - Lower()) * kWidth / span : 0;
  out_ << "\r[" << std::string(static_cast<std::size_t>(std::clamp(filled, 0, kWidth)), '#')
       << std::string(static_cast<std::size_t>(kWidth - std::clamp(filled, 0, kWidth)), ' ') << "] "
       << Position() << "/" << Upper() << "  ";
  out_.flush();
  drawn_ = true;
}

void ConsoleProgress::Clear() {
  if (!drawn_) return;
  out_ << "\r" << std::string(kWidth + 16, ' ') << "\r";
  out_.flush();
  drawn_ = false;
}

}  // namespace tarvo::app
