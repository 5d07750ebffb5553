#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "device/device_link.h"
#include "fakes/recording_ui.h"
#include "sim/configuration_image.h"
#include "sim/in_process_port.h"

namespace tarvo::testing {

// A device link wired to the in-process simulated device on a virtual clock.
struct SimulatedExchange {
  explicit SimulatedExchange(std::uint8_t executionCode, std::uint8_t version,
                             sim::Faults faults = {})
      : device({executionCode, version, {0, 0}}),
        port(device, clock, faults),
        link(port, clock, ui),
        executionCode_(executionCode),
        version_(version) {
    link.portPath = "/dev/simulated";
  }

  // A new configuration of the device's execution, which the device then holds too.
  void HoldNewConfiguration(model::ParameterSet& set) {
    model::MakeNewConfiguration(set, executionCode_, version_);
    std::string message;
    EXPECT_TRUE(sim::LoadConfiguration(device, set, message)) << message;
  }

  // The requests the device received with the given command, wake-ups left out.
  std::vector<device::RequestFrame> Requests(std::uint8_t command) const {
    std::vector<device::RequestFrame> out;
    for (const auto& frame : port.responder().received) {
      if (frame.bytes[0] == device::kStartByte && frame.Command() == command) out.push_back(frame);
    }
    return out;
  }
  // Whether a read of (address, first, count) was requested.
  bool Requested(int address, int first, int count) const {
    for (std::uint8_t command : {device::kCmdRead, device::kCmdReadEx}) {
      for (const auto& f : Requests(command)) {
        if (f.Address() == address && f.Parameter() == first && f.Argument()[0] == count) {
          return true;
        }
      }
    }
    return false;
  }
  // Whether a write of (address, parameter) was sent.
  bool Written(int address, int parameter) const {
    const auto writes = Requests(device::kCmdWrite);
    return std::any_of(writes.begin(), writes.end(), [&](const device::RequestFrame& f) {
      return f.Address() == address && f.Parameter() == parameter;
    });
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& m : ui.messages) texts.push_back(m.text);
    return texts;
  }

  sim::DeviceModel device;
  sim::VirtualClock clock;
  mutable sim::InProcessPort port;
  RecordingUi ui;
  device::DeviceLink link;

 private:
  std::uint8_t executionCode_;
  std::uint8_t version_;
};

}  // namespace tarvo::testing
