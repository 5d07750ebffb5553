#pragma once

#include <atomic>
#include <string>

#include "sim/responder.h"

namespace tarvo::sim {

// Serves the simulated device on a TCP port as a network serial server does in its raw mode:
// one connection at a time, the bytes as they are.
class TcpServer {
 public:
  explicit TcpServer(Responder& responder) : responder_(responder) {}
  ~TcpServer();
  TcpServer(const TcpServer&) = delete;
  TcpServer& operator=(const TcpServer&) = delete;

  // Listens on "[HOST:]PORT" (127.0.0.1 when no host is given; port 0 takes a free one); address
  // is the port name the program opens, tcp://HOST:PORT.
  bool Open(const std::string& where, std::string& address, std::string& error);
  // Serves connection after connection until stop is set or the simulated device hangs up (its
  // connection is then closed).
  void Serve(const std::atomic<bool>& stop);

 private:
  Responder& responder_;
  int listener_ = -1;
};

}  // namespace tarvo::sim
