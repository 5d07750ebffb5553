#include "app/gui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

#include "app/gui/about_dialog.h"
#include "app/gui/backups_dialog.h"
#include "app/gui/check_list_dialog.h"
#include "app/gui/differences_dialog.h"
#include "app/gui/exchange_dialog.h"
#include "app/gui/help_file.h"
#include "app/gui/help_window.h"
#include "app/gui/listing_printer.h"
#include "app/gui/menu_mnemonics.h"
#include "app/gui/new_configuration_dialog_widget.h"
#include "app/gui/overview_widget.h"
#include "app/gui/qt_text.h"
#include "app/gui/report_text_dialog.h"
#include "shell/check_for_start.h"
#include "shell/exchange_flows.h"

namespace tarvo::gui {

namespace {

using shell::CommandId;
using shell::FormTarget;

// The stored list, newest first, as the menu's list.
model::RecentFiles RecentFilesOf(const std::vector<std::string>& stored) {
  model::RecentFiles recent;
  for (auto path = stored.rbegin(); path != stored.rend(); ++path) recent.Add(*path);
  return recent;
}

constexpr const char* kIdleText = "Программа готова к работе";
constexpr const char* kRecentPrompt = "Загрузить эту конфигурацию";
constexpr const char* kUnsavedText = "Есть несохраненные изменения";
constexpr const char* kSavedText = "Сохранено: ";

constexpr const char* kStopExchangeQuestion =
    "Идет обмен данными с вычислителем.\nОстановить обмен и закрыть программу?";

// A prompt reads "status text\ntool tip"; the tool tip defaults to the status text.
void SetPrompt(QAction* action, const char* prompt) {
  if (prompt == nullptr) return;
  const QString text = ToQt(prompt);
  const qsizetype newline = text.indexOf(QLatin1Char('\n'));
  action->setStatusTip(newline < 0 ? text : text.left(newline));
  if (newline >= 0) action->setToolTip(text.mid(newline + 1));
}

// "&1 /home/user/a.par", with ampersands of the path shown as themselves.
QString RecentEntryText(std::size_t index, const std::string& path) {
  QString shown = QFile::decodeName(path.c_str());
  shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
  return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

}  // namespace

MainWindow::MainWindow(platform::Ui& ui, QWidget* parent)
    : QMainWindow(parent),
      ui_(ui),
      recent_(RecentFilesOf(recentStore_.Load())),
      storedRecent_(recent_.Entries()),
      commands_(document_, ui_, recent_) {
  CreateFileMenu();
  CreateViewMenu();
  CreateDeviceMenu();
  CreateConfigurationMenu();
  CreateHelpMenu();
  CreateToolBar();
  CreateStatusBar();
  // Alt and a letter open every menu and item; assistive technology reads the texts without "&".
  // After the toolbar: its title names its menu item.
  for (QMenu* menu : menuBar()->findChildren<QMenu*>()) AssignMnemonics(*menu);

  overview_ = new OverviewWidget(this);
  setCentralWidget(overview_);
  connect(overview_, &OverviewWidget::rowActivated, this,
          [this](const FormTarget& target, const QString& code) {
            OpenForm(FormPlace{target, code.toStdString()});
          });
  connect(overview_, &OverviewWidget::reportTextsActivated, this,
          [this] { commandActions_.at(CommandId::ReportTexts)->trigger(); });
  auto* find = new QAction(this);
  find->setObjectName(QStringLiteral("actionFindParameter"));
  find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
  connect(find, &QAction::triggered, overview_, &OverviewWidget::FocusFilter);
  addAction(find);

  Refresh();
}

MainWindow::~MainWindow() = default;

QAction* MainWindow::AddAction(QMenu* menu, const char* objectName, const char* text,
                               const char* prompt) {
  auto* action = new QAction(ToQt(text), this);
  action->setObjectName(ToQt(objectName));
  SetPrompt(action, prompt);
  menu->addAction(action);
  return action;
}

QAction* MainWindow::AddCommand(QMenu* menu, CommandId id, const char* objectName, const char* text,
                                const char* prompt) {
  QAction* action = AddAction(menu, objectName, text, prompt);
  commandActions_[id] = action;
  return action;
}

template <typename Command>
void MainWindow::Run(Command command) {
  command();
  Refresh();
}

void MainWindow::CreateFileMenu() {
  fileMenu_ = menuBar()->addMenu(ToQt("&Файл"));
  fileMenu_->setObjectName(QStringLiteral("menuFile"));

  newAction_ = AddAction(fileMenu_, "actionNew", "Создать новый файл параметров\tCtrl+N",
                         "Создать новый файл параметров настройки вычислителя\n"
                         "Создать новый файл параметров");
  newAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  connect(newAction_, &QAction::triggered, this, [this] {
    Run([this] {
      commands_.New([this](model::NewConfigurationDialog& dialog) {
        return RunNewConfigurationDialog(this, dialog);
      });
    });
  });

  openAction_ = AddAction(fileMenu_, "actionOpen", "Открыть файл параметров...\tCtrl+O",
                          "Открыть файл параметров настройки вычислителя\n"
                          "Открыть файл параметров");
  openAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  connect(openAction_, &QAction::triggered, this, [this] { Run([this] { commands_.Open(); }); });

  QAction* save =
      AddCommand(fileMenu_, CommandId::Save, "actionSave", "Сохранить файл параметров\tCtrl+S",
                 "Сохранить файл параметров настройки вычислителя\n"
                 "Сохранить файл параметров");
  save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  connect(save, &QAction::triggered, this,
          [this] { Run([this] { NoteSaved(commands_.Save()); }); });

  QAction* saveAs =
      AddCommand(fileMenu_, CommandId::SaveAs, "actionSaveAs", "Сохранить файл параметров как...",
                 "Сохранить файл параметров настройки вычислителя под новым именем");
  connect(saveAs, &QAction::triggered, this,
          [this] { Run([this] { NoteSaved(commands_.SaveAs()); }); });

  fileMenu_->addSeparator();
  QAction* compare = AddAction(fileMenu_, "actionCompareFile", "Сравнить с файлом...",
                               "Сравнить открытую конфигурацию с файлом параметров");
  connect(compare, &QAction::triggered, this, &MainWindow::CompareWithFile);
  QAction* print = AddAction(fileMenu_, "actionPrint", "Печать...\tCtrl+P",
                             "Напечатать параметры конфигурации или сохранить их в PDF\nПечать");
  print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  connect(print, &QAction::triggered, this, [this] { RunPrintPreview(this, document_); });
  configurationActions_ = {compare, print};

  fileMenu_->addSeparator();
  recentPlaceholder_ =
      AddAction(fileMenu_, "actionRecentFiles", "Последние конфигурации", kRecentPrompt);
  recentPlaceholder_->setEnabled(false);
  exitSeparator_ = fileMenu_->addSeparator();

  QAction* exit = AddAction(fileMenu_, "actionExit", "Выход", "Выход из программы\nВыход");
  connect(exit, &QAction::triggered, this, &QWidget::close);
}

void MainWindow::CreateViewMenu() {
  QMenu* menu = menuBar()->addMenu(ToQt("&Вид"));
  menu->setObjectName(QStringLiteral("menuView"));

  toolBar_ = new QToolBar(this);
  toolBar_->setObjectName(QStringLiteral("toolBar"));
  QAction* toolBarToggle = toolBar_->toggleViewAction();
  toolBarToggle->setText(ToQt("Панель инструментов"));
  toolBarToggle->setObjectName(QStringLiteral("actionToolBar"));
  SetPrompt(toolBarToggle, "Show or hide the toolbar\nToggle ToolBar");
  menu->addAction(toolBarToggle);

  QAction* statusToggle = AddAction(menu, "actionStatusBar", "Панель состояния",
                                    "Show or hide the status bar\n"
                                    "Toggle StatusBar");
  statusToggle->setCheckable(true);
  statusToggle->setChecked(true);
  connect(statusToggle, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });
}

void MainWindow::CreateDeviceMenu() {
  QMenu* menu = menuBar()->addMenu(ToQt("Свя&зь с вычислителем"));
  menu->setObjectName(QStringLiteral("menuDevice"));
  QAction* read = AddCommand(menu, CommandId::ReadDevice, "actionReadDevice",
                             "Прочитать параметры вычислителя...",
                             "Прочитать параметры настройки вычислителя в компьютер");
  connect(read, &QAction::triggered, this, &MainWindow::ReadFromDevice);
  QAction* compare = AddAction(menu, "actionCompareDevice", "Сравнить с вычислителем...",
                               "Прочитать параметры вычислителя и сравнить их с открытой "
                               "конфигурацией");
  connect(compare, &QAction::triggered, this, &MainWindow::CompareWithDevice);
  configurationActions_.push_back(compare);
  QAction* write = AddCommand(menu, CommandId::WriteDevice, "actionWriteDevice",
                              "Записать параметры в вычислитель...",
                              "Записать параметры настройки из компьютера в вычислитель");
  connect(write, &QAction::triggered, this,
          [this] { WriteToDevice(ExchangeKind::WriteParameters); });
  menu->addSeparator();
  QAction* writeTexts = AddCommand(menu, CommandId::WriteReportTexts, "actionWriteReportTexts",
                                   "Записать колонтитулы текстовых отчетов...", nullptr);
  connect(writeTexts, &QAction::triggered, this,
          [this] { WriteToDevice(ExchangeKind::WriteReportTexts); });
  menu->addSeparator();
  QAction* backups = AddAction(menu, "actionBackups", "Резервные копии...",
                               "Копии конфигураций вычислителей, сохраненные перед записью");
  connect(backups, &QAction::triggered, this, &MainWindow::ShowBackups);
}

void MainWindow::CreateConfigurationMenu() {
  QMenu* menu = menuBar()->addMenu(ToQt("&Параметры конфигурации"));
  menu->setObjectName(QStringLiteral("menuConfiguration"));
  QAction* system =
      AddCommand(menu, CommandId::SystemWide, "actionSystemWide", "Общесистемные параметры...",
                 "Редатировать общесистемные параметры");
  connect(system, &QAction::triggered, this, [this] {
    OpenForm(FormPlace{FormTarget{FormTarget::Kind::System, 0}, {}});
  });
  QAction* channels =
      AddCommand(menu, CommandId::Channels, "actionChannels", "Параметры каналов учета...",
                 "Редактировать параметры каналов учета");
  connect(channels, &QAction::triggered, this, [this] {
    OpenForm(FormPlace{FormTarget{FormTarget::Kind::Channel, 0}, {}});
  });
  QAction* nodes = AddCommand(menu, CommandId::Nodes, "actionNodes", "Параметры узлов учета...",
                              "Редактировать параметры узлов учета");
  connect(nodes, &QAction::triggered, this, [this] {
    OpenForm(FormPlace{FormTarget{FormTarget::Kind::Node, 0}, {}});
  });
  menu->addSeparator();
  QAction* check = AddCommand(menu, CommandId::CheckForStart, "actionCheckForStart",
                              "Проверять параметры для пуска на счет",
                              "Настройка проверки корректности значений параметров");
  check->setCheckable(true);
  // The check mark follows the switch, not the click: Refresh sets it from the set.
  connect(check, &QAction::triggered, this,
          [this] { Run([this] { shell::ToggleCheckForStart(document_); }); });
  QAction* checkAll = AddCommand(menu, CommandId::CheckConfiguration, "actionCheckConfiguration",
                                 "Проверить конфигурацию",
                                 "Проверить все формы и показать, какие не принимают "
                                 "конфигурацию");
  connect(checkAll, &QAction::triggered, this, [this] {
    Run([this] {
      ReviewConfiguration(this, document_, ui_,
                          [this](const FormPlace& place) { OpenForm(place); });
    });
  });
  menu->addSeparator();
  QAction* texts = AddCommand(menu, CommandId::ReportTexts, "actionReportTexts",
                              "Колонтитулы текстовых отчетов...",
                              "Редактировать колонтитулы текстовых отчетов вычислителя");
  connect(texts, &QAction::triggered, this,
          [this] { Run([this] { RunReportTextEditor(this, document_, ui_); }); });
}

void MainWindow::CreateHelpMenu() {
  QMenu* menu = menuBar()->addMenu(ToQt("&Справка"));
  menu->setObjectName(QStringLiteral("menuHelp"));
  QAction* help = AddAction(menu, "actionHelp", "Справка по программе TarvoConfig\tF1", nullptr);
  help->setShortcut(QKeySequence(Qt::Key_F1));
  connect(help, &QAction::triggered, this, &MainWindow::ShowHelp);
  QAction* about = AddAction(menu, "actionAbout", "О программе...",
                             "Смотреть информацию о версии и производителе программы\n"
                             "О программе");
  connect(about, &QAction::triggered, this, &MainWindow::ShowAbout);
}

void MainWindow::CreateToolBar() {
  toolBar_->setWindowTitle(ToQt("Панель инструментов"));
  toolBar_->setIconSize(QSize(16, 16));
  newAction_->setIcon(
      QIcon::fromTheme(QStringLiteral("document-new"), style()->standardIcon(QStyle::SP_FileIcon)));
  openAction_->setIcon(QIcon::fromTheme(QStringLiteral("document-open"),
                                        style()->standardIcon(QStyle::SP_DialogOpenButton)));
  QAction* save = commandActions_.at(CommandId::Save);
  save->setIcon(QIcon::fromTheme(QStringLiteral("document-save"),
                                 style()->standardIcon(QStyle::SP_DialogSaveButton)));
  toolBar_->addAction(newAction_);
  toolBar_->addAction(openAction_);
  toolBar_->addAction(save);
  addToolBar(Qt::TopToolBarArea, toolBar_);
}

void MainWindow::CreateStatusBar() {
  // A command's prompt covers the idle text while the pointer rests on the command.
  auto* idle = new QLabel(ToQt(kIdleText), this);
  idle->setObjectName(QStringLiteral("idleText"));
  statusBar()->addWidget(idle, 1);
  // Whether the configuration has unsaved changes, or where it was just saved.
  documentState_ = new QLabel(this);
  documentState_->setObjectName(QStringLiteral("documentState"));
  documentState_->setAccessibleName(ToQt("Состояние конфигурации"));
  documentState_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  statusBar()->addPermanentWidget(documentState_);
}

void MainWindow::NoteSaved(bool saved) {
  if (saved) savedPath_ = document_.PathName();
}

QString MainWindow::DocumentStateText() const {
  if (document_.Modified()) return ToQt(kUnsavedText);
  if (!savedPath_.empty() && savedPath_ == document_.PathName()) {
    return ToQt(kSavedText) + QFile::decodeName(savedPath_.c_str());
  }
  return {};
}

void MainWindow::Refresh() {
  setWindowTitle(ToQt(document_.WindowTitle()));
  for (const auto& [id, action] : commandActions_) {
    const shell::CommandState state = shell::StateOf(id, document_.Set());
    action->setEnabled(state.enabled);
    if (action->isCheckable()) action->setChecked(state.checked);
  }
  const bool loaded = shell::StateOf(CommandId::Save, document_.Set()).enabled;
  for (QAction* action : configurationActions_) action->setEnabled(loaded);
  RefreshRecentFiles();
  documentState_->setText(DocumentStateText());
  overview_->ShowConfiguration(document_.Set());
}

void MainWindow::RefreshRecentFiles() {
  const auto& entries = recent_.Entries();
  if (entries != storedRecent_) {
    recentStore_.Store(recent_.Entries());
    storedRecent_ = entries;
  }
  for (QAction* action : recentActions_) {
    fileMenu_->removeAction(action);
    action->deleteLater();
  }
  recentActions_.clear();
  recentPlaceholder_->setVisible(entries.empty());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    auto* action = new QAction(RecentEntryText(i, entries[i]), this);
    action->setObjectName(QStringLiteral("actionRecentFile%1").arg(i + 1));
    action->setStatusTip(ToQt(kRecentPrompt));
    connect(action, &QAction::triggered, this, [this, i] { OpenRecentFile(i); });
    fileMenu_->insertAction(exitSeparator_, action);
    recentActions_.push_back(action);
  }
}

