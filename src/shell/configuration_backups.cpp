#include "shell/configuration_backups.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "model/device_variant.h"
#include "model/document.h"
#include "platform/file_io.h"
#include "platform/local_time.h"
#include "platform/serial_port.h"

namespace tarvo::shell {

namespace {

constexpr const char* kLogName = "backups.log";
constexpr std::size_t kLogLimit = 16u << 20;

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

std::string InFolder(const std::string& folder, const std::string& name) {
  return folder + kSeparator + name;
}

std::string Formatted(std::time_t moment, const char* format) {
  std::tm local{};
  if (!platform::LocalTime(moment, local)) return "0000-00-00";
  char text[32];
  std::strftime(text, sizeof text, format, &local);
  return text;
}

std::string Hex(std::uint8_t value) {
  char text[4];
  std::snprintf(text, sizeof text, "%02X", value);
  return text;
}

// Tabs part the fields and a line ends the entry: neither may stand inside one.
std::string Field(std::string text) {
  std::replace_if(
      text.begin(), text.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
  return text;
}

std::string LogLine(const BackupEntry& entry, const std::string& name) {
  return Field(entry.time) + '\t' + Field(entry.port) + '\t' + std::to_string(entry.baud) + '\t' +
         Hex(entry.executionCode) + '\t' + Hex(entry.softwareVersion) + '\t' +
         Field(entry.writtenFile) + '\t' + Field(name) + '\n';
}

std::vector<std::string> Split(const std::string& line) {
  std::vector<std::string> fields;
  std::string field;
  std::istringstream in(line);
  while (std::getline(in, field, '\t')) fields.push_back(field);
  return fields;
}

bool ParseHexByte(const std::string& text, std::uint8_t& value) {
  if (text.size() != 2 || !std::isxdigit(static_cast<unsigned char>(text[0])) ||
      !std::isxdigit(static_cast<unsigned char>(text[1]))) {
    return false;
  }
  value = static_cast<std::uint8_t>(std::stoi(text, nullptr, 16));
  return true;
}

bool FileExists(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  std::string reason;
  return platform::ReadFileBytes(path, 1, bytes, reason);
}

}  // namespace

std::string BackupFolder(const std::string& dataFolder) {
  return InFolder(dataFolder, "backups");
}

std::string BackupFileName(std::time_t moment, std::uint8_t executionCode) {
  return Formatted(moment, "%Y-%m-%d_%H%M%S") + "_" + Hex(executionCode) + ".par";
}

bool MakeBackupFolder(const std::string& folder, std::string& message) {
  std::string reason;
  if (platform::CreateFolders(folder, reason)) return true;
  message = "Папка копий «" + folder + "» недоступна: " + reason + ".";
  return false;
}

std::string SaveBackup(const model::ParameterSet& held, const std::string& folder,
                       std::time_t moment, const std::string& port, const std::string& writtenFile,
                       std::string& message) {
  if (!MakeBackupFolder(folder, message)) return {};
  std::string reason;
  // Two writes within a second must not leave one copy in place of two.
  const std::string first = BackupFileName(moment, held.ident.executionCode);
  std::string name = first;
  for (int n = 2; FileExists(InFolder(folder, name)); ++n) {
    name = first.substr(0, first.size() - 4) + "-" + std::to_string(n) + ".par";
  }
  const std::string path = InFolder(folder, name);
  model::ConfigurationDocument copy;
  copy.Set() = held;
  if (!copy.Store(path, message)) return {};

  const BackupEntry entry{Formatted(moment, "%Y-%m-%d %H:%M:%S"),
                          port,
                          platform::BaudOfSpeedCode(held.speedCode),
                          held.ident.executionCode,
                          held.ident.softwareVersion,
                          writtenFile,
                          path};
  const std::string logPath = InFolder(folder, kLogName);
  std::vector<std::uint8_t> log;
  // A log not there yet starts empty; one that cannot be read must not be replaced by one line.
  if (FileExists(logPath) && !platform::ReadFileBytes(logPath, kLogLimit, log, reason)) {
    message = "Журнал копий «" + logPath + "» не прочитан: " + reason + ".";
    return {};
  }
  if (!log.empty() && log.back() != '\n') log.push_back('\n');
  const std::string line = LogLine(entry, name);
  log.insert(log.end(), line.begin(), line.end());
  if (!platform::WriteFileAtomically(logPath, log, reason)) {
    message = "Журнал копий «" + logPath + "» не записан: " + reason + ".";
    return {};
  }
  return path;
}

std::string BackupDeviceText(const BackupEntry& entry) {
  const std::string name = model::VariantName(model::VariantOf(entry.executionCode));
  return (name.empty() ? "вычислитель" : name) + ", исполнение " + Hex(entry.executionCode) +
         ", версия ПО " + Hex(entry.softwareVersion);
}

std::string BackupPortText(const BackupEntry& entry) {
  return entry.port + ", " + std::to_string(entry.baud) + " бод";
}

std::string NoBackupsText(const std::string& folder) {
  return "В папке " + folder + " копий нет.";
}

std::vector<BackupEntry> ListBackups(const std::string& folder) {
  std::vector<std::uint8_t> bytes;
  std::string reason;
  if (!platform::ReadFileBytes(InFolder(folder, kLogName), kLogLimit, bytes, reason)) return {};
  std::vector<BackupEntry> entries;
  std::istringstream in(std::string(bytes.begin(), bytes.end()));
  std::string line;
  while (std::getline(in, line)) {
    const auto fields = Split(line);
    BackupEntry entry;
    if (fields.size() != 7 || !ParseHexByte(fields[3], entry.executionCode) ||
        !ParseHexByte(fields[4], entry.softwareVersion)) {
      continue;
    }
    entry.time = fields[0];
    entry.port = fields[1];
    entry.baud = std::atoi(fields[2].c_str());
    entry.writtenFile = fields[5];
    entry.path = InFolder(folder, fields[6]);
    if (FileExists(entry.path)) entries.push_back(std::move(entry));
  }
  // Later lines win a tie: two copies within one second stay in the order they were made.
  std::stable_sort(entries.begin(), entries.end(),
                   [](const BackupEntry& a, const BackupEntry& b) { return a.time < b.time; });
  std::reverse(entries.begin(), entries.end());
  return entries;
}

}  // namespace tarvo::shell
