#pragma once

#include "platform/serial_port.h"

namespace tarvo::platform::win32 {

// The performance counter in milliseconds. Sleeping goes to the system's Sleep, which really
// waits: the thread library's clock_nanosleep refuses the monotonic clock under MinGW.
class SteadyClock : public Clock {
 public:
  std::int64_t NowMs() override;
  void SleepMs(int milliseconds) override;
};

}  // namespace tarvo::platform::win32
