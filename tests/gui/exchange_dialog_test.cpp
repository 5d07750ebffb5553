#include "app/gui/exchange_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <functional>

#include "device/exchange_messages.h"
#include "gui/exchange_window_test.h"
#include "gui/modal.h"
#include "platform/qt/qt_settings.h"

namespace tarvo::gui {
namespace {

using platform::Icon;

// The write alone, as these tests count its requests; the copy and the check have tests of
// their own.
class ExchangeDialogTest : public ExchangeWindowTest {
 protected:
  void SetUp() override {
    ExchangeWindowTest::SetUp();
    platform::qt::WriteChecksStore().Store({false, false});
  }
};

TEST_F(ExchangeDialogTest, ReadFillsAnUntitledModifiedDocumentAndRemembersPortAndSpeed) {
  RunExchange("actionReadDevice", 2, 2, [](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle().toStdString(), "Чтение параметров из вычислителя");
    EXPECT_EQ(dialog->findChild<QPushButton*>("runButton")->text().toStdString(), "Чтение");
    EXPECT_EQ(dialog->findChild<QPushButton*>("closeButton")->text().toStdString(), "Закрыть");
    EXPECT_EQ(dialog->findChild<QComboBox*>("speedList")->itemText(0).toStdString(), "  2400");
    EXPECT_EQ(dialog->findChild<QComboBox*>("portList")->itemText(0).left(7).toStdString(),
              "COM1 — ");
  });

  ASSERT_EQ(Texts(), std::vector<std::string>{device::kReadSucceeded});
  EXPECT_EQ(ui.messages[0].caption, "TarvoConfig");
  EXPECT_EQ(ui.messages[0].icon, Icon::None);
  // One bar from the start to the end of the read, with the time left on the way.
  EXPECT_EQ(highestProgress, progressEnd);
  EXPECT_EQ(progressEnd, 100);
  EXPECT_FALSE(progressWentBack);
  EXPECT_EQ(progressTexts.back(), "100 %");
  EXPECT_TRUE(std::any_of(progressTexts.begin(), progressTexts.end(), [](const std::string& t) {
    return t.find(", осталось ") != std::string::npos;
  })) << ::testing::PrintToString(progressTexts);
  const model::ParameterSet& set = window->Document().Set();
  EXPECT_EQ(set.Variant(), model::DeviceVariant::G);
  EXPECT_EQ(set.comPort, 3);
  EXPECT_EQ(set.speedCode, 3);
  EXPECT_TRUE(window->Document().Modified());
  EXPECT_TRUE(window->Document().PathName().empty());
  EXPECT_EQ(Title().rfind("Безымянный [", 0), 0u) << Title();
  EXPECT_TRUE(window->findChild<QAction*>("actionWriteDevice")->isEnabled());
  ExpectEveryMessageOnGuiThread();
  ExpectExchangeOver();
}

struct WriteCase {
  const char* action;
  const char* title;
  bool instruction;
  const char* success;
};

class ExchangeDialogWrite : public ExchangeDialogTest,
                            public ::testing::WithParamInterface<WriteCase> {};

TEST_P(ExchangeDialogWrite, WritesTheDocumentAndLeavesItUnmodified) {
  const WriteCase& c = GetParam();
  OpenConfiguration();
  RunExchange(c.action, 0, 3, [&](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle().toStdString(), c.title);
    EXPECT_EQ(dialog->findChild<QComboBox*>("portList")->currentIndex(), 1);
    EXPECT_EQ(dialog->findChild<QComboBox*>("speedList")->currentIndex(), 3);
    EXPECT_EQ(dialog->findChild<QLineEdit*>("variantEdit")->text().toStdString(), "ЛУР-Г");
    EXPECT_EQ(dialog->findChild<QLabel*>("instructionText") != nullptr, c.instruction);
    EXPECT_EQ(dialog->findChild<QPushButton*>("runButton")->text().toStdString(), "Запись");
  });
  ASSERT_EQ(Texts(), std::vector<std::string>{c.success});
  EXPECT_EQ(ui.messages[0].caption, "TarvoConfig");
  EXPECT_EQ(highestProgress, progressEnd);
  EXPECT_EQ(window->Document().Set().comPort, 1);
  EXPECT_EQ(window->Document().Set().speedCode, 4);
  EXPECT_FALSE(window->Document().Modified());
  EXPECT_EQ(window->Document().PathName(), PathOf("g.par"));
  ExpectExchangeOver();
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ExchangeDialogWrite,
    ::testing::Values(WriteCase{"actionWriteDevice", "Запись параметров в вычислитель", true,
                                device::kWriteSucceeded},
                      WriteCase{"actionWriteReportTexts", "Запись колонтитулов текстовых отчетов",
                                false, device::kTextsWriteSucceeded}));

