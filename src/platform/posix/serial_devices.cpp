#include "platform/posix/serial_devices.h"

#include <fcntl.h>
#include <glob.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#include <cerrno>

#include "platform/posix/posix_serial_port.h"

namespace tarvo::platform::posix {

namespace {

std::vector<std::string> Glob(const char* pattern) {
  std::vector<std::string> paths;
  glob_t found{};
  if (::glob(pattern, 0, nullptr, &found) == 0) {
    for (std::size_t i = 0; i < found.gl_pathc; ++i) paths.emplace_back(found.gl_pathv[i]);
  }
  ::globfree(&found);
  return paths;
}

// A built-in port the kernel knows of but no hardware answers for reports the unknown type.
bool HardwarePresent(int fd) {
  serial_struct info{};
  if (::ioctl(fd, TIOCGSERIAL, &info) != 0) return true;
  return info.type != PORT_UNKNOWN;
}

bool IsBuiltIn(const std::string& path) {
  return path.rfind("/dev/ttyS", 0) == 0;
}

}  // namespace

SerialDevice ProbeSerialDevice(const std::string& path) {
  SerialDevice device{path, {}, 0};
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    device.error = errno;
  } else {
    termios settings{};
    if (::tcgetattr(fd, &settings) != 0) {
      device.error = ENOTTY;
    } else if (IsBuiltIn(path) && !HardwarePresent(fd)) {
      device.error = ENODEV;
    }
    ::close(fd);
  }
  if (device.error != 0) device.problem = OpenFailureReason(path, device.error);
  return device;
}

}  // namespace tarvo::platform::posix

namespace tarvo::platform {

// /dev/serial/by-id/*, /dev/ttyUSB*, /dev/ttyACM*, and the /dev/ttyS* that answer as serial
// ports. Built-in ports that refuse access are left out, since it cannot be told whether they
// exist; the others are listed with the reason.
SerialDeviceList ListSerialDevices() {
  SerialDeviceList list;
  for (const char* pattern :
       {"/dev/serial/by-id/*", "/dev/ttyUSB*", "/dev/ttyACM*", "/dev/ttyS*"}) {
    for (const std::string& path : posix::Glob(pattern)) {
      SerialDevice device = posix::ProbeSerialDevice(path);
      const bool refused = device.error == EACCES || device.error == EPERM;
      if (refused && list.refusal.empty()) list.refusal = device.problem;
      // Built-in ports that do not answer are the kernel's placeholders, not hardware.
      if (posix::IsBuiltIn(path) && device.error != 0) continue;
      if (device.error != 0 && !refused && device.error != EBUSY) continue;
      list.devices.push_back(std::move(device));
    }
  }
  return list;
}

bool SerialDevicePresent(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

}  // namespace tarvo::platform
