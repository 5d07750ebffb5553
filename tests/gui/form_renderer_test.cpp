#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <functional>
#include <memory>

#include "app/gui/form_dialog.h"
#include "app/gui/form_widget.h"
#include "app/gui/sheet_dialog.h"
#include "fakes/recording_ui.h"
#include "form_cells.h"
#include "forms/channel/channel_sheet.h"
#include "forms/node/node_sheet.h"
#include "forms/system/system_form.h"
#include "modal.h"
#include "model/document.h"

namespace tarvo::gui {
namespace {

constexpr std::uint8_t kExecutionCodes[] = {0x46, 0x44, 0x41, 0x40, 0x47, 0x45, 0x43,
                                            0x42, 0x50, 0x51, 0x52, 0x53, 0x60, 0x49};

// Every visible row's widgets show what the form model holds.
void ExpectShowsModel(const FormWidget& widget, const forms::Form& form, const std::string& where) {
  for (int r = 0; r < static_cast<int>(form.Rows().size()); ++r) {
    const forms::Row& row = form.Rows()[r];
    if (!row.visible) continue;
    const std::string at = where + " " + row.code;
    if (row.helper) {
      auto* more = widget.findChild<QToolButton*>(QString::fromStdString(row.code + ".helper"));
      ASSERT_NE(more, nullptr) << at;
      EXPECT_EQ(more->text(), "...") << at;
    }
    switch (row.kind) {
      case forms::CellKind::CheckBox: {
        auto* box = qobject_cast<QCheckBox*>(widget.EditorOf(r));
        ASSERT_NE(box, nullptr) << at;
        EXPECT_EQ(box->isChecked(), row.checked) << at;
        break;
      }
      case forms::CellKind::DropDown: {
        auto* list = qobject_cast<QComboBox*>(widget.EditorOf(r));
        ASSERT_NE(list, nullptr) << at;
        EXPECT_EQ(list->currentIndex(), row.selected) << at;
        EXPECT_EQ(list->count(), static_cast<int>(row.entries.size())) << at;
        break;
      }
      case forms::CellKind::Text:
      case forms::CellKind::Number:
        for (int c = 0; c < static_cast<int>(row.cells.size()); ++c) {
          auto* edit = qobject_cast<QLineEdit*>(widget.EditorOf(r, c));
          ASSERT_NE(edit, nullptr) << at;
          EXPECT_EQ(edit->text().toStdString(), row.cells[c].text) << at;
          EXPECT_EQ(edit->isReadOnly(), !row.enabled) << at;
          if (row.cells[c].maxLength > 0) {
            EXPECT_EQ(edit->maxLength(),
                      std::max(row.cells[c].maxLength, static_cast<int>(edit->text().size())))
                << at;
          }
        }
        break;
    }
  }
}

// Types a value as the user would, replacing the cell's text.
void Type(QWidget* editor, const char* text) {
  auto* edit = qobject_cast<QLineEdit*>(editor);
  ASSERT_NE(edit, nullptr);
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, QString::fromUtf8(text));
}

// Tries the editable number rows in turn with a value no range admits, until the form refuses;
// true with the row's index when one did. submit is OK or leaving the page.
bool RefuseSomeRow(FormWidget& widget, const std::function<bool()>& submit, int& refusedRow) {
  const forms::Form& form = widget.Model();
  for (int r = 0; r < static_cast<int>(form.Rows().size()); ++r) {
    const forms::Row& row = form.Rows()[r];
    if (!row.visible || !row.enabled || row.kind != forms::CellKind::Number) continue;
    Type(widget.EditorOf(r), "999999999");
    if (!submit()) {
      refusedRow = r;
      return true;
    }
  }
  return false;
}

class FormRenderer : public ::testing::TestWithParam<std::uint8_t> {
 protected:
  void SetUp() override { document.NewConfiguration(GetParam()); }

  model::ConfigurationDocument document;
  testing::RecordingUi ui;
};

TEST_P(FormRenderer, SystemWideFormShowsTheModelAndKeepsARefusal) {
  auto form = forms::MakeSystemForm(document.Set());
  ASSERT_NE(form, nullptr);
  form->Fill();
  FormDialog dialog(*form, ui);
  EXPECT_EQ(dialog.windowTitle().toStdString(), "Общесистемные параметры");
  ExpectShowsModel(dialog.Widget(), *form, "system");
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  int refused = -1;
  const bool any = RefuseSomeRow(
      dialog.Widget(),
      [&] {
        dialog.OkButton()->click();
        return dialog.result() == QDialog::Accepted;
      },
      refused);
  if (!any) GTEST_SKIP() << "no number row of this form refuses 999999999";
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages.back().caption, "Ошибка");
  EXPECT_TRUE(dialog.isVisible()) << "a refusal keeps the form open";
  EXPECT_EQ(QApplication::focusWidget(), dialog.Widget().EditorOf(refused));
}

