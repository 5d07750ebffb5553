#pragma once

#include "platform/serial_port.h"

namespace tarvo::platform::posix {

// A termios serial line. Waits block in poll() until data, room or the deadline; they never spin.
// Once part of a read has come, the rest is given its time on the wire before the next look, so a
// response wakes the program a few times rather than once a byte.
class PosixSerialPort : public SerialPort {
 public:
  explicit PosixSerialPort(Clock& clock) : clock_(clock) {}
  ~PosixSerialPort() override { Close(); }
  PosixSerialPort(const PosixSerialPort&) = delete;
  PosixSerialPort& operator=(const PosixSerialPort&) = delete;

  bool Open(const std::string& path, std::string& reason) override;
  void Configure(int speedCode) override;
  bool IsOpen() const override { return fd_ >= 0; }
  int BaudRate() const override;
  bool Write(std::span<const std::uint8_t> bytes, std::int64_t deadlineMs) override;
  std::size_t Read(std::uint8_t* data, std::size_t count, std::int64_t deadlineMs) override;
  void CancelAndDrain() override;
  void Close() override;

 private:
  // Blocks until the descriptor is ready for events or the deadline; false on time-out or hang-up.
  bool WaitFor(short events, std::int64_t deadlineMs);

  Clock& clock_;
  int fd_ = -1;
  int baud_ = 0;  // as Configure set it
};

// Why a serial device could not be opened, for the line under the port message.
std::string OpenFailureReason(const std::string& path, int error);

}  // namespace tarvo::platform::posix