TEST_F(ExchangeDialogTest, AFailedReadKeepsTheOpenConfiguration) {
  OpenConfiguration();
  const model::ParameterSet before = window->Document().Set();
  const std::string title = Title();
  port.openFailure = "Устройство занято другой программой.";
  RunExchange("actionReadDevice", 0, 0);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text.rfind(device::kPortOpenError, 0), 0u);
  EXPECT_TRUE(window->Document().Set().SameContent(before));
  EXPECT_EQ(window->Document().Set().comPort, 1);
  EXPECT_FALSE(window->Document().Modified());
  EXPECT_EQ(window->Document().PathName(), PathOf("g.par"));
  EXPECT_EQ(Title(), title);
  EXPECT_TRUE(window->findChild<QAction*>("actionWriteDevice")->isEnabled());
}

TEST_F(ExchangeDialogTest, ClosingTheReadDialogKeepsTheOpenConfiguration) {
  OpenConfiguration();
  const std::string title = Title();
  testing::WhenModalShown([](QWidget* dialog) {
    dialog->findChild<QComboBox*>("portList")->setCurrentIndex(4);
    dialog->findChild<QPushButton*>("closeButton")->click();
  });
  window->findChild<QAction*>("actionReadDevice")->trigger();
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(window->Document().Set().Variant(), model::DeviceVariant::G);
  EXPECT_EQ(window->Document().Set().comPort, 5);
  EXPECT_EQ(Title(), title);
  EXPECT_EQ(port.writes, 0);
}

TEST_F(ExchangeDialogTest, ANewConfigurationOpensWithTheLastExchangesPortElseCom1At9600) {
  std::vector<std::pair<int, int>> opened;
  auto openAndClose = [&](int portEntry, int speedEntry) {
    testing::WhenModalShown([&, portEntry, speedEntry](QWidget* dialog) {
      auto* ports = dialog->findChild<QComboBox*>("portList");
      auto* speeds = dialog->findChild<QComboBox*>("speedList");
      opened.emplace_back(ports->currentIndex(), speeds->currentIndex());
      auto* run = dialog->findChild<QPushButton*>("runButton");
      // Nothing chosen, nothing to start.
      ports->setCurrentIndex(-1);
      EXPECT_FALSE(run->isEnabled());
      ports->setCurrentIndex(portEntry);
      speeds->setCurrentIndex(speedEntry);
      EXPECT_TRUE(run->isEnabled());
      run->click();
    });
  };
  const QString fresh = QString::fromStdString(MakeFile("new.par", 0x47));
  ASSERT_TRUE(window->OpenDocumentFile(fresh));
  openAndClose(3, 1);
  window->findChild<QAction*>("actionWriteDevice")->trigger();
  // The same new configuration in a window started afresh: the last exchange was on COM4.
  window = std::make_unique<MainWindow>(ui);
  window->SetExchangeSetting(SimulatedSetting(port, clock, PathOf("ports.conf")));
  ASSERT_TRUE(window->OpenDocumentFile(fresh));
  openAndClose(0, 2);
  window->findChild<QAction*>("actionReadDevice")->trigger();
  EXPECT_EQ(opened, (std::vector<std::pair<int, int>>{{0, 2}, {3, 1}}));
}

TEST_F(ExchangeDialogTest, AReadStoppedPartWayKeepsTheOpenConfiguration) {
  OpenConfiguration();
  const model::ParameterSet before = window->Document().Set();
  port.onWrite = [](int n) {
    if (n == 6) ClickInDialog("closeButton");
  };
  RunExchange("actionReadDevice", 0, 0);
  EXPECT_EQ(Texts(), std::vector<std::string>{device::kReadStopped});
  EXPECT_TRUE(window->Document().Set().SameContent(before));
  EXPECT_EQ(window->Document().PathName(), PathOf("g.par"));
  EXPECT_FALSE(window->Document().Modified());
  EXPECT_EQ(port.writes, 6);
  ExpectEveryMessageOnGuiThread();
  ExpectExchangeOver();
}

