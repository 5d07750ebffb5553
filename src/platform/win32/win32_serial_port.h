#pragma once

#include "platform/serial_port.h"

namespace tarvo::platform::win32 {

// A Win32 communications port (\\.\COMn). Every read and write is given the time left to its
// deadline through COMMTIMEOUTS, so waits block in the driver and never spin.
class Win32SerialPort : public SerialPort {
 public:
  explicit Win32SerialPort(Clock& clock) : clock_(clock) {}
  ~Win32SerialPort() override { Close(); }
  Win32SerialPort(const Win32SerialPort&) = delete;
  Win32SerialPort& operator=(const Win32SerialPort&) = delete;

  bool Open(const std::string& path, std::string& reason) override;
  void Configure(int speedCode) override;
  bool IsOpen() const override { return handle_ != nullptr; }
  int BaudRate() const override;
  bool Write(std::span<const std::uint8_t> bytes, std::int64_t deadlineMs) override;
  std::size_t Read(std::uint8_t* data, std::size_t count, std::int64_t deadlineMs) override;
  void CancelAndDrain() override;
  void Close() override;

 private:
  // Gives the next read or write at most the time left to the deadline; false when none is left
  // or the driver refuses.
  bool LimitTo(std::int64_t deadlineMs);

  Clock& clock_;
  void* handle_ = nullptr;  // HANDLE, kept out of this header with <windows.h>
};

// Why a port could not be opened (error is GetLastError's), for the line under the port message.
std::string OpenFailureReason(const std::string& path, unsigned long error);

}  // namespace tarvo::platform::win32
