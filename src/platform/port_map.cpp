#include "platform/port_map.h"

#include <cstdlib>

#include "platform/ini_file.h"

namespace tarvo::platform {

PortMapSources DefaultPortMapSources() {
  PortMapSources sources;
  sources.getEnv = [](const char* name) -> const char* { return std::getenv(name); };
  sources.settingsFile = SettingsFilePath(sources.getEnv);
  return sources;
}

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

std::string DefaultDevicePath(int portNumber) {
  if (portNumber >= 1 && portNumber <= 4) return "/dev/ttyS" + std::to_string(portNumber - 1);
  if (portNumber >= 5 && portNumber <= 9) return "/dev/ttyUSB" + std::to_string(portNumber - 5);
  return {};
}

PortLookup DevicePathOfPort(int portNumber, const PortMapSources& sources) {
  PortLookup lookup;
  const std::string name = "COM" + std::to_string(portNumber);
  if (portNumber < 1 || portNumber > 9) {
    lookup.reason = "Порт " + name + " не существует: выберите порт от COM1 до COM9.";
    return lookup;
  }
  const std::string variable = "TARVO_" + name;
  if (sources.getEnv) {
    if (const char* value = sources.getEnv(variable.c_str()); value != nullptr && *value) {
      lookup.ok = true;
      lookup.path = value;
      return lookup;
    }
  }
  if (!sources.settingsFile.empty()) {
    if (auto value = IniFile::Load(sources.settingsFile).Value("SerialPorts", name)) {
      if (value->empty()) {
        lookup.reason = "Порт " + name + " не сопоставлен устройству (ключ " + name +
                        " раздела [SerialPorts] в файле " + sources.settingsFile + " пуст).";
        return lookup;
      }
      lookup.ok = true;
      lookup.path = *value;
      return lookup;
    }
  }
  lookup.ok = true;
  lookup.path = DefaultDevicePath(portNumber);
  return lookup;
}

}  // namespace tarvo::platform
