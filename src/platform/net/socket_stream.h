#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "platform/net/network_address.h"
#include "platform/serial_port.h"

namespace tarvo::platform::net {

// Why a connection could not be made.
struct ConnectFailure {
  enum class Kind { UnknownHost, Refused, NoRoute, TimedOut, Other };
  Kind kind = Kind::Other;
  std::string detail;  // the system's own words, for Other
};

// One TCP connection of the system the program runs on, without Nagle's delay. Every wait ends
// at a deadline on the clock the stream was made with and blocks in the system until then.
class SocketStream {
 public:
  virtual ~SocketStream() = default;
  // Tries each address the host has until one answers, all within limitMs.
  virtual bool Connect(const NetworkAddress& address, int limitMs, ConnectFailure& failure) = 0;
  // Sends every byte unless the deadline passes or the connection fails first.
  virtual bool Send(std::span<const std::uint8_t> bytes, std::int64_t deadlineMs) = 0;
  // Waits until some bytes arrive and returns how many (up to capacity), 0 when the deadline
  // passes first; a deadline already past only takes what has arrived. -1: the connection is
  // closed or failed.
  virtual long Receive(std::uint8_t* data, std::size_t capacity, std::int64_t deadlineMs) = 0;
  virtual void Close() = 0;
};

// The sockets of the system the program runs on.
std::unique_ptr<SocketStream> MakeSystemSocket(Clock& clock);

}  // namespace tarvo::platform::net
