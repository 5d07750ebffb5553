#include "platform/qt/qt_settings.h"

#include <QFile>
#include <QSettings>

#include <cstdlib>

#include "platform/port_map.h"

namespace tarvo::platform::qt {

namespace {

constexpr const char* kRecentSection = "Recent File List";
constexpr const char* kSerialPortsSection = "SerialPorts";
constexpr const char* kLastExchangeSection = "Last Exchange";
constexpr const char* kSafeWriteSection = "Safe Write";

QString KeyOf(std::size_t index) {
  return QStringLiteral("File%1").arg(index + 1);
}

}  // namespace

QString SettingsFile() {
  const std::string path =
      SettingsFilePath([](const char* name) -> const char* { return std::getenv(name); });
  return QFile::decodeName(path.c_str());
}

std::vector<std::string> RecentFileStore::Load() const {
  QSettings settings(settingsFile_, QSettings::IniFormat);
  settings.beginGroup(kRecentSection);
  std::vector<std::string> entries;
  for (std::size_t i = 0; i < kKeys; ++i) {
    const QString path = settings.value(KeyOf(i)).toString();
    if (!path.isEmpty()) entries.push_back(QFile::encodeName(path).toStdString());
  }
  return entries;
}

void RecentFileStore::Store(const std::vector<std::string>& entries) const {
  QSettings settings(settingsFile_, QSettings::IniFormat);
  settings.beginGroup(kRecentSection);
  for (std::size_t i = 0; i < kKeys; ++i) {
    if (i < entries.size()) {
      settings.setValue(KeyOf(i), QFile::decodeName(entries[i].c_str()));
    } else {
      settings.remove(KeyOf(i));
    }
  }
}

void SerialPortStore::Assign(int portNumber, const std::string& path) const {
  QSettings settings(settingsFile_, QSettings::IniFormat);
  settings.beginGroup(kSerialPortsSection);
  settings.setValue(QStringLiteral("COM%1").arg(portNumber), QFile::decodeName(path.c_str()));
}

void SerialPortStore::Forget(int portNumber) const {
  QSettings settings(settingsFile_, QSettings::IniFormat);
  settings.beginGroup(kSerialPortsSection);
  settings.remove(QStringLiteral("COM%1").arg(portNumber));
}

std::optional<std::pair<int, int>> LastExchangeStore::Load() const {
  QSettings settings(settingsFile_, QSettings::IniFormat);
  settings.beginGroup(kLastExchangeSection);
  bool portOk = false;
  bool speedOk = false;
  const int port = settings.value(QStringLiteral("Port")).toInt(&portOk);
  const int speed = settings.value(QStringLiteral("Speed")).toInt(&speedOk);
  if (!portOk || !speedOk) return std::nullopt;
  return std::pair(port, speed);
}

void LastExchangeStore::Store(int comPort, int speedCode) const {
  QSettings settings(settingsFile_, QSettings::IniFormat);
  settings.beginGroup(kLastExchangeSection);
  settings.setValue(QStringLiteral("Port"), comPort);
  settings.setValue(QStringLiteral("Speed"), speedCode);
}

WriteChecks WriteChecksStore::Load() const {
  QSettings settings(settingsFile_, QSettings::IniFormat);
  settings.beginGroup(kSafeWriteSection);
  const WriteChecks defaults;
  return {settings.value(QStringLiteral("Backup"), defaults.backup).toBool(),
          settings.value(QStringLiteral("Verify"), defaults.verify).toBool()};
}

void WriteChecksStore::Store(const WriteChecks& checks) const {
  QSettings settings(settingsFile_, QSettings::IniFormat);
  settings.beginGroup(kSafeWriteSection);
  settings.setValue(QStringLiteral("Backup"), checks.backup);
  settings.setValue(QStringLiteral("Verify"), checks.verify);
}

}  // namespace tarvo::platform::qt
