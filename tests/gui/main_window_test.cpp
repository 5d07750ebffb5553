#include "app/gui/main_window.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeWidget>
#include <cstring>
#include <memory>

#include "app/gui/form_dialog.h"
#include "app/gui/form_widget.h"
#include "app/gui/sheet_dialog.h"
#include "fakes/recording_ui.h"
#include "gui/form_cells.h"
#include "gui/modal.h"
#include "gui/window_test.h"
#include "platform/ini_file.h"
#include "platform/qt/qt_settings.h"
#include "support/temp_dir_test.h"

namespace tarvo::gui {
namespace {

using platform::Answer;
using platform::Icon;

class MainWindowTest : public WindowTest {
 protected:
  QAction* Action(const char* name) const {
    auto* action = window->findChild<QAction*>(QString::fromUtf8(name));
    EXPECT_NE(action, nullptr) << name;
    return action;
  }
  void Trigger(const char* name) { Action(name)->trigger(); }

  std::string Title() const { return window->windowTitle().toStdString(); }

  // The items of a menu as assistive technology reads them: "-" for a separator, hidden items
  // left out.
  static std::vector<std::string> ItemsOf(QMenu* menu) {
    std::vector<std::string> items;
    QAccessibleInterface* read = QAccessible::queryAccessibleInterface(menu);
    for (int i = 0; i < menu->actions().size(); ++i) {
      QAction* action = menu->actions()[i];
      if (!action->isVisible()) continue;
      items.push_back(
          action->isSeparator() ? "-" : read->child(i)->text(QAccessible::Name).toStdString());
    }
    return items;
  }
  QMenu* Menu(const char* name) const { return window->findChild<QMenu*>(QString::fromUtf8(name)); }

