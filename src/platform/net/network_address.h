#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvo::platform::net {

// A serial line behind a network serial server: the raw byte stream of tcp://HOST:PORT, or the
// Telnet link with line control of rfc2217://HOST:PORT. HOST is a name, an IPv4 address or an
// IPv6 address in brackets.
struct NetworkAddress {
  bool telnet = false;  // rfc2217://
  std::string host;     // without the brackets of an IPv6 address
  int port = 0;         // 1..65535

  // As the user writes it, for messages.
  std::string Text() const;
};

// True when text names a network server at all (by its scheme), whether well formed or not.
bool IsNetworkPortName(std::string_view text);

// The address, or nothing when text is not a well-formed network port name.
std::optional<NetworkAddress> ParseNetworkAddress(std::string_view text);

// Where a server listens, "[HOST:]PORT": HOST 127.0.0.1 when not given, PORT 0 for any free one.
std::optional<NetworkAddress> ParseListenAddress(std::string_view where);

}  // namespace tarvo::platform::net
