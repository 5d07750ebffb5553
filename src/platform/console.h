#pragma once

#include <atomic>
#include <string>
#include <vector>

namespace tarvo::platform {

// Makes the console show UTF-8 text and returns the program's arguments, without its name, as
// UTF-8 (on Windows read from the wide command line, whatever the code page).
std::vector<std::string> StartConsole(int argc, char** argv);

// Whether standard error goes to a terminal, where a progress bar may redraw its line.
bool ErrorOutputIsTerminal();

// While one lives, the first Ctrl+C sets the flag instead of ending the program, so work in
// progress can stop cleanly; a second Ctrl+C ends the program as usual.
class InterruptRequest {
 public:
  InterruptRequest();
  ~InterruptRequest();
  InterruptRequest(const InterruptRequest&) = delete;
  InterruptRequest& operator=(const InterruptRequest&) = delete;

  const std::atomic<bool>* Flag() const;
};

}  // namespace tarvo::platform
