#include "platform/system_port.h"

#include "platform/posix/posix_serial_port.h"
#include "platform/posix/steady_clock.h"

namespace tarvo::platform {

Clock& SystemClock() {
  static posix::SteadyClock clock;
  return clock;
}

std::unique_ptr<SerialPort> MakeSystemSerialPort(Clock& clock) {
  return std::make_unique<posix::PosixSerialPort>(clock);
}

}  // namespace tarvo::platform