// A value longer than its cell, as a file or a device may hold, is shown whole; an edit that
// leaves it too long is refused and the stored text stays.
TEST_P(FormRenderer, AStoredValueLongerThanItsCellIsShownWholeAndKept) {
  // 8.1e22 shows more digits than any number cell takes.
  model::ParameterSet& set = document.Set();
  for (model::Float32* value : {&set.baroUpperLimit, &set.contractBaroPressure,
                                &set.contractColdWaterTemp, &set.contractOutdoorTemp}) {
    *value = model::Float32::Of(8.1e22f);
  }
  auto form = forms::MakeSystemForm(set);
  ASSERT_NE(form, nullptr);
  form->Fill();
  const auto& rows = form->Rows();
  int r = 0;
  while (r < static_cast<int>(rows.size()) &&
         !(rows[r].visible && rows[r].enabled && rows[r].kind == forms::CellKind::Number &&
           rows[r].cells[0].maxLength > 0 &&
           forms::CharCount(rows[r].cells[0].text) > rows[r].cells[0].maxLength)) {
    ++r;
  }
  ASSERT_LT(r, static_cast<int>(rows.size()));
  const std::string stored = rows[r].cells[0].text;
  FormDialog dialog(*form, ui);
  ExpectShowsModel(dialog.Widget(), *form, "system");
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  auto* edit = qobject_cast<QLineEdit*>(dialog.Widget().EditorOf(r));
  ASSERT_NE(edit, nullptr);
  edit->setFocus();
  edit->end(false);
  QTest::keyClick(edit, Qt::Key_Backspace);
  EXPECT_EQ(form->Rows()[r].cells[0].text, stored);
  EXPECT_EQ(edit->text().toStdString(), stored);
}

TEST_P(FormRenderer, EverySheetPageAndDialogShowsTheModel) {
  std::string message;
  for (auto makeSheet :
       {+[](model::ParameterSet&s, std::string&m) { return forms::MakeChannelSheet(s, m); },
        +[](model::ParameterSet&s, std::string&m) { return forms::MakeNodeSheet(s, m); }}) {
    auto sheet = makeSheet(document.Set(), message);
    ASSERT_NE(sheet, nullptr) << message;
    SheetDialog dialog(*sheet, ui);
    ASSERT_EQ(dialog.Tabs()->count(), sheet->PageCount());
    for (int p = 0; p < sheet->PageCount(); ++p) {
      ASSERT_TRUE(dialog.SelectPage(p)) << sheet->Caption() << " page " << p;
      EXPECT_EQ(dialog.Tabs()->tabText(p).toStdString(), sheet->PageAt(p).tabTitle);
      ExpectShowsModel(dialog.PageWidget(p), sheet->PageAt(p), sheet->PageAt(p).tabTitle);
      for (const forms::Button& button : sheet->PageAt(p).buttons) {
        if (!button.visible) continue;
        forms::PressResult pressed = sheet->PageAt(p).Press(button.id, ui);
        ASSERT_EQ(pressed.outcome, forms::PressResult::Outcome::Dialog) << button.id;
        FormDialog opened(*pressed.dialog, ui);
        ExpectShowsModel(opened.Widget(), *pressed.dialog, button.id);
      }
    }
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
  }
}

// The channel sheet of a set, shown as the window shows it.
TEST_P(FormRenderer, ARefusedPageKeepsItsTabAndTheCursor) {
  const ShownChannelSheet shown = ShowChannelSheet(document.Set(), ui);
  ASSERT_NE(shown.dialog, nullptr) << shown.failure;
  SheetDialog& dialog = *shown.dialog;
  const forms::PropertySheet* sheet = shown.sheet.get();
  const bool byTab = sheet->PageCount() > 1;
  int refused = -1;
  const bool any = RefuseSomeRow(
      dialog.PageWidget(0),
      [&] {
        if (!byTab) {
          dialog.OkButton()->click();
          return dialog.result() == QDialog::Accepted;
        }
        dialog.Tabs()->setCurrentIndex(1);
        if (dialog.Tabs()->currentIndex() == 0) return false;
        dialog.Tabs()->setCurrentIndex(0);
        return true;
      },
      refused);
  ASSERT_TRUE(any) << "some channel row refuses 999999999";
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages.back().caption, "Ошибка");
  EXPECT_EQ(dialog.Tabs()->currentIndex(), 0);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(QApplication::focusWidget(), dialog.PageWidget(0).EditorOf(refused));
}

