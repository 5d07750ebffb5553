#include "sim/in_process_port.h"

namespace tarvo::sim {

bool InProcessPort::Open(const std::string& path, std::string& reason) {
  if (!openFailure.empty()) {
    reason = openFailure;
    return false;
  }
  openedPath = path;
  open_ = true;
  return true;
}

void InProcessPort::Configure(int speedCode) {
  if (const int baud = platform::BaudOfSpeedCode(speedCode); baud != 0) baud_ = baud;
}

std::int64_t InProcessPort::ByteTimeUs() const {
  const int pace = responder_.faults().paceBaud;
  return pace > 0 ? 10'000'000 / pace : 0;
}

bool InProcessPort::Write(std::span<const std::uint8_t> bytes, std::int64_t deadlineMs) {
  if (!open_) return false;
  if (writeStalls) {
    clock_.AdvanceToUs(deadlineMs * 1000);
    return false;
  }
  // The request takes its wire time to reach the device when the line is paced.
  clock_.AdvanceToUs(clock_.NowUs() + ByteTimeUs() * static_cast<std::int64_t>(bytes.size()));
  std::int64_t at = clock_.NowUs();
  if (!incoming_.empty()) at = std::max(at, incoming_.back().atUs);
  for (const Reply& reply : responder_.Feed(bytes)) {
    PaceReply(reply, at, ByteTimeUs(), [&](std::int64_t atUs, std::uint8_t byte) {
      incoming_.push_back({atUs, byte});
    });
  }
  return true;
}

std::size_t InProcessPort::Read(std::uint8_t* data, std::size_t count, std::int64_t deadlineMs) {
  if (!open_) return 0;
  const std::int64_t deadlineUs = deadlineMs * 1000;
  std::size_t done = 0;
  while (done < count && !incoming_.empty() && incoming_.front().atUs < deadlineUs) {
    clock_.AdvanceToUs(incoming_.front().atUs);
    data[done++] = incoming_.front().byte;
    incoming_.pop_front();
  }
  // A line whose other end has hung up reports it at once; otherwise the wait runs out.
  if (done < count && !(responder_.HungUp() && incoming_.empty())) clock_.AdvanceToUs(deadlineUs);
  return done;
}

void InProcessPort::CancelAndDrain() {
  ++drains;
  drainedBytes += incoming_.size();
  incoming_.clear();
}

}  // namespace tarvo::sim
