#pragma once

#include <QDialog>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/gui/exchange_line.h"
#include "app/gui/stop_guard_ui.h"
#include "model/parameter_set.h"
#include "platform/port_map.h"
#include "platform/qt/bar_progress.h"
#include "platform/qt/gui_thread_ui.h"
#include "platform/qt/qt_settings.h"
#include "platform/ui.h"
#include "shell/configuration_backups.h"
#include "shell/safe_write.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace tarvo::device {
class DeviceLink;
}

namespace tarvo::gui {

class ExchangeRunner;

// Compare reads as Read does, under a title of its own.
enum class ExchangeKind { Read, Compare, WriteParameters, WriteReportTexts };

// Where an exchange dialog finds its lines, the COMn map, the settings file that keeps the
// port and speed of the last exchange, and the folder of the copies saved before a write.
struct ExchangeSetting {
  LineFactory lines = SystemLines();
  platform::PortMapSources portMap = platform::DefaultPortMapSources();
  QString settingsFile = platform::qt::SettingsFile();
  std::string backupFolder = shell::BackupFolder(platform::DataFolder(std::getenv));
};

// The read dialog and the write dialog (with its report-text mode): the port and the speed,
// the button that runs the procedure off the GUI thread, and its progress. The write of the
// parameters saves the device's configuration first and checks what it wrote, each as the user
// chose; the dialog names the phase running, under one progress. While the exchange runs the
// close button stops it (Esc and the title bar's × ask first while parameters are being
// written); the dialog closes once the exchange has ended.
class ExchangeDialog : public QDialog {
  Q_OBJECT

 public:
  ExchangeDialog(ExchangeKind kind, model::ParameterSet& set, platform::Ui& ui,
                 ExchangeSetting setting, QWidget* parent = nullptr);
  ~ExchangeDialog() override;

  bool ExchangeRunning() const;
  // Whether the exchange ran to its successful end; for the parameters, whether they were
  // written.
  bool Succeeded() const { return succeeded_; }
  // How the write of the parameters went, copy and check included.
  const shell::SafeWriteResult& WriteResult() const { return writeResult_; }
  // The file being written, as the list of copies names it.
  void SetWrittenFile(std::string name) { writtenFile_ = std::move(name); }
  // Asks the running exchange to stop; the dialog closes when it has.
  void StopExchange();
  // Esc, the title bar's × and closing the main window: closes the dialog, or stops a running
  // exchange (a write only after asking).
  void reject() override;

 private:
  void Start();
  // Backup, write and check on the link, as the check boxes say.
  bool RunSafeWrite(device::DeviceLink& link, const shell::SafeWriteOptions& options);
  void ShowPhase(shell::WritePhase phase);
  void Finish(bool ok);
  void StoreWriteChecks();
  // "Закрыть", or "Остановить" while the exchange runs: stops without asking.
  void PressClose();
  bool Writes() const;
  // The run button needs a port and a speed.
  void EnableRun();
  // The port and speed chosen go into the set; no choice stores 0.
  void StoreChoice();
  void FillPortList();
  void EditPortMap();

  ExchangeKind kind_;
  model::ParameterSet& set_;
  platform::Ui& ui_;
  ExchangeSetting setting_;
  std::unique_ptr<ExchangeLine> line_;
  // Messages of the procedure pass the guard on their way to the user.
  StopGuardUi stopGuard_;
  platform::qt::GuiThreadUi threadUi_;
  std::unique_ptr<platform::qt::BarProgress> progress_;
  // The read goes into a copy, so the set is never touched from two threads.
  model::ParameterSet work_{};
  ExchangeRunner* runner_ = nullptr;
  bool succeeded_ = false;
  shell::SafeWriteResult writeResult_;
  std::string writtenFile_;
  // Only a stop while parameters go out leaves the device half written.
  shell::WritePhase phase_ = shell::WritePhase::Write;

  QComboBox* portList_ = nullptr;
  QComboBox* speedList_ = nullptr;
  QPushButton* portsButton_ = nullptr;
  QCheckBox* backupBox_ = nullptr;
  QCheckBox* verifyBox_ = nullptr;
  QLabel* phaseText_ = nullptr;
  QProgressBar* progressBar_ = nullptr;
  QPushButton* runButton_ = nullptr;
  QPushButton* closeButton_ = nullptr;
};

// "COM1 — /dev/ttyUSB0", or what keeps the port from having a device.
QString PortEntryText(int portNumber, const platform::PortMapSources& sources);

}  // namespace tarvo::gui
