#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tarvo::platform::net {

// The Telnet side of a network serial server with the COM port control option: data bytes are
// escaped for the wire and taken back out of it, the server's option requests are answered, and
// the line settings and purges go out as subnegotiations. It keeps no socket; the caller sends
// what it is given.
class TelnetCodec {
 public:
  static constexpr std::uint8_t kIac = 255;
  static constexpr std::uint8_t kDont = 254;
  static constexpr std::uint8_t kDo = 253;
  static constexpr std::uint8_t kWont = 252;
  static constexpr std::uint8_t kWill = 251;
  static constexpr std::uint8_t kSb = 250;
  static constexpr std::uint8_t kSe = 240;
  static constexpr std::uint8_t kBinary = 0;
  static constexpr std::uint8_t kSuppressGoAhead = 3;
  static constexpr std::uint8_t kComPort = 44;
  // Client commands of the COM port option; the server answers each with its code + 100.
  static constexpr std::uint8_t kSetBaudRate = 1;
  static constexpr std::uint8_t kSetDataSize = 2;
  static constexpr std::uint8_t kSetParity = 3;
  static constexpr std::uint8_t kSetStopSize = 4;
  static constexpr std::uint8_t kSetControl = 5;
  static constexpr std::uint8_t kPurgeData = 12;
  static constexpr std::uint8_t kServerOffset = 100;

  // What the client asks for as the connection opens: binary both ways, no go-ahead, and the COM
  // port option on its own side.
  std::vector<std::uint8_t> Opening();
  // Data for the server, each IAC doubled; a CR is followed by NUL while the server has not
  // agreed to binary data.
  void Encode(std::span<const std::uint8_t> data, std::vector<std::uint8_t>& wire) const;
  // Takes bytes from the server: data goes to data, answers to option requests to replies.
  void Decode(std::span<const std::uint8_t> wire, std::vector<std::uint8_t>& data,
              std::vector<std::uint8_t>& replies);
  // The server's line at baud, 8 data bits, no parity, one stop bit, no flow control.
  std::vector<std::uint8_t> LineSettings(std::uint32_t baud) const;
  // Drops what the server holds in both directions.
  std::vector<std::uint8_t> Purge() const;

  // The server agreed to the COM port option, or refused it.
  bool ComPortAccepted() const { return ours_[kComPort] == State::Yes; }
  bool ComPortRefused() const { return comPortRefused_; }
  // The rate the server last reported for its line, 0 before it did.
  std::uint32_t ServerBaud() const { return serverBaud_; }

 private:
  enum class State : std::uint8_t { No, Yes, Asked };
  enum class Phase : std::uint8_t { Data, Cr, Iac, Option, Sub, SubIac };
  static bool Supported(std::uint8_t option, bool ours);
  void Negotiate(std::uint8_t verb, std::uint8_t option, std::vector<std::uint8_t>& replies);
  void EndSubnegotiation();
  std::vector<std::uint8_t> Subnegotiation(std::uint8_t command,
                                           std::span<const std::uint8_t> value) const;

  State ours_[256] = {};    // options this side performs (WILL / WONT)
  State theirs_[256] = {};  // options the server performs (DO / DONT)
  Phase phase_ = Phase::Data;
  std::uint8_t verb_ = 0;
  std::vector<std::uint8_t> sub_;
  bool comPortRefused_ = false;
  std::uint32_t serverBaud_ = 0;
};

}  // namespace tarvo::platform::net