bool MainWindow::OpenDocumentFile(const QString& path) {
  bool opened = false;
  Run([&] { opened = commands_.OpenDocumentFile(QFile::encodeName(path).toStdString()); });
  return opened;
}

void MainWindow::OpenRecentFile(std::size_t index) {
  if (index >= recent_.Entries().size()) return;
  const std::string path = recent_.Entries()[index];
  Run([&] {
    // A file that has gone leaves the list; one that failed for another reason, or that the
    // user chose not to open, stays.
    if (!commands_.OpenDocumentFile(path) && !QFileInfo::exists(QFile::decodeName(path.c_str()))) {
      recent_.Remove(path);
    }
  });
}

void MainWindow::OpenForm(const FormPlace& place) {
  Run([&] { RunConfigurationForm(this, document_, ui_, place); });
}

void MainWindow::ReadFromDevice() {
  Run([this] {
    shell::ReadFromDevice(commands_, document_, [this](model::ParameterSet& set) {
      return RunExchangeDialog(ExchangeKind::Read, set);
    });
  });
}

void MainWindow::WriteToDevice(ExchangeKind kind) {
  Run([this, kind] {
    if (kind == ExchangeKind::WriteParameters &&
        !ConfirmWrite(this, document_, [this](const FormPlace& place) { OpenForm(place); })) {
      return;
    }
    shell::SafeWriteResult written;
    shell::WriteFromDocument(document_, [&](model::ParameterSet& set) {
      return RunExchangeDialog(kind, set, &written);
    });
    if (written.readBack) ShowVerification(this, document_, *written.readBack, ui_);
  });
}

