#pragma once

#include <functional>
#include <memory>

#include "platform/serial_port.h"

namespace tarvo::gui {

// The serial port and clock one exchange runs on.
class ExchangeLine {
 public:
  virtual ~ExchangeLine() = default;
  virtual platform::SerialPort& Port() = 0;
  virtual platform::Clock& Clock() = 0;
};

// Makes the line for each exchange; tests put the simulated device here.
using LineFactory = std::function<std::unique_ptr<ExchangeLine>()>;

// The machine's serial ports on the steady clock.
LineFactory SystemLines();

}  // namespace tarvo::gui
