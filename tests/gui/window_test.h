#pragma once

#include <QByteArray>
#include <memory>
#include <string>

#include "app/gui/main_window.h"
#include "fakes/recording_ui.h"
#include "support/cli_run.h"
#include "support/temp_dir_test.h"

namespace tarvo::gui {

// A main window answering through a recording Ui, with its settings file in the test's folder,
// never in the user's.
template <typename UiType>
class WindowTestOf : public testing::TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(PathOf("config")));
    window = std::make_unique<MainWindow>(ui);
  }
  void TearDown() override {
    window.reset();
    qunsetenv("XDG_CONFIG_HOME");
    TempDirTest::TearDown();
  }

  // A new configuration stored as a file in the test's folder; returns its path.
  std::string MakeFile(const std::string& name, std::uint8_t executionCode) {
    return testing::StoreNewConfiguration(PathOf(name), executionCode);
  }

  UiType ui;
  std::unique_ptr<MainWindow> window;
};

using WindowTest = WindowTestOf<testing::RecordingUi>;

}  // namespace tarvo::gui
