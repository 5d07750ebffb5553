// What a screen reader and a keyboard user meet in the forms: every editor named by its row and
// found by its code, labels tied to their editors, tab stops only on what can be worked, number
// cells that take only numbers, sheets whose every page is one choice away.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <functional>
#include <memory>
#include <set>

#include "app/gui/enter_on_button.h"
#include "app/gui/form_dialog.h"
#include "app/gui/form_widget.h"
#include "app/gui/sheet_dialog.h"
#include "fakes/recording_ui.h"
#include "form_cells.h"
#include "forms/channel/channel_sheet.h"
#include "forms/node/node_sheet.h"
#include "forms/system/system_form.h"
#include "model/document.h"

namespace tarvo::gui {
namespace {

constexpr std::uint8_t kExecutionCodes[] = {0x46, 0x44, 0x41, 0x40, 0x47, 0x45, 0x43,
                                            0x42, 0x50, 0x51, 0x52, 0x53, 0x60, 0x49};

// What assistive technology reads as the widget's name.
QString SpokenName(QWidget* widget) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
  return accessible != nullptr ? accessible->text(QAccessible::Name) : QString();
}

std::vector<QWidget*> EditorsOf(FormWidget& widget, int row) {
  std::vector<QWidget*> editors;
  const forms::Row& model = widget.Model().Rows()[row];
  const int cells = std::max<int>(1, static_cast<int>(model.cells.size()));
  for (int c = 0; c < cells; ++c) {
    if (QWidget* editor = widget.EditorOf(row, c); editor != nullptr) editors.push_back(editor);
    if (model.kind == forms::CellKind::CheckBox || model.kind == forms::CellKind::DropDown) break;
  }
  return editors;
}

// Every editor has a name that starts with its row's code and an object name by which the
// visible row is found; the row's labels point at it; every button is named.
void ExpectNamed(FormWidget& widget, const std::string& where) {
  const forms::Form& form = widget.Model();
  for (int r = 0; r < static_cast<int>(form.Rows().size()); ++r) {
    const forms::Row& row = form.Rows()[r];
    const std::string at = where + " row " + std::to_string(r) + " " + row.code;
    const std::vector<QWidget*> editors = EditorsOf(widget, r);
    ASSERT_FALSE(editors.empty()) << at;
    for (std::size_t c = 0; c < editors.size(); ++c) {
      // On Linux a list reads out its chosen entry as its name and its label by relation; the
      // name it is given is what other systems read.
      const QString name = qobject_cast<QComboBox*>(editors[c]) != nullptr
                               ? editors[c]->accessibleName()
                               : SpokenName(editors[c]);
      EXPECT_FALSE(name.isEmpty()) << at;
      EXPECT_TRUE(name.startsWith(QString::fromStdString(row.code))) << at;
      EXPECT_FALSE(editors[c]->objectName().isEmpty()) << at;
      if (c == 0 && !row.code.empty()) {
        EXPECT_EQ(editors[c]->objectName().toStdString(), row.code) << at;
      }
      if (c == 0 && row.visible && !row.code.empty()) {
        EXPECT_EQ(widget.findChild<QWidget*>(QString::fromStdString(row.code)), editors[c]) << at;
      }
    }
    int labels = 0;
    for (const QLabel* label : widget.findChildren<QLabel*>())
      labels += label->buddy() == editors[0];
    EXPECT_EQ(labels, 2) << at << ": the code and the description label the editor";
  }
  for (QPushButton* button : widget.findChildren<QPushButton*>()) {
    EXPECT_FALSE(SpokenName(button).isEmpty()) << where << " " << button->text().toStdString();
    EXPECT_FALSE(button->objectName().isEmpty()) << where << " " << button->text().toStdString();
  }
}

// Visits the system-wide form, every page of both sheets and the dialogs behind their buttons.
void ForEveryForm(model::ParameterSet& set, testing::RecordingUi& ui,
                  const std::function<void(FormWidget&, const std::string&)>& visit) {
  auto system = forms::MakeSystemForm(set);
  ASSERT_NE(system, nullptr);
  system->Fill();
  FormDialog systemDialog(*system, ui);
  visit(systemDialog.Widget(), "system");
  std::string message;
  for (auto makeSheet :
       {+[](model::ParameterSet&s, std::string&m) { return forms::MakeChannelSheet(s, m); },
        +[](model::ParameterSet&s, std::string&m) { return forms::MakeNodeSheet(s, m); }}) {
    auto sheet = makeSheet(set, message);
    ASSERT_NE(sheet, nullptr) << message;
    SheetDialog dialog(*sheet, ui);
    for (int p = 0; p < sheet->PageCount(); ++p) {
      ASSERT_TRUE(dialog.SelectPage(p));
      visit(dialog.PageWidget(p), sheet->PageAt(p).tabTitle);
      for (const forms::Button& button : sheet->PageAt(p).buttons) {
        if (!button.visible) continue;
        forms::PressResult pressed = sheet->PageAt(p).Press(button.id, ui);
        ASSERT_EQ(pressed.outcome, forms::PressResult::Outcome::Dialog) << button.id;
        FormDialog opened(*pressed.dialog, ui);
        visit(opened.Widget(), sheet->PageAt(p).tabTitle + " " + button.label);
      }
    }
  }
}

// Tabs round the dialog from its first stop and returns every widget that took the focus.
std::vector<QWidget*> TabStops(QWidget& dialog) {
  std::vector<QWidget*> stops;
  QWidget* first = QApplication::focusWidget();
  if (first == nullptr) return stops;
  stops.push_back(first);
  for (int i = 0; i < 400; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* now = QApplication::focusWidget();
    if (now == first || now == nullptr || now->window() != &dialog) break;
    stops.push_back(now);
  }
  return stops;
}

// A tab stop is something to work: a visible, enabled editor, button (the tab row's scroll
// arrows among them) or tab row with a name.
void ExpectWorkable(const std::vector<QWidget*>& stops, const std::string& where) {
  EXPECT_GT(stops.size(), 2u) << where;
  for (QWidget* stop : stops) {
    const std::string what =
        where + " " + stop->metaObject()->className() + " " + stop->objectName().toStdString();
    EXPECT_TRUE(stop->isVisible() && stop->isEnabled()) << what;
    if (auto* edit = qobject_cast<QLineEdit*>(stop)) {
      EXPECT_FALSE(edit->isReadOnly()) << what;
    }
    const bool named = !SpokenName(stop).isEmpty() || qobject_cast<QTabBar*>(stop) != nullptr;
    EXPECT_TRUE(named) << what;
    const bool workable = qobject_cast<QLineEdit*>(stop) || qobject_cast<QCheckBox*>(stop) ||
                          qobject_cast<QComboBox*>(stop) || qobject_cast<QAbstractButton*>(stop) ||
                          qobject_cast<QTabBar*>(stop);
    EXPECT_TRUE(workable) << what;
  }
}

class FormAccess : public ::testing::TestWithParam<std::uint8_t> {
 protected:
  void SetUp() override { document.NewConfiguration(GetParam()); }