  std::vector<std::string> EnabledCommands() const {
    std::vector<std::string> enabled;
    for (QAction* action : window->findChildren<QAction*>()) {
      if (action->objectName().startsWith("action") && action->isEnabled()) {
        enabled.push_back(action->objectName().toStdString());
      }
    }
    std::sort(enabled.begin(), enabled.end());
    return enabled;
  }
};

TEST_F(MainWindowTest, StartsUntitledAndEmptyWithOnlyTheAlwaysAvailableCommands) {
  EXPECT_EQ(Title(), "Безымянный - TarvoConfig");
  auto* idle = window->statusBar()->findChild<QLabel*>("idleText");
  ASSERT_NE(idle, nullptr);
  EXPECT_EQ(idle->text().toStdString(), "Программа готова к работе");
  EXPECT_EQ(EnabledCommands(), (std::vector<std::string>{
                                   "actionAbout", "actionBackups", "actionExit",
                                   "actionFindParameter", "actionHelp", "actionNew", "actionOpen",
                                   "actionReadDevice", "actionStatusBar", "actionToolBar"}));
  // Disabled, the switch still shows its state.
  EXPECT_EQ(Action("actionCheckForStart")->isChecked(),
            window->Document().Set().checkForStart != 0);
}

TEST_F(MainWindowTest, MenusReadAsTheProgramsOwnWithSeparatorsAndKeys) {
  std::vector<std::string> titles;
  QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(window->menuBar());
  for (int i = 0; i < bar->childCount(); ++i) {
    titles.push_back(bar->child(i)->text(QAccessible::Name).toStdString());
  }
  EXPECT_EQ(titles, (std::vector<std::string>{"Файл", "Вид", "Связь с вычислителем",
                                              "Параметры конфигурации", "Справка"}));

  const std::vector<std::pair<const char*, std::vector<std::string>>> menus = {
      {"menuFile",
       {"Создать новый файл параметров\tCtrl+N", "Открыть файл параметров...\tCtrl+O",
        "Сохранить файл параметров\tCtrl+S", "Сохранить файл параметров как...", "-",
        "Сравнить с файлом...", "Печать...\tCtrl+P", "-", "Последние конфигурации", "-", "Выход"}},
      {"menuView", {"Панель инструментов", "Панель состояния"}},
      {"menuDevice",
       {"Прочитать параметры вычислителя...", "Сравнить с вычислителем...",
        "Записать параметры в вычислитель...", "-", "Записать колонтитулы текстовых отчетов...",
        "-", "Резервные копии..."}},
      {"menuConfiguration",
       {"Общесистемные параметры...", "Параметры каналов учета...", "Параметры узлов учета...", "-",
        "Проверять параметры для пуска на счет", "Проверить конфигурацию", "-",
        "Колонтитулы текстовых отчетов..."}},
      {"menuHelp", {"Справка по программе TarvoConfig\tF1", "О программе..."}},
  };
  for (const auto& [name, items] : menus) {
    QMenu* menu = Menu(name);
    ASSERT_NE(menu, nullptr) << name;
    EXPECT_EQ(ItemsOf(menu), items) << name;
  }

  const std::vector<std::pair<const char*, const char*>> keys = {
      {"actionNew", "Ctrl+N"},   {"actionOpen", "Ctrl+O"}, {"actionSave", "Ctrl+S"},
      {"actionPrint", "Ctrl+P"}, {"actionHelp", "F1"},     {"actionFindParameter", "Ctrl+F"}};
  for (const auto& [name, key] : keys) {
    EXPECT_EQ(Action(name)->shortcut().toString().toStdString(), key) << name;
  }

  std::vector<std::string> toolBar;
  for (QAction* action : window->findChild<QToolBar*>("toolBar")->actions()) {
    toolBar.push_back(action->objectName().toStdString() + ": " + action->toolTip().toStdString() +
                      " | " + action->statusTip().toStdString());
  }
  EXPECT_EQ(toolBar,
            (std::vector<std::string>{
                "actionNew: Создать новый файл параметров | "
                "Создать новый файл параметров настройки вычислителя",
                "actionOpen: Открыть файл параметров | Открыть файл параметров настройки "
                "вычислителя",
                "actionSave: Сохранить файл параметров | Сохранить файл параметров настройки "
                "вычислителя"}));
  EXPECT_EQ(Action("actionSystemWide")->statusTip().toStdString(),
            "Редатировать общесистемные параметры");
}

TEST_F(MainWindowTest, ReportTextCommandsFollowTheVariant) {
  struct Case {
    std::uint8_t executionCode;
    bool reportTexts;
  };
  for (const Case& c : {Case{0x50, false}, Case{0x47, true}}) {
    ASSERT_TRUE(
        window->OpenDocumentFile(QString::fromStdString(MakeFile("f.par", c.executionCode))));
    for (const char* name : {"actionSave", "actionSaveAs", "actionWriteDevice", "actionSystemWide",
                             "actionChannels", "actionNodes", "actionCheckForStart"}) {
      EXPECT_TRUE(Action(name)->isEnabled()) << name;
    }
    EXPECT_EQ(Action("actionReportTexts")->isEnabled(), c.reportTexts);
    EXPECT_EQ(Action("actionWriteReportTexts")->isEnabled(), c.reportTexts);
  }
}

TEST_F(MainWindowTest, NewThroughTheDialog) {
  testing::WhenModalShown([](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle().toStdString(), "Создание нового файла параметров");
    static_cast<QDialog*>(dialog)->reject();
  });
  Trigger("actionNew");
  EXPECT_EQ(Title(), "Безымянный - TarvoConfig");

