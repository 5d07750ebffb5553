#include "platform/system_port.h"

#include "platform/win32/win32_steady_clock.h"

namespace tarvo::platform {

namespace {

// Stands where the Win32 serial port goes until there is one: every open is refused with a
// reason, so an exchange ends with a message instead of a crash.
class UnavailableSerialPort : public SerialPort {
 public:
  bool Open(const std::string&, std::string& reason) override {
    reason = "Обмен через последовательный порт в этой сборке для Windows еще не поддерживается.";
    return false;
  }
  void Configure(int) override {}
  bool IsOpen() const override { return false; }
  int BaudRate() const override { return 0; }
  bool Write(std::span<const std::uint8_t>, std::int64_t) override { return false; }
  std::size_t Read(std::uint8_t*, std::size_t, std::int64_t) override { return 0; }
  void CancelAndDrain() override {}
  void Close() override {}
};

}  // namespace

Clock& SystemClock() {
  static win32::SteadyClock clock;
  return clock;
}

std::unique_ptr<SerialPort> MakeSystemSerialPort(Clock&) {
  return std::make_unique<UnavailableSerialPort>();
}

}  // namespace tarvo::platform
