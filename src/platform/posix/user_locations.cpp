#include <string>

#include "platform/port_map.h"

namespace tarvo::platform {

std::string SettingsFilePath(const std::function<const char*(const char*)>& getEnv) {
  const char* config = getEnv ? getEnv("XDG_CONFIG_HOME") : nullptr;
  std::string base;
  if (config != nullptr && config[0] == '/') {
    base = config;
  } else {
    const char* home = getEnv ? getEnv("HOME") : nullptr;
    base = std::string(home != nullptr ? home : "") + "/.config";
  }
  return base + "/TARVO Applications/TarvoConfig.conf";
}

std::string DataFolder(const std::function<const char*(const char*)>& getEnv) {
  const char* data = getEnv ? getEnv("XDG_DATA_HOME") : nullptr;
  // Relative paths are invalid in the base directory variables and are ignored.
  if (data != nullptr && data[0] == '/') return std::string(data) + "/TarvoConfig";
  return HomeFolder(getEnv) + "/.local/share/TarvoConfig";
}

std::string HomeFolder(const std::function<const char*(const char*)>& getEnv) {
  const char* home = getEnv ? getEnv("HOME") : nullptr;
  return home != nullptr ? home : "";
}

std::string DefaultDevicePath(int portNumber) {
  if (portNumber >= 1 && portNumber <= 4) return "/dev/ttyS" + std::to_string(portNumber - 1);
  if (portNumber >= 5 && portNumber <= 9) return "/dev/ttyUSB" + std::to_string(portNumber - 5);
  return {};
}

const char* SerialDeviceExample() {
  return "/dev/ttyUSB0";
}

}  // namespace tarvo::platform