  std::vector<std::string> codes;
  testing::WhenModalShown([&codes](QWidget* dialog) {
    auto* types = dialog->findChild<QComboBox*>("typeCombo");
    auto* codeList = dialog->findChild<QComboBox*>("codeCombo");
    types->setCurrentIndex(2);  // ЛУР-У
    for (int i = 0; i < codeList->count(); ++i)
      codes.push_back(codeList->itemText(i).toStdString());
    codeList->setCurrentIndex(1);
    dialog->findChild<QPushButton*>("okButton")->click();
  });
  Trigger("actionNew");
  EXPECT_EQ(codes, (std::vector<std::string>{"50", "51", "52", "53"}));
  EXPECT_EQ(Title(), "Безымянный [вычислитель ЛУР-У, исполнение 51] - TarvoConfig");
  EXPECT_TRUE(Action("actionChannels")->isEnabled());
  EXPECT_FALSE(Action("actionReportTexts")->isEnabled());
}

TEST_F(MainWindowTest, OpenSaveAndSaveAsKeepTheRecentListInTheSharedSettingsFile) {
#ifdef _WIN32
  const std::string settings = PathOf("config") + "\\TARVO Applications\\TarvoConfig.conf";
#else
  const std::string settings = PathOf("config") + "/TARVO Applications/TarvoConfig.conf";
#endif
  std::filesystem::create_directories(PathOf("config") + "/TARVO Applications");
  Write(settings, "[SerialPorts]\nCOM1=/dev/pts/7\n");

  std::vector<std::string> files;
  for (int i = 1; i <= 5; ++i) files.push_back(MakeFile("f" + std::to_string(i) + ".par", 0x47));
  for (const std::string& file : files) {
    ui.fileNames = {file};
    Trigger("actionOpen");
  }
  EXPECT_EQ(Title(), "f5.par [вычислитель ЛУР-Г, исполнение 47] - TarvoConfig");
  EXPECT_EQ(ui.fileDialogs.back().title, "Открытие файла параметров");
  // Read without the "&" that makes the digit the entry's key.
  const std::vector<std::string> shown = {"1 " + files[4], "2 " + files[3], "3 " + files[2],
                                          "4 " + files[1]};
  std::vector<std::string> expectedMenu = {"Создать новый файл параметров\tCtrl+N",
                                           "Открыть файл параметров...\tCtrl+O",
                                           "Сохранить файл параметров\tCtrl+S",
                                           "Сохранить файл параметров как...",
                                           "-",
                                           "Сравнить с файлом...",
                                           "Печать...\tCtrl+P",
                                           "-"};
  expectedMenu.insert(expectedMenu.end(), shown.begin(), shown.end());
  expectedMenu.insert(expectedMenu.end(), {"-", "Выход"});
  EXPECT_EQ(ItemsOf(Menu("menuFile")), expectedMenu);
  EXPECT_EQ(Action("actionRecentFile1")->statusTip().toStdString(), "Загрузить эту конфигурацию");

  // Modified, then opening a recent file asks first; Save stores under the file's own name.
  Trigger("actionCheckForStart");
  ui.answers = {Answer::No};
  Trigger("actionRecentFile3");
  EXPECT_EQ(ui.messages.back().text, shell::kOpenAnotherQuestion);
  EXPECT_EQ(Title(), "f5.par [вычислитель ЛУР-Г, исполнение 47] - TarvoConfig");
  const std::size_t dialogs = ui.fileDialogs.size();
  Trigger("actionSave");
  EXPECT_EQ(ui.fileDialogs.size(), dialogs);
  EXPECT_FALSE(window->Document().Modified());

  ui.fileNames = {PathOf("copy.par")};
  Trigger("actionSaveAs");
  EXPECT_EQ(ui.fileDialogs.back().title, "Сохранение файла параметров");
  EXPECT_TRUE(std::filesystem::exists(PathOf("copy.par")));
  EXPECT_EQ(Title(), "copy.par [вычислитель ЛУР-Г, исполнение 47] - TarvoConfig");

  Trigger("actionRecentFile4");
  EXPECT_EQ(Title(), "f3.par [вычислитель ЛУР-Г, исполнение 47] - TarvoConfig");
  const std::vector<std::string> expected = {files[2], PathOf("copy.par"), files[4], files[3]};
  EXPECT_EQ(window->RecentFiles().Entries(), expected);

  // The list is in the settings file, beside the port map tarvo reads from it.
  EXPECT_EQ(platform::qt::SettingsFile().toStdString(), settings);
  EXPECT_EQ(platform::qt::RecentFileStore().Load(), expected);
  EXPECT_EQ(platform::IniFile::Load(settings).Value("SerialPorts", "COM1"), "/dev/pts/7");
  window = std::make_unique<MainWindow>(ui);
  EXPECT_EQ(Action("actionRecentFile1")->text().toStdString(), "&1 " + files[2]);
}

TEST_F(MainWindowTest, ARecentFileThatHasGoneLeavesTheList) {
  const std::string file = MakeFile("g.par", 0x47);
  ASSERT_TRUE(window->OpenDocumentFile(QString::fromStdString(file)));
  ui.fileNames = {PathOf("kept.par")};
  Trigger("actionSaveAs");
  std::filesystem::remove(file);

  Trigger("actionRecentFile2");
  EXPECT_EQ(ui.messages.back().icon, Icon::Error);
  EXPECT_EQ(window->RecentFiles().Entries(), std::vector<std::string>{PathOf("kept.par")});
  EXPECT_EQ(Title(), "kept.par [вычислитель ЛУР-Г, исполнение 47] - TarvoConfig");
  EXPECT_EQ(ItemsOf(Menu("menuFile"))[8], "1 " + PathOf("kept.par"));
}

TEST_F(MainWindowTest, CheckForStartToggledTwiceStaysModifiedAndClosingAsks) {
  ASSERT_TRUE(window->OpenDocumentFile(QString::fromStdString(MakeFile("g.par", 0x47))));
  const bool initially = Action("actionCheckForStart")->isChecked();
  Trigger("actionCheckForStart");
  EXPECT_NE(Action("actionCheckForStart")->isChecked(), initially);
  Trigger("actionCheckForStart");
  EXPECT_EQ(Action("actionCheckForStart")->isChecked(), initially);
  EXPECT_TRUE(window->Document().Modified());

  ui.answers = {Answer::Cancel};
  EXPECT_FALSE(window->close());
  EXPECT_EQ(ui.messages.back().text, "Сохранить изменения в файле " + PathOf("g.par") + " ?");
  ui.answers = {Answer::No};
  EXPECT_TRUE(window->close());
}

// Typed key by key: QTest's keyClicks takes only ASCII.
void TypeCyrillic(QWidget* widget, const char* text) {
  for (const QChar c : QString::fromUtf8(text)) {
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
}

// Alt and a letter open every menu and item: each has a letter of its own within its menu.
TEST_F(MainWindowTest, EveryMenuAndItemHasAMnemonicOfItsOwn) {
  const auto mnemonicOf = [](const QString& text) {
    const QKeySequence key = QKeySequence::mnemonic(text);
    EXPECT_FALSE(key.isEmpty()) << text.toStdString();
    return key.toString();
  };
  std::vector<QMenu*> menus;
  QStringList titleKeys;
  for (QAction* title : window->menuBar()->actions()) {
    titleKeys << mnemonicOf(title->text());
    menus.push_back(title->menu());
  }
  EXPECT_EQ(titleKeys, (QStringList{QString::fromUtf8("Alt+Ф"), QString::fromUtf8("Alt+В"),
                                    QString::fromUtf8("Alt+З"), QString::fromUtf8("Alt+П"),
                                    QString::fromUtf8("Alt+С")}));
  for (QMenu* menu : menus) {
    QStringList keys;
    for (QAction* action : menu->actions()) {
      if (action->isSeparator()) continue;
      const QString key = mnemonicOf(action->text());
      EXPECT_FALSE(keys.contains(key))
          << menu->objectName().toStdString() << ": " << key.toStdString();
      keys << key;
    }
  }
  EXPECT_EQ(Action("actionNew")->text().toStdString(), "&Создать новый файл параметров\tCtrl+N");

  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QTest::sendKeyEvent(QTest::Click, window.get(), static_cast<Qt::Key>(0x0424),
                      QString::fromUtf8("ф"), Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([this] { return Menu("menuFile")->isVisible(); }));
  Menu("menuFile")->close();
}

// The status bar tells unsaved changes, and after saving where the file went; a Save as that
// failed leaves the title and the recent list with the file the configuration still has.
TEST_F(MainWindowTest, StatusBarTellsUnsavedAndSavedAndAFailedSaveAsKeepsTheOldName) {
  auto* state = window->statusBar()->findChild<QLabel*>("documentState");
  ASSERT_NE(state, nullptr);
  EXPECT_EQ(state->accessibleName().toStdString(), "Состояние конфигурации");
  const std::string file = MakeFile("g.par", 0x47);
  ASSERT_TRUE(window->OpenDocumentFile(QString::fromStdString(file)));
  EXPECT_EQ(state->text().toStdString(), "");

  Trigger("actionCheckForStart");
  EXPECT_EQ(state->text().toStdString(), "Есть несохраненные изменения");
  Trigger("actionSave");
  EXPECT_EQ(state->text().toStdString(), "Сохранено: " + file);

  Trigger("actionCheckForStart");
  ui.fileNames = {PathOf("no/such/folder/x.par")};
  Trigger("actionSaveAs");
  EXPECT_EQ(ui.messages.back().icon, Icon::Error);
  EXPECT_EQ(Title(), "g.par [вычислитель ЛУР-Г, исполнение 47] - TarvoConfig");
  EXPECT_EQ(window->RecentFiles().Entries(), std::vector<std::string>{file});
  EXPECT_EQ(state->text().toStdString(), "Есть несохраненные изменения");

  ui.fileNames = {PathOf("copy.par")};
  Trigger("actionSaveAs");
  EXPECT_EQ(state->text().toStdString(), "Сохранено: " + PathOf("copy.par"));
  EXPECT_EQ(Title(), "copy.par [вычислитель ЛУР-Г, исполнение 47] - TarvoConfig");
}

// F1 shows the program's own help window: contents from the help's headings and a search.
TEST_F(MainWindowTest, F1ShowsTheHelpInTheProgramsOwnWindowOrSaysWhereItLooked) {
  window->SetHelpFolder(QString::fromStdString(PathOf("bin")));
  Trigger("actionHelp");
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text.rfind("Файл справки не найден. Программа искала его здесь:\n", 0),
            0u);
  EXPECT_NE(ui.messages[0].text.find(PathOf("bin/help/TarvoConfig.html")), std::string::npos);

  std::filesystem::create_directories(PathOf("bin/help"));
  Write(PathOf("bin/help/TarvoConfig.html"),
        "<html><body><h1>Справка</h1><h2 id=\"a\">1. Файлы</h2><p>Открытие файла.</p>"
        "<h3>Последние</h3><p>Список файлов.</p><h2 id=\"b\">2. Клавиши</h2>"
        "<p>Esc очищает фильтр обзора.</p></body></html>");
  Trigger("actionHelp");
  EXPECT_EQ(ui.messages.size(), 1u);
  auto* help = window->findChild<QWidget*>("helpWindow");
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  EXPECT_EQ(help->windowTitle().toStdString(), "Справка по программе TarvoConfig");

  auto* contents = help->findChild<QTreeWidget*>("helpContents");
  ASSERT_NE(contents, nullptr);
  ASSERT_EQ(contents->topLevelItemCount(), 2);
  EXPECT_EQ(contents->topLevelItem(0)->text(0).toStdString(), "1. Файлы");
  ASSERT_EQ(contents->topLevelItem(0)->childCount(), 1);
  EXPECT_EQ(contents->topLevelItem(0)->child(0)->text(0).toStdString(), "Последние");
  auto* text = help->findChild<QTextBrowser*>("helpText");
  contents->setCurrentItem(contents->topLevelItem(1));
  EXPECT_EQ(text->textCursor().block().text().toStdString(), "2. Клавиши");

  auto* search = help->findChild<QLineEdit*>("helpSearch");
  auto* found = help->findChild<QLabel*>("helpSearchState");
  ASSERT_NE(search, nullptr);
  EXPECT_EQ(search->accessibleName().toStdString(), "Найти в справке");
  TypeCyrillic(search, "файл");
  EXPECT_EQ(text->textCursor().selectedText().toStdString(), "Файл");
  QTest::keyClick(search, Qt::Key_Return);
  EXPECT_EQ(text->textCursor().block().text().toStdString(), "Открытие файла.");
  TypeCyrillic(search, "ов");
  EXPECT_EQ(text->textCursor().block().text().toStdString(), "Список файлов.");
  EXPECT_EQ(found->text().toStdString(), "");
  QTest::keyClicks(search, QStringLiteral("zz"));
  EXPECT_EQ(found->text().toStdString(), "Не найдено");
}

TEST_F(MainWindowTest, AboutShowsTheProgramAndItsVersion) {
  std::vector<std::string> lines;
  testing::WhenModalShown([&lines](QWidget* dialog) {
    lines.push_back(dialog->windowTitle().toStdString());
    for (const char* name : {"programName", "versionLine"}) {
      lines.push_back(dialog->findChild<QLabel*>(name)->text().toStdString());
    }
    static_cast<QDialog*>(dialog)->accept();
  });
  Trigger("actionAbout");
  EXPECT_EQ(lines,
            (std::vector<std::string>{"О программе", "Программа TarvoConfig", "Версия 1.16"}));
}

}  // namespace
}  // namespace tarvo::gui