  model::ConfigurationDocument document;
  testing::RecordingUi ui;
};

TEST_P(FormAccess, EveryEditorIsNamedByItsRowAndFoundByItsCode) {
  int forms = 0;
  ForEveryForm(document.Set(), ui, [&](FormWidget& widget, const std::string& where) {
    ExpectNamed(widget, where);
    ++forms;
  });
  EXPECT_GT(forms, 2);
}

TEST_P(FormAccess, TabStopsAreOnlyWhatCanBeWorked) {
  const ShownChannelSheet shown = ShowChannelSheet(document.Set(), ui);
  ASSERT_NE(shown.dialog, nullptr) << shown.failure;
  const std::vector<QWidget*> stops = TabStops(*shown.dialog);
  ExpectWorkable(stops, shown.sheet->PageAt(0).tabTitle);
  // Hidden rows' cells and read-only cells are never reached.
  FormWidget& page = shown.dialog->PageWidget(0);
  const std::set<QWidget*> reached(stops.begin(), stops.end());
  for (int r = 0; r < static_cast<int>(page.Model().Rows().size()); ++r) {
    const forms::Row& row = page.Model().Rows()[r];
    for (QWidget* editor : EditorsOf(page, r)) {
      EXPECT_EQ(reached.count(editor) == 1, row.visible && row.enabled) << row.code;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EveryExecution, FormAccess, ::testing::ValuesIn(kExecutionCodes),
                         [](const auto& info) {
                           char name[8];
                           std::snprintf(name, sizeof name, "Exec%02X", info.param);
                           return std::string(name);
                         });

// A ЛУР-У configuration's sheet of twenty channels.
class TwentyChannels : public ::testing::Test {
 protected:
  void SetUp() override {
    document.NewConfiguration(0x50);
    std::string message;
    sheet = forms::MakeChannelSheet(document.Set(), message);
    ASSERT_NE(sheet, nullptr) << message;
    ASSERT_EQ(sheet->PageCount(), 20);
    dialog = std::make_unique<SheetDialog>(*sheet, ui);
  }
  void Show() {
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
  }

  model::ConfigurationDocument document;
  testing::RecordingUi ui;
  std::unique_ptr<forms::PropertySheet> sheet;
  std::unique_ptr<SheetDialog> dialog;
};

// The first number cell of the first channel page.
class NumberCell : public TwentyChannels {
 protected:
  void SetUp() override {
    TwentyChannels::SetUp();
    Show();
    const forms::Form& form = sheet->PageAt(0);
    while (row < static_cast<int>(form.Rows().size()) &&
           !(form.Rows()[row].kind == forms::CellKind::Number && form.Rows()[row].enabled &&
             form.Rows()[row].visible)) {
      ++row;
    }
    ASSERT_LT(row, static_cast<int>(form.Rows().size()));
    edit = qobject_cast<QLineEdit*>(dialog->PageWidget(0).EditorOf(row));
    ASSERT_NE(edit, nullptr);
  }

  void Enter(const char* text, bool paste) {
    edit->setFocus();
    edit->selectAll();
    if (paste) {
      QApplication::clipboard()->setText(QString::fromUtf8(text));
      edit->paste();
      return;
    }
    // One key per character, as a keyboard or an input method sends it (QTest types ASCII only).
    for (const char32_t c : QString::fromUtf8(text).toUcs4()) {
      QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUcs4(&c, 1));
      QApplication::sendEvent(edit, &key);
    }
  }
  const std::string& Stored() const { return sheet->PageAt(0).Rows()[row].cells[0].text; }

  int row = 0;
  QLineEdit* edit = nullptr;
};

struct NumberEntry {
  const char* text;
  bool paste;
  const char* kept;  // what the cell and the form hold afterwards (they held "5")
};

constexpr NumberEntry kNumberEntries[] = {
    {"温温温", false, "5"}, {"1😀5", true, "5"},    {"1😀5", false, "15"},
    {"12abc", false, "12"}, {"12abc", true, "5"},  {"-1,5e2", false, "-1,5e2"},
    {"2.5", true, "2.5"},   {"---", false, "---"}, {"1,5,", false, "1,5"},
    {"\t7", true, "5"},
};

TEST_F(NumberCell, TakesOnlyWhatANumberCanHold) {
  for (const NumberEntry& entry : kNumberEntries) {
    Enter("5", false);
    Enter(entry.text, entry.paste);
    const std::string how = std::string(entry.paste ? "pasted " : "typed ") + entry.text;
    EXPECT_EQ(edit->text().toStdString(), entry.kept) << how;
    EXPECT_EQ(Stored(), entry.kept) << how;
  }
}

// A sheet of twenty channels: every page one choice away in the list beside the tabs, whose
// choice follows the tabs, Ctrl+PgDn and Ctrl+PgUp, and a page that refuses to be left.
TEST_F(TwentyChannels, EveryPageIsReachedFromTheListAndTheKeyboard) {
  Show();
  // Room for the page and the tabs' corner: nothing of the page is cut off.
  EXPECT_GE(dialog->width(), dialog->minimumSizeHint().width());
  EXPECT_EQ(dialog->Tabs()->tabBar()->elideMode(), Qt::ElideNone);
  QComboBox* list = dialog->PageList();
  ASSERT_NE(list, nullptr);
  EXPECT_FALSE(list->accessibleName().isEmpty());
  ASSERT_EQ(list->count(), 20);
  EXPECT_EQ(list->itemText(19), dialog->Tabs()->tabText(19));

  auto expectShown = [&](int page) {
    EXPECT_EQ(dialog->Tabs()->currentIndex(), page);
    EXPECT_EQ(list->currentIndex(), page);
  };
  list->setFocus();
  QTest::keyClick(list, Qt::Key_End);
  expectShown(19);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
  expectShown(0);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
  expectShown(19);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
  expectShown(18);

  // A value no range admits keeps page 18 in front, in the tabs and in the list.
  const forms::Form& page = sheet->PageAt(18);
  bool refused = false;
  for (int r = 0; r < static_cast<int>(page.Rows().size()) && !refused; ++r) {
    if (page.Rows()[r].kind != forms::CellKind::Number || !page.Rows()[r].enabled) continue;
    auto* cell = qobject_cast<QLineEdit*>(dialog->PageWidget(18).EditorOf(r));
    cell->setFocus();
    cell->selectAll();
    QTest::keyClicks(cell, QStringLiteral("999999999"));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Home);
    refused = dialog->Tabs()->currentIndex() == 18;
  }
  ASSERT_TRUE(refused);
  expectShown(18);
  EXPECT_EQ(ui.messages.back().caption, "Ошибка");
}

// The copy dialog: a click on a channel's name ticks its box (not the source channel's), the
// title naming the source is not cut, and Enter on its button copies without closing it.
TEST_F(TwentyChannels, CopyDialogChannelNamesTickTheirBoxesAndEnterCopies) {
  forms::PressResult pressed = sheet->PageAt(0).Press("copy", ui);
  ASSERT_EQ(pressed.outcome, forms::PressResult::Outcome::Dialog);
  FormDialog dialog(*pressed.dialog, ui);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  const QString title = dialog.windowTitle();
  EXPECT_EQ(title.toStdString(), "Копирование параметров 1-го канала учета");
  EXPECT_GT(dialog.width(), dialog.fontMetrics().horizontalAdvance(title));
  EXPECT_GE(dialog.height(), dialog.minimumSizeHint().height());

  FormWidget& widget = dialog.Widget();
  auto nameOf = [&](int row) -> QLabel* {
    for (QLabel* label : widget.findChildren<QLabel*>()) {
      if (label->buddy() == widget.EditorOf(row) && !label->text().isEmpty()) return label;
    }
    return nullptr;
  };
  auto* box = qobject_cast<QCheckBox*>(widget.EditorOf(1));
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->accessibleName().toStdString(), "Канал 02");
  ASSERT_NE(nameOf(1), nullptr);
  EXPECT_EQ(nameOf(1)->text().toStdString(), "Канал 02");
  QTest::mouseClick(nameOf(1), Qt::LeftButton);
  EXPECT_TRUE(box->isChecked());
  EXPECT_TRUE(pressed.dialog->Rows()[1].checked);
  QTest::mouseClick(nameOf(1), Qt::LeftButton);
  EXPECT_FALSE(pressed.dialog->Rows()[1].checked);
  QTest::mouseClick(nameOf(0), Qt::LeftButton);
  EXPECT_FALSE(pressed.dialog->Rows()[0].checked) << "the source channel's box stays disabled";

