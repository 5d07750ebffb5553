#pragma once

#include <QString>

#include "model/recent_files.h"

namespace tarvo::platform::qt {

// The per-user settings file that tarvo reads its COM port map from:
// ~/.config/TARVO Applications/TarvoConfig.conf (under $XDG_CONFIG_HOME when set).
QString SettingsFile();

// The recent-file list in section "Recent File List", keys File1..File4, newest first. Other
// sections of the file ([SerialPorts]) are kept as they are.
class RecentFileStore {
 public:
  explicit RecentFileStore(QString settingsFile = SettingsFile())
      : settingsFile_(std::move(settingsFile)) {}

  model::RecentFiles Load() const;
  void Store(const model::RecentFiles& recent) const;

 private:
  QString settingsFile_;
};

}  // namespace tarvo::platform::qt
