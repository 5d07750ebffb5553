#include "platform/console.h"

#include <unistd.h>
#include <csignal>

namespace tarvo::platform {

namespace {

std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

struct sigaction previousAction {};

extern "C" void OnInterrupt(int) {
  interrupted.store(true);
}

}  // namespace

std::vector<std::string> StartConsole(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

bool ErrorOutputIsTerminal() {
  return ::isatty(STDERR_FILENO) == 1;
}

// SA_RESETHAND: the handler serves one Ctrl+C, the next one gets the default action.
InterruptRequest::InterruptRequest() {
  interrupted.store(false);
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  action.sa_flags = SA_RESETHAND;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGINT, &action, &previousAction);
}

InterruptRequest::~InterruptRequest() {
  ::sigaction(SIGINT, &previousAction, nullptr);
}

const std::atomic<bool>* InterruptRequest::Flag() const {
  return &interrupted;
}

}  // namespace tarvo::platform
