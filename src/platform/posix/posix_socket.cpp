#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

#include "platform/net/socket_stream.h"

namespace tarvo::platform::net {

namespace {

ConnectFailure FailureOfErrno(int error) {
  switch (error) {
    case ECONNREFUSED:
      return {ConnectFailure::Kind::Refused, {}};
    case ENETUNREACH:
    case EHOSTUNREACH:
    case EADDRNOTAVAIL:
      return {ConnectFailure::Kind::NoRoute, {}};
    case ETIMEDOUT:
      return {ConnectFailure::Kind::TimedOut, {}};
    default:
      return {ConnectFailure::Kind::Other, std::strerror(error)};
  }
}

class PosixSocket : public SocketStream {
 public:
  explicit PosixSocket(Clock& clock) : clock_(clock) {}
  ~PosixSocket() override { Close(); }
  PosixSocket(const PosixSocket&) = delete;
  PosixSocket& operator=(const PosixSocket&) = delete;

  bool Connect(const NetworkAddress& address, int limitMs, ConnectFailure& failure) override {
    Close();
    const std::int64_t deadline = clock_.NowMs() + limitMs;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(address.port);
    const int looked = ::getaddrinfo(address.host.c_str(), service.c_str(), &hints, &found);
    if (looked != 0) {
      failure = looked == EAI_SYSTEM ? FailureOfErrno(errno)
                                     : ConnectFailure{ConnectFailure::Kind::UnknownHost, {}};
      return false;
    }
    failure = {ConnectFailure::Kind::TimedOut, {}};
    for (const addrinfo* entry = found; entry != nullptr; entry = entry->ai_next) {
      if (ConnectTo(*entry, deadline, failure)) break;
      if (clock_.NowMs() >= deadline) break;
    }
    ::freeaddrinfo(found);
    return fd_ >= 0;
  }

  bool Send(std::span<const std::uint8_t> bytes, std::int64_t deadlineMs) override {
    std::size_t done = 0;
    while (fd_ >= 0 && done < bytes.size()) {
      const ssize_t sent = ::send(fd_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
      if (sent > 0) {
        done += static_cast<std::size_t>(sent);
        continue;
      }
      if (sent < 0 && errno == EINTR) continue;
      if (sent < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return false;
      if (WaitFor(POLLOUT, deadlineMs) <= 0) return false;
    }
    return fd_ >= 0;
  }

  long Receive(std::uint8_t* data, std::size_t capacity, std::int64_t deadlineMs) override {
    for (bool waited = false; fd_ >= 0;) {
      const ssize_t got = ::recv(fd_, data, capacity, 0);
      if (got > 0) return static_cast<long>(got);
      if (got == 0) return -1;  // the server closed the connection
      if (errno == EINTR) continue;
      if (errno != EAGAIN && errno != EWOULDBLOCK) return -1;
      if (waited && clock_.NowMs() >= deadlineMs) return 0;
      const int ready = WaitFor(POLLIN, deadlineMs);
      if (ready < 0) return -1;
      if (ready == 0) return 0;
      waited = true;
    }
    return -1;
  }

  void Close() override {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  bool ConnectTo(const addrinfo& entry, std::int64_t deadline, ConnectFailure& failure) {
    const int fd = ::socket(entry.ai_family, entry.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                            entry.ai_protocol);
    if (fd < 0) {
      failure = FailureOfErrno(errno);
      return false;
    }
    fd_ = fd;
    // A request is a few bytes: it must go out at once, not wait for more.
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    ::setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
    int error = 0;
    if (::connect(fd, entry.ai_addr, entry.ai_addrlen) != 0) {
      error = errno;
      if (error == EINPROGRESS) {
        const int ready = WaitFor(POLLOUT, deadline);
        error = ETIMEDOUT;
        socklen_t length = sizeof error;
        if (ready > 0 && ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0) {
          error = errno;
        }
      }
    }
    if (error == 0) return true;
    // A refusal or a missing route says more than the time-out of another of the host's addresses.
    if (failure.kind == ConnectFailure::Kind::TimedOut || error != ETIMEDOUT) {
      failure = FailureOfErrno(error);
    }
    Close();
    return false;
  }

  // 1 when ready, 0 at the deadline, -1 when the connection failed.
  int WaitFor(short events, std::int64_t deadlineMs) {
    for (;;) {
      const std::int64_t left = deadlineMs - clock_.NowMs();
      if (left <= 0) return 0;
      pollfd entry{fd_, events, 0};
      const int ready = ::poll(&entry, 1, static_cast<int>(left));
      if (ready < 0) {
        if (errno == EINTR) continue;
        return -1;
      }
      if (ready == 0) continue;  // the loop re-checks the deadline against the clock
      // An error or hang-up is seen by the recv, send or getsockopt that follows.
      return 1;
    }
  }

  Clock& clock_;
  int fd_ = -1;
};

}  // namespace

std::unique_ptr<SocketStream> MakeSystemSocket(Clock& clock) {
  return std::make_unique<PosixSocket>(clock);
}

}  // namespace tarvo::platform::net
