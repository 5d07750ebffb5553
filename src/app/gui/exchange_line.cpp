#include "app/gui/exchange_line.h"

#include "platform/system_port.h"

namespace tarvo::gui {

namespace {

class SystemLine : public ExchangeLine {
 public:
  platform::SerialPort& Port() override { return *port_; }
  platform::Clock& Clock() override { return platform::SystemClock(); }

 private:
  std::unique_ptr<platform::SerialPort> port_ =
      platform::MakeSystemSerialPort(platform::SystemClock());
};

}  // namespace

LineFactory SystemLines() {
  return [] { return std::make_unique<SystemLine>(); };
}

}  // namespace tarvo::gui
