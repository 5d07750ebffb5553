#include "sim/tcp_server.h"

#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

#include "platform/net/network_address.h"
#include "sim/line_serving.h"

namespace tarvo::sim {

namespace {

// Longest wait for a connection, so a stop request is seen even without a signal.
constexpr int kAcceptWaitMs = 200;

int PortOf(const sockaddr_storage& address) {
  const auto port = address.ss_family == AF_INET6
                        ? reinterpret_cast<const sockaddr_in6&>(address).sin6_port
                        : reinterpret_cast<const sockaddr_in&>(address).sin_port;
  return ntohs(port);
}

}  // namespace

TcpServer::~TcpServer() {
  if (listener_ >= 0) ::close(listener_);
}

bool TcpServer::Open(const std::string& where, std::string& address, std::string& error) {
  const auto listen = platform::net::ParseListenAddress(where);
  if (!listen) {
    error = "--tcp: нужно [УЗЕЛ:]ПОРТ, например 127.0.0.1:4001, а не " + where;
    return false;
  }
  const std::string& host = listen->host;
  const std::string port = std::to_string(listen->port);
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_PASSIVE;
  addrinfo* found = nullptr;
  if (const int looked = ::getaddrinfo(host.c_str(), port.c_str(), &hints, &found); looked != 0) {
    error = "узел " + host + " не найден: " + ::gai_strerror(looked);
    return false;
  }
  listener_ = ::socket(found->ai_family, found->ai_socktype | SOCK_CLOEXEC, found->ai_protocol);
  const int on = 1;
  if (listener_ >= 0) ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  const bool listening = listener_ >= 0 &&
                         ::bind(listener_, found->ai_addr, found->ai_addrlen) == 0 &&
                         ::listen(listener_, 4) == 0;
  ::freeaddrinfo(found);
  if (!listening) {
    error = "не удалось ждать соединений на " + where + ": " + std::strerror(errno);
    return false;
  }
  sockaddr_storage bound{};
  socklen_t length = sizeof bound;
  ::getsockname(listener_, reinterpret_cast<sockaddr*>(&bound), &length);
  platform::net::NetworkAddress served = *listen;
  served.port = PortOf(bound);
  address = served.Text();
  return true;
}

void TcpServer::Serve(const std::atomic<bool>& stop) {
  while (!stop && !responder_.HungUp()) {
    pollfd entry{listener_, POLLIN, 0};
    if (::poll(&entry, 1, kAcceptWaitMs) <= 0) continue;
    const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (connection < 0) continue;
    const int on = 1;
    ::setsockopt(connection, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    ServeLine(connection, true, responder_, stop);
    ::close(connection);
  }
  ::close(listener_);
  listener_ = -1;
}

}  // namespace tarvo::sim
