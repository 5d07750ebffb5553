#include "sim/line_serving.h"

#include <fcntl.h>
#include <poll.h>
#include <time.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <deque>

namespace tarvo::sim {

namespace {

std::int64_t NowUs() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::int64_t>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

void SleepUs(std::int64_t us) {
  timespec pause{static_cast<time_t>(us / 1000000), static_cast<long>(us % 1000000) * 1000};
  ::nanosleep(&pause, nullptr);
}

// Nobody holds the terminal's other end: look again after this long.
constexpr std::int64_t kIdleCheckUs = 20000;
// Longest poll wait, so a stop request is seen even without a signal.
constexpr int kMaxWaitMs = 200;

}  // namespace

LineEnd ServeLine(int fd, bool connection, Responder& responder, const std::atomic<bool>& stop,
                  const std::function<void()>& onRequestBytes) {
  const Faults& faults = responder.faults();
  const std::int64_t byteUs = faults.paceBaud > 0 ? 10000000 / faults.paceBaud : 0;
  struct Out {
    std::int64_t atUs;
    std::uint8_t byte;
  };
  std::deque<Out> out;
  std::uint8_t buffer[512];
  while (!stop) {
    const std::int64_t now = NowUs();
    std::size_t due = 0;
    std::uint8_t chunk[512];
    while (due < out.size() && due < sizeof chunk && out[due].atUs <= now) {
      chunk[due] = out[due].byte;
      ++due;
    }
    bool outputBlocked = false;
    if (due > 0) {
      const ssize_t wrote = ::write(fd, chunk, due);
      if (wrote > 0) out.erase(out.begin(), out.begin() + wrote);
      outputBlocked = wrote <= 0;
    }
    if (responder.HungUp() && out.empty()) return LineEnd::HungUp;

    // Wait to the microsecond: a whole-millisecond poll would add up to 1 ms to every response.
    std::int64_t waitUs = std::int64_t{kMaxWaitMs} * 1000;
    // A program that stops reading fills the terminal: then wait until it has room again.
    if (!out.empty() && !outputBlocked) {
      waitUs = std::clamp<std::int64_t>(out.front().atUs - now, 0, waitUs);
    }
    const timespec timeout{static_cast<time_t>(waitUs / 1000000),
                           static_cast<long>(waitUs % 1000000) * 1000};
    pollfd entry{fd, static_cast<short>(outputBlocked ? POLLIN | POLLOUT : POLLIN), 0};
    const int ready = ::ppoll(&entry, 1, &timeout, nullptr);
    if (ready < 0) continue;  // interrupted: the loop checks stop
    if (ready == 0) continue;
    if (entry.revents & POLLIN) {
      const ssize_t got = ::read(fd, buffer, sizeof buffer);
      if (got <= 0 && connection && !(got < 0 && errno == EAGAIN)) return LineEnd::PeerLeft;
      if (got <= 0) {
        SleepUs(kIdleCheckUs);
        continue;
      }
      if (onRequestBytes) onRequestBytes();
      const std::int64_t received = NowUs() + byteUs * got;
      std::int64_t at = out.empty() ? received : std::max(received, out.back().atUs);
      for (const Reply& reply :
           responder.Feed(std::span<const std::uint8_t>(buffer, static_cast<std::size_t>(got)))) {
        PaceReply(reply, at, byteUs, [&](std::int64_t atUs, std::uint8_t byte) {
          out.push_back({atUs, byte});
        });
      }
    } else if (entry.revents & (POLLHUP | POLLERR)) {
      if (connection) return LineEnd::PeerLeft;
      // No program has the terminal open; poll would report this without waiting. What was not
      // delivered belongs to the program that left.
      out.clear();
      SleepUs(kIdleCheckUs);
    }
  }
  return LineEnd::Stopped;
}

}  // namespace tarvo::sim
