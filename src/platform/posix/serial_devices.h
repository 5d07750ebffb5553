#pragma once

#include <string>

#include "platform/serial_devices.h"

namespace tarvo::platform::posix {

// Whether path is a serial line: opening it may fail, but it is not some other kind of file.
SerialDevice ProbeSerialDevice(const std::string& path);

}  // namespace tarvo::platform::posix
