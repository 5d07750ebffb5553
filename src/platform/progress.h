#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/serial_port.h"

namespace tarvo::platform {

// How far one exchange is along, as the procedures drive it: the requests the whole exchange
// takes from its first to its last, and a step for each one answered. A procedure revises the
// total as it learns more (a read once it knows how many channels and nodes the device has).
class Progress {
 public:
  virtual ~Progress() = default;
  virtual void SetTotal(int requests) = 0;
  virtual void Step() = 0;
};

// The share done and the time left, shared by every progress sink. The share never goes back.
class ProgressState : public Progress {
 public:
  // The clock times the exchange for the time left; without one no time left is told.
  explicit ProgressState(Clock* clock = nullptr) : clock_(clock) {}

  void SetTotal(int requests) override;
  void Step() override;

  int Done() const { return done_; }
  int Total() const { return total_; }
  // 0..100; 100 only once every request expected has been answered.
  int Percent() const { return percent_; }
  // At the pace since the total became known; nothing before a request has been answered since.
  std::optional<std::int64_t> RemainingMs() const;
  // "42 %, осталось 1 мин 05 с".
  std::string Text() const;

 protected:
  virtual void Changed() {}

 private:
  void Update();

  Clock* clock_;
  int total_ = 0;
  int done_ = 0;
  int percent_ = 0;
  // Where the timing starts: the first total, after the wake-up and identification.
  int doneAtStart_ = 0;
  std::int64_t startMs_ = -1;
  std::int64_t nowMs_ = 0;
};

// "45 с", "1 мин 05 с"; seconds rounded up.
std::string DurationText(std::int64_t milliseconds);

}  // namespace tarvo::platform
