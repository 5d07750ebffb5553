#include <atomic>
#include <csignal>
#include <iostream>

#include "app/cli/sim_serve.h"
#include "sim/pty_server.h"

namespace tarvo::app {

namespace {

// Lock-free, so the signal handler may set it.
std::atomic<bool> stopRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

void RequestStop(int) {
  stopRequested = 1;
}

}  // namespace

const char* SimulatorUnavailable() {
  return nullptr;
}

bool ServeUntilStopped(sim::Responder& responder, CliIo& io,
                       const std::function<void(const std::string& path)>& banner,
                       std::string& error) {
  sim::PtyServer server(responder);
  std::string path;
  if (!server.Open(path, error)) return false;
  io.out << path << std::endl;
  banner(path);

  struct sigaction action {};
  action.sa_handler = RequestStop;
  sigemptyset(&action.sa_mask);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(signal, &action, nullptr);
  stopRequested = false;
  server.Serve(stopRequested);
  return true;
}

}  // namespace tarvo::app
