#pragma once

#include <QMainWindow>
#include <QString>
#include <map>
#include <vector>

#include "app/gui/exchange_dialog.h"
#include "app/gui/form_runner.h"
#include "model/document.h"
#include "model/recent_files.h"
#include "platform/qt/qt_settings.h"
#include "platform/ui.h"
#include "shell/commands.h"
#include "shell/document_commands.h"
#include "shell/form_catalog.h"

class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace tarvo::gui {

class HelpWindow;
class OverviewWidget;

// The main window: the menus, toolbar and status bar over the one configuration document, with
// the whole configuration at a glance in the client area. Every message, question and file
// choice goes through the Ui it is given.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(platform::Ui& ui, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Opens a parameter file by name (command line, recent files); false when it was not opened.
  bool OpenDocumentFile(const QString& path);

  model::ConfigurationDocument& Document() { return document_; }
  const model::RecentFiles& RecentFiles() const { return recent_; }
  // The lines and port map the exchange dialogs use (tests put the simulated device here).
  void SetExchangeSetting(ExchangeSetting setting) { exchangeSetting_ = std::move(setting); }
  // Where F1 looks for the help instead of the program's folder (tests).
  void SetHelpFolder(const QString& folder) { helpFolder_ = folder; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QAction* AddAction(QMenu* menu, const char* objectName, const char* text, const char* prompt);
  QAction* AddCommand(QMenu* menu, shell::CommandId id, const char* objectName, const char* text,
                      const char* prompt);
  void CreateFileMenu();
  void CreateViewMenu();
  void CreateDeviceMenu();
  void CreateConfigurationMenu();
  void CreateHelpMenu();
  void CreateToolBar();
  void CreateStatusBar();

  // Runs a command and brings title, enabling, recent files and overview up to date.
  template <typename Command>
  void Run(Command command);
  void Refresh();
  void RefreshRecentFiles();
  // After Save or Save as: the status bar names the file while the configuration stays as saved.
  void NoteSaved(bool saved);
  QString DocumentStateText() const;

  void OpenRecentFile(std::size_t index);
  void OpenForm(const FormPlace& place);
  void ReadFromDevice();
  void WriteToDevice(ExchangeKind kind);
  // Runs an exchange dialog on a set (the document's, or one of its own); true when it succeeded.
  // A write of the parameters tells how it went, check included.
  bool RunExchangeDialog(ExchangeKind kind, model::ParameterSet& set,
                         shell::SafeWriteResult* written = nullptr);
  void CompareWithFile();
  // Compares the open configuration with a parameter file opened on its own.
  void CompareWithFileAt(const std::string& path);
  void ShowBackups();
  void CompareWithDevice();
  void ShowHelp();
  void ShowAbout();

  platform::Ui& ui_;
  model::ConfigurationDocument document_;
  platform::qt::RecentFileStore recentStore_;
  model::RecentFiles recent_;
  std::vector<std::string> storedRecent_;  // as the settings file has it
  shell::DocumentCommands commands_;

  std::map<shell::CommandId, QAction*> commandActions_;
  // Commands that need a configuration (compare, print), enabled as saving is.
  std::vector<QAction*> configurationActions_;
  QMenu* fileMenu_ = nullptr;
  QAction* recentPlaceholder_ = nullptr;
  QAction* exitSeparator_ = nullptr;
  std::vector<QAction*> recentActions_;
  QAction* newAction_ = nullptr;
  QAction* openAction_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  OverviewWidget* overview_ = nullptr;
  QLabel* documentState_ = nullptr;
  HelpWindow* helpWindow_ = nullptr;
  QString helpFolder_;
  std::string savedPath_;  // the file last saved by Save or Save as

  ExchangeSetting exchangeSetting_;
  ExchangeDialog* activeExchange_ = nullptr;
  bool closeAfterExchange_ = false;
};

}  // namespace tarvo::gui
