#include "app/cli/command.h"
#include "app/cli/command_values.h"
#include "model/document.h"
#include "model/value_text.h"

namespace tarvo::app {

namespace {

const char* OnOff(std::int32_t enabled) {
  return enabled ? "используется" : "не используется";
}

int RunInfo(const ParsedArgs& args, CliIo& io) {
  if (args.positional.size() != 1) {
    return UsageError(io, "info", "нужно задать ровно один файл параметров");
  }
  model::ConfigurationDocument document;
  std::string message;
  if (!document.Open(args.positional.front(), message)) return Failure(io, message);

  const model::ParameterSet& set = document.Set();
  const std::string variant = model::VariantName(set.Variant());
  io.out << "Файл:                  " << document.PathName() << "\n"
         << "Версия формата:        " << model::FormatValue(document.OpenedFormatVersion()) << "\n"
         << "Тип вычислителя:       " << (variant.empty() ? "не известен" : variant) << "\n"
         << "Исполнение:            " << Hex2(set.ident.executionCode) << "\n"
         << "Версия ПО:             " << Hex2(set.ident.softwareVersion) << "\n"
         << "Каналов учета:         " << set.channelCount << "\n"
         << "Узлов учета:           " << set.nodeCount << "\n"
         << "Заголовок окна:        " << document.Title() << "\n"
         << "Верхний колонтитул:    " << OnOff(set.headerEnabled) << "\n"
         << "Нижний колонтитул:     " << OnOff(set.footerEnabled) << "\n";
  return kExitOk;
}

}  // namespace

Command InfoCommand() {
  return {
      "info",
      "сведения о файле параметров",
      "Использование: tarvo info ФАЙЛ.par\n\n"
      "Показывает версию формата файла, тип и исполнение вычислителя, версию ПО,\n"
      "число каналов и узлов учета, заголовок окна, который даст этот файл, и\n"
      "используются ли колонтитулы текстовых отчетов. Читает файлы всех версий формата.\n",
      {},
      RunInfo,
  };
}

}  // namespace tarvo::app
