#include "platform/qt/qt_settings.h"

#include <QFile>
#include <QSettings>

#include <cstdlib>

#include "platform/port_map.h"

namespace tarvo::platform::qt {

namespace {

constexpr const char* kRecentSection = "Recent File List";

QString KeyOf(std::size_t index) {
  return QStringLiteral("File%1").arg(index + 1);
}

}  // namespace

QString SettingsFile() {
  const std::string path =
      SettingsFilePath([](const char* name) -> const char* { return std::getenv(name); });
  return QFile::decodeName(path.c_str());
}

model::RecentFiles RecentFileStore::Load() const {
  QSettings settings(settingsFile_, QSettings::IniFormat);
  settings.beginGroup(kRecentSection);
  model::RecentFiles recent;
  // Added oldest first so that File1 ends up first.
  for (std::size_t i = model::RecentFiles::kCapacity; i-- > 0;) {
    const QString path = settings.value(KeyOf(i)).toString();
    if (!path.isEmpty()) recent.Add(QFile::encodeName(path).toStdString());
  }
  return recent;
}

void RecentFileStore::Store(const model::RecentFiles& recent) const {
  QSettings settings(settingsFile_, QSettings::IniFormat);
  settings.beginGroup(kRecentSection);
  const auto& entries = recent.Entries();
  for (std::size_t i = 0; i < model::RecentFiles::kCapacity; ++i) {
    if (i < entries.size()) {
      settings.setValue(KeyOf(i), QFile::decodeName(entries[i].c_str()));
    } else {
      settings.remove(KeyOf(i));
    }
  }
}

}  // namespace tarvo::platform::qt
