#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvo::platform {

// How the system the program runs on names its serial ports.
enum class PortNaming { Posix, Windows };

#ifdef _WIN32
inline constexpr PortNaming kNativePortNaming = PortNaming::Windows;
#else
inline constexpr PortNaming kNativePortNaming = PortNaming::Posix;
#endif

// What a port given by name stands for: a COM number for the port map, or a device path.
struct PortChoice {
  int comPort = 0;  // 1..9; 0 when path is set
  std::string path;
};

// tcp://HOST:PORT and rfc2217://HOST:PORT name a network serial server, as a path. COM1..COM9 go
// through the port map; a text with a slash (on Windows also a backslash, as in
// \\.\COM12) is a device path. Windows takes the letters in any case and COM10 and above, which
// the map does not hold, as \\.\COMn. Nothing when the text is neither.
std::optional<PortChoice> ParsePortName(std::string_view text,
                                        PortNaming naming = kNativePortNaming);

// The forms ParsePortName accepts, for the message that refuses another.
std::string AcceptedPortNames(PortNaming naming = kNativePortNaming);

}  // namespace tarvo::platform