TEST_F(ExchangeDialogTest, AWriteStoppedPartWaySaysToWriteAgain) {
  OpenConfiguration();
  port.onWrite = [](int n) {
    if (n == 8) ClickInDialog("closeButton");
  };
  RunExchange("actionWriteDevice", 0, 0);
  EXPECT_EQ(Texts(), std::vector<std::string>{device::kWriteStoppedPart});
  EXPECT_FALSE(window->Document().Modified());
  ExpectEveryMessageOnGuiThread();
  ExpectExchangeOver();
}

TEST_F(ExchangeDialogTest, ClosingTheWindowDuringAnExchangeAsksStopsThenCloses) {
  window->show();
  port.onWrite = [this](int n) {
    if (n != 4) return;
    QMetaObject::invokeMethod(
        qApp, [this] { window->close(); }, Qt::BlockingQueuedConnection);
  };
  RunExchange("actionReadDevice", 0, 0);
  ASSERT_GE(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].buttons, platform::Buttons::YesNo);
  EXPECT_EQ(ui.messages[1].text, device::kReadStopped);
  EXPECT_TRUE(window->isVisible());
  QTest::qWait(20);
  EXPECT_FALSE(window->isVisible());
  ExpectExchangeOver();
}

TEST_F(ExchangeDialogTest, StopIsDisabledOncePressedAndItsReportWaitsOutADoubleClick) {
  OpenConfiguration();
  port.onWrite = [this](int n) {
    if (n != 6) return;
    InDialog([this](QWidget* dialog) {
      auto* stop = dialog->findChild<QPushButton*>("closeButton");
      ui.stopPressed.start();
      stop->click();
      EXPECT_FALSE(stop->isEnabled());
      // The second click of a double-click.
      QTest::mouseClick(stop, Qt::LeftButton);
    });
  };
  RunExchange("actionReadDevice", 0, 0);
  ASSERT_EQ(Texts(), std::vector<std::string>{device::kReadStopped});
  EXPECT_GE(ui.shownAfterStopMs[0], QApplication::doubleClickInterval());
  ExpectExchangeOver();
}

struct EscapeCase {
  const char* name;
  const char* action;
  bool asks;
  const char* stopped;
};

class ExchangeDialogEscape : public ExchangeDialogTest,
                             public ::testing::WithParamInterface<EscapeCase> {};

// Esc first, then the title bar's ×: a write asks each time (No goes on, Yes stops), a read
// stops at once.
TEST_P(ExchangeDialogEscape, StopsAWriteOnlyAfterAsking) {
  const EscapeCase& c = GetParam();
  OpenConfiguration();
  ui.answers = {platform::Answer::No, platform::Answer::Yes};
  port.onWrite = [](int n) {
    if (n == 6) InDialog([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    if (n == 9) InDialog([](QWidget* dialog) { dialog->close(); });
  };
  RunExchange(c.action, 0, 0);
  const std::vector<std::string> question = {
      "Идет запись параметров в вычислитель.\nОстановить запись? В вычислителе останется только "
      "часть новых параметров."};
  std::vector<std::string> expected;
  if (c.asks) expected = {question[0], question[0]};
  expected.push_back(c.stopped);
  EXPECT_EQ(Texts(), expected);
  EXPECT_EQ(port.writes, c.asks ? 9 : 6);
  ExpectExchangeOver();
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ExchangeDialogEscape,
    ::testing::Values(EscapeCase{"Write", "actionWriteDevice", true, device::kWriteStoppedPart},
                      EscapeCase{"Read", "actionReadDevice", false, device::kReadStopped}),
    [](const auto& info) { return std::string(info.param.name); });

// Closing the main window with an exchange dialog open, before, during and after its exchange:
// the dialog closes (a running exchange after the question, stopped), then the window closes
// as it would without it, asking about the changes the read made.
TEST_F(ExchangeDialogTest, ClosingTheWindowBeforeTheExchangeClosesTheDialogThenTheWindow) {
  window->show();
  testing::WhenModalShown([this](QWidget*) { window->close(); });
  window->findChild<QAction*>("actionReadDevice")->trigger();
  QTest::qWait(20);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(port.writes, 0);
}

TEST_F(ExchangeDialogTest, ClosingTheWindowAfterTheExchangeAsksToSaveWhatWasRead) {
  window->show();
  ui.answers = {platform::Answer::Ok, platform::Answer::No};
  ui.onMessage = [this](const std::string& text) {
    if (text == device::kReadSucceeded) window->close();
  };
  RunExchange("actionReadDevice", 0, 0);
  QTest::qWait(20);
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[1].text, "Сохранить изменения в файле  ?");
  EXPECT_FALSE(window->isVisible());
  ExpectExchangeOver();
}

}  // namespace
}  // namespace tarvo::gui