bool MainWindow::RunExchangeDialog(ExchangeKind kind, model::ParameterSet& set,
                                   shell::SafeWriteResult* written) {
  ExchangeDialog dialog(kind, set, ui_, exchangeSetting_, this);
  dialog.SetWrittenFile(document_.PathName().empty() ? document_.Title() : document_.PathName());
  activeExchange_ = &dialog;
  dialog.exec();
  activeExchange_ = nullptr;
  if (written != nullptr) *written = dialog.WriteResult();
  if (closeAfterExchange_) {
    closeAfterExchange_ = false;
    QTimer::singleShot(0, this, &QWidget::close);
  }
  return dialog.Succeeded();
}

void MainWindow::CompareWithFile() {
  platform::FileDialogOptions options = shell::DocumentCommands::OpenDialogOptions();
  options.title = "Сравнение с файлом параметров";
  const auto path = ui_.AskOpenFileName(options);
  if (path) CompareWithFileAt(*path);
}

void MainWindow::CompareWithFileAt(const std::string& path) {
  // The other file is opened on its own: the open configuration is not touched.
  const auto other = std::make_unique<model::ConfigurationDocument>();
  std::string message;
  if (!other->Open(path, message)) {
    ui_.ShowMessage(message, "", platform::Icon::Error, platform::Buttons::Ok);
    return;
  }
  Run([&] {
    ShowDifferences(QApplication::activeModalWidget() != nullptr ? QApplication::activeModalWidget()
                                                                 : static_cast<QWidget*>(this),
                    document_, other->Set(), QFileInfo(QFile::decodeName(path.c_str())).fileName(),
                    ui_);
  });
}

