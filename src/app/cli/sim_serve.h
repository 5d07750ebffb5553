#pragma once

#include <functional>
#include <string>

#include "app/cli/command.h"
#include "sim/responder.h"

namespace tarvo::app {

// Why the simulator cannot run on this system; null where it can.
const char* SimulatorUnavailable();

// Where the simulator answers: a pseudo-terminal, or a TCP port when tcp is set ("[HOST:]PORT").
struct SimLine {
  const std::string* tcp = nullptr;
  // Told the rate the program sets on the pseudo-terminal, each time it changes.
  std::function<void(int baud)> onSpeed;
};

// Opens the line for the responder, prints its path (or tcp:// address) as the first line of
// io.out, calls banner with it and answers requests until Ctrl+C, SIGTERM or SIGHUP. False with
// error when no line could be opened.
bool ServeUntilStopped(sim::Responder& responder, CliIo& io, const SimLine& line,
                       const std::function<void(const std::string& path)>& banner,
                       std::string& error);

}  // namespace tarvo::app
