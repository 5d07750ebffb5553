#pragma once

#include <memory>
#include <string>

#include "app/gui/exchange_dialog.h"
#include "app/gui/exchange_line.h"

namespace tarvo::gui {

// The line of an exchange dialog on a simulated device's port and clock.
class SimulatedLine : public ExchangeLine {
 public:
  SimulatedLine(platform::SerialPort& port, platform::Clock& clock) : port_(port), clock_(clock) {}
  platform::SerialPort& Port() override { return port_; }
  platform::Clock& Clock() override { return clock_; }

 private:
  platform::SerialPort& port_;
  platform::Clock& clock_;
};

// Exchange dialogs on the simulated device, with a port map of their own that no environment
// variable reaches.
inline ExchangeSetting SimulatedSetting(platform::SerialPort& port, platform::Clock& clock,
                                        const std::string& portsFile) {
  ExchangeSetting setting;
  setting.lines = [&port, &clock] { return std::make_unique<SimulatedLine>(port, clock); };
  setting.portMap.getEnv = [](const char*) -> const char* { return nullptr; };
  setting.portMap.settingsFile = portsFile;
  return setting;
}

}  // namespace tarvo::gui
