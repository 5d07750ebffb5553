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
