#include "sim/responder.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace tarvo::sim {

namespace {

constexpr std::uint8_t kNoise[] = {0x00, 0x55, 0xAA, 0xFF, 0x13};

}  // namespace

device::Value4 AlteredValue(device::Value4 value) {
  std::uint32_t bits = 0;
  for (int i = 3; i >= 0; --i) bits = bits << 8 | value[i];
  const float number = std::bit_cast<float>(bits);
  bits = std::isfinite(number) ? std::bit_cast<std::uint32_t>(number + 1.0f) : bits ^ 1u;
  for (int i = 0; i < 4; ++i) value[i] = static_cast<std::uint8_t>(bits >> (8 * i));
  return value;
}

std::vector<Reply> Responder::Feed(std::span<const std::uint8_t> bytes) {
  std::vector<Reply> replies;
  if (hungUp_) return replies;
  pending_.insert(pending_.end(), bytes.begin(), bytes.end());
  while (pending_.size() >= device::kRequestSize) {
    device::RequestFrame frame;
    std::copy_n(pending_.begin(), device::kRequestSize, frame.bytes.begin());
    if (!frame.CrcOk()) {
      pending_.erase(pending_.begin());  // out of step: slide by one byte
      continue;
    }
    pending_.erase(pending_.begin(), pending_.begin() + device::kRequestSize);
    received.push_back(frame);
    if (trace) trace('<', frame.bytes);
    Reply reply;
    if (faults_.echo) reply.echo.assign(frame.bytes.begin(), frame.bytes.end());
    if (auto response = Respond(frame, reply.turnaroundMs)) {
      if (trace) trace('>', *response);
      reply.bytes = std::move(*response);
    }
    // A pulled adapter echoes nothing either.
    if (hungUp_) reply.echo.clear();
    if (!reply.echo.empty() || !reply.bytes.empty()) replies.push_back(std::move(reply));
    if (hungUp_) break;
  }
  return replies;
}

std::optional<std::vector<std::uint8_t>> Responder::Respond(const device::RequestFrame& request,
                                                            int& turnaroundMs) {
  std::optional<std::vector<std::uint8_t>> response;
  if (intercept) response = intercept(request);
  if (!response) {
    const Rejection* reject = faults_.reject ? &*faults_.reject : nullptr;
    if (reject != nullptr && request.bytes[0] == device::kStartByte &&
        request.Command() == device::kCmdWrite && request.Address() == reject->address &&
        request.Parameter() == reject->parameter) {
      response = ErrorResponse(reject->code);
    } else {
      response = device_.Answer(request);
      const CellAddress* alter = faults_.alter ? &*faults_.alter : nullptr;
      if (alter != nullptr && request.bytes[0] == device::kStartByte &&
          request.Command() == device::kCmdWrite && request.Address() == alter->address &&
          request.Parameter() == alter->parameter) {
        device_.SetCell(alter->address, alter->parameter, AlteredValue(request.Argument()));
      }
    }
  }
  if (!response) return std::nullopt;
  const int number = ++answered_;
  if (faults_.hangUpAfter > 0 && number > faults_.hangUpAfter) {
    hungUp_ = true;
    return std::nullopt;
  }
  if (number == faults_.dropResponseTo) return std::nullopt;
  if (number == faults_.badCrcResponseTo) response->back() ^= 0x5A;
  turnaroundMs =
      number == faults_.slowResponseTo ? faults_.slowResponseMs : faults_.responseDelayMs;
  if (number == faults_.stallResponseTo) {
    response->resize(std::min<std::size_t>(response->size(), faults_.stallAfterBytes));
  }
  if (faults_.noiseBytes > 0) {
    std::vector<std::uint8_t> noisy;
    for (int i = 0; i < faults_.noiseBytes; ++i) noisy.push_back(kNoise[i % std::size(kNoise)]);
    noisy.insert(noisy.end(), response->begin(), response->end());
    response = std::move(noisy);
  }
  return response;
}

}  // namespace tarvo::sim
