#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "device/frame.h"
#include "sim/device_model.h"

namespace tarvo::sim {

struct Rejection {
  int address = 0;  // as on the wire: 0, channel, 0x80 + node
  int parameter = 0;
  int code = 3;  // the device error code sent back
};

// Faults injected on demand. Request numbers count the frames the device answers (not the
// silent wake-up), from 1.
struct Faults {
  int noiseBytes = 0;               // sent before every response
  int dropResponseTo = 0;           // this request gets no response
  int badCrcResponseTo = 0;         // this request's response has a wrong CRC
  int responseDelayMs = 0;          // device turnaround before each response
  std::optional<Rejection> reject;  // a CMD_WRITE of this parameter is refused
  int paceBaud = 0;                 // bytes go out at this rate, 10 bits each; 0 = at once
  int hangUpAfter = 0;              // the line goes dead after this many responses; 0 = never
};

// Between the line and the device model: assembles 10-byte requests from the bytes received
// (skipping noise), asks the model, and applies the faults to the response.
class Responder {
 public:
  Responder(DeviceModel& device, Faults faults) : device_(device), faults_(faults) {}

  // Responses to the requests these bytes complete, in order.
  std::vector<std::vector<std::uint8_t>> Feed(std::span<const std::uint8_t> bytes);

  bool HungUp() const { return hungUp_; }
  const Faults& faults() const { return faults_; }
  DeviceModel& device() { return device_; }

  // Every request frame taken from the line, wake-ups included.
  std::vector<device::RequestFrame> received;
  // Replaces the model's response when it returns one (tests build malformed responses here).
  std::function<std::optional<std::vector<std::uint8_t>>(const device::RequestFrame&)> intercept;
  // Sees each request ('<') and each response sent ('>').
  std::function<void(char direction, std::span<const std::uint8_t> bytes)> trace;

 private:
  std::optional<std::vector<std::uint8_t>> Respond(const device::RequestFrame& request);

  DeviceModel& device_;
  Faults faults_;
  std::vector<std::uint8_t> pending_;
  int answered_ = 0;
  bool hungUp_ = false;
};

}  // namespace tarvo::sim
