#include "app/gui/report_text_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "app/gui/main_window.h"
#include "fakes/recording_ui.h"
#include "gui/modal.h"
#include "gui/window_test.h"
#include "support/temp_dir_test.h"

namespace tarvo::gui {
namespace {

using Part = forms::ReportTextPart;

class ReportTextDialogTest : public WindowTest {
 protected:
};

TEST_F(ReportTextDialogTest, TickTypeAndOkStoreARefusedLineKeepsTheDialogOpen) {
  ASSERT_TRUE(window->OpenDocumentFile(QString::fromStdString(MakeFile("g.par", 0x47))));

  bool acted = false;
  testing::WhenModalShown([&](QWidget* modal) {
    auto* dialog = qobject_cast<ReportTextDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    acted = true;
    QPlainTextEdit* header = dialog->Edit(Part::Header);
    QPlainTextEdit* footer = dialog->Edit(Part::Footer);
    EXPECT_FALSE(header->isEnabled());
    dialog->Check(Part::Header)->click();
    EXPECT_TRUE(header->isEnabled());

    // The footer edit stops at its 241 characters.
    dialog->Check(Part::Footer)->click();
    QTest::keyClicks(footer, QString(245, QLatin1Char('y')));
    EXPECT_EQ(footer->toPlainText().size(), 241);

    QTest::keyClicks(header, QString(79, QLatin1Char('x')));
    // While typing, the place says how close the line is to its limit.
    EXPECT_EQ(dialog->Place(Part::Header)->text().toStdString(),
              "строка 1: 79 из 78, лишних символов в строке: 1");
    QTest::keyClick(header, Qt::Key_Left);
    EXPECT_EQ(dialog->Place(Part::Header)->text().toStdString(),
              "строка 1: 78 из 78, лишних символов в строке: 1");
    EXPECT_EQ(dialog->Place(Part::Footer)->text().toStdString(),
              "строка 1: 241 из 78, лишних символов в строке: 163");
    dialog->OkButton()->click();
    EXPECT_TRUE(dialog->isVisible());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "Число символов в строке 1 верхнего колонтитула не должно превышать 78");
    EXPECT_EQ(ui.messages[0].caption, "Ошибка");

    // A control character pasted in is refused on OK, naming it and its line.
    dialog->ClearButton(Part::Header)->click();
    dialog->ClearButton(Part::Footer)->click();
    auto* pasted = new QMimeData;
    pasted->setText(QStringLiteral("ok\n\x1B[1m bold"));
    QApplication::clipboard()->setMimeData(pasted);
    header->paste();
    EXPECT_EQ(dialog->Place(Part::Header)->text().toStdString(), "строка 2: 9 из 78");
    dialog->OkButton()->click();
    EXPECT_TRUE(dialog->isVisible());
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text,
              "Управляющий символ (U+001B, ESC) в строке 2 верхнего колонтитула нельзя записать "
              "в колонтитул");
    EXPECT_EQ(header->textCursor().blockNumber(), 1) << "the cursor stands on the line named";
    ui.messages.pop_back();
    header->setPlainText(QString(79, QLatin1Char('x')));

    // Clearing is an edit like any other: undo brings the text back.
    dialog->ClearButton(Part::Header)->click();
    EXPECT_TRUE(header->toPlainText().isEmpty());
    header->undo();
    EXPECT_EQ(header->toPlainText(), QString(79, QLatin1Char('x')));
    dialog->ClearButton(Part::Header)->click();
    dialog->ClearButton(Part::Footer)->click();
    dialog->Check(Part::Footer)->click();

    QTest::sendKeyEvent(QTest::Click, header, Qt::Key_unknown, QString::fromUtf8("Я"),
                        Qt::NoModifier);
    QTest::keyClick(header, Qt::Key_Return);
    QTest::keyClicks(header, QStringLiteral("B"));
    dialog->OkButton()->click();
  });
  window->findChild<QAction*>(QStringLiteral("actionReportTexts"))->trigger();

  ASSERT_TRUE(acted);
  EXPECT_EQ(ui.messages.size(), 1u);
  const model::ParameterSet& set = window->Document().Set();
  EXPECT_EQ(set.headerEnabled, 1);
  EXPECT_STREQ(set.headerText, " \xDF\r\n B");
  EXPECT_EQ(set.footerEnabled, 0);
  EXPECT_STREQ(set.footerText, " ");
  EXPECT_TRUE(window->Document().Modified());
}

TEST_F(ReportTextDialogTest, LHasNoFooterAndItsHeaderStopsAt120) {
  auto set = std::make_unique<model::ParameterSet>();
  model::MakeNewConfiguration(*set, 0x49);
  forms::ReportTextEditor editor(*set);
  ReportTextDialog dialog(editor, ui);
  EXPECT_TRUE(dialog.Check(Part::Footer)->isHidden());
  EXPECT_TRUE(dialog.Group(Part::Footer)->isHidden());
  dialog.Check(Part::Header)->click();
  QTest::keyClicks(dialog.Edit(Part::Header), QString(125, QLatin1Char('x')));
  EXPECT_EQ(editor.Text(Part::Header), std::string(120, 'x'));
}

}  // namespace
}  // namespace tarvo::gui
