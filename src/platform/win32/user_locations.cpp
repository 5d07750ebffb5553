#include <string>

#include "platform/port_map.h"

namespace tarvo::platform {

std::string HomeFolder(const std::function<const char*(const char*)>& getEnv) {
  const char* home = getEnv ? getEnv("USERPROFILE") : nullptr;
  return home != nullptr ? home : "";
}

// The roaming application data folder follows the user from one computer of a domain to
// another, with the port names that suit the station.
std::string SettingsFilePath(const std::function<const char*(const char*)>& getEnv) {
  const char* appData = getEnv ? getEnv("APPDATA") : nullptr;
  const std::string base = appData != nullptr && *appData != '\0'
                               ? std::string(appData)
                               : HomeFolder(getEnv) + "\\AppData\\Roaming";
  return base + "\\TARVO Applications\\TarvoConfig.conf";
}

std::string DataFolder(const std::function<const char*(const char*)>& getEnv) {
  const char* local = getEnv ? getEnv("LOCALAPPDATA") : nullptr;
  const std::string base = local != nullptr && *local != '\0'
                               ? std::string(local)
                               : HomeFolder(getEnv) + "\\AppData\\Local";
  return base + "\\TarvoConfig";
}

// \\.\COMn reaches every port, COM10 and above too.
std::string DefaultDevicePath(int portNumber) {
  if (portNumber < 1 || portNumber > 9) return {};
  return "\\\\.\\COM" + std::to_string(portNumber);
}

const char* SerialDeviceExample() {
  return "\\\\.\\COM10";
}

}  // namespace tarvo::platform
