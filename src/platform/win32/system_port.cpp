#include "platform/system_port.h"

#include "platform/net/network_serial_port.h"
#include "platform/net/port_by_name.h"
#include "platform/win32/win32_serial_port.h"
#include "platform/win32/win32_steady_clock.h"

namespace tarvo::platform {

Clock& SystemClock() {
  static win32::SteadyClock clock;
  return clock;
}

std::unique_ptr<SerialPort> MakeSystemSerialPort(Clock& clock) {
  return std::make_unique<net::PortByName>(
      std::make_unique<win32::Win32SerialPort>(clock),
      std::make_unique<net::NetworkSerialPort>(clock, net::MakeSystemSocket(clock)));
}

}  // namespace tarvo::platform
