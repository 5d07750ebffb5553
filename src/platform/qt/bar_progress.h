#pragma once

#include <QProgressBar>

#include "platform/progress.h"

namespace tarvo::platform::qt {

// The progress of an exchange on a QProgressBar, with the percent and the time left as its text.
// The procedure may step it from any thread; the bar is updated on its own thread. The bar must
// outlive the exchange.
class BarProgress : public ProgressState {
 public:
  BarProgress(QProgressBar* bar, Clock* clock) : ProgressState(clock), bar_(bar) {}

 protected:
  void Changed() override;

 private:
  QProgressBar* bar_;
};

}  // namespace tarvo::platform::qt
