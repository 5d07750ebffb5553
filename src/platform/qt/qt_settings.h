#pragma once

#include <QString>
#include <optional>
#include <string>
#include <utility>
#include <vector>

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

  static constexpr std::size_t kKeys = 4;

  // File1 first; empty keys are skipped.
  std::vector<std::string> Load() const;
  // Entries beyond the four keys are not stored; keys without an entry are removed.
  void Store(const std::vector<std::string>& entries) const;

 private:
  QString settingsFile_;
};

// The COMn keys of section [SerialPorts], which tarvo reads too.
class SerialPortStore {
 public:
  explicit SerialPortStore(QString settingsFile = SettingsFile())
      : settingsFile_(std::move(settingsFile)) {}

  // An empty path maps the port to nothing.
  void Assign(int portNumber, const std::string& path) const;
  // The port goes back to its default device.
  void Forget(int portNumber) const;

 private:
  QString settingsFile_;
};

// The port and speed of the program's last exchange, section [Last Exchange]: what the exchange
// dialogs open with for a configuration that has never taken part in one.
class LastExchangeStore {
 public:
  explicit LastExchangeStore(QString settingsFile = SettingsFile())
      : settingsFile_(std::move(settingsFile)) {}

  // COM port number and speed code as stored; nothing when none were.
  std::optional<std::pair<int, int>> Load() const;
  void Store(int comPort, int speedCode) const;

 private:
  QString settingsFile_;
};

// Whether the write dialog saves the device's configuration first and checks what it wrote,
// section [Safe Write]; both on until the user turns them off.
struct WriteChecks {
  bool backup = true;
  bool verify = true;
};

class WriteChecksStore {
 public:
  explicit WriteChecksStore(QString settingsFile = SettingsFile())
      : settingsFile_(std::move(settingsFile)) {}

  WriteChecks Load() const;
  void Store(const WriteChecks& checks) const;

 private:
  QString settingsFile_;
};

}  // namespace tarvo::platform::qt
