#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>
#include <bit>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "device/exchange_messages.h"
#include "gui/exchange_window_test.h"
#include "gui/modal.h"
#include "platform/port_map.h"
#include "shell/configuration_backups.h"
#include "shell/configuration_diff.h"
#include "shell/safe_write.h"

namespace tarvo::gui {
namespace {

using shell::WritePhase;

constexpr const char* kBackup = "Сохранение копии конфигурации вычислителя...";
constexpr const char* kWrite = "Запись параметров...";
constexpr const char* kVerify = "Проверка записанного...";

// A float of the system parameters as the device stores it.
device::Value4 FloatCell(float value) {
  const auto bits = std::bit_cast<std::uint32_t>(value);
  return {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
          static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The lines of a list of forms as the user reads them: a form or heading alone, a row as
// "code | first | second".
std::vector<std::string> TreeLines(const QTreeWidget& tree) {
  std::vector<std::string> lines;
  for (int f = 0; f < tree.topLevelItemCount(); ++f) {
    const QTreeWidgetItem* top = tree.topLevelItem(f);
    lines.push_back(top->text(0).toStdString());
    for (int r = 0; r < top->childCount(); ++r) {
      const QTreeWidgetItem* row = top->child(r);
      lines.push_back((row->text(0) + " | " + row->text(1) + " | " + row->text(2)).toStdString());
    }
  }
  return lines;
}

class SafeWriteWindowTest : public ExchangeWindowTest {
 protected:
  void SetUp() override {
    ExchangeWindowTest::SetUp();
    // The phases as the dialog names them, each once, seen from the exchange as it runs.
    port.onWrite = [this](int) {
      InDialog([this](QWidget* dialog) {
        const std::string phase = dialog->findChild<QLabel*>("phaseText")->text().toStdString();
        if (phases.empty() || phases.back() != phase) phases.push_back(phase);
        if (phase == stopIn && ++requestsInStopPhase == 3) QTest::keyClick(dialog, Qt::Key_Escape);
      });
    };
  }

  // Where the window keeps its copies: on Windows joined with backslashes.
  std::string Folder() const { return shell::BackupFolder(platform::DataFolder(std::getenv)); }
  std::vector<shell::BackupEntry> Copies() const { return shell::ListBackups(Folder()); }

  // Runs the write with the check boxes set as given, after a look at them.
  void Write(bool backup, bool verify, const std::function<void(QWidget*)>& look = nullptr) {
    RunExchange("actionWriteDevice", 0, 2, [=](QWidget* dialog) {
      if (look) look(dialog);
      dialog->findChild<QCheckBox*>("backupCheck")->setChecked(backup);
      dialog->findChild<QCheckBox*>("verifyCheck")->setChecked(verify);
    });
  }

  std::vector<std::string> phases;
  std::string stopIn;
  int requestsInStopPhase = 0;
};

TEST_F(SafeWriteWindowTest, TheChecksAreOnUntilTurnedOffRememberedAndEachSkipsItsPhase) {
  OpenConfiguration();
  // Report texts alone are neither saved first nor checked.
  testing::WhenModalShown([](QWidget* dialog) {
    EXPECT_TRUE(dialog->findChildren<QCheckBox*>().isEmpty());
    dialog->findChild<QPushButton*>("closeButton")->click();
  });
  window->findChild<QAction*>("actionWriteReportTexts")->trigger();

  struct Case {
    bool backup;
    bool verify;
    std::vector<std::string> phases;
    std::size_t copies;  // in the folder afterwards
    std::string lastLine;
  };
  const std::vector<Case> cases = {
      {false, true, {kWrite, kVerify}, 0, shell::kDeviceHoldsWritten},
      {true, false, {kBackup, kWrite}, 1, "_47.par"},
      {false, false, {kWrite}, 1, device::kWriteSucceeded},
  };
  for (const Case& c : cases) {
    const bool first = ui.messages.empty();
    phases.clear();
    ui.messages.clear();
    Write(c.backup, c.verify, [first](QWidget* dialog) {
      auto* backup = dialog->findChild<QCheckBox*>("backupCheck");
      auto* verify = dialog->findChild<QCheckBox*>("verifyCheck");
      EXPECT_EQ(backup->text().toStdString(),
                "Сохранить копию конфигурации вычислителя перед записью");
      EXPECT_EQ(verify->accessibleName().toStdString(),
                "Проверить записанное, прочитав конфигурацию из вычислителя");
      // On until turned off.
      if (first) {
        EXPECT_TRUE(backup->isChecked() && verify->isChecked());
      }
    });
    EXPECT_EQ(phases, c.phases);
    EXPECT_EQ(Copies().size(), c.copies);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.rfind(device::kWriteSucceeded, 0), 0u);
    EXPECT_TRUE(EndsWith(ui.messages[0].text, c.lastLine)) << ui.messages[0].text;
  }

  // A window started afresh offers what was chosen last.
  window = std::make_unique<MainWindow>(ui);
  OpenConfiguration();
  testing::WhenModalShown([](QWidget* dialog) {
    EXPECT_FALSE(dialog->findChild<QCheckBox*>("backupCheck")->isChecked());
    EXPECT_FALSE(dialog->findChild<QCheckBox*>("verifyCheck")->isChecked());
    dialog->findChild<QPushButton*>("closeButton")->click();
  });
  window->findChild<QAction*>("actionWriteDevice")->trigger();
}

TEST_F(SafeWriteWindowTest, EachPhaseIsNamedUnderOneBarAndTheCopyIsWhatTheDeviceHeld) {
  OpenConfiguration();
  Write(true, true);

  EXPECT_EQ(phases, (std::vector<std::string>{kBackup, kWrite, kVerify}));
  EXPECT_FALSE(progressWentBack);
  EXPECT_EQ(highestProgress, 100);
  EXPECT_EQ(progressTexts.back(), "100 %");
  const auto copies = Copies();
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(copies[0].port, "COM1");
  EXPECT_EQ(copies[0].writtenFile, PathOf("g.par"));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, std::string(device::kWriteSucceeded) + "\n" + shell::kBackupSaved +
                                     copies[0].path + "\n" + shell::kDeviceHoldsWritten);
  EXPECT_EQ(ui.messages[0].icon, platform::Icon::None);
  model::ConfigurationDocument copy;
  std::string message;
  ASSERT_TRUE(copy.Open(copies[0].path, message)) << message;
  EXPECT_TRUE(shell::CompareConfigurations(configuration, copy.Set()).empty());
  EXPECT_FALSE(window->Document().Modified());
  ExpectExchangeOver();
}

struct StopCase {
  const char* name;
  const char* stopIn;  // Esc in this phase; none: the folder cannot be made
  std::vector<std::string> phases;
  std::vector<std::string> firstMessages;
  // How the last message ends.
  std::string lastLine;
  platform::Icon icon;
  bool written;
};

class SafeWriteWindowStop : public SafeWriteWindowTest,
                            public ::testing::WithParamInterface<StopCase> {};

// Esc outside the write stops at once: nothing is asked, as only a stopped write harms.
TEST_P(SafeWriteWindowStop, SaysWhatTheDeviceHolds) {
  const StopCase& c = GetParam();
  OpenConfiguration();
  stopIn = c.stopIn;
  if (stopIn.empty()) {
    ExchangeSetting setting = SimulatedSetting(port, clock, PathOf("ports.conf"));
    setting.backupFolder = PathOf("g.par") + "/backups";
    window->SetExchangeSetting(setting);
  }
  Write(true, true);

  EXPECT_EQ(phases, c.phases);
  ASSERT_EQ(ui.messages.size(), c.firstMessages.size() + 1);
  for (std::size_t i = 0; i < c.firstMessages.size(); ++i) {
    EXPECT_EQ(ui.messages[i].text, c.firstMessages[i]);
  }
  EXPECT_TRUE(EndsWith(ui.messages.back().text, c.lastLine)) << ui.messages.back().text;
  EXPECT_EQ(ui.messages.back().icon, c.icon);
  // The device holds the report header only once written.
  const std::string header = "Report header";
  EXPECT_EQ(std::equal(header.begin(), header.end(), device.header.begin()), c.written);
}

INSTANTIATE_TEST_SUITE_P(Phases, SafeWriteWindowStop,
                         ::testing::Values(StopCase{"DuringTheCopy",
                                                    kBackup,
                                                    {kBackup},
                                                    {device::kReadStopped},
                                                    shell::kBackupFailedNothingWritten,
                                                    platform::Icon::Error,
                                                    false},
                                           StopCase{"DuringTheCheck",
                                                    kVerify,
                                                    {kBackup, kWrite, kVerify},
                                                    {device::kReadStopped},
                                                    shell::kVerifyUnfinished,
                                                    platform::Icon::Warning,
                                                    true},
                                           StopCase{"FolderNotMade",
                                                    "",
                                                    {},
                                                    {},
                                                    shell::kBackupFailedNothingWritten,
                                                    platform::Icon::Error,
                                                    false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SafeWriteWindowTest, WhatTheDeviceHoldsOtherwiseOpensInTheDifferencesWindow) {
  // The file leaves K020 not set, so the device keeps its 5,5; K023 it stores garbled.
  device.SetCell(0, 20, FloatCell(5.5f));
  sim::Faults faults;
  faults.alter = sim::CellAddress{0, 23};
  WatchedPort altering{device, clock, faults};
  window->SetExchangeSetting(SimulatedSetting(altering, clock, PathOf("ports.conf")));
  OpenConfiguration();
  std::vector<std::string> lines;
  ui.onMessage = [&](const std::string&) {
    testing::WhenModalShown([&](QWidget* dialog) {
      EXPECT_EQ(dialog->objectName().toStdString(), "differencesDialog");
      lines = TreeLines(*dialog->findChild<QTreeWidget*>("differencesTree"));
      dialog->close();
    });
  };
  Write(false, true);

  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text,
            std::string(device::kWriteSucceeded) + "\n" + shell::kVerifyMismatch);
  EXPECT_EQ(ui.messages[0].icon, platform::Icon::Error);
  EXPECT_EQ(lines, (std::vector<std::string>{shell::kVerifyMismatch, "Общесистемные параметры",
                                             "K023 | 0,1 | 1,1", shell::kKeptByDevice,
                                             "Общесистемные параметры", "K020 | - | 5,5"}));
}

TEST_F(SafeWriteWindowTest, TheBackupsListShowsTheCopiesNewestFirstOpensAndComparesThem) {
  const auto listed = [this] {
    std::vector<std::string> shown;
    testing::WhenModalShown([&](QWidget* dialog) {
      auto* list = dialog->findChild<QTreeWidget*>("backupsList");
      EXPECT_FALSE(list->accessibleName().isEmpty());
      for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list->topLevelItem(i);
        QStringList columns;
        for (int column = 0; column < list->columnCount(); ++column) {
          if (!item->text(column).isEmpty()) columns << item->text(column);
        }
        shown.push_back(columns.join(" | ").toStdString());
      }
      // Nothing to open or compare in an empty list.
      const bool none = shown == std::vector<std::string>{shell::NoBackupsText(Folder())};
      EXPECT_EQ(dialog->findChild<QPushButton*>("openCopyButton")->isEnabled(), !none);
      EXPECT_EQ(dialog->findChild<QPushButton*>("compareCopyButton")->isEnabled(),
                !none && window->Document().Set().Variant() != model::DeviceVariant::None);
      dialog->close();
    });
    window->findChild<QAction*>("actionBackups")->trigger();
    return shown;
  };
  EXPECT_EQ(listed(), std::vector<std::string>{shell::NoBackupsText(Folder())});

  OpenConfiguration();
  // The older copy holds what the open configuration holds; the newer one another header.
  std::string message;
  const std::time_t moment = 1'800'000'000;
  model::ParameterSet held = window->Document().Set();
  ASSERT_FALSE(
      shell::SaveBackup(held, Folder(), moment, "COM2", "/stations/a.par", message).empty())
      << message;
  std::snprintf(held.headerText, sizeof held.headerText, "Other header");
  const std::string newer =
      shell::SaveBackup(held, Folder(), moment + 60, "/dev/ttyUSB0", "/stations/b.par", message);
  ASSERT_FALSE(newer.empty()) << message;
  const auto copies = Copies();
  ASSERT_EQ(copies.size(), 2u);
  EXPECT_EQ(listed(),
            (std::vector<std::string>{copies[0].time + " | ЛУР-Г, исполнение 47, версия ПО 53 | " +
                                          "/dev/ttyUSB0, 19200 бод | /stations/b.par",
                                      copies[1].time + " | ЛУР-Г, исполнение 47, версия ПО 53 | " +
                                          "COM2, 19200 бод | /stations/a.par"}));

  std::string comparedWith;
  testing::WhenModalShown([&](QWidget* dialog) {
    auto* list = dialog->findChild<QTreeWidget*>("backupsList");
    auto* compare = dialog->findChild<QPushButton*>("compareCopyButton");
    // The older copy: the same as the open configuration.
    list->setCurrentItem(list->topLevelItem(1));
    compare->click();
    // The newer one: its differences, over the list.
    list->setCurrentItem(list->topLevelItem(0));
    testing::WhenModalShown([&](QWidget* differences) {
      comparedWith = differences->findChild<QLabel*>("differencesSummary")->text().toStdString();
      differences->close();
      // Back in the list: the newer copy opens as a configuration.
      testing::WhenModalShown(
          [](QWidget* backups) { backups->findChild<QPushButton*>("openCopyButton")->click(); });
    });
    compare->click();
  });
  window->findChild<QAction*>("actionBackups")->trigger();

  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text,
            "Различий нет: формы обеих конфигураций показывают одни и те же значения.");
  EXPECT_NE(comparedWith.find(QFileInfo(QString::fromStdString(newer)).fileName().toStdString()),
            std::string::npos)
      << comparedWith;
  EXPECT_EQ(window->Document().PathName(), newer);
  EXPECT_EQ(std::string(window->Document().Set().headerText), "Other header");
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace tarvo::gui
