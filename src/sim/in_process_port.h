#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <string>

#include "platform/serial_port.h"
#include "sim/responder.h"

namespace tarvo::sim {

// A clock that moves only when the line waits or the program sleeps.
class VirtualClock : public platform::Clock {
 public:
  std::int64_t NowMs() override { return nowUs_ / 1000; }
  void SleepMs(int milliseconds) override {
    if (milliseconds > 0) nowUs_ += std::int64_t{milliseconds} * 1000;
  }
  std::int64_t NowUs() const { return nowUs_; }
  void AdvanceToUs(std::int64_t us) { nowUs_ = std::max(nowUs_, us); }

 private:
  std::int64_t nowUs_ = 0;
};

// The simulated device as a serial port in the same process: requests are answered at once, and
// the bytes of each response arrive on the virtual clock after the turnaround and, when paced,
// at the line's rate. Waiting for bytes that never come moves the clock to the deadline.
class InProcessPort : public platform::SerialPort {
 public:
  InProcessPort(DeviceModel& device, VirtualClock& clock, Faults faults = {})
      : responder_(device, faults), clock_(clock) {}

  bool Open(const std::string& path, std::string& reason) override;
  void Configure(int speedCode) override;
  bool IsOpen() const override { return open_; }
  int BaudRate() const override { return baud_; }
  bool Write(std::span<const std::uint8_t> bytes, std::int64_t deadlineMs) override;
  std::size_t Read(std::uint8_t* data, std::size_t count, std::int64_t deadlineMs) override;
  void CancelAndDrain() override;
  void Close() override { open_ = false; }

  Responder& responder() { return responder_; }

  // What the tests look at and arrange.
  std::string openedPath;
  std::string openFailure;   // when not empty, Open fails with this reason
  bool writeStalls = false;  // writes never complete
  int drains = 0;
  // Bytes received but not yet read when the port was drained.
  std::size_t drainedBytes = 0;

 private:
  struct Arrival {
    std::int64_t atUs;
    std::uint8_t byte;
  };
  std::int64_t ByteTimeUs() const;

  Responder responder_;
  VirtualClock& clock_;
  std::deque<Arrival> incoming_;
  bool open_ = false;
  int baud_ = 9600;
};

}  // namespace tarvo::sim
