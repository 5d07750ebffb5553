#include "platform/port_name.h"

#include <gtest/gtest.h>

namespace tarvo::platform {
namespace {

TEST(PortName, TellsAComNumberFromADevicePath) {
  const struct {
    const char* text;
    PortNaming naming;
    bool accepted;
    int comPort;
    const char* path;
  } cases[] = {
      {"COM1", PortNaming::Posix, true, 1, ""},
      {"COM9", PortNaming::Posix, true, 9, ""},
      {"/dev/ttyUSB0", PortNaming::Posix, true, 0, "/dev/ttyUSB0"},
      {"COM10", PortNaming::Posix, false, 0, ""},
      {"com1", PortNaming::Posix, false, 0, ""},
      {"ttyUSB0", PortNaming::Posix, false, 0, ""},
      {"\\\\.\\COM3", PortNaming::Posix, false, 0, ""},
      {"COM3", PortNaming::Windows, true, 3, ""},
      {"com3", PortNaming::Windows, true, 3, ""},
      {"\\\\.\\COM3", PortNaming::Windows, true, 0, "\\\\.\\COM3"},
      {"\\\\.\\COM12", PortNaming::Windows, true, 0, "\\\\.\\COM12"},
      {"COM12", PortNaming::Windows, true, 0, "\\\\.\\COM12"},
      {"Com256", PortNaming::Windows, true, 0, "\\\\.\\COM256"},
      {"COM0", PortNaming::Windows, false, 0, ""},
      {"COM03", PortNaming::Windows, false, 0, ""},
      {"COM", PortNaming::Windows, false, 0, ""},
      {"COM1000", PortNaming::Windows, false, 0, ""},
      {"COM1a", PortNaming::Windows, false, 0, ""},
      {"LPT1", PortNaming::Windows, false, 0, ""},
  };
  for (const auto& c : cases) {
    const auto choice = ParsePortName(c.text, c.naming);
    ASSERT_EQ(choice.has_value(), c.accepted) << c.text;
    if (!choice) continue;
    EXPECT_EQ(choice->comPort, c.comPort) << c.text;
    EXPECT_EQ(choice->path, c.path) << c.text;
  }
}

}  // namespace
}  // namespace tarvo::platform
