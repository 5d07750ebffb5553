#include "platform/net/network_address.h"

#include <cctype>

namespace tarvo::platform::net {

namespace {

constexpr std::string_view kRaw = "tcp://";
constexpr std::string_view kTelnet = "rfc2217://";

bool StartsWithCaseless(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  }
  return true;
}

int PortNumberOf(std::string_view digits) {
  if (digits.empty() || digits.size() > 5 || digits[0] == '0') return 0;
  int number = 0;
  for (char digit : digits) {
    if (digit < '0' || digit > '9') return 0;
    number = number * 10 + (digit - '0');
  }
  return number <= 65535 ? number : 0;
}

bool IsHostName(std::string_view host) {
  if (host.empty()) return false;
  for (char c : host) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '-' && c != '_') {
      return false;
    }
  }
  return true;
}

bool IsIpv6Text(std::string_view host) {
  if (host.find(':') == std::string_view::npos) return false;
  for (char c : host) {
    // A zone after % names an interface (fe80::1%eth0).
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != ':' && c != '.' && c != '%') {
      return false;
    }
  }
  return true;
}

}  // namespace

std::string NetworkAddress::Text() const {
  const std::string shownHost = host.find(':') != std::string::npos ? "[" + host + "]" : host;
  return std::string(telnet ? kTelnet : kRaw) + shownHost + ":" + std::to_string(port);
}

bool IsNetworkPortName(std::string_view text) {
  return StartsWithCaseless(text, kRaw) || StartsWithCaseless(text, kTelnet);
}

std::optional<NetworkAddress> ParseNetworkAddress(std::string_view text) {
  NetworkAddress address;
  if (StartsWithCaseless(text, kRaw)) {
    text.remove_prefix(kRaw.size());
  } else if (StartsWithCaseless(text, kTelnet)) {
    address.telnet = true;
    text.remove_prefix(kTelnet.size());
  } else {
    return std::nullopt;
  }
  // A path after the port (tcp://host:4001/) is taken as the user's slip, without it.
  if (text.ends_with('/')) text.remove_suffix(1);
  const std::size_t colon = text.rfind(':');
  if (colon == std::string_view::npos) return std::nullopt;
  address.port = PortNumberOf(text.substr(colon + 1));
  std::string_view host = text.substr(0, colon);
  if (host.starts_with('[') && host.ends_with(']') && host.size() > 2) {
    host = host.substr(1, host.size() - 2);
    if (!IsIpv6Text(host)) return std::nullopt;
  } else if (!IsHostName(host)) {
    return std::nullopt;
  }
  if (address.port == 0) return std::nullopt;
  address.host = std::string(host);
  return address;
}

std::optional<NetworkAddress> ParseListenAddress(std::string_view where) {
  const bool hostGiven = where.rfind(':') != std::string_view::npos;
  std::string text = std::string(kRaw) + (hostGiven ? "" : "127.0.0.1:") + std::string(where);
  // Port 0 is no port to connect to, but a server may ask for any free one.
  const bool anyPort = text.ends_with(":0");
  if (anyPort) text.back() = '1';
  auto address = ParseNetworkAddress(text);
  if (address && anyPort) address->port = 0;
  return address;
}

}  // namespace tarvo::platform::net
