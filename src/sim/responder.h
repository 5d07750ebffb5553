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

// A parameter written through CMD_WRITE: address as on the wire, parameter number.
struct CellAddress {
  int address = 0;
  int parameter = 0;
};

// Faults injected on demand. Request numbers count the frames the device answers (not the
// silent wake-up), from 1.
struct Faults {
  int noiseBytes = 0;               // sent before every response
  int dropResponseTo = 0;           // this request gets no response
  int badCrcResponseTo = 0;         // this request's response has a wrong CRC
  int responseDelayMs = 0;          // device turnaround before each response
  std::optional<Rejection> reject;  // a CMD_WRITE of this parameter is refused
  // A CMD_WRITE of this parameter is acknowledged, but the device keeps another value.
  std::optional<CellAddress> alter;
  int paceBaud = 0;        // bytes go out at this rate, 10 bits each; 0 = at once
  int hangUpAfter = 0;     // the line goes dead after this many responses; 0 = never
  bool echo = false;       // every request, wake-ups too, comes back before any response
  int slowResponseTo = 0;  // this request's response alone waits slowResponseMs
  int slowResponseMs = 0;
  int stallResponseTo = 0;  // this request's response stops after stallAfterBytes, the line quiet
  int stallAfterBytes = 0;
};

// What a device that garbles a write keeps instead of value: a float one more, other bits with
// the lowest one turned.
device::Value4 AlteredValue(device::Value4 value);

// What goes back on the line for one request.
struct Reply {
  std::vector<std::uint8_t> echo;   // the request itself, sent back by the adapter at once
  int turnaroundMs = 0;             // the device's pause before it answers
  std::vector<std::uint8_t> bytes;  // noise and response, empty when the device stays silent
};

// Hands send each byte of the reply with the moment, in microseconds, it has fully arrived: the
// echo from atUs on, the rest after the turnaround, byteUs apart. atUs ends after the last byte.
template <typename Send>
void PaceReply(const Reply& reply, std::int64_t& atUs, std::int64_t byteUs, Send send) {
  for (std::uint8_t byte : reply.echo) send(atUs += byteUs, byte);
  atUs += std::int64_t{reply.turnaroundMs} * 1000;
  for (std::uint8_t byte : reply.bytes) send(atUs += byteUs, byte);
}

// Between the line and the device model: assembles 10-byte requests from the bytes received
// (skipping noise), asks the model, and applies the faults to the response.
class Responder {
 public:
  Responder(DeviceModel& device, Faults faults) : device_(device), faults_(faults) {}

  // Replies to the requests these bytes complete, in order; a request that gets neither an echo
  // nor a response has none.
  std::vector<Reply> Feed(std::span<const std::uint8_t> bytes);

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
  std::optional<std::vector<std::uint8_t>> Respond(const device::RequestFrame& request,
                                                   int& turnaroundMs);

  DeviceModel& device_;
  Faults faults_;
  std::vector<std::uint8_t> pending_;
  int answered_ = 0;
  bool hungUp_ = false;
};

}  // namespace tarvo::sim
