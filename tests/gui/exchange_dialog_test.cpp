#include "app/gui/exchange_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <cstdio>
#include <functional>
#include <memory>

#include "app/gui/main_window.h"
#include "device/exchange_messages.h"
#include "fakes/recording_ui.h"
#include "gui/modal.h"
#include "gui/simulated_line.h"
#include "gui/window_test.h"
#include "sim/configuration_image.h"
#include "sim/in_process_port.h"
#include "support/temp_dir_test.h"

namespace tarvo::gui {
namespace {

using platform::Icon;

// Records whether each message reached the user on the GUI thread.
class ThreadCheckingUi : public testing::RecordingUi {
 public:
  platform::Answer ShowMessage(const std::string& text, const std::string& caption, Icon icon,
                               platform::Buttons buttons) override {
    onGuiThread.push_back(QThread::currentThread() == qApp->thread());
    return RecordingUi::ShowMessage(text, caption, icon, buttons);
  }
  std::vector<bool> onGuiThread;
};

// The simulated device's port; onWrite sees every request as the procedure sends it.
class WatchedPort : public sim::InProcessPort {
 public:
  using InProcessPort::InProcessPort;
  bool Write(std::span<const std::uint8_t> bytes, std::int64_t deadlineMs) override {
    worker = QThread::currentThread();
    ++writes;
    if (onWrite) onWrite(writes);
    return InProcessPort::Write(bytes, deadlineMs);
  }
  std::function<void(int)> onWrite;
  int writes = 0;
  QPointer<QThread> worker;
};

// Presses a button of the exchange dialog from the thread the procedure runs on, and waits
// until the GUI thread has done it.
void ClickInDialog(const char* button) {
  QMetaObject::invokeMethod(
      qApp,
      [button] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        auto* stop = dialog->findChild<QPushButton*>(QString::fromUtf8(button));
        ASSERT_NE(stop, nullptr);
        EXPECT_EQ(stop->text().toStdString(), "Остановить");
        stop->click();
      },
      Qt::BlockingQueuedConnection);
}

class ExchangeDialogTest : public WindowTestOf<ThreadCheckingUi> {
 protected:
  void SetUp() override {
    WindowTestOf::SetUp();
    model::MakeNewConfiguration(configuration, 0x47, 0x53);
    std::string message;
    ASSERT_TRUE(sim::LoadConfiguration(device, configuration, message)) << message;
    window->SetExchangeSetting(SimulatedSetting(port, clock, PathOf("ports.conf")));
  }

  void OpenConfiguration() {
    // A header long enough for the bar to go round once.
    OpenNewConfiguration([](model::ParameterSet& set) {
      set.headerEnabled = 1;
      std::snprintf(set.headerText, sizeof set.headerText, "Report header");
    });
  }

  // Runs a command whose dialog gets port and speed entries chosen, then its button pressed.
  void RunExchange(const char* action, int portEntry, int speedEntry,
                   const std::function<void(QWidget*)>& look = nullptr) {
    testing::WhenModalShown([=, this](QWidget* dialog) {
      if (look) look(dialog);
      dialog->findChild<QComboBox*>("portList")->setCurrentIndex(portEntry);
      dialog->findChild<QComboBox*>("speedList")->setCurrentIndex(speedEntry);
      auto* bar = dialog->findChild<QProgressBar*>("progressBar");
      QObject::connect(bar, &QProgressBar::valueChanged, bar, [this, bar](int value) {
        highestProgress = std::max(highestProgress, value);
        progressEnd = bar->maximum();
      });
      dialog->findChild<QPushButton*>("runButton")->click();
    });
    window->findChild<QAction*>(action)->trigger();
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& m : ui.messages) texts.push_back(m.text);
    return texts;
  }
  void ExpectEveryMessageOnGuiThread() const {
    for (bool onGui : ui.onGuiThread) EXPECT_TRUE(onGui);
  }
  void ExpectExchangeOver() const {
    EXPECT_FALSE(port.IsOpen());
    EXPECT_GE(port.drains, 1);
    // The procedure ran off the GUI thread, and that thread is gone.
    EXPECT_GT(port.writes, 0);
    EXPECT_TRUE(port.worker.isNull());
  }
  std::string Title() const { return window->windowTitle().toStdString(); }

  model::ParameterSet configuration{};
  sim::DeviceModel device{{0x47, 0x53, {0, 0}}};
  sim::VirtualClock clock;
  WatchedPort port{device, clock};
  int highestProgress = -1;
  int progressEnd = -2;
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
  EXPECT_EQ(highestProgress, progressEnd);
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

TEST_F(ExchangeDialogTest, AFailedReadLeavesTheResetUntitledConfiguration) {
  OpenConfiguration();
  port.openFailure = "Устройство занято другой программой.";
  RunExchange("actionReadDevice", 0, 0);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text.rfind(device::kPortOpenError, 0), 0u);
  EXPECT_EQ(window->Document().Set().Variant(), model::DeviceVariant::None);
  EXPECT_FALSE(window->Document().Modified());
  EXPECT_TRUE(window->Document().PathName().empty());
  EXPECT_EQ(Title(), "Безымянный - TarvoConfig");
  EXPECT_FALSE(window->findChild<QAction*>("actionWriteDevice")->isEnabled());
}

TEST_F(ExchangeDialogTest, NoPortChosenStoresZeroAndEndsInThePortMessage) {
  window->Document().Set().comPort = 0;
  window->Document().Set().speedCode = 0;
  testing::WhenModalShown([](QWidget* dialog) {
    EXPECT_EQ(dialog->findChild<QComboBox*>("portList")->currentIndex(), -1);
    EXPECT_EQ(dialog->findChild<QComboBox*>("speedList")->currentIndex(), -1);
    dialog->findChild<QPushButton*>("runButton")->click();
  });
  window->findChild<QAction*>("actionReadDevice")->trigger();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text.rfind(device::kPortOpenError, 0), 0u);
  EXPECT_NE(ui.messages[0].text.find("COM0"), std::string::npos);
  EXPECT_EQ(window->Document().Set().comPort, 0);
  EXPECT_EQ(window->Document().Set().speedCode, 0);
  EXPECT_EQ(port.writes, 0);
}

TEST_F(ExchangeDialogTest, AReadStoppedPartWayChangesNothing) {
  port.onWrite = [](int n) {
    if (n == 6) ClickInDialog("closeButton");
  };
  RunExchange("actionReadDevice", 0, 0);
  EXPECT_EQ(Texts(), std::vector<std::string>{device::kReadStopped});
  EXPECT_EQ(window->Document().Set().Variant(), model::DeviceVariant::None);
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

}  // namespace
}  // namespace tarvo::gui
