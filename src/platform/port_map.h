#pragma once

#include <functional>
#include <string>

namespace tarvo::platform {

// Where the device path of each COMn (n = 1..9) comes from, first match winning: the environment
// variable TARVO_COMn, then the key COMn in section [SerialPorts] of the per-user settings file
// (shared with the desktop program), then the default.
struct PortMapSources {
  std::function<const char*(const char*)> getEnv;  // std::getenv by default
  std::string settingsFile;                        // SettingsFilePath() by default
};

PortMapSources DefaultPortMapSources();

// ~/.config/TARVO Applications/TarvoConfig.conf, or under $XDG_CONFIG_HOME when it is set; on
// Windows %APPDATA%\TARVO Applications\TarvoConfig.conf.
std::string SettingsFilePath(const std::function<const char*(const char*)>& getEnv);

// The program's data folder: $XDG_DATA_HOME/TarvoConfig (default ~/.local/share/TarvoConfig); on
// Windows %LOCALAPPDATA%\TarvoConfig, which stays on the station rather than roaming with the user.
std::string DataFolder(const std::function<const char*(const char*)>& getEnv);

// The user's own folder ($HOME, on Windows %USERPROFILE%), empty when unknown.
std::string HomeFolder(const std::function<const char*(const char*)>& getEnv);

// COM1..COM4 are the built-in ports /dev/ttyS0..3, COM5..COM9 USB adapters /dev/ttyUSB0..4; on
// Windows COMn is the system's own port COMn.
std::string DefaultDevicePath(int portNumber);

// A device path as the user would give it, for the hints of messages.
const char* SerialDeviceExample();

struct PortLookup {
  bool ok = false;
  std::string path;    // when ok
  std::string reason;  // otherwise: why the port has no device
};

PortLookup DevicePathOfPort(int portNumber, const PortMapSources& sources);

}  // namespace tarvo::platform
