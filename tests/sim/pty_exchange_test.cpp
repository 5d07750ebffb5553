#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <sstream>
#include <thread>

#include "app/cli/command.h"
#include "device/device_link.h"
#include "fakes/recording_ui.h"
#include "model/document.h"
#include "platform/posix/posix_serial_port.h"
#include "platform/posix/steady_clock.h"
#include "sim/configuration_image.h"
#include "sim/pty_server.h"
#include "support/temp_dir_test.h"

namespace tarvo {
namespace {

// The simulated device serving a pseudo-terminal from a thread of its own.
class PtyDevice {
 public:
  PtyDevice(std::uint8_t exec, std::uint8_t version, sim::Faults faults)
      : device_({exec, version, {0, 0}}), responder_(device_, faults), server_(responder_) {
    model::ParameterSet set{};
    model::MakeNewConfiguration(set, exec, version);
    std::string message;
    EXPECT_TRUE(sim::LoadConfiguration(device_, set, message));
    std::string error;
    EXPECT_TRUE(server_.Open(path_, error)) << error;
    thread_ = std::thread([this] { server_.Serve(stop_); });
  }
  ~PtyDevice() {
    stop_ = true;
    thread_.join();
  }
  const std::string& path() const { return path_; }
  sim::DeviceModel& device() { return device_; }

 private:
  sim::DeviceModel device_;
  sim::Responder responder_;
  sim::PtyServer server_;
  std::string path_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

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

}  // namespace
}  // namespace tarvo
