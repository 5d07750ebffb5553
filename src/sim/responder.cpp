#include "sim/responder.h"

#include <algorithm>

namespace tarvo::sim {

namespace {

constexpr std::uint8_t kNoise[] = {0x00, 0x55, 0xAA, 0xFF, 0x13};

}  // namespace

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
