#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace tarvo::testing {

// How a program run to its end went.
struct Finished {
  int status = -1;  // exit status; 128 + the signal when one ended it
  std::string out;
  std::string err;
  double seconds = 0;  // from start to exit
};

// Runs the program (looked up on PATH) with stdin empty, collecting what it prints.
Finished RunToEnd(const std::vector<std::string>& argv);

// A program left running in the background; its output after the first line is thrown away.
class Background {
 public:
  // Starts it and waits up to 10 s for its first line of output (a server's address, say).
  explicit Background(const std::vector<std::string>& argv);
  ~Background() { Stop(); }
  Background(const Background&) = delete;
  Background& operator=(const Background&) = delete;

  // Empty when the program printed no line.
  const std::string& firstLine() const { return firstLine_; }
  // SIGTERM, then its exit status as RunToEnd gives it.
  int Stop();

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  std::string firstLine_;
};

}  // namespace tarvo::testing
