#pragma once

#include <atomic>
#include <functional>
#include <string>

#include "sim/responder.h"

namespace tarvo::sim {

// Serves the simulated device on a pseudo-terminal: the program under test opens the terminal's
// path as its serial port.
class PtyServer {
 public:
  explicit PtyServer(Responder& responder) : responder_(responder) {}
  ~PtyServer();
  PtyServer(const PtyServer&) = delete;
  PtyServer& operator=(const PtyServer&) = delete;

  // Opens the pseudo-terminal; path is the device the program opens.
  bool Open(std::string& path, std::string& error);
  // Serves until stop is set or the simulated device hangs up (the terminal is then closed, so
  // the program sees the line drop).
  void Serve(const std::atomic<bool>& stop);

  // Told the line's rate as requests come, each time the program (or a server between) has set
  // another.
  std::function<void(int baud)> onSpeed;

 private:
  void ReportSpeed();

  Responder& responder_;
  int master_ = -1;
  int lastBaud_ = -1;
};

}  // namespace tarvo::sim
