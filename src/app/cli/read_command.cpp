#include "app/cli/command.h"
#include "app/cli/exchange_session.h"
#include "app/cli/output_file.h"
#include "device/exchange_messages.h"
#include "model/document.h"
#include "platform/port_map.h"
#include "shell/exchange_flows.h"

namespace tarvo::app {

namespace {

int RunRead(const ParsedArgs& args, CliIo& io) {
  ExchangeSetup setup;
  if (auto error = ParseExchangeSetup(args, setup)) return UsageError(io, "read", *error);
  const std::string* output = args.Value("-o");
  if (output == nullptr) return UsageError(io, "read", "нужно задать файл: -o ФАЙЛ.par");
  if (!setup.comPort && setup.portPath.empty()) {
    return UsageError(io, "read",
                      std::string("нужно задать порт: --port COM1 или --port ") +
                          platform::SerialDeviceExample());
  }
  if (!setup.speedCode) return UsageError(io, "read", "нужно задать скорость: --speed 9600");
  if (!args.positional.empty()) {
    return UsageError(io, "read", "лишний аргумент " + args.positional.front());
  }
  // A read takes up to minutes: a file that cannot be written is refused before it starts.
  if (const auto refusal = OutputFileRefusal(*output, args.Has("--force"))) {
    return Failure(io, *refusal);
  }

  // As the read command of the window: the read replaces the configuration only when it
  // succeeded.
  model::ConfigurationDocument document;
  const bool ok = shell::ReadIntoDocument(document, [&](model::ParameterSet& set) {
    ApplyExchangeSetup(setup, set);
    return RunExchange(io, setup, [&](device::DeviceLink& link, platform::Progress* bar) {
      return link.ReadAllParameters(set, bar);
    });
  });
  if (!ok) return kExitFailed;
  std::string message;
  if (!document.Store(*output, message)) {
    // The disk filled or the folder vanished during the read: what was read is kept elsewhere,
    // and the status still says the requested file was not written.
    io.out << device::kReadSucceeded << "\n";
    const auto fallback = StoreInFallbackFolder(document, *output);
    return Failure(
        io, message + (fallback ? "\nПрочитанные параметры сохранены в файл «" + *fallback + "»."
                                : "\nПрочитанные параметры сохранить не удалось."));
  }
  io.out << device::kReadSucceeded << "\n"
         << "Сохранено: " << document.Title() << "\n";
  return kExitOk;
}

}  // namespace

Command ReadCommand() {
  auto options = ExchangeOptionSpecs();
  options.push_back({"-o", true, "--output"});
  options.push_back({"--force", false, ""});
  return {
      "read",
      "прочитать параметры из вычислителя в файл",
      "Использование: tarvo read --port COMn|ПУТЬ --speed СКОРОСТЬ -o ФАЙЛ.par [--force] "
      "[--trace]\n\n"
      "Читает всю конфигурацию из подключенного вычислителя, как команда «Прочитать параметры\n"
      "из вычислителя...», и сохраняет ее в файл версии формата 1.16. Файл записывается только\n"
      "после успешного чтения всей конфигурации. Если его все же не удалось записать, прочитанное\n"
      "сохраняется под тем же именем в домашнюю или временную папку (код завершения 1).\n\n"
      "  --port COMn|ПУТЬ   COM1..COM9 (устройство берется из настроек, переменной TARVO_COMn\n"
      "                     или по умолчанию) или путь к устройству, например " +
          std::string(platform::SerialDeviceExample()) +
          ",\n"
          "                     или сервер последовательного порта tcp://УЗЕЛ:ПОРТ,\n"
          "                     rfc2217://УЗЕЛ:ПОРТ\n"
          "  --speed СКОРОСТЬ   2400, 4800, 9600 или 19200 бод\n"
          "  -o, --output ФАЙЛ  файл параметров, который будет создан\n"
          "  --force            заменить существующий файл\n"
          "  --trace            показать кадры обмена в шестнадцатеричном виде\n",
      options,
      RunRead,
  };
}

}  // namespace tarvo::app