  auto* copy = widget.findChild<QPushButton*>(QStringLiteral("copy"));
  ASSERT_NE(copy, nullptr);
  copy->setFocus();
  QTest::keyClick(copy, Qt::Key_Return);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages.back().text, "Копирование параметров успешно завершено!");
  EXPECT_TRUE(dialog.isVisible());
}

// A page's button is the default only while it has the focus: back in a cell, Enter is OK.
TEST_F(TwentyChannels, EnterInACellIsOkAfterAPageButtonHadTheFocus) {
  Show();
  auto* button = dialog->PageWidget(0).findChild<QPushButton*>(QStringLiteral("copy"));
  ASSERT_NE(button, nullptr);
  button->setFocus();
  EXPECT_TRUE(button->isDefault());
  dialog->FocusCode({});
  ASSERT_NE(qobject_cast<QLineEdit*>(QApplication::focusWidget()), nullptr);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_TRUE(ui.messages.empty());
}

// Enter in a cell is OK; Enter on a focused button presses that button, also one a dialog keeps
// from becoming its default.
TEST(DialogKeyboard, EnterPressesTheFocusedButtonAndOkFromACell) {
  model::ConfigurationDocument document;
  document.NewConfiguration(0x47);
  testing::RecordingUi ui;
  auto form = forms::MakeSystemForm(document.Set());
  ASSERT_NE(form, nullptr);
  form->Fill();
  FormDialog dialog(*form, ui);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  ASSERT_NE(qobject_cast<QLineEdit*>(QApplication::focusWidget()), nullptr);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);

  EnterOnButton enterOnButton;
  qApp->installEventFilter(&enterOnButton);
  QDialog plain;
  auto* other = new QPushButton(QStringLiteral("Другая"), &plain);
  other->setAutoDefault(false);
  auto* main = new QPushButton(QStringLiteral("Главная"), &plain);
  main->setDefault(true);
  int otherPressed = 0;
  int mainPressed = 0;
  QObject::connect(other, &QPushButton::clicked, [&] { ++otherPressed; });
  QObject::connect(main, &QPushButton::clicked, [&] { ++mainPressed; });
  plain.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&plain));
  other->setFocus();
  QTest::keyClick(other, Qt::Key_Enter, Qt::KeypadModifier);
  qApp->removeEventFilter(&enterOnButton);
  EXPECT_EQ(otherPressed, 1);
  EXPECT_EQ(mainPressed, 0);
}

}  // namespace
}  // namespace tarvo::gui
