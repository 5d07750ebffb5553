#include <gtest/gtest.h>

#include <filesystem>
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
  std::vector<std::string> args{"write", path, "--port", pty.path(), "--speed", "9600"};
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

}  // namespace
}  // namespace tarvo
