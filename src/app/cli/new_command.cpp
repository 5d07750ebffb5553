#include <filesystem>

#include "app/cli/command.h"
#include "app/cli/command_values.h"
#include "app/cli/visible_text.h"
#include "model/document.h"
#include "platform/utf8_path.h"

namespace tarvo::app {

namespace {

int RunNew(const ParsedArgs& args, CliIo& io) {
  const std::string* exec = args.Value("--exec");
  const std::string* output = args.Value("-o");
  if (exec == nullptr) return UsageError(io, "new", "нужно задать исполнение: --exec 46");
  if (output == nullptr) return UsageError(io, "new", "нужно задать файл: -o ФАЙЛ.par");
  if (!args.positional.empty()) {
    return UsageError(io, "new", "лишний аргумент " + args.positional.front());
  }

  const auto code = ParseExecutionCode(*exec);
  if (!code) {
    return Failure(
        io, "Исполнение " + Quoted(*exec) +
                " не предусмотрено. Допустимые исполнения: " + ValidExecutionCodesText() + ".");
  }
  std::uint8_t version = 0;
  if (const std::string* text = args.Value("--version")) {
    const auto parsed = ParseSoftwareVersion(*text);
    if (!parsed) {
      return Failure(io, "Версия ПО " + Quoted(*text) + " должна состоять из одной или двух цифр.");
    }
    version = *parsed;
  }

  std::error_code ignored;
  if (!args.Has("--force") && std::filesystem::exists(platform::PathFromUtf8(*output), ignored)) {
    return Failure(io,
                   "Файл «" + *output + "» уже существует. Чтобы заменить его, добавьте --force.");
  }

  model::ConfigurationDocument document;
  document.NewConfiguration(*code, version);
  std::string message;
  if (!document.Store(*output, message)) return Failure(io, message);
  io.out << "Создан файл параметров: " << document.Title() << "\n";
  return kExitOk;
}

}  // namespace

Command NewCommand() {
  return {
      "new",
      "создать новый файл параметров",
      "Использование: tarvo new --exec КОД [--version ВЕРСИЯ] -o ФАЙЛ.par [--force]\n\n"
      "Создает новую конфигурацию так же, как диалог «Создание нового файла параметров»,\n"
      "и сохраняет ее в файл версии формата 1.16.\n\n"
      "  --exec КОД         исполнение вычислителя, две цифры: " +
          ValidExecutionCodesText() +
          "\n"
          "  --version ВЕРСИЯ   версия ПО вычислителя, две цифры (по умолчанию 00)\n"
          "  -o, --output ФАЙЛ  файл, который будет создан\n"
          "  --force            заменить существующий файл\n",
      {{"--exec", true, ""},
       {"--version", true, ""},
       {"-o", true, "--output"},
       {"--force", false, ""}},
      RunNew,
  };
}

}  // namespace tarvo::app
