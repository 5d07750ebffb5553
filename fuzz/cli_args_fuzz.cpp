// tarvo's command line, split into arguments: the command's option parsing and the values it
// reads from them never crash; what a parse accepts names only the command's own options. Only
// the parser layer runs here (a command itself would open files and ports), except the answers
// that run no command: the overview, an unknown command and --help.
#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/command.h"
#include "app/cli/command_values.h"
#include "app/cli/exchange_session.h"

using namespace tarvo::app;

namespace {

void Check(bool holds) {
  if (!holds) __builtin_trap();
}

const std::vector<Command>& Commands() {
  static const auto* commands = new std::vector<Command>{
      NewCommand(),   InfoCommand(), UpgradeCommand(), ShowCommand(),       SetCommand(),
      TextsCommand(), ReadCommand(), WriteCommand(),   WriteTextsCommand(), SimCommand()};
  return *commands;
}

// Arguments are separated by a 0 byte, as the kernel hands them over.
std::vector<std::string> SplitArguments(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      args.emplace_back();
    } else {
      args.back() += static_cast<char>(data[i]);
    }
  }
  if (size == 0) args.clear();
  return args;
}

const OptionSpec* SpecNamed(const Command& command, const std::string& name) {
  for (const OptionSpec& spec : command.options) {
    if (spec.name == name) return &spec;
  }
  return nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> args = SplitArguments(data, size);
  const auto& commands = Commands();
  const auto command = args.empty()
                           ? commands.end()
                           : std::find_if(commands.begin(), commands.end(),
                                          [&](const Command& c) { return c.name == args[0]; });
  // As RunTarvo sees it: help after a command name is only --help or -h.
  const bool asksHelp = command != commands.end() &&
                        std::any_of(args.begin() + 1, args.end(), [](const std::string& a) {
                          return a == "--help" || a == "-h";
                        });
  if (command == commands.end() || asksHelp) {
    std::ostringstream out;
    std::ostringstream err;
    CliIo io{out, err};
    const int status = RunTarvo(args, io);
    Check(status == kExitOk || status == kExitUsage);
    return 0;
  }

  const std::vector<std::string> rest(args.begin() + 1, args.end());
  ParsedArgs parsed;
  std::string error;
  if (!ParseArgs(rest, command->options, parsed, error)) {
    Check(!error.empty());
    return 0;
  }
  for (const auto& [name, value] : parsed.values) {
    const OptionSpec* spec = SpecNamed(*command, name);
    Check(spec != nullptr && spec->takesValue);
  }
  for (const std::string& flag : parsed.flags) {
    const OptionSpec* spec = SpecNamed(*command, flag);
    Check(spec != nullptr && !spec->takesValue);
  }
  Check(parsed.positional.size() + parsed.values.size() + parsed.flags.size() <= rest.size());
  // The values the commands read from their options.
  for (const auto& [name, value] : parsed.values) {
    if (const auto code = ParseExecutionCode(value)) Check(Hex2(*code).size() == 2);
    ParseSoftwareVersion(value);
  }
  ExchangeSetup setup;
  if (!ParseExchangeSetup(parsed, setup)) {
    Check(!setup.comPort || (*setup.comPort >= 1 && *setup.comPort <= 9));
    Check(!setup.speedCode || (*setup.speedCode >= 1 && *setup.speedCode <= 4));
  }
  for (const std::string& text : parsed.positional) {
    ParseExecutionCode(text);
    ParseSoftwareVersion(text);
  }
  return 0;
}
