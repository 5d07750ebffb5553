#include "shell/safe_write.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstdio>
#include <filesystem>

#include "device/exchange_messages.h"
#include "device/simulated_exchange.h"
#include "model/document.h"
#include "shell/configuration_backups.h"
#include "shell/exchange_flows.h"
#include "support/temp_dir_test.h"

namespace tarvo::shell {
namespace {

// A copy's path with forward slashes: on Windows the name is joined with the system's separator.
std::string Generic(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

constexpr std::time_t kMoment = 1'800'000'000;

// A float of the system parameters as the device stores it.
device::Value4 FloatCell(float value) {
  const auto bits = std::bit_cast<std::uint32_t>(value);
  return {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
          static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
}

// A ЛУР-Г on the in-process simulator holding a new configuration with K020 set to 5,5, and the
// new configuration (K020 not set) to write into it.
class SafeWriteTest : public testing::TempDirTest {
 protected:
  explicit SafeWriteTest(sim::Faults faults = {}) : exchange(0x47, 0x99, faults) {}

  void SetUp() override {
    TempDirTest::SetUp();
    exchange.HoldNewConfiguration(*file);
    exchange.device.SetCell(0, 20, FloatCell(5.5f));
    file->comPort = 1;
    file->speedCode = 4;
    options.backupFolder = PathOf("backups");
    options.portName = "COM1";
    options.writtenFile = "/stations/north.par";
    options.now = kMoment;
    options.phaseStarted = [this](WritePhase phase) {
      phases.push_back(phase);
      if (phase == stopAt) stop = true;
    };
    exchange.link.stop = &stop;
  }

  SafeWriteResult Run() {
    return SafeWrite(*file, options,
                     {[this](model::ParameterSet& into, platform::Progress* bar) {
                        return exchange.link.ReadAllParameters(into, bar);
                      },
                      [this](const model::ParameterSet& set, platform::Progress* bar) {
                        return exchange.link.WriteAllParameters(set, bar);
                      }},
                     &progress);
  }

  // What a plain read of the device gives now.
  std::unique_ptr<model::ParameterSet> ReadDevice() {
    auto held = ReadTarget(*file);
    EXPECT_TRUE(exchange.link.ReadAllParameters(*held, nullptr));
    return held;
  }

  std::size_t WriteRequests() const { return exchange.Requests(device::kCmdWrite).size(); }

  testing::SimulatedExchange exchange;
  std::unique_ptr<model::ParameterSet> file = std::make_unique<model::ParameterSet>();
  SafeWriteOptions options;
  platform::ProgressState progress;
  std::vector<WritePhase> phases;
  std::optional<WritePhase> stopAt;
  std::atomic<bool> stop = false;
};

TEST_F(SafeWriteTest, TheCopyIsWhatAPlainReadGaveAndTheDeviceEndsHoldingTheFile) {
  const auto before = ReadDevice();
  const SafeWriteResult result = Run();

  EXPECT_EQ(result.outcome, SafeWriteOutcome::Written);
  EXPECT_TRUE(result.verified);
  EXPECT_EQ(phases, (std::vector{WritePhase::Backup, WritePhase::Write, WritePhase::Verify}));
  EXPECT_EQ(Generic(result.backupPath), PathOf("backups/" + BackupFileName(kMoment, 0x47)));
  model::ConfigurationDocument copy;
  std::string message;
  ASSERT_TRUE(copy.Open(result.backupPath, message)) << message;
  EXPECT_TRUE(CompareConfigurations(*before, copy.Set()).empty());
  EXPECT_TRUE(copy.Set().SameContent(*before));

  // The file's one not-set value is what the device kept; nothing else differs.
  EXPECT_TRUE(result.mismatches.empty());
  ASSERT_EQ(result.kept.size(), 1u);
  ASSERT_EQ(result.kept[0].rows.size(), 1u);
  EXPECT_EQ(result.kept[0].rows[0].code, "K020");
  EXPECT_EQ(result.kept[0].rows[0].first, "-");
  EXPECT_EQ(result.kept[0].rows[0].second, "5,5");
  EXPECT_TRUE(CompareConfigurations(*result.readBack, *ReadDevice()).empty());

  // One progress over the three phases ends full, the total matching what was done.
  EXPECT_EQ(progress.Percent(), 100);
  EXPECT_EQ(progress.Done(), progress.Total());

  const auto listed = ListBackups(options.backupFolder);
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].path, result.backupPath);
  EXPECT_EQ(listed[0].port, "COM1");
  EXPECT_EQ(listed[0].baud, 19200);
  EXPECT_EQ(listed[0].executionCode, 0x47);
  EXPECT_EQ(listed[0].softwareVersion, 0x99);
  EXPECT_EQ(listed[0].writtenFile, "/stations/north.par");
}

TEST_F(SafeWriteTest, WithoutBackupOrVerificationOnlyTheWriteRuns) {
  options.backup = false;
  options.verify = false;
  const SafeWriteResult result = Run();
  EXPECT_EQ(result.outcome, SafeWriteOutcome::Written);
  EXPECT_FALSE(result.verified);
  EXPECT_EQ(phases, std::vector{WritePhase::Write});
  EXPECT_TRUE(result.backupPath.empty());
  EXPECT_FALSE(std::filesystem::exists(options.backupFolder));
  EXPECT_TRUE(exchange.Requests(device::kCmdReadEx).empty());
  EXPECT_EQ(progress.Percent(), 100);
}

TEST_F(SafeWriteTest, ACopyThatCannotBeSavedSendsNoWriteRequest) {
  Write(PathOf("taken"), "a file where the folder should be");
  options.backupFolder = PathOf("taken/backups");
  const SafeWriteResult result = Run();
  EXPECT_EQ(result.outcome, SafeWriteOutcome::BackupFailed);
  EXPECT_EQ(WriteRequests(), 0u);
  EXPECT_EQ(phases, std::vector{WritePhase::Backup});
  EXPECT_NE(result.message.find(PathOf("taken/backups")), std::string::npos) << result.message;
  EXPECT_NE(result.message.find(kBackupFailedNothingWritten), std::string::npos);
}

// A stop raised as each phase begins ends the flow in that phase.
TEST_F(SafeWriteTest, AStopInEachPhaseSaysHowFarTheWriteGot) {
  struct Case {
    WritePhase phase;
    SafeWriteOutcome outcome;
    bool written;
    const char* message;
    const char* linkMessage;
  };
  const Case cases[] = {
      {WritePhase::Backup, SafeWriteOutcome::BackupFailed, false, kBackupFailedNothingWritten,
       device::kReadStopped},
      {WritePhase::Write, SafeWriteOutcome::WriteFailed, false, "", device::kWriteStoppedUnchanged},
      {WritePhase::Verify, SafeWriteOutcome::VerifyUnfinished, true, kVerifyUnfinished,
       device::kReadStopped},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(PhaseName(c.phase));
    TearDown();
    SetUp();
    exchange.port.responder().received.clear();
    exchange.ui.messages.clear();
    phases.clear();
    stop = false;
    stopAt = c.phase;
    const SafeWriteResult result = Run();
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(result.message, c.message);
    EXPECT_EQ(exchange.Texts(), std::vector<std::string>{c.linkMessage});
    EXPECT_EQ(WriteRequests() > 0, c.written);
    EXPECT_EQ(phases.back(), c.phase);
  }
}

TEST_F(SafeWriteTest, AReportTextTurnedOffIsNotSentAndSoKeptByTheDevice) {
  options.backup = false;
  file->footerEnabled = 0;
  std::snprintf(file->footerText, sizeof file->footerText, "%s", "Off");
  const SafeWriteResult result = Run();
  EXPECT_EQ(result.outcome, SafeWriteOutcome::Written);
  EXPECT_TRUE(result.mismatches.empty());
  ASSERT_EQ(result.kept.size(), 2u);
  ASSERT_EQ(result.kept[1].rows.size(), 1u);
  EXPECT_EQ(result.kept[1].rows[0].code, "footer-text");
  EXPECT_EQ(result.kept[1].rows[0].first, "Off");
}

class AlteringDeviceTest : public SafeWriteTest {
 protected:
  AlteringDeviceTest() : SafeWriteTest(Altering()) {}
  static sim::Faults Altering() {
    sim::Faults faults;
    faults.alter = sim::CellAddress{0, 23};
    return faults;
  }
};

TEST_F(AlteringDeviceTest, AValueHeldOtherThanSentIsAMismatchWithBothValues) {
  options.backup = false;
  const SafeWriteResult result = Run();
  EXPECT_EQ(result.outcome, SafeWriteOutcome::Mismatch);
  ASSERT_EQ(result.mismatches.size(), 1u);
  ASSERT_EQ(result.mismatches[0].rows.size(), 1u);
  const DifferentRow& row = result.mismatches[0].rows[0];
  EXPECT_EQ(row.code, "K023");
  EXPECT_EQ(row.first, "0,1");
  EXPECT_EQ(row.second, "1,1");
  EXPECT_EQ(result.kept.size(), 1u);
}

TEST_F(SafeWriteTest, CopiesAreListedNewestFirstAndNoneReplacesAnother) {
  options.verify = false;
  for (const std::time_t moment : {kMoment, kMoment + 3600, kMoment + 60, kMoment + 60}) {
    options.now = moment;
    ASSERT_EQ(Run().outcome, SafeWriteOutcome::Written);
  }
  const auto listed = ListBackups(options.backupFolder);
  ASSERT_EQ(listed.size(), 4u);
  const std::string second = BackupFileName(kMoment + 60, 0x47);
  EXPECT_EQ(Generic(listed[0].path), PathOf("backups/" + BackupFileName(kMoment + 3600, 0x47)));
  EXPECT_EQ(Generic(listed[1].path),
            PathOf("backups/" + second.substr(0, second.size() - 4) + "-2.par"));
  EXPECT_EQ(Generic(listed[2].path), PathOf("backups/" + second));
  EXPECT_EQ(Generic(listed[3].path), PathOf("backups/" + BackupFileName(kMoment, 0x47)));
}

TEST(BackupFileName, NamesTheLocalTimeAndTheExecution) {
  std::tm local{};
  local.tm_year = 2026 - 1900;
  local.tm_mon = 11;
  local.tm_mday = 9;
  local.tm_hour = 7;
  local.tm_min = 5;
  local.tm_sec = 3;
  local.tm_isdst = -1;
  EXPECT_EQ(BackupFileName(std::mktime(&local), 0x4A), "2026-12-09_070503_4A.par");
}

}  // namespace
}  // namespace tarvo::shell
