#pragma once

#include <atomic>
#include <functional>

#include "sim/responder.h"

namespace tarvo::sim {

// How serving a line ended.
enum class LineEnd { Stopped, HungUp, PeerLeft };

// Answers the requests that come on fd (non-blocking) until stop is set, the simulated device
// hangs up, or, on a connection, the program closes it. A terminal nobody holds is waited on.
// Responses go out after the turnaround and, when paced, one byte per byte time; requests count
// as received after their own wire time. onRequestBytes, when set, is called as bytes come in.
LineEnd ServeLine(int fd, bool connection, Responder& responder, const std::atomic<bool>& stop,
                  const std::function<void()>& onRequestBytes = {});

}  // namespace tarvo::sim
