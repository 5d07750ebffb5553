#pragma once

#include <memory>

#include "platform/serial_port.h"

namespace tarvo::platform {

// The steady clock of the system the program runs on; it keeps no state.
Clock& SystemClock();

// The serial line of the system the program runs on, timed by clock.
std::unique_ptr<SerialPort> MakeSystemSerialPort(Clock& clock);

}  // namespace tarvo::platform
