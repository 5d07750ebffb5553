#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <algorithm>
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

// Records whether each message reached the user on the GUI thread, and when.
class ThreadCheckingUi : public testing::RecordingUi {
 public:
  platform::Answer ShowMessage(const std::string& text, const std::string& caption,
                               platform::Icon icon, platform::Buttons buttons) override {
    onGuiThread.push_back(QThread::currentThread() == qApp->thread());
    shownAfterStopMs.push_back(stopPressed.isValid() ? stopPressed.elapsed() : -1);
    const platform::Answer answer = RecordingUi::ShowMessage(text, caption, icon, buttons);
    if (onMessage) onMessage(text);
    return answer;
  }
  std::vector<bool> onGuiThread;
  QElapsedTimer stopPressed;
  std::vector<qint64> shownAfterStopMs;
  std::function<void(const std::string&)> onMessage;
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

// Acts on the exchange dialog from the thread the procedure runs on, and waits until the GUI
// thread has done it.
inline void InDialog(const std::function<void(QWidget*)>& act) {
  QMetaObject::invokeMethod(
      qApp,
      [&act] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        act(dialog);
      },
      Qt::BlockingQueuedConnection);
}

// Presses a button of the exchange dialog from the thread the procedure runs on.
inline void ClickInDialog(const char* button) {
  InDialog([button](QWidget* dialog) {
    auto* stop = dialog->findChild<QPushButton*>(QString::fromUtf8(button));
    ASSERT_NE(stop, nullptr);
    EXPECT_EQ(stop->text().toStdString(), "Остановить");
    stop->click();
  });
}

// The window on a simulated ЛУР-Г holding a new configuration, its exchanges watched.
class ExchangeWindowTest : public WindowTestOf<ThreadCheckingUi> {
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
        if (value < highestProgress) progressWentBack = true;
        highestProgress = std::max(highestProgress, value);
        progressEnd = bar->maximum();
        progressTexts.push_back(bar->text().toStdString());
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
  bool progressWentBack = false;
  std::vector<std::string> progressTexts;
};

}  // namespace tarvo::gui
