#include <winsock2.h>
#include <ws2tcpip.h>

#include "platform/net/socket_stream.h"

namespace tarvo::platform::net {

namespace {

ConnectFailure FailureOfError(int error) {
  switch (error) {
    case WSAECONNREFUSED:
      return {ConnectFailure::Kind::Refused, {}};
    case WSAENETUNREACH:
    case WSAEHOSTUNREACH:
    case WSAEADDRNOTAVAIL:
      return {ConnectFailure::Kind::NoRoute, {}};
    case WSAETIMEDOUT:
      return {ConnectFailure::Kind::TimedOut, {}};
    case WSAHOST_NOT_FOUND:
    case WSANO_DATA:
    case WSATRY_AGAIN:
    case WSANO_RECOVERY:
      return {ConnectFailure::Kind::UnknownHost, {}};
    default:
      return {ConnectFailure::Kind::Other, "ошибка Windows " + std::to_string(error)};
  }
}

// Winsock is started once for the process and left running to its end.
bool WinsockStarted() {
  static const bool started = [] {
    WSADATA data{};
    return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  return started;
}

class WinsockSocket : public SocketStream {
 public:
  explicit WinsockSocket(Clock& clock) : clock_(clock) {}
  ~WinsockSocket() override { Close(); }
  WinsockSocket(const WinsockSocket&) = delete;
  WinsockSocket& operator=(const WinsockSocket&) = delete;

  bool Connect(const NetworkAddress& address, int limitMs, ConnectFailure& failure) override {
    Close();
    if (!WinsockStarted()) {
      failure = FailureOfError(::WSAGetLastError());
      return false;
    }
    const std::int64_t deadline = clock_.NowMs() + limitMs;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(address.port);
    const int looked = ::getaddrinfo(address.host.c_str(), service.c_str(), &hints, &found);
    if (looked != 0) {
      failure = FailureOfError(looked);
      if (failure.kind == ConnectFailure::Kind::Other)
        failure.kind = ConnectFailure::Kind::UnknownHost;
      return false;
    }
    failure = {ConnectFailure::Kind::TimedOut, {}};
    for (const addrinfo* entry = found; entry != nullptr; entry = entry->ai_next) {
      if (ConnectTo(*entry, deadline, failure)) break;
      if (clock_.NowMs() >= deadline) break;
    }
    ::freeaddrinfo(found);
    return socket_ != INVALID_SOCKET;
  }

  bool Send(std::span<const std::uint8_t> bytes, std::int64_t deadlineMs) override {
    std::size_t done = 0;
    while (socket_ != INVALID_SOCKET && done < bytes.size()) {
      const int sent = ::send(socket_, reinterpret_cast<const char*>(bytes.data() + done),
                              static_cast<int>(bytes.size() - done), 0);
      if (sent > 0) {
        done += static_cast<std::size_t>(sent);
        continue;
      }
      if (sent == SOCKET_ERROR && ::WSAGetLastError() != WSAEWOULDBLOCK) return false;
      if (WaitFor(false, deadlineMs) <= 0) return false;
    }
    return socket_ != INVALID_SOCKET;
  }

  long Receive(std::uint8_t* data, std::size_t capacity, std::int64_t deadlineMs) override {
    for (bool waited = false; socket_ != INVALID_SOCKET;) {
      const int got = ::recv(socket_, reinterpret_cast<char*>(data), static_cast<int>(capacity), 0);
      if (got > 0) return got;
      if (got == 0) return -1;  // the server closed the connection
      if (::WSAGetLastError() != WSAEWOULDBLOCK) return -1;
      if (waited && clock_.NowMs() >= deadlineMs) return 0;
      const int ready = WaitFor(true, deadlineMs);
      if (ready < 0) return -1;
      if (ready == 0) return 0;
      waited = true;
    }
    return -1;
  }

  void Close() override {
    if (socket_ != INVALID_SOCKET) ::closesocket(socket_);
    socket_ = INVALID_SOCKET;
  }

 private:
  bool ConnectTo(const addrinfo& entry, std::int64_t deadline, ConnectFailure& failure) {
    const SOCKET s = ::socket(entry.ai_family, entry.ai_socktype, entry.ai_protocol);
    if (s == INVALID_SOCKET) {
      failure = FailureOfError(::WSAGetLastError());
      return false;
    }
    socket_ = s;
    u_long nonBlocking = 1;
    ::ioctlsocket(s, FIONBIO, &nonBlocking);
    // A request is a few bytes: it must go out at once, not wait for more.
    const BOOL on = TRUE;
    ::setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
    ::setsockopt(s, SOL_SOCKET, SO_KEEPALIVE, reinterpret_cast<const char*>(&on), sizeof on);
    int error = 0;
    if (::connect(s, entry.ai_addr, static_cast<int>(entry.ai_addrlen)) == SOCKET_ERROR) {
      error = ::WSAGetLastError();
      if (error == WSAEWOULDBLOCK) error = AwaitConnection(deadline);
    }
    if (error == 0) return true;
    // A refusal or a missing route says more than the time-out of another of the host's addresses.
    if (failure.kind == ConnectFailure::Kind::TimedOut || error != WSAETIMEDOUT) {
      failure = FailureOfError(error);
    }
    Close();
    return false;
  }

  // 0 once connected, else the reason; a failed connection shows in the exception set.
  int AwaitConnection(std::int64_t deadline) {
    for (;;) {
      const std::int64_t left = deadline - clock_.NowMs();
      if (left <= 0) return WSAETIMEDOUT;
      fd_set writable, failed;
      FD_ZERO(&writable);
      FD_ZERO(&failed);
      FD_SET(socket_, &writable);
      FD_SET(socket_, &failed);
      timeval wait{static_cast<long>(left / 1000), static_cast<long>(left % 1000) * 1000};
      const int ready = ::select(0, nullptr, &writable, &failed, &wait);
      if (ready == SOCKET_ERROR) return ::WSAGetLastError();
      if (ready == 0) continue;  // the loop re-checks the deadline against the clock
      if (FD_ISSET(socket_, &writable)) return 0;
      int error = WSAECONNREFUSED;
      int length = sizeof error;
      ::getsockopt(socket_, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length);
      return error != 0 ? error : WSAECONNREFUSED;
    }
  }

  // 1 when ready, 0 at the deadline, -1 when the connection failed.
  int WaitFor(bool reading, std::int64_t deadlineMs) {
    for (;;) {
      const std::int64_t left = deadlineMs - clock_.NowMs();
      if (left <= 0) return 0;
      fd_set ready;
      FD_ZERO(&ready);
      FD_SET(socket_, &ready);
      timeval wait{static_cast<long>(left / 1000), static_cast<long>(left % 1000) * 1000};
      const int count =
          ::select(0, reading ? &ready : nullptr, reading ? nullptr : &ready, nullptr, &wait);
      if (count == SOCKET_ERROR) return -1;
      if (count > 0) return 1;
    }
  }

  Clock& clock_;
  SOCKET socket_ = INVALID_SOCKET;
};

}  // namespace

std::unique_ptr<SocketStream> MakeSystemSocket(Clock& clock) {
  return std::make_unique<WinsockSocket>(clock);
}

}  // namespace tarvo::platform::net
