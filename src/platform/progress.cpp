#include "platform/progress.h"

#include <algorithm>
#include <cstdio>

namespace tarvo::platform {

void ProgressState::SetTotal(int requests) {
  total_ = std::max(requests, 0);
  if (startMs_ < 0 && clock_ != nullptr) {
    startMs_ = clock_->NowMs();
    doneAtStart_ = done_;
  }
  Update();
}

void ProgressState::Step() {
  ++done_;
  Update();
}

void ProgressState::Update() {
  if (clock_ != nullptr) nowMs_ = clock_->NowMs();
  if (total_ > 0) {
    const int share = static_cast<int>(std::min<std::int64_t>(
        100, static_cast<std::int64_t>(std::min(done_, total_)) * 100 / total_));
    percent_ = std::max(percent_, share);
  }
  Changed();
}

std::optional<std::int64_t> ProgressState::RemainingMs() const {
  const int timed = done_ - doneAtStart_;
  if (startMs_ < 0 || timed <= 0 || total_ <= 0) return std::nullopt;
  const int left = std::max(total_ - done_, 0);
  return (nowMs_ - startMs_) * left / timed;
}

std::string ProgressState::Text() const {
  std::string text = std::to_string(percent_) + " %";
  if (const auto left = RemainingMs(); left && percent_ < 100) {
    text += ", осталось " + DurationText(*left);
  }
  return text;
}

std::string DurationText(std::int64_t milliseconds) {
  const std::int64_t seconds = (std::max<std::int64_t>(milliseconds, 0) + 999) / 1000;
  char text[48];
  if (seconds < 60) {
    std::snprintf(text, sizeof text, "%lld с", static_cast<long long>(seconds));
  } else {
    std::snprintf(text, sizeof text, "%lld мин %02lld с", static_cast<long long>(seconds / 60),
                  static_cast<long long>(seconds % 60));
  }
  return text;
}

}  // namespace tarvo::platform