namespace tarvo::gui {
namespace {

void TypeInto(QLineEdit* edit, const char* text) {
  ASSERT_NE(edit, nullptr);
  edit->selectAll();
  QTest::keyClicks(edit, QString::fromUtf8(text));
}

// The value the overview shows for a code.
std::string OverviewValue(MainWindow& window, const char* code) {
  auto* tree = window.findChild<QTreeWidget*>("overviewTree");
  for (int f = 0; f < tree->topLevelItemCount(); ++f) {
    for (int r = 0; r < tree->topLevelItem(f)->childCount(); ++r) {
      QTreeWidgetItem* row = tree->topLevelItem(f)->child(r);
      if (row->text(0) == code) return row->text(1).toStdString();
    }
  }
  return "(нет)";
}

TEST_F(MainWindowTest, FormsRunUnderTheGuardedEdit) {
  ASSERT_TRUE(window->OpenDocumentFile(QString::fromStdString(MakeFile("g.par", 0x47))));
  const auto opened = std::make_unique<model::ParameterSet>(window->Document().Set());

  // Cancel after a page was left and committed restores the whole set.
  testing::WhenModalShown([](QWidget* dialog) {
    auto* sheet = qobject_cast<SheetDialog*>(dialog);
    ASSERT_NE(sheet, nullptr);
    TypeInto(CellOf(sheet, "K102"), "5");
    ASSERT_TRUE(sheet->SelectPage(1));
    sheet->reject();
  });
  Trigger("actionChannels");
  EXPECT_TRUE(window->Document().Set().SameContent(*opened));
  EXPECT_FALSE(window->Document().Modified());
  EXPECT_EQ(OverviewValue(*window, "K102"), "-");

  // OK without a change leaves the document unmodified.
  testing::WhenModalShown([](QWidget* dialog) { static_cast<QDialog*>(dialog)->accept(); });
  Trigger("actionChannels");
  EXPECT_FALSE(window->Document().Modified());

  // OK after a change marks it modified, and the overview shows the value.
  testing::WhenModalShown([](QWidget* dialog) {
    TypeInto(CellOf(dialog, "K020"), "5,5");
    static_cast<QDialog*>(dialog)->accept();
  });
  Trigger("actionSystemWide");
  EXPECT_TRUE(window->Document().Modified());
  EXPECT_EQ(OverviewValue(*window, "K020"), "5,5");
}

TEST_F(MainWindowTest, AnOverviewRowOpensItsFormAtThatRow) {
  ASSERT_TRUE(window->OpenDocumentFile(QString::fromStdString(MakeFile("g.par", 0x47))));
  window->show();
  auto* tree = window->findChild<QTreeWidget*>("overviewTree");
  QTreeWidgetItem* k302 = nullptr;
  for (int f = 0; f < tree->topLevelItemCount() && k302 == nullptr; ++f) {
    for (int r = 0; r < tree->topLevelItem(f)->childCount(); ++r) {
      if (tree->topLevelItem(f)->child(r)->text(0) == "K302")
        k302 = tree->topLevelItem(f)->child(r);
    }
  }
  ASSERT_NE(k302, nullptr);
  int page = -1;
  bool focused = false;
  testing::WhenModalShown([&](QWidget* dialog) {
    auto* sheet = qobject_cast<SheetDialog*>(dialog);
    ASSERT_NE(sheet, nullptr);
    page = sheet->Tabs()->currentIndex();
    focused = sheet->focusWidget() == CellOf(sheet, "K302");
    sheet->reject();
  });
  Q_EMIT tree->itemActivated(k302, 0);
  EXPECT_EQ(page, 2);
  EXPECT_TRUE(focused) << "the cursor stands in K302";
}

// After an edit from the overview the reader is where they were: the edited row current, the
// list scrolled as before; the report texts are rows of their own and open their editor.
TEST_F(MainWindowTest, TheOverviewKeepsItsPlaceAndTheEditedRowAndListsTheReportTexts) {
  OpenNewConfiguration([](model::ParameterSet& set) {
    set.headerEnabled = 1;
    std::strcpy(set.headerText, " Station 7\r\n line two");
  });
  window->resize(900, 420);
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  auto* tree = window->findChild<QTreeWidget*>("overviewTree");
  QTreeWidgetItem* k020 = tree->findItems("K020", Qt::MatchExactly | Qt::MatchRecursive).value(0);
  ASSERT_NE(k020, nullptr);
  tree->scrollToItem(k020, QAbstractItemView::PositionAtTop);
  tree->setCurrentItem(k020);
  const int scrolled = tree->verticalScrollBar()->value();
  ASSERT_GT(scrolled, 0);

  testing::WhenModalShown([](QWidget* dialog) {
    TypeInto(CellOf(dialog, "K020"), "5,5");
    static_cast<QDialog*>(dialog)->accept();
  });
  Q_EMIT tree->itemActivated(k020, 0);
  ASSERT_TRUE(window->Document().Modified());
  ASSERT_NE(tree->currentItem(), nullptr);
  EXPECT_EQ(tree->currentItem()->text(0).toStdString(), "K020");
  EXPECT_EQ(tree->currentItem()->text(1).toStdString(), "5,5");
  EXPECT_TRUE(tree->currentItem()->isSelected());
  EXPECT_EQ(tree->verticalScrollBar()->value(), scrolled);

  QTreeWidgetItem* header =
      tree->findItems("header-text", Qt::MatchExactly | Qt::MatchRecursive).value(0);
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header->parent()->text(0).toStdString(), "Колонтитулы текстовых отчетов вычислителя");
  EXPECT_EQ(header->text(1).toStdString(), " Station 7 ⏎  line two");
  QString opened;
  testing::WhenModalShown([&](QWidget* dialog) {
    opened = dialog->windowTitle();
    static_cast<QDialog*>(dialog)->reject();
  });
  Q_EMIT tree->itemActivated(header, 0);
  EXPECT_EQ(opened.toStdString(), "Колонтитулы текстовых отчетов вычислителя");
}

}  // namespace
}  // namespace tarvo::gui
