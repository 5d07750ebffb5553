#pragma once

#include <ostream>

#include "platform/progress.h"

namespace tarvo::app {

// A progress bar drawn on one terminal line, with the percent and the time left; silent when the
// stream is not a terminal.
class ConsoleProgress : public platform::ProgressState {
 public:
  ConsoleProgress(std::ostream& out, bool enabled, platform::Clock* clock)
      : ProgressState(clock), out_(out), enabled_(enabled) {}
  ~ConsoleProgress() override { Clear(); }

  // Removes the bar's line so a message can take it.
  void Clear();

 protected:
  void Changed() override;

 private:
  std::ostream& out_;
  bool enabled_;
  bool drawn_ = false;
};

}  // namespace tarvo::app
