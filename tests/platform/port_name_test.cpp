#include "platform/port_name.h"

#include "platform/net/network_address.h"

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
      {"tcp://192.168.1.50:4001", PortNaming::Posix, true, 0, "tcp://192.168.1.50:4001"},
      {"rfc2217://[::1]:2217", PortNaming::Windows, true, 0, "rfc2217://[::1]:2217"},
      {"tcp://station", PortNaming::Posix, false, 0, ""},
      {"tcp://station:0", PortNaming::Windows, false, 0, ""},
  };
  for (const auto& c : cases) {
    const auto choice = ParsePortName(c.text, c.naming);
    ASSERT_EQ(choice.has_value(), c.accepted) << c.text;
    if (!choice) continue;
    EXPECT_EQ(choice->comPort, c.comPort) << c.text;
    EXPECT_EQ(choice->path, c.path) << c.text;
  }
}

TEST(PortName, ReadsTheAddressOfANetworkServer) {
  const struct {
    const char* text;
    bool accepted;
    bool telnet;
    const char* host;
    int port;
    const char* shown;
  } cases[] = {
      {"tcp://192.168.1.50:4001", true, false, "192.168.1.50", 4001, "tcp://192.168.1.50:4001"},
      {"TCP://station-3.local:65535/", true, false, "station-3.local", 65535,
       "tcp://station-3.local:65535"},
      {"rfc2217://[::1]:2217", true, true, "::1", 2217, "rfc2217://[::1]:2217"},
      {"rfc2217://[fe80::1%eth0]:7000", true, true, "fe80::1%eth0", 7000,
       "rfc2217://[fe80::1%eth0]:7000"},
      {"tcp://::1:4001", false, false, "", 0, ""},
      {"tcp://[]:4001", false, false, "", 0, ""},
      {"tcp://host:65536", false, false, "", 0, ""},
      {"tcp://host:04001", false, false, "", 0, ""},
      {"tcp://host:", false, false, "", 0, ""},
      {"tcp://:4001", false, false, "", 0, ""},
      {"tcp://two words:4001", false, false, "", 0, ""},
      {"telnet://host:23", false, false, "", 0, ""},
      {"/dev/ttyS0", false, false, "", 0, ""},
  };
  for (const auto& c : cases) {
    const auto address = net::ParseNetworkAddress(c.text);
    ASSERT_EQ(address.has_value(), c.accepted) << c.text;
    if (!address) continue;
    EXPECT_EQ(address->telnet, c.telnet) << c.text;
    EXPECT_EQ(address->host, c.host) << c.text;
    EXPECT_EQ(address->port, c.port) << c.text;
    EXPECT_EQ(address->Text(), c.shown) << c.text;
  }
}

TEST(PortName, ReadsWhereAServerListens) {
  const struct {
    const char* where;
    const char* shown;  // empty when refused
  } cases[] = {
      {"4001", "tcp://127.0.0.1:4001"},
      {"0", "tcp://127.0.0.1:0"},
      {"0.0.0.0:4001", "tcp://0.0.0.0:4001"},
      {"[::1]:0", "tcp://[::1]:0"},
      {"host:99999", ""},
      {"", ""},
      {"4001:", ""},
      {"::1:4001", ""},
  };
  for (const auto& c : cases) {
    const auto address = net::ParseListenAddress(c.where);
    EXPECT_EQ(address ? address->Text() : "", c.shown) << c.where;
  }
}

}  // namespace
}  // namespace tarvo::platform
