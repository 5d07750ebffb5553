#include "app/cli/command.h"
#include "app/cli/command_values.h"
#include "app/cli/exchange_session.h"
#include "device/exchange_messages.h"
#include "model/document.h"

namespace tarvo::app {

namespace {

// Opens the file, takes port and speed from the options or else from the file, and runs the
// procedure. The file itself is never changed.
int RunWriteProcedure(const ParsedArgs& args, CliIo& io, const std::string& name, bool texts) {
  ExchangeSetup setup;
  if (auto error = ParseExchangeSetup(args, setup)) return UsageError(io, name, *error);
  if (args.positional.size() != 1) {
    return UsageError(io, name, "нужно задать ровно один файл параметров");
  }
  model::ConfigurationDocument document;
  std::string message;
  if (!document.Open(args.positional.front(), message)) return Failure(io, message);
  model::ParameterSet& set = document.Set();
  if (set.Variant() == model::DeviceVariant::None) {
    return Failure(io, "Файл не содержит конфигурации вычислителя: исполнение " +
                           Hex2(set.ident.executionCode) + " не предусмотрено.");
  }
  ApplyExchangeSetup(setup, set);
  const bool ok = RunExchange(io, setup, [&](device::DeviceLink& link, platform::Progress* bar) {
    return texts ? link.WriteReportHeaders(set, bar) : link.WriteAllParameters(set, bar);
  });
  if (!ok) return kExitFailed;
  io.out << (texts ? device::kTextsWriteSucceeded : device::kWriteSucceeded) << "\n";
  return kExitOk;
}

int RunWrite(const ParsedArgs& args, CliIo& io) {
  return RunWriteProcedure(args, io, "write", false);
}

int RunWriteTexts(const ParsedArgs& args, CliIo& io) {
  return RunWriteProcedure(args, io, "write-texts", true);
}

const char* const kPortHelp =
    "  --port COMn|ПУТЬ   COM1..COM9 или путь к устройству; по умолчанию порт из файла\n"
    "  --speed СКОРОСТЬ   2400, 4800, 9600 или 19200 бод; по умолчанию скорость из файла\n"
    "  --trace            показать кадры обмена в шестнадцатеричном виде\n";

}  // namespace

Command WriteCommand() {
  return {
      "write",
      "записать параметры из файла в вычислитель",
      std::string("Использование: tarvo write ФАЙЛ.par [--port COMn|ПУТЬ] [--speed СКОРОСТЬ] "
                  "[--trace]\n\n"
                  "Записывает конфигурацию из файла в подключенный вычислитель, как команда\n"
                  "«Записать параметры в вычислитель...». Файл не изменяется.\n\n") +
          kPortHelp,
      ExchangeOptionSpecs(),
      RunWrite,
  };
}

Command WriteTextsCommand() {
  return {
      "write-texts",
      "записать колонтитулы текстовых отчетов в вычислитель",
      std::string("Использование: tarvo write-texts ФАЙЛ.par [--port COMn|ПУТЬ] "
                  "[--speed СКОРОСТЬ] [--trace]\n\n"
                  "Записывает в вычислитель только колонтитулы текстовых отчетов из файла.\n"
                  "Файл не изменяется.\n\n") +
          kPortHelp,
      ExchangeOptionSpecs(),
      RunWriteTexts,
  };
}

}  // namespace tarvo::app
