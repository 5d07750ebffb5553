#include "device/device_link.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "device/exchange_messages.h"

namespace tarvo::device {

namespace {

constexpr std::int64_t kWriteLimitMs = 1000;
constexpr std::int64_t kStartByteLimitMs = 5000;
constexpr std::int64_t kPartLimitMs = 1000;
// How long after a frame that looks like the start of its own request the rest of that request
// may still come back from an echoing adapter.
constexpr std::int64_t kEchoGraceMs = 50;
constexpr int kWakeUpPauseMs = 2000;
// The longest a wait goes without looking at the stop request.
constexpr std::int64_t kStopSliceMs = 100;
// A line whose rate cannot be told is timed as the slowest rate the dialogs offer, halved.
constexpr int kUnknownBaud = 1200;

}  // namespace

DeviceLink::DeviceLink(platform::SerialPort& port, platform::Clock& clock, platform::Ui& ui)
    : port_(port), clock_(clock), ui_(ui) {}

DeviceLink::~DeviceLink() {
  ClosePort();
}

bool DeviceLink::OpenPort(const model::ParameterSet& set) {
  std::string path = portPath;
  if (path.empty()) {
    const platform::PortLookup lookup = platform::DevicePathOfPort(set.comPort, portMap);
    if (!lookup.ok) return ShowExchangeError(std::string(kPortOpenError) + "\n" + lookup.reason);
    path = lookup.path;
  }
  std::string reason;
  if (!port_.Open(path, reason)) {
    return ShowExchangeError(std::string(kPortOpenError) + "\n" + reason);
  }
  abandoned_ = false;
  ConfigurePort(set.speedCode);
  return true;
}

void DeviceLink::ConfigurePort(int speedCode) {
  port_.Configure(speedCode);
  baud_ = platform::BaudOfSpeedCode(speedCode);
  if (baud_ == 0) baud_ = port_.BaudRate();
  if (baud_ == 0) baud_ = kUnknownBaud;
}

bool DeviceLink::SendRequest() {
  if (StopRequested()) return false;
  request.Seal();
  const std::uint8_t command = request.Command();
  if (command == kCmdWrite || command == kCmdWriteText) deviceChanged_ = true;
  ++requestsSent;
  bytesSent += kRequestSize;
  if (trace) trace('>', request.bytes);
  return port_.Write(request.bytes, clock_.NowMs() + kWriteLimitMs);
}

bool DeviceLink::Receive(std::size_t offset, std::size_t count, std::int64_t deadlineMs) {
  std::size_t got = 0;
  // The wait goes in slices so that a stop is seen within one of them.
  for (;;) {
    const std::int64_t slice = std::min(deadlineMs, clock_.NowMs() + kStopSliceMs);
    got += port_.Read(response.bytes.data() + offset + got, count - got, slice);
    if (got == count || StopRequested() || slice >= deadlineMs) break;
    // A wait that ends before its slice has run out is a line that failed.
    if (clock_.NowMs() < slice) break;
  }
  response.length = offset + got;
  bytesReceived += static_cast<std::int64_t>(got);
  return got == count;
}

void DeviceLink::TraceResponse() {
  if (trace && response.length > 0) {
    trace('<', std::span<const std::uint8_t>(response.bytes.data(), response.length));
  }
}

bool DeviceLink::ReceiveResponse() {
  cursor = 3;
  errorCode = 0;
  response.bytes[0] = 0xFF;
  response.length = 0;
  const std::int64_t start = clock_.NowMs();
  // Some RS-485 adapters send the request back before the answer: a whole copy of the request is
  // skipped, and the 5 s limit keeps running from the first wait.
  for (;;) {
    if (!ReceiveStartByte(start)) return false;
    const FramePart part = ReceiveFrameAfterStartByte();
    TraceResponse();
    if (part == FramePart::Failed) return false;
    if (part == FramePart::Response) break;
    if (clock_.NowMs() >= start + kStartByteLimitMs) return false;
  }
  if (Crc16(response.bytes.data(), response.length) != 0) return false;
  ++answered;
  if (progress != nullptr) progress->Step();
  if (response.IsError()) {
    // An error response without a data byte carries no device code.
    errorCode = response.DataLength() > 0 ? response.bytes[3] : 0;
    return false;
  }
  return true;
}

bool DeviceLink::ReceiveStartByte(std::int64_t start) {
  // Bytes before the start byte are noise; the 5 s limit runs from the first wait.
  for (;;) {
    if (!Receive(0, 1, start + kStartByteLimitMs)) return false;
    if (response.bytes[0] == kStartByte) return true;
    // A line that never stops sending noise must not keep the wait open past its limit.
    if (clock_.NowMs() >= start + kStartByteLimitMs) return false;
  }
}

std::int64_t DeviceLink::WireMs(std::size_t bytes) const {
  return static_cast<std::int64_t>(std::ceil(bytes * 10.0 * 1000.0 / static_cast<double>(baud_)));
}

DeviceLink::FramePart DeviceLink::ReceiveFrameAfterStartByte() {
  if (!Receive(1, 1, clock_.NowMs() + kPartLimitMs) ||
      !Receive(2, 1, clock_.NowMs() + kPartLimitMs)) {
    return FramePart::Failed;
  }
  const std::size_t length = response.bytes[2] + 5u;
  // The data part may be longer on the wire than a flat second: add its time at 10 bits a byte.
  const std::int64_t deadline =
      clock_.NowMs() + kPartLimitMs + WireMs(std::max(length, kRequestSize) - 3);
  // While the bytes repeat the request they may be its echo, so they are taken one at a time.
  std::size_t have = 3;
  auto repeatsRequest = [&] {
    return std::equal(response.bytes.begin(), response.bytes.begin() + have, request.bytes.begin());
  };
  while (have < kRequestSize && repeatsRequest()) {
    if (have == length && Crc16(response.bytes.data(), have) == 0) {
      // A sound frame that begins like the request: a response, unless the rest of the request
      // follows at once.
      const std::int64_t graceEnd = clock_.NowMs() + kEchoGraceMs + WireMs(kRequestSize - have);
      if (!Receive(have, 1, std::min(deadline, graceEnd))) {
        response.length = length;
        return FramePart::Response;
      }
    } else if (!Receive(have, 1, deadline)) {
      return FramePart::Failed;
    }
    ++have;
  }
  if (have == kRequestSize && repeatsRequest()) return FramePart::Echo;
  if (have < length && !Receive(have, length - have, deadline)) return FramePart::Failed;
  // A byte read past the frame while it could still have been the echo belongs to no response.
  response.length = length;
  return FramePart::Response;
}

void DeviceLink::ClosePort() {
  if (!port_.IsOpen()) return;
  if (abandoned_) port_.CancelAndDrain();
  port_.Close();
}

void DeviceLink::BeginProcedure(Procedure procedure, platform::Progress* bar) {
  procedure_ = procedure;
  progress = bar;
  answered = 0;
  expected = 0;
  stopped_ = false;
  stopReported_ = false;
  deviceChanged_ = false;
}

bool DeviceLink::StopRequested() {
  if (!stopped_ && stop != nullptr && stop->load()) stopped_ = true;
  return stopped_;
}

std::string DeviceLink::StopMessage() const {
  switch (procedure_) {
    case Procedure::Read:
      return kReadStopped;
    case Procedure::WriteParameters:
      return deviceChanged_ ? kWriteStoppedPart : kWriteStoppedUnchanged;
    case Procedure::WriteTexts:
      return deviceChanged_ ? kTextsStoppedPart : kWriteStoppedUnchanged;
  }
  return kReadStopped;
}

void DeviceLink::EndProcedure() {
  progress = nullptr;
  if (!port_.IsOpen()) return;
  // A late answer or an unsent frame must not reach the next exchange on this line.
  port_.CancelAndDrain();
  port_.Close();
}

bool DeviceLink::DataAtCursor(std::size_t count) const {
  return cursor >= 3 && cursor + count <= 3 + response.DataLength();
}

bool DeviceLink::TakeFloat(model::Float32& out, int skip) {
  Value4 raw{};
  const bool ok = TakeRaw(raw, skip);
  std::uint32_t bits = 0;
  for (int i = 3; i >= 0; --i) bits = (bits << 8) | raw[i];
  out.bits = bits;
  const float value = out.Value();
  if (!ok || ((value == 0.0f || std::isnan(value)) && !keepZeroValues)) out.SetNotSet();
  return ok;
}

bool DeviceLink::TakeRaw(Value4& out, int skip) {
  const bool ok = DataAtCursor(4);
  // Never decode what this response did not carry.
  if (ok) {
    std::memcpy(out.data(), response.bytes.data() + cursor, 4);
  } else {
    out = {0xFF, 0xFF, 0xFF, 0xFF};
  }
  cursor = static_cast<std::uint16_t>(cursor + 4 + 4 * skip);
  return ok;
}

bool DeviceLink::TakeHexDigits(char (&out)[9], int skip) {
  Value4 raw{};
  const bool ok = TakeRaw(raw, skip);
  static constexpr char kDigits[] = "0123456789ABCDEF";
  for (int i = 0; i < 4; ++i) {
    out[2 * i] = kDigits[raw[i] >> 4];
    out[2 * i + 1] = kDigits[raw[i] & 0x0F];
  }
  out[8] = 0;
  return ok;
}

bool DeviceLink::ShowExchangeError(const std::string& text) {
  if (stopped_) {
    if (!stopReported_) {
      stopReported_ = true;
      ui_.ShowMessage(StopMessage(), "", platform::Icon::Warning, platform::Buttons::Ok);
    }
    return false;
  }
  ui_.ShowMessage(text, "", platform::Icon::Error, platform::Buttons::Ok);
  return false;
}

void DeviceLink::ShowNotice(const std::string& text) {
  ui_.ShowMessage(text, "", platform::Icon::None, platform::Buttons::Ok);
}

bool DeviceLink::WakeUp() {
  request = RequestFrame::WakeUp();
  if (!SendRequest()) return false;
  for (int slept = 0; slept < kWakeUpPauseMs; slept += kStopSliceMs) {
    if (StopRequested()) return false;
    clock_.SleepMs(static_cast<int>(std::min<std::int64_t>(kStopSliceMs, kWakeUpPauseMs - slept)));
  }
  if (StopRequested()) return false;
  // The device does not answer the wake-up, but an echoing adapter sends it back: it must not
  // stand before the identification's response.
  port_.CancelAndDrain();
  return true;
}

bool DeviceLink::Abandon(const std::string& text) {
  abandoned_ = true;
  port_.CancelAndDrain();
  return ShowExchangeError(text);
}

}  // namespace tarvo::device
