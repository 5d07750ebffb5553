#pragma once

#include "platform/serial_port.h"

namespace tarvo::platform::posix {

// CLOCK_MONOTONIC in milliseconds; sleeping never burns the processor.
class SteadyClock : public Clock {
 public:
  std::int64_t NowMs() override;
  void SleepMs(int milliseconds) override;
};

}  // namespace tarvo::platform::posix
