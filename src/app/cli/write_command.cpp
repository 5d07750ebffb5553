#include "app/cli/command.h"
#include "app/cli/command_values.h"
#include "app/cli/exchange_session.h"
#include "app/cli/refusal_listing.h"
#include "device/exchange_messages.h"
#include "model/document.h"
#include "shell/configuration_check.h"
#include "shell/exchange_flows.h"

namespace tarvo::app {

namespace {

constexpr const char* kRefusedNotWritten =
    "Формы не принимают конфигурацию: в вычислитель ничего не записано.\n"
    "Чтобы записать ее всё равно, добавьте --force.";

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
  // A configuration some form refuses goes into the device only when asked for twice.
  if (!texts && !args.Has("--force")) {
    const auto refusals = shell::CheckConfiguration(set);
    if (!refusals.empty()) {
      PrintRefusalsText(refusals, io.err);
      return Failure(io, kRefusedNotWritten);
    }
  }
  const bool ok = shell::WriteFromDocument(document, [&](model::ParameterSet& written) {
    ApplyExchangeSetup(setup, written);
    return RunExchange(io, setup, [&](device::DeviceLink& link, platform::Progress* bar) {
      return texts ? link.WriteReportHeaders(written, bar) : link.WriteAllParameters(written, bar);
    });
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

std::vector<OptionSpec> WriteOptionSpecs() {
  auto specs = ExchangeOptionSpecs();
  specs.push_back({"--force", false, ""});
  return specs;
}

}  // namespace

Command WriteCommand() {
  return {
      "write",
      "записать параметры из файла в вычислитель",
      std::string("Использование: tarvo write ФАЙЛ.par [--port COMn|ПУТЬ] [--speed СКОРОСТЬ] "
                  "[--trace] [--force]\n\n"
                  "Записывает конфигурацию из файла в подключенный вычислитель, как команда\n"
                  "«Записать параметры в вычислитель...». Файл не изменяется.\n"
                  "Сначала конфигурация проверяется, как tarvo check: если ее не принимает\n"
                  "какая-то форма, выводится список и ничего не записывается.\n\n") +
          kPortHelp + "  --force            записать, даже если формы не принимают конфигурацию\n",
      WriteOptionSpecs(),
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
