#include "platform/port_map.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "platform/ini_file.h"

namespace tarvo::platform {
namespace {

struct Environment {
  std::map<std::string, std::string> values;
  PortMapSources Sources(const std::string& settingsFile) {
    PortMapSources sources;
    sources.getEnv = [this](const char* name) -> const char* {
      const auto it = values.find(name);
      return it == values.end() ? nullptr : it->second.c_str();
    };
    sources.settingsFile = settingsFile;
    return sources;
  }
};

// Where COMn leads when nothing else names its device.
struct DefaultPorts {
  const char* com1;
  const char* com4;
  const char* com5;
  const char* com9;
};
#ifdef _WIN32
constexpr DefaultPorts kDefaults{"\\\\.\\COM1", "\\\\.\\COM4", "\\\\.\\COM5", "\\\\.\\COM9"};
#else
constexpr DefaultPorts kDefaults{"/dev/ttyS0", "/dev/ttyS3", "/dev/ttyUSB0", "/dev/ttyUSB4"};
#endif

TEST(PortMap, TakesTheEnvironmentThenTheSettingsThenTheDefault) {
  const auto dir = std::filesystem::temp_directory_path() /
                   ("tarvo-port-map-test-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string file = (dir / "TarvoConfig.conf").string();
  std::ofstream(file)
      << "[Recent%20File%20List]\nFile1=/tmp/a.par\n\n[SerialPorts]\n"
         "COM2=/dev/ttyACM0\nCOM3=\"/dev/serial/by-id/usb-FTDI \\\"x\\\"\"\nCOM4=\n";
  Environment env;
  env.values["TARVO_COM1"] = "/dev/pts/7";
  env.values["TARVO_COM2"] = "";
  const PortMapSources sources = env.Sources(file);
  const struct {
    int port;
    bool ok;
    std::string path;
  } cases[] = {{1, true, "/dev/pts/7"},
               {2, true, "/dev/ttyACM0"},
               {3, true, "/dev/serial/by-id/usb-FTDI \"x\""},
               {4, false, ""},
               {5, true, kDefaults.com5},
               {9, true, kDefaults.com9},
               {0, false, ""},
               {10, false, ""}};
  for (const auto& c : cases) {
    const PortLookup lookup = DevicePathOfPort(c.port, sources);
    EXPECT_EQ(lookup.ok, c.ok) << c.port;
    EXPECT_EQ(lookup.path, c.path) << c.port;
    EXPECT_EQ(lookup.reason.empty(), c.ok) << c.port;
  }
  EXPECT_EQ(DevicePathOfPort(0, sources).reason,
            "Порт COM0 не существует: выберите порт от COM1 до COM9.");
  std::filesystem::remove_all(dir);
}

TEST(PortMap, DefaultsWithoutASettingsFile) {
  Environment env;
  const PortMapSources sources = env.Sources("/nonexistent/TarvoConfig.conf");
  EXPECT_EQ(DevicePathOfPort(1, sources).path, kDefaults.com1);
  EXPECT_EQ(DevicePathOfPort(4, sources).path, kDefaults.com4);
}

TEST(PortMap, SettingsLiveWhereTheDesktopProgramKeepsThem) {
  Environment env;
#ifdef _WIN32
  env.values["USERPROFILE"] = "C:\\Users\\ivan";
  EXPECT_EQ(SettingsFilePath(env.Sources("").getEnv),
            "C:\\Users\\ivan\\AppData\\Roaming\\TARVO Applications\\TarvoConfig.conf");
  env.values["APPDATA"] = "D:\\Profiles\\ivan";
  EXPECT_EQ(SettingsFilePath(env.Sources("").getEnv),
            "D:\\Profiles\\ivan\\TARVO Applications\\TarvoConfig.conf");
  return;
#endif
  env.values["HOME"] = "/home/ivan";
  EXPECT_EQ(SettingsFilePath(env.Sources("").getEnv),
            "/home/ivan/.config/TARVO Applications/TarvoConfig.conf");
  env.values["XDG_CONFIG_HOME"] = "/cfg";
  EXPECT_EQ(SettingsFilePath(env.Sources("").getEnv), "/cfg/TARVO Applications/TarvoConfig.conf");
}

TEST(PortMap, DataStaysOnTheStation) {
  Environment env;
#ifdef _WIN32
  env.values["USERPROFILE"] = "C:\\Users\\ivan";
  EXPECT_EQ(DataFolder(env.Sources("").getEnv), "C:\\Users\\ivan\\AppData\\Local\\TarvoConfig");
  env.values["LOCALAPPDATA"] = "D:\\Local";
  EXPECT_EQ(DataFolder(env.Sources("").getEnv), "D:\\Local\\TarvoConfig");
  return;
#endif
  env.values["HOME"] = "/home/ivan";
  EXPECT_EQ(DataFolder(env.Sources("").getEnv), "/home/ivan/.local/share/TarvoConfig");
  env.values["XDG_DATA_HOME"] = "relative/data";
  EXPECT_EQ(DataFolder(env.Sources("").getEnv), "/home/ivan/.local/share/TarvoConfig");
  env.values["XDG_DATA_HOME"] = "/data";
  EXPECT_EQ(DataFolder(env.Sources("").getEnv), "/data/TarvoConfig");
}

TEST(IniFile, ReadsSectionsKeysAndQuotedValues) {
  const IniFile ini = IniFile::Parse("top=1\n; note\n[A]\n k = v \r\nq=\"a\\\\b\"\n[B]\nk=w\n");
  EXPECT_EQ(ini.Value("General", "top"), "1");
  EXPECT_EQ(ini.Value("A", "k"), "v");
  EXPECT_EQ(ini.Value("A", "q"), "a\\b");
  EXPECT_EQ(ini.Value("B", "k"), "w");
  EXPECT_FALSE(ini.Value("B", "q").has_value());
}

}  // namespace
}  // namespace tarvo::platform
