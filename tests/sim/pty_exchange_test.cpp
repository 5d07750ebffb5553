#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>

#include "app/cli/command.h"
#include "device/device_link.h"
#include "fakes/recording_ui.h"
#include "model/document.h"
#include "platform/posix/posix_serial_port.h"
#include "platform/posix/steady_clock.h"
#include "support/pty_device.h"
#include "support/temp_dir_test.h"

namespace tarvo {
namespace {

using testing::PtyDevice;

TEST(PtyExchange, WritesAConfigurationThroughARealTerminal) {
  sim::Faults faults;
  faults.paceBaud = 19200;
  faults.noiseBytes = 2;
  faults.responseDelayMs = 2;
  PtyDevice pty(0x47, 0x53, faults);
  model::ParameterSet set{};
  model::MakeNewConfiguration(set, 0x47, 0x53);
  set.speedCode = 4;
  set.channels[2].Slot(7) = model::Float32::Of(12.5f);
  platform::posix::SteadyClock clock;
  platform::posix::PosixSerialPort port(clock);
  testing::RecordingUi ui;
  {
    device::DeviceLink link(port, clock, ui);
    link.portPath = pty.path();
    ASSERT_TRUE(link.WriteAllParameters(set, nullptr));
  }
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(pty.device().Cell(3, 8), (device::Value4{0x00, 0x00, 0x48, 0x41}));
}

class PtyCommandTest : public testing::TempDirTest {};

TEST_F(PtyCommandTest, TheReadCommandStoresTheFileOnlyAfterACompleteRead) {
  const std::string output = PathOf("read.par");
  {
    PtyDevice pty(0x60, 0x10, {});
    std::ostringstream out, err;
    app::CliIo io{out, err};
    EXPECT_EQ(app::RunTarvo({"read", "--port", pty.path(), "--speed", "9600", "-o", output}, io), 0)
        << err.str();
    EXPECT_EQ(out.str().substr(0, out.str().find('\n')), "Чтение параметров успешно завершено!");
  }
  model::ConfigurationDocument document;
  std::string message;
  ASSERT_TRUE(document.Open(output, message)) << message;
  EXPECT_EQ(document.Set().ident.executionCode, 0x60);
  EXPECT_EQ(document.Set().nodeCount, 5);
  EXPECT_EQ(document.Set().speedCode, 3);
}

TEST_F(PtyCommandTest, ADeviceThatHangsUpPartWayFailsTheReadAndChangesNothing) {
  const std::string output = PathOf("read.par");
  sim::Faults faults;
  faults.hangUpAfter = 12;
  PtyDevice pty(0x50, 0x40, faults);
  std::ostringstream out, err;
  app::CliIo io{out, err};
  platform::posix::SteadyClock clock;
  const std::int64_t start = clock.NowMs();
  EXPECT_EQ(app::RunTarvo({"read", "--port", pty.path(), "--speed", "19200", "-o", output}, io), 1);
  // The wake-up pause, then at most the 5 s a response may take to start.
  EXPECT_LT(clock.NowMs() - start, 2000 + 5000);
  EXPECT_EQ(err.str(), "Ошибка при обмене данными с вычислителем!\n");
  EXPECT_TRUE(out.str().empty());
  EXPECT_FALSE(std::filesystem::exists(output));
}

struct WriteCase {
  const char* name;
  bool refused;  // the file holds a value the system-wide form refuses
  bool force;
  int status;
  bool sent;
};

class PtyWriteCommand : public testing::TempDirTest,
                        public ::testing::WithParamInterface<WriteCase> {};

TEST_P(PtyWriteCommand, ARefusedConfigurationIsWrittenOnlyWithForce) {
  const WriteCase& c = GetParam();
  const std::string path = PathOf("a.par");
  {
    model::ConfigurationDocument document;
    document.NewConfiguration(0x47, 0x53);
    if (c.refused) document.Set().contractBaroPressure = model::Float32::Of(0.12f);
    std::string message;
    ASSERT_TRUE(document.Store(path, message)) << message;
  }
  std::atomic<int> requests{0};
  PtyDevice pty(0x47, 0x53, {}, [&requests](const device::RequestFrame&) {
    ++requests;
    return std::optional<std::vector<std::uint8_t>>{};
  });
  // The check before the write, not the reads around it.
  std::vector<std::string> args{"write",   path,   "--port",      pty.path(),
                                "--speed", "9600", "--no-backup", "--no-verify"};
  if (c.force) args.push_back("--force");
  std::ostringstream out, err;
  app::CliIo io{out, err};
  EXPECT_EQ(app::RunTarvo(args, io), c.status) << err.str();
  EXPECT_EQ(requests > 0, c.sent);
  if (c.sent) {
    EXPECT_EQ(out.str(), "Запись параметров успешно завершена!\n");
    EXPECT_EQ(pty.device().Cell(0, 23) == (device::Value4{0x8F, 0xC2, 0xF5, 0x3D}), c.refused);
  } else {
    EXPECT_EQ(err.str(),
              "system  K023  Ошибка: Договорное барометрическое давление должно либо быть в "
              "диапазоне от 0,09 до 0,11 МПа, либо равняться нулю\n"
              "Формы не принимают конфигурацию: в вычислитель ничего не записано.\n"
              "Чтобы записать ее всё равно, добавьте --force.\n");
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, PtyWriteCommand,
                         ::testing::Values(WriteCase{"Clean", false, false, 0, true},
                                           WriteCase{"Refused", true, false, 1, false},
                                           WriteCase{"RefusedForced", true, true, 0, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// The safe write end to end through tarvo, the copies in a data folder of the test's own.
class PtySafeWrite : public testing::TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    if (const char* old = std::getenv("XDG_DATA_HOME")) oldDataHome_ = old;
    ::setenv("XDG_DATA_HOME", PathOf("data").c_str(), 1);
    file = PathOf("north.par");
    model::ConfigurationDocument document;
    document.NewConfiguration(0x47, 0x99);
    document.Set().contractColdWaterTemp = model::Float32::Of(7.5f);
    std::string message;
    ASSERT_TRUE(document.Store(file, message)) << message;
  }
  void TearDown() override {
    if (oldDataHome_) {
      ::setenv("XDG_DATA_HOME", oldDataHome_->c_str(), 1);
    } else {
      ::unsetenv("XDG_DATA_HOME");
    }
    TempDirTest::TearDown();
  }

  struct Ran {
    int status;
    std::string out, err;
  };
  static Ran Tarvo(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    app::CliIo io{out, err};
    const int status = app::RunTarvo(args, io);
    return {status, out.str(), err.str()};
  }
  Ran Write(PtyDevice& pty, std::vector<std::string> options = {}) {
    std::vector<std::string> args{"write", file, "--port", pty.path(), "--speed", "19200"};
    args.insert(args.end(), options.begin(), options.end());
    return Tarvo(args);
  }

  std::string file;

 private:
  std::optional<std::string> oldDataHome_;
};

TEST_F(PtySafeWrite, TheCopyIsWhatAPlainReadGaveAndIsListed) {
  PtyDevice pty(0x47, 0x99, {});
  const std::string before = PathOf("before.par");
  ASSERT_EQ(Tarvo({"read", "--port", pty.path(), "--speed", "19200", "-o", before}).status, 0);

  const Ran write = Write(pty);
  EXPECT_EQ(write.status, 0) << write.err;
  EXPECT_EQ(write.err,
            "Сохранение копии конфигурации вычислителя...\nЗапись параметров...\n"
            "Проверка записанного...\n");
  const std::string prefix =
      "Запись параметров успешно завершена!\n"
      "Копия конфигурации вычислителя сохранена: ";
  ASSERT_EQ(write.out.rfind(prefix, 0), 0u) << write.out;
  const std::string copy =
      write.out.substr(prefix.size(), write.out.find('\n', prefix.size()) - prefix.size());
  EXPECT_EQ(copy.rfind(PathOf("data/TarvoConfig/backups/"), 0), 0u) << copy;
  EXPECT_EQ(Contents(copy), Contents(before));
  EXPECT_NE(write.out.find("Вычислитель хранит записанную конфигурацию.\n"), std::string::npos);
  EXPECT_EQ(pty.device().Cell(0, 20), (device::Value4{0x00, 0x00, 0xF0, 0x40}));

  const Ran listed = Tarvo({"backups", "--format", "csv"});
  EXPECT_EQ(listed.status, 0);
  EXPECT_NE(listed.out.find("," + pty.path() + ",19200," + file + "," + copy + "\n"),
            std::string::npos)
      << listed.out;
}

TEST_F(PtySafeWrite, AValueTheDeviceHoldsOtherwiseIsToldWithBothValues) {
  sim::Faults faults;
  faults.alter = sim::CellAddress{0, 20};
  PtyDevice pty(0x47, 0x99, faults);
  const Ran write = Write(pty, {"--no-backup"});
  EXPECT_EQ(write.status, 1);
  EXPECT_EQ(write.out, "Запись параметров успешно завершена!\n");
  EXPECT_EQ(write.err,
            "Запись параметров...\nПроверка записанного...\n"
            "Вычислитель хранит не то, что было записано:\n"
            "  Общесистемные параметры\n"
            "    K020  записано 7,5, в вычислителе 8,5  Договорная температура холодной воды, "
            "град.С\n");
}

TEST_F(PtySafeWrite, WithoutBackupNoCopyIsKept) {
  PtyDevice pty(0x47, 0x99, {});
  const Ran write = Write(pty, {"--no-backup", "--no-verify"});
  EXPECT_EQ(write.status, 0) << write.err;
  EXPECT_EQ(write.out, "Запись параметров успешно завершена!\n");
  EXPECT_TRUE(write.err.empty());
  EXPECT_FALSE(std::filesystem::exists(PathOf("data")));
  EXPECT_EQ(Tarvo({"backups", "--format", "json"}).out, "[]\n");
}

}  // namespace
}  // namespace tarvo