void MainWindow::ShowBackups() {
  const bool loaded = shell::StateOf(CommandId::Save, document_.Set()).enabled;
  BackupsDialog dialog(
      exchangeSetting_.backupFolder, loaded,
      [this](const std::string& path) {
        bool opened = false;
        Run([&] { opened = commands_.OpenDocumentFile(path); });
        return opened;
      },
      [this](const std::string& path) { CompareWithFileAt(path); }, this);
  dialog.exec();
}

void MainWindow::CompareWithDevice() {
  const auto read = shell::ReadForComparison(document_, [this](model::ParameterSet& set) {
    return RunExchangeDialog(ExchangeKind::Compare, set);
  });
  if (!read) return;
  Run([&] { ShowDifferences(this, document_, *read, ToQt("Вычислитель"), ui_); });
}

void MainWindow::ShowHelp() {
  const HelpFileLookup lookup =
      FindHelpFile(helpFolder_.isEmpty() ? QCoreApplication::applicationDirPath() : helpFolder_);
  std::string problem;
  if (lookup.found.isEmpty()) {
    problem = HelpMissingMessage(lookup);
  } else {
    // The program's own window: a machine without a web browser shows the help too.
    if (helpWindow_ == nullptr) helpWindow_ = new HelpWindow(this);
    std::string reason;
    if (helpWindow_->Load(lookup.found, reason)) {
      helpWindow_->show();
      helpWindow_->raise();
      helpWindow_->activateWindow();
    } else {
      problem = HelpNotOpenedMessage(lookup.found, reason);
    }
  }
  if (!problem.empty()) {
    ui_.ShowMessage(problem, platform::kApplicationTitle, platform::Icon::Warning,
                    platform::Buttons::Ok);
  }
}

void MainWindow::ShowAbout() {
  AboutDialog dialog(this);
  dialog.exec();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (activeExchange_ != nullptr) {
    // The exchange dialog closes first (a running exchange is asked about and stopped); then the
    // window closes as it would without it, asking about unsaved changes.
    event->ignore();
    if (closeAfterExchange_) return;
    if (!activeExchange_->ExchangeRunning()) {
      closeAfterExchange_ = true;
      activeExchange_->reject();
      return;
    }
    if (ui_.ShowMessage(kStopExchangeQuestion, platform::kApplicationTitle,
                        platform::Icon::Question,
                        platform::Buttons::YesNo) == platform::Answer::Yes &&
        activeExchange_ != nullptr) {
      closeAfterExchange_ = true;
      activeExchange_->StopExchange();
    }
    return;
  }
  bool canClose = false;
  Run([&] { canClose = commands_.CanCloseFrame(); });
  if (canClose) {
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace tarvo::gui
