#include "app/gui/exchange_line.h"

#include "platform/posix/posix_serial_port.h"
#include "platform/posix/steady_clock.h"

namespace tarvo::gui {

namespace {

class SystemLine : public ExchangeLine {
 public:
  platform::SerialPort& Port() override { return port_; }
  platform::Clock& Clock() override { return clock_; }

 private:
  platform::posix::SteadyClock clock_;
  platform::posix::PosixSerialPort port_{clock_};
};

}  // namespace

LineFactory SystemLines() {
  return [] { return std::make_unique<SystemLine>(); };
}

}  // namespace tarvo::gui
