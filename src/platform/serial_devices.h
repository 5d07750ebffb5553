#pragma once

#include <string>
#include <vector>

namespace tarvo::platform {

struct SerialDevice {
  std::string path;  // as the port map and --port take it
  // Empty when the device can be used; otherwise why not (a refused permission names the group).
  std::string problem;
  int error = 0;  // the system's error number of the problem
};

struct SerialDeviceList {
  std::vector<SerialDevice> devices;
  // The first refused permission, built-in ports included: it names the group to join.
  std::string refusal;
};

// The serial ports the system reports now, in the order a user looks for them.
SerialDeviceList ListSerialDevices();

// Whether the system has a device at path now; it is not opened.
bool SerialDevicePresent(const std::string& path);

}  // namespace tarvo::platform
