#pragma once

#include <string>
#include <vector>

namespace tarvo::platform::posix {

struct SerialDevice {
  std::string path;
  // Empty when the device can be used; otherwise why not (a refused permission names the group).
  std::string problem;
  int error = 0;  // errno of the problem
};

struct SerialDeviceList {
  std::vector<SerialDevice> devices;
  // The first refused permission, built-in ports included: it names the group to join.
  std::string refusal;
};

// The serial devices present: /dev/serial/by-id/*, /dev/ttyUSB*, /dev/ttyACM*, and the /dev/ttyS*
// that answer as serial ports. Built-in ports that refuse access are left out, since it cannot
// be told whether they exist; the others are listed with the reason.
SerialDeviceList ListSerialDevices();

// Whether path is a serial line: opening it may fail, but it is not some other kind of file.
SerialDevice ProbeSerialDevice(const std::string& path);

}  // namespace tarvo::platform::posix
