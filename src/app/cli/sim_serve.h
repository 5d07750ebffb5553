#pragma once

#include <functional>
#include <string>

#include "app/cli/command.h"
#include "sim/responder.h"

namespace tarvo::app {

// Why the simulator cannot run on this system; null where it can.
const char* SimulatorUnavailable();

// Opens a line for the responder, prints its path as the first line of io.out, calls banner
// with it and answers requests until Ctrl+C, SIGTERM or SIGHUP. False with error when no line
// could be opened.
bool ServeUntilStopped(sim::Responder& responder, CliIo& io,
                       const std::function<void(const std::string& path)>& banner,
                       std::string& error);

}  // namespace tarvo::app
