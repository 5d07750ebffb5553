#pragma once

#include <unistd.h>

#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/cli_run.h"

namespace tarvo::testing {

// The user the superuser's tests run the program as: root may read and write anything.
inline constexpr const char* kUnprivilegedUid = "65534";

// The unprivileged user, as setpriv's arguments before the program.
inline std::vector<std::string> AsUnprivilegedUser() {
  const std::string id = kUnprivilegedUid;
  return {"setpriv", "--reuid=" + id, "--regid=" + id, "--clear-groups"};
}

// Runs the tarvo program itself as the unprivileged user; status 127 when it could not start.
inline CliRun TarvoAsUnprivilegedUser(const std::vector<std::string>& args) {
  std::vector<std::string> command = AsUnprivilegedUser();
  command.push_back(TARVO_EXECUTABLE);
  command.insert(command.end(), args.begin(), args.end());
  Finished run = RunToEnd(command);
  return {run.status, std::move(run.out), std::move(run.err)};
}

// The program as a user without the superuser's rights: in-process when the tests already run
// as one, otherwise the program itself through setpriv.
inline CliRun TarvoWithoutPrivileges(const std::vector<std::string>& args) {
  if (::geteuid() != 0) return Tarvo(args);
  return TarvoAsUnprivilegedUser(args);
}

}  // namespace tarvo::testing
