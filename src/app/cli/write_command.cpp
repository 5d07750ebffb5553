#include <cstdlib>

#include "app/cli/command.h"
#include "app/cli/command_values.h"
#include "app/cli/exchange_session.h"
#include "app/cli/refusal_listing.h"
#include "app/cli/verification_listing.h"
#include "device/exchange_messages.h"
#include "model/document.h"
#include "platform/port_map.h"
#include "platform/utf8_path.h"
#include "shell/configuration_backups.h"
#include "shell/configuration_check.h"
#include "shell/exchange_flows.h"
#include "shell/safe_write.h"

namespace tarvo::app {

namespace {

constexpr const char* kRefusedNotWritten =
    "Формы не принимают конфигурацию: в вычислитель ничего не записано.\n"
    "Чтобы записать ее всё равно, добавьте --force.";

int ReportSafeWrite(const shell::SafeWriteResult& result, CliIo& io) {
  using shell::SafeWriteOutcome;
  const auto tellCopy = [&] {
    if (!result.backupPath.empty()) {
      io.out << shell::kBackupSaved << result.backupPath << "\n";
    }
  };
  switch (result.outcome) {
    case SafeWriteOutcome::BackupFailed:
      return Failure(io, result.message);
    case SafeWriteOutcome::WriteFailed:
      tellCopy();
      return kExitFailed;
    default:
      break;
  }
  io.out << device::kWriteSucceeded << "\n";
  tellCopy();
  if (result.outcome == SafeWriteOutcome::VerifyUnfinished) return Failure(io, result.message);
  if (result.outcome == SafeWriteOutcome::Mismatch) {
    io.err << shell::kVerifyMismatch << "\n";
    PrintMismatches(result.mismatches, io.err);
  } else if (result.verified) {
    io.out << shell::kDeviceHoldsWritten << "\n";
  }
  if (!result.kept.empty()) {
    io.out << shell::kKeptByDevice << "\n";
    PrintKept(result.kept, io.out);
  }
  return result.outcome == SafeWriteOutcome::Written ? kExitOk : kExitFailed;
}

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
  if (texts) {
    const bool ok = shell::WriteFromDocument(document, [&](model::ParameterSet& written) {
      ApplyExchangeSetup(setup, written);
      return RunExchange(io, setup, [&](device::DeviceLink& link, platform::Progress* bar) {
        return link.WriteReportHeaders(written, bar);
      });
    });
    if (!ok) return kExitFailed;
    io.out << device::kTextsWriteSucceeded << "\n";
    return kExitOk;
  }
  shell::SafeWriteResult result;
  shell::WriteFromDocument(document, [&](model::ParameterSet& written) {
    ApplyExchangeSetup(setup, written);
    RunExchange(io, setup, [&](device::DeviceLink& link, platform::Progress* bar) {
      shell::SafeWriteOptions options;
      options.backup = !args.Has("--no-backup");
      options.verify = !args.Has("--no-verify");
      options.backupFolder = shell::BackupFolder(platform::DataFolder(std::getenv));
      options.portName =
          setup.portPath.empty() ? "COM" + std::to_string(written.comPort) : setup.portPath;
      options.writtenFile = platform::AbsoluteUtf8Path(args.positional.front());
      // A write alone is one phase, as it always was: nothing to name.
      if (options.backup || options.verify) {
        options.phaseStarted = [&](shell::WritePhase phase) {
          link.ShowNotice(shell::PhaseName(phase));
        };
      }
      result = shell::SafeWrite(written, options,
                                {[&](model::ParameterSet& into, platform::Progress* p) {
                                   return link.ReadAllParameters(into, p);
                                 },
                                 [&](const model::ParameterSet& set, platform::Progress* p) {
                                   return link.WriteAllParameters(set, p);
                                 }},
                                bar);
      return result.outcome == shell::SafeWriteOutcome::Written;
    });
    return result.outcome == shell::SafeWriteOutcome::Written;
  });
  return ReportSafeWrite(result, io);
}

int RunWrite(const ParsedArgs& args, CliIo& io) {
  return RunWriteProcedure(args, io, "write", false);
}

int RunWriteTexts(const ParsedArgs& args, CliIo& io) {
  return RunWriteProcedure(args, io, "write-texts", true);
}

const char* const kPortHelp =
    "  --port COMn|ПУТЬ   COM1..COM9, путь к устройству или сервер последовательного порта\n"
    "                     tcp://УЗЕЛ:ПОРТ, rfc2217://УЗЕЛ:ПОРТ; по умолчанию порт из файла\n"
    "  --speed СКОРОСТЬ   2400, 4800, 9600 или 19200 бод; по умолчанию скорость из файла\n"
    "  --trace            показать кадры обмена в шестнадцатеричном виде\n";

std::vector<OptionSpec> WriteOptionSpecs() {
  auto specs = ExchangeOptionSpecs();
  specs.push_back({"--force", false, ""});
  specs.push_back({"--no-backup", false, ""});
  specs.push_back({"--no-verify", false, ""});
  return specs;
}

}  // namespace

Command WriteCommand() {
  return {
      "write",
      "записать параметры из файла в вычислитель",
      std::string(
          "Использование: tarvo write ФАЙЛ.par [--port COMn|ПУТЬ] [--speed СКОРОСТЬ] "
          "[--trace] [--force]\n"
          "                  [--no-backup] [--no-verify]\n\n"
          "Записывает конфигурацию из файла в подключенный вычислитель, как команда\n"
          "«Записать параметры в вычислитель...». Файл не изменяется.\n"
          "Сначала конфигурация проверяется, как tarvo check: если ее не принимает\n"
          "какая-то форма, выводится список и ничего не записывается.\n\n"
          "Перед записью вся конфигурация вычислителя читается и сохраняется копией\n"
          "ГГГГ-ММ-ДД_ЧЧММСС_<исполнение>.par в папку $XDG_DATA_HOME/TarvoConfig/backups\n"
          "(по умолчанию ~/.local/share/TarvoConfig/backups; в Windows\n"
          "%LOCALAPPDATA%\\TarvoConfig\\backups), список копий — tarvo backups. Если копию\n"
          "сохранить не удалось, ничего не записывается. После записи вычислитель\n"
          "читается еще раз и сравнивается с файлом, как tarvo diff: значение, которое\n"
          "вычислитель хранит не так, как записано, — ошибка (код 1); значения, не\n"
          "заданные в файле, вычислитель хранит прежними, они перечисляются.\n"
          "Код 1 и тогда, когда проверка не закончена (остановка, ошибка связи).\n\n") +
          kPortHelp +
          "  --force            записать, даже если формы не принимают конфигурацию\n"
          "  --no-backup        не сохранять копию конфигурации вычислителя перед записью\n"
          "  --no-verify        не проверять записанное\n",
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
