#pragma once

#include <memory>

#include "platform/serial_port.h"

namespace tarvo::platform::net {

// A line opened by its name: a network serial server for tcp:// and rfc2217://, the serial
// device otherwise. Every call goes to the one the last Open chose.
class PortByName : public SerialPort {
 public:
  PortByName(std::unique_ptr<SerialPort> device, std::unique_ptr<SerialPort> network)
      : device_(std::move(device)), network_(std::move(network)) {}

  bool Open(const std::string& path, std::string& reason) override;
  void Configure(int speedCode) override { active_->Configure(speedCode); }
  bool IsOpen() const override { return active_->IsOpen(); }
  int BaudRate() const override { return active_->BaudRate(); }
  bool Write(std::span<const std::uint8_t> bytes, std::int64_t deadlineMs) override {
    return active_->Write(bytes, deadlineMs);
  }
  std::size_t Read(std::uint8_t* data, std::size_t count, std::int64_t deadlineMs) override {
    return active_->Read(data, count, deadlineMs);
  }
  void CancelAndDrain() override { active_->CancelAndDrain(); }
  void Close() override { active_->Close(); }

 private:
  std::unique_ptr<SerialPort> device_;
  std::unique_ptr<SerialPort> network_;
  SerialPort* active_ = device_.get();
};

}  // namespace tarvo::platform::net
