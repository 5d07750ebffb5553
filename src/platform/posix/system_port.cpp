#include "platform/system_port.h"

#include "platform/net/network_serial_port.h"
#include "platform/net/port_by_name.h"
#include "platform/posix/posix_serial_port.h"
#include "platform/posix/steady_clock.h"

namespace tarvo::platform {

Clock& SystemClock() {
  static posix::SteadyClock clock;
  return clock;
}

std::unique_ptr<SerialPort> MakeSystemSerialPort(Clock& clock) {
  return std::make_unique<net::PortByName>(
      std::make_unique<posix::PosixSerialPort>(clock),
      std::make_unique<net::NetworkSerialPort>(clock, net::MakeSystemSocket(clock)));
}

}  // namespace tarvo::platform