// The "..." beside a type code opens its helper; a value chosen from a list as the user would,
// OK enters the composed code into the page's cell.
TEST(FormRendererHelper, TypeCodeHelperEntersTheComposedCode) {
  model::ConfigurationDocument document;
  document.NewConfiguration(0x50);
  testing::RecordingUi ui;
  const ShownChannelSheet shown = ShowChannelSheet(document.Set(), ui);
  ASSERT_NE(shown.dialog, nullptr) << shown.failure;
  SheetDialog& dialog = *shown.dialog;
  auto* more = dialog.PageWidget(0).findChild<QToolButton*>("K0100.helper");
  ASSERT_NE(more, nullptr);
  EXPECT_EQ(more->accessibleName().toStdString(),
            "K0100 Вид носителя и тип преобразователей: подбор");
  std::string composed;
  testing::WhenModalShown([&composed](QWidget* modal) {
    auto* helper = qobject_cast<FormDialog*>(modal);
    ASSERT_NE(helper, nullptr);
    auto* medium = qobject_cast<QComboBox*>(helper->Widget().EditorOf(0));
    ASSERT_NE(medium, nullptr);
    // Medium 04, the electricity meter, four entries down from 00: the meter's one code.
    medium->setFocus();
    for (int i = 0; i < 4; ++i) QTest::keyClick(medium, Qt::Key_Down);
    const forms::Form& form = helper->Widget().Model();
    auto* code = qobject_cast<QLineEdit*>(helper->Widget().EditorOf(form.RowIndexOf("K0100")));
    ASSERT_NE(code, nullptr);
    composed = code->text().toStdString();
    helper->OkButton()->click();
  });
  more->click();
  EXPECT_EQ(composed, "04450000");
  EXPECT_EQ(CellOf(&dialog, "K0100")->text().toStdString(), "04450000");
  EXPECT_TRUE(ui.messages.empty());
  document.Set().checkForStart = 0;
  EXPECT_TRUE(static_cast<forms::ChannelPage&>(shown.sheet->PageAt(0)).ValidatePage(ui));
}

// Types into a cell of the shown page as the user does: the old text selected, the new typed.
void TypeInto(FormWidget& page, const char* code, int cell, const char* text) {
  auto* edit = qobject_cast<QLineEdit*>(page.EditorOf(page.Model().RowIndexOf(code), cell));
  ASSERT_NE(edit, nullptr) << code;
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, QString::fromUtf8(text));
}

// After a refusal the cursor stands in the cell the refusal names, not in the cell edited last:
// an input another channel uses, then a value the start of counting demands, which the page
// marks before OK is pressed.
TEST(FormRendererCursor, GoesToTheCellARefusalNames) {
  model::ConfigurationDocument document;
  document.NewConfiguration(0x50);
  document.Set().channels[0].flowInputs[0] = 17;
  testing::RecordingUi ui;
  const ShownChannelSheet shown = ShowChannelSheet(document.Set(), ui);
  ASSERT_NE(shown.dialog, nullptr) << shown.failure;
  SheetDialog& dialog = *shown.dialog;
  dialog.Tabs()->setCurrentIndex(1);
  ASSERT_EQ(dialog.Tabs()->currentIndex(), 1);
  FormWidget& page = dialog.PageWidget(1);
  const auto editor = [&](const char* code, int cell) {
    return page.EditorOf(page.Model().RowIndexOf(code), cell);
  };

  TypeInto(page, "K0201", 0, "17");
  TypeInto(page, "K0225", 0, "20");
  dialog.OkButton()->click();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text,
            "Канал измерения 1-го преобразователя расхода (перепада давления) уже задействован "
            "на трубопроводе 01");
  EXPECT_EQ(QApplication::focusWidget(), editor("K0201", 0));

  const QString demand = QStringLiteral(
      "Необходимо задать верхний предел измерений 1-го преобразователя объемного расхода "
      "(перепада давления)");
  TypeInto(page, "K0201", 0, "00");
  TypeInto(page, "K0200", 0, "05000000");
  EXPECT_TRUE(editor("K0203", 0)->accessibleDescription().isEmpty()) << "no flow measured";
  TypeInto(page, "K0200", 0, "05312000");
  EXPECT_EQ(editor("K0203", 0)->accessibleDescription(), demand);
  EXPECT_EQ(editor("K0203", 0)->toolTip(), demand);
  TypeInto(page, "K0225", 0, "21");
  dialog.OkButton()->click();
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[1].text, demand.toStdString());
  EXPECT_EQ(ui.messages[1].caption, "Ошибка (невозможен пуск на счет)");
  EXPECT_EQ(QApplication::focusWidget(), editor("K0203", 0));
  EXPECT_TRUE(dialog.isVisible());

  TypeInto(page, "K0203", 0, "100");
  EXPECT_TRUE(editor("K0203", 0)->accessibleDescription().isEmpty()) << "set: no longer marked";
}

INSTANTIATE_TEST_SUITE_P(EveryExecution, FormRenderer, ::testing::ValuesIn(kExecutionCodes),
                         [](const auto& info) {
                           char name[8];
                           std::snprintf(name, sizeof name, "Exec%02X", info.param);
                           return std::string(name);
                         });

}  // namespace
}  // namespace tarvo::gui
