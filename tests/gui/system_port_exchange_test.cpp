// The window's exchange on the system's own serial port, against a simulator in another process
// that a script starts: on Windows (under Wine) a COM port linked to its pseudo-terminal, on Linux
// the same COMn mapped through TARVO_COMn. Without TARVO_TEST_COM the tests are skipped.
//   TARVO_TEST_COM    the COM number (1..9) the simulator answers on
//   TARVO_TEST_SAVE   where the configuration read is stored, for the script to compare
//   TARVO_TEST_WRITE  a parameter file to write into the device (the write is skipped without it)

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <cstdlib>
#include <string>

#include "app/gui/exchange_dialog.h"
#include "device/exchange_messages.h"
#include "gui/modal.h"
#include "gui/window_test.h"
#include "shell/safe_write.h"

namespace tarvo::gui {
namespace {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

class SystemPortExchange : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    comPort = std::atoi(Env("TARVO_TEST_COM").c_str());
    if (comPort < 1 || comPort > 9) GTEST_SKIP() << "TARVO_TEST_COM names no simulator's port";
    // The machine's own lines and port map, as the program has them.
    window->SetExchangeSetting(ExchangeSetting{});
  }

  // Runs the command's dialog on the simulator's port at 19200 baud.
  void RunExchange(const char* action) {
    testing::WhenModalShown([this](QWidget* dialog) {
      dialog->findChild<QComboBox*>("portList")->setCurrentIndex(comPort - 1);
      dialog->findChild<QComboBox*>("speedList")->setCurrentIndex(3);
      dialog->findChild<QPushButton*>("runButton")->click();
    });
    window->findChild<QAction*>(action)->trigger();
  }

  int comPort = 0;
};

TEST_F(SystemPortExchange, ReadsTheDevice) {
  RunExchange("actionReadDevice");
  ASSERT_EQ(ui.messages.size(), 1u);
  ASSERT_EQ(ui.messages[0].text, device::kReadSucceeded);
  EXPECT_EQ(window->Document().Set().comPort, comPort);
  const std::string save = Env("TARVO_TEST_SAVE");
  ASSERT_FALSE(save.empty()) << "TARVO_TEST_SAVE names no file for the configuration read";
  std::string message;
  ASSERT_TRUE(window->Document().Store(save, message)) << message;
}

TEST_F(SystemPortExchange, WritesAFileIntoTheDevice) {
  const std::string file = Env("TARVO_TEST_WRITE");
  if (file.empty()) GTEST_SKIP() << "TARVO_TEST_WRITE names no file to write";
  ASSERT_TRUE(window->OpenDocumentFile(QString::fromStdString(file)));
  RunExchange("actionWriteDevice");
  ASSERT_EQ(ui.messages.size(), 1u);
  // Written, a copy saved first, and the check after it found what was written.
  const std::string& said = ui.messages[0].text;
  EXPECT_EQ(said.rfind(std::string(device::kWriteSucceeded) + "\n" + shell::kBackupSaved, 0), 0u)
      << said;
  EXPECT_TRUE(said.ends_with(std::string("\n") + shell::kDeviceHoldsWritten)) << said;
}

}  // namespace
}  // namespace tarvo::gui
