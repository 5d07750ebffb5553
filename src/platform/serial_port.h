#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace tarvo::platform {

// Milliseconds on a clock that never jumps. Exchanges measure their limits on it; tests run the
// whole protocol on a virtual one.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::int64_t NowMs() = 0;
  virtual void SleepMs(int milliseconds) = 0;
};

// 1 = 2400, 2 = 4800, 3 = 9600, 4 = 19200 baud; 0 for any other code.
constexpr int BaudOfSpeedCode(int speedCode) {
  switch (speedCode) {
    case 1:
      return 2400;
    case 2:
      return 4800;
    case 3:
      return 9600;
    case 4:
      return 19200;
    default:
      return 0;
  }
}

// How long bytes take on a line at baud, 10 bits each, in whole milliseconds rounded down; 0 when
// the rate is not known.
constexpr std::int64_t WireMs(std::size_t bytes, int baud) {
  return baud > 0 ? static_cast<std::int64_t>(bytes) * 10000 / baud : 0;
}

// One serial line, raw 8N1. Every wait ends at a deadline on the clock the port was made with.
class SerialPort {
 public:
  virtual ~SerialPort() = default;

  // Opens the device for exclusive use. On failure reason says why, in one Russian sentence.
  virtual bool Open(const std::string& path, std::string& reason) = 0;
  // Raw 8N1 with DTR and RTS raised; a speed code outside 1..4 keeps the line's rate.
  virtual void Configure(int speedCode) = 0;
  virtual bool IsOpen() const = 0;
  // The line's rate in baud, 0 when it cannot be told.
  virtual int BaudRate() const = 0;
  // Writes every byte unless the deadline passes or the line fails first.
  virtual bool Write(std::span<const std::uint8_t> bytes, std::int64_t deadlineMs) = 0;
  // Reads until count bytes have arrived, the deadline passes or the line fails; returns how
  // many arrived.
  virtual std::size_t Read(std::uint8_t* data, std::size_t count, std::int64_t deadlineMs) = 0;
  // Drops output not yet sent and input not yet read, so an abandoned exchange leaves nothing
  // behind for the next one.
  virtual void CancelAndDrain() = 0;
  virtual void Close() = 0;
};

}  // namespace tarvo::platform
