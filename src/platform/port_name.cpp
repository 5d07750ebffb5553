#include "platform/port_name.h"

#include <cctype>

#include "platform/net/network_address.h"

namespace tarvo::platform {

namespace {

bool StartsWithCom(std::string_view text, PortNaming naming) {
  if (text.size() < 3) return false;
  if (naming == PortNaming::Posix) return text.starts_with("COM");
  for (std::size_t i = 0; i < 3; ++i) {
    if (std::toupper(static_cast<unsigned char>(text[i])) != "COM"[i]) return false;
  }
  return true;
}

// The port number written after COM without a leading zero; 0 when it is not one.
int PortNumberOf(std::string_view digits) {
  if (digits.empty() || digits.size() > 3 || digits[0] == '0') return 0;
  int number = 0;
  for (char digit : digits) {
    if (digit < '0' || digit > '9') return 0;
    number = number * 10 + (digit - '0');
  }
  return number;
}

}  // namespace

std::optional<PortChoice> ParsePortName(std::string_view text, PortNaming naming) {
  const bool windows = naming == PortNaming::Windows;
  if (net::IsNetworkPortName(text)) {
    if (!net::ParseNetworkAddress(text)) return std::nullopt;
    return PortChoice{0, std::string(text)};
  }
  if (text.find('/') != std::string_view::npos ||
      (windows && text.find('\\') != std::string_view::npos)) {
    return PortChoice{0, std::string(text)};
  }
  if (!StartsWithCom(text, naming)) return std::nullopt;
  const int number = PortNumberOf(text.substr(3));
  if (number >= 1 && number <= 9) return PortChoice{number, {}};
  // Windows numbers ports past nine; USB adapters often get COM10 and above.
  if (windows && number >= 10) return PortChoice{0, "\\\\.\\COM" + std::to_string(number)};
  return std::nullopt;
}

std::string AcceptedPortNames(PortNaming naming) {
  if (naming == PortNaming::Windows) {
    return "COMn, \\\\.\\COMn, tcp://УЗЕЛ:ПОРТ или rfc2217://УЗЕЛ:ПОРТ";
  }
  return "COM1..COM9, путь к устройству (/dev/ttyUSB0), tcp://УЗЕЛ:ПОРТ или rfc2217://УЗЕЛ:ПОРТ";
}

}  // namespace tarvo::platform
