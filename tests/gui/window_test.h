#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <utility>

#include "app/gui/main_window.h"
#include "fakes/recording_ui.h"
#include "support/cli_run.h"
#include "support/temp_dir_test.h"

namespace tarvo::gui {

// A main window answering through a recording Ui, with its settings file and its data (the
// copies saved before a write) in the test's folder, never in the user's (on Linux under
// XDG_CONFIG_HOME and XDG_DATA_HOME, on Windows under APPDATA and LOCALAPPDATA).
template <typename UiType>
class WindowTestOf : public testing::TempDirTest {
 protected:
  static constexpr std::pair<const char*, const char*> kSettingsHomes[] = {
      {"XDG_CONFIG_HOME", "config"},
      {"APPDATA", "config"},
      {"XDG_DATA_HOME", "data"},
      {"LOCALAPPDATA", "data"}};

  void SetUp() override {
    TempDirTest::SetUp();
    for (std::size_t i = 0; i < std::size(kSettingsHomes); ++i) {
      savedHomes_[i] = qgetenv(kSettingsHomes[i].first);
      qputenv(kSettingsHomes[i].first, QByteArray::fromStdString(PathOf(kSettingsHomes[i].second)));
    }
    window = std::make_unique<MainWindow>(ui);
  }
  void TearDown() override {
    window.reset();
    for (std::size_t i = 0; i < std::size(kSettingsHomes); ++i) {
      if (savedHomes_[i].isNull()) {
        qunsetenv(kSettingsHomes[i].first);
      } else {
        qputenv(kSettingsHomes[i].first, savedHomes_[i]);
      }
    }
    TempDirTest::TearDown();
  }

  // A new configuration stored as a file in the test's folder; returns its path.
  std::string MakeFile(const std::string& name, std::uint8_t executionCode) {
    return testing::StoreNewConfiguration(PathOf(name), executionCode);
  }

  // A new ЛУР-Г (execution 47, version 53) on COM2 at 9600, changed as given, stored as g.par
  // and opened in the window.
  void OpenNewConfiguration(const std::function<void(model::ParameterSet&)>& change = nullptr) {
    model::ConfigurationDocument document;
    document.NewConfiguration(0x47, 0x53);
    document.Set().comPort = 2;
    document.Set().speedCode = 4;
    if (change) change(document.Set());
    std::string message;
    ASSERT_TRUE(document.Store(PathOf("g.par"), message)) << message;
    ASSERT_TRUE(window->OpenDocumentFile(QString::fromStdString(PathOf("g.par"))));
  }

  UiType ui;
  std::unique_ptr<MainWindow> window;

 private:
  QByteArray savedHomes_[std::size(kSettingsHomes)];
};

using WindowTest = WindowTestOf<testing::RecordingUi>;

}  // namespace tarvo::gui
