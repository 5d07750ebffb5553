#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "app/cli/cli_args.h"

namespace tarvo::app {

enum ExitCode : int { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

struct CliIo {
  std::ostream& out;
  std::ostream& err;
};

// A usage error: the message and a hint to --help on stderr, exit status 2.
int UsageError(CliIo& io, const std::string& command, const std::string& message);
// A refusal or failure: the message on stderr, exit status 1.
int Failure(CliIo& io, const std::string& message);

struct Command {
  std::string name;
  std::string synopsis;  // one line for the command list
  std::string help;      // full text for "tarvo NAME --help"
  std::vector<OptionSpec> options;
  int (*run)(const ParsedArgs& args, CliIo& io) = nullptr;
};

// Each command lives in its own file and is listed once, in tarvo_main.cpp.
Command NewCommand();
Command InfoCommand();
Command UpgradeCommand();
Command ShowCommand();
Command DiffCommand();
Command SetCommand();
Command CheckCommand();
Command TextsCommand();
Command ReadCommand();
Command BackupsCommand();
Command WriteCommand();
Command WriteTextsCommand();
Command SimCommand();

// The whole tool: args without the program name. Returns the exit status.
int RunTarvo(const std::vector<std::string>& args, CliIo& io);

}  // namespace tarvo::app
