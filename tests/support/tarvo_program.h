#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/cli_run.h"

namespace tarvo::testing {

// The user the superuser's tests run the program as: root may read and write anything.
inline constexpr const char* kUnprivilegedUid = "65534";

inline std::string WholeFile(std::FILE* file) {
  std::string text;
  std::rewind(file);
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
    text.append(buffer, got);
  }
  std::fclose(file);
  return text;
}

// Runs the tarvo program itself as the unprivileged user, through setpriv; status -1 when it
// could not be started.
inline CliRun TarvoAsUnprivilegedUser(const std::vector<std::string>& args) {
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  if (out == nullptr || err == nullptr) return {-1, "", "no temporary file"};
  std::vector<std::string> command = {"setpriv", std::string("--reuid=") + kUnprivilegedUid,
                                      std::string("--regid=") + kUnprivilegedUid, "--clear-groups",
                                      TARVO_EXECUTABLE};
  command.insert(command.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : command) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(::fileno(out), STDOUT_FILENO);
    ::dup2(::fileno(err), STDERR_FILENO);
    ::execvp(argv[0], argv.data());
    ::_exit(127);
  }
  int status = 0;
  if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) status = -1;
  const int code = status < 0 ? -1 : WEXITSTATUS(status);
  return {code, WholeFile(out), WholeFile(err)};
}

// The program as a user without the superuser's rights: in-process when the tests already run
// as one, otherwise the program itself through setpriv.
inline CliRun TarvoWithoutPrivileges(const std::vector<std::string>& args) {
  if (::geteuid() != 0) return Tarvo(args);
  return TarvoAsUnprivilegedUser(args);
}

}  // namespace tarvo::testing
