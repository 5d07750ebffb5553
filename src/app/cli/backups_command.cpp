#include <cstdlib>

#include "app/cli/command.h"
#include "app/cli/command_values.h"
#include "app/cli/listing_output.h"
#include "app/cli/visible_text.h"
#include "platform/port_map.h"
#include "shell/configuration_backups.h"

namespace tarvo::app {

namespace {

void PrintText(const std::vector<shell::BackupEntry>& entries, std::ostream& out) {
  for (const auto& entry : entries) {
    out << entry.time << "  " << VisibleText(shell::BackupDeviceText(entry)) << "  "
        << VisibleText(shell::BackupPortText(entry)) << "\n  копия: " << VisibleText(entry.path)
        << "\n  записан поверх: " << VisibleText(entry.writtenFile) << "\n";
  }
}

void PrintCsv(const std::vector<shell::BackupEntry>& entries, std::ostream& out) {
  out << "time,device,port,speed,written,copy\n";
  for (const auto& entry : entries) {
    out << CsvField(entry.time) << ',' << CsvField(shell::BackupDeviceText(entry)) << ','
        << CsvField(entry.port) << ',' << entry.baud << ',' << CsvField(entry.writtenFile) << ','
        << CsvField(entry.path) << "\n";
  }
}

void PrintJson(const std::vector<shell::BackupEntry>& entries, std::ostream& out) {
  out << "[";
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const auto& entry = entries[i];
    out << (i == 0 ? "\n" : ",\n") << "  {\"time\": " << JsonString(entry.time)
        << ", \"device\": " << JsonString(shell::BackupDeviceText(entry))
        << ", \"execution\": " << JsonString(Hex2(entry.executionCode))
        << ", \"version\": " << JsonString(Hex2(entry.softwareVersion))
        << ", \"port\": " << JsonString(entry.port) << ", \"speed\": " << entry.baud
        << ", \"written\": " << JsonString(entry.writtenFile)
        << ", \"copy\": " << JsonString(entry.path) << "}";
  }
  out << (entries.empty() ? "]\n" : "\n]\n");
}

int RunBackups(const ParsedArgs& args, CliIo& io) {
  const std::string format = args.Value("--format") ? *args.Value("--format") : "text";
  if (format != "text" && format != "csv" && format != "json") {
    return UsageError(io, "backups",
                      "формат " + Quoted(format) + " не предусмотрен: text, csv или json");
  }
  if (!args.positional.empty()) {
    return UsageError(io, "backups", "лишний аргумент " + args.positional.front());
  }
  const std::string folder = shell::BackupFolder(platform::DataFolder(std::getenv));
  const auto entries = shell::ListBackups(folder);
  if (format == "csv") {
    PrintCsv(entries, io.out);
  } else if (format == "json") {
    PrintJson(entries, io.out);
  } else if (entries.empty()) {
    io.err << VisibleText(shell::NoBackupsText(folder)) << "\n";
  } else {
    PrintText(entries, io.out);
  }
  return kExitOk;
}

}  // namespace

Command BackupsCommand() {
  return {
      "backups",
      "список копий конфигураций, сохраненных перед записью",
      "Использование: tarvo backups [--format text|csv|json]\n\n"
      "Перечисляет копии конфигураций вычислителей, которые tarvo write и окно программы\n"
      "сохраняют перед каждой записью, от новых к старым: время, вычислитель, порт и\n"
      "скорость, файл копии и файл, который был записан поверх нее. Копии лежат в\n"
      "$XDG_DATA_HOME/TarvoConfig/backups (по умолчанию ~/.local/share/TarvoConfig/backups;\n"
      "в Windows %LOCALAPPDATA%\\TarvoConfig\\backups). Вернуть вычислителю прежнюю\n"
      "конфигурацию — записать копию: tarvo write КОПИЯ.par.\n\n"
      "  --format ФОРМАТ  text (по умолчанию), csv (time,device,port,speed,written,copy)\n"
      "                   или json\n",
      {{"--format", true, ""}},
      RunBackups,
  };
}

}  // namespace tarvo::app
