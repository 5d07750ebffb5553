#include "app/cli/command.h"
#include "model/document.h"
#include "model/par_file.h"
#include "model/value_text.h"

namespace tarvo::app {

namespace {

int RunUpgrade(const ParsedArgs& args, CliIo& io) {
  if (args.positional.size() != 1) {
    return UsageError(io, "upgrade", "нужно задать ровно один файл параметров");
  }
  const std::string& input = args.positional.front();
  const std::string* output = args.Value("-o");
  const std::string target = output ? *output : input;

  // Exactly what opening the file in the window and saving it does.
  model::ConfigurationDocument document;
  std::string message;
  if (!document.Open(input, message)) return Failure(io, message);
  const float from = document.OpenedFormatVersion();
  if (!document.Store(target, message)) return Failure(io, message);
  io.out << "Файл " << target << " сохранен в формате версии "
         << model::FormatValue(model::kParFileVersion) << " (был " << model::FormatValue(from)
         << ")\n";
  return kExitOk;
}

}  // namespace

Command UpgradeCommand() {
  return {
      "upgrade",
      "перевести файл параметров в формат 1.16",
      "Использование: tarvo upgrade ФАЙЛ.par [-o НОВЫЙ.par]\n\n"
      "Открывает файл параметров любой версии формата и сохраняет его в формате 1.16 —\n"
      "так же, как открытие в окне программы и сохранение. Без -o файл заменяется на месте\n"
      "(атомарно: при сбое старый файл остается целым).\n\n"
      "  -o, --output ФАЙЛ  сохранить в другой файл\n",
      {{"-o", true, "--output"}},
      RunUpgrade,
  };
}

}  // namespace tarvo::app
