#include <algorithm>

#include "app/cli/command.h"
#include "app/cli/visible_text.h"
#include "app/program_version.h"

namespace tarvo::app {

namespace {

std::vector<Command> AllCommands() {
  return {NewCommand(),        InfoCommand(),    UpgradeCommand(), ShowCommand(), DiffCommand(),
          SetCommand(),        CheckCommand(),   TextsCommand(),   ReadCommand(), WriteCommand(),
          WriteTextsCommand(), BackupsCommand(), SimCommand()};
}

void PrintOverview(std::ostream& out) {
  out << "tarvo — файлы параметров и вычислители ЛУР из командной строки\n\n"
         "Использование: tarvo КОМАНДА [ПАРАМЕТРЫ]\n\nКоманды:\n";
  for (const auto& command : AllCommands()) {
    out << "  " << command.name
        << std::string(12 - std::min<std::size_t>(command.name.size(), 11), ' ') << command.synopsis
        << "\n";
  }
  out << "\nСправка по команде: tarvo КОМАНДА --help\n"
         "Версия программы: tarvo --version\n"
         "Код завершения: 0 успех, 1 отказ или ошибка, 2 неверный вызов.\n";
}

}  // namespace

int UsageError(CliIo& io, const std::string& command, const std::string& message) {
  io.err << "tarvo" << (command.empty() ? "" : " " + command) << ": " << VisibleLines(message)
         << "\n"
         << "Справка: tarvo" << (command.empty() ? "" : " " + command) << " --help\n";
  return kExitUsage;
}

int Failure(CliIo& io, const std::string& message) {
  io.err << VisibleLines(message) << "\n";
  return kExitFailed;
}

int RunTarvo(const std::vector<std::string>& args, CliIo& io) {
  if (args.empty()) {
    PrintOverview(io.err);
    return kExitUsage;
  }
  const std::string& name = args.front();
  if (name == "--help" || name == "-h" || name == "help") {
    PrintOverview(io.out);
    return kExitOk;
  }
  if (name == "--version") {
    io.out << "tarvo " << kProgramVersion << "\n";
    return kExitOk;
  }
  const auto commands = AllCommands();
  const auto command = std::find_if(commands.begin(), commands.end(),
                                    [&](const Command& c) { return c.name == name; });
  if (command == commands.end()) return UsageError(io, "", "неизвестная команда " + name);

  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (std::find_if(rest.begin(), rest.end(),
                   [](const std::string& a) { return a == "--help" || a == "-h"; }) != rest.end()) {
    io.out << command->help;
    return kExitOk;
  }
  ParsedArgs parsed;
  std::string error;
  if (!ParseArgs(rest, command->options, parsed, error)) return UsageError(io, name, error);
  return command->run(parsed, io);
}

}  // namespace tarvo::app
