#include <atomic>
#include <csignal>
#include <iostream>

#include "app/cli/sim_serve.h"
#include "sim/pty_server.h"
#include "sim/tcp_server.h"

namespace tarvo::app {

namespace {

// Lock-free, so the signal handler may set it.
std::atomic<bool> stopRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

void RequestStop(int) {
  stopRequested = 1;
}

void StopOnSignals() {
  struct sigaction action {};
  action.sa_handler = RequestStop;
  sigemptyset(&action.sa_mask);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(signal, &action, nullptr);
  // A program that drops its connection must not end the simulator with the next answer.
  ::signal(SIGPIPE, SIG_IGN);
  stopRequested = false;
}

}  // namespace

const char* SimulatorUnavailable() {
  return nullptr;
}

bool ServeUntilStopped(sim::Responder& responder, CliIo& io, const SimLine& line,
                       const std::function<void(const std::string& path)>& banner,
                       std::string& error) {
  std::string path;
  if (line.tcp != nullptr) {
    sim::TcpServer server(responder);
    if (!server.Open(*line.tcp, path, error)) return false;
    io.out << path << std::endl;
    banner(path);
    StopOnSignals();
    server.Serve(stopRequested);
    return true;
  }
  sim::PtyServer server(responder);
  if (!server.Open(path, error)) return false;
  io.out << path << std::endl;
  banner(path);
  server.onSpeed = line.onSpeed;
  StopOnSignals();
  server.Serve(stopRequested);
  return true;
}

}  // namespace tarvo::app
