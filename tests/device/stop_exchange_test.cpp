#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>

#include "device/exchange_messages.h"
#include "device/simulated_exchange.h"
#include "sim/configuration_image.h"
#include "support/identical_sets.h"

namespace tarvo {
namespace {

using platform::Icon;

// A device of the given execution holding its new configuration, and a link that raises the stop
// as the n-th frame of a command goes out (0 = the wake-up).
struct StopBench : testing::SimulatedExchange {
  StopBench(std::uint8_t exec, std::uint8_t version, sim::Faults faults = {})
      : SimulatedExchange(exec, version, faults) {
    HoldNewConfiguration(configuration);
    link.stop = &stop;
  }
  void StopAt(std::uint8_t command, int n) {
    link.trace = [this, command, n, seen = 0](char direction,
                                              std::span<const std::uint8_t> bytes) mutable {
      if (direction != '>' || bytes[1] != command || ++seen != n) return;
      stop.store(true);
      stoppedAtMs = clock.NowMs();
    };
  }
  int Sent(std::uint8_t command) const { return static_cast<int>(Requests(command).size()); }

  model::ParameterSet configuration{};
  std::atomic<bool> stop{false};
  std::int64_t stoppedAtMs = -1;
};

TEST(StopExchange, AStoppedReadLeavesTheSetAsItWasAndSaysSo) {
  StopBench bench(0x47, 0x53);
  bench.StopAt(device::kCmdReadEx, 5);
  model::ParameterSet set = bench.configuration;
  set.comPort = 2;
  const model::ParameterSet before = set;

  EXPECT_FALSE(bench.link.ReadAllParameters(set, nullptr));

  EXPECT_TRUE(bench.link.Stopped());
  EXPECT_TRUE(testing::IdenticalSets(set, before));
  EXPECT_EQ(bench.Sent(device::kCmdReadEx), 5);
  ASSERT_EQ(bench.ui.messages.size(), 1u);
  EXPECT_EQ(bench.ui.messages[0].text, device::kReadStopped);
  EXPECT_EQ(bench.ui.messages[0].icon, Icon::Warning);
  EXPECT_FALSE(bench.port.IsOpen());
  EXPECT_GE(bench.port.drains, 1);
}

TEST(StopExchange, TheWakeUpPauseAndASilentDeviceAreCutShort) {
  {
    StopBench bench(0x47, 0x53);
    bench.StopAt(0x00, 1);
    model::ParameterSet set = bench.configuration;
    EXPECT_FALSE(bench.link.ReadAllParameters(set, nullptr));
    EXPECT_EQ(bench.port.responder().received.size(), 1u);
    EXPECT_LE(bench.clock.NowMs(), 100);
  }
  {
    // The third request is never answered: the device would be waited for 5 s.
    sim::Faults silent;
    silent.dropResponseTo = 3;
    StopBench bench(0x47, 0x53, silent);
    bench.StopAt(device::kCmdReadEx, 2);
    model::ParameterSet set = bench.configuration;
    EXPECT_FALSE(bench.link.ReadAllParameters(set, nullptr));
    EXPECT_GE(bench.stoppedAtMs, 2000);
    EXPECT_LE(bench.clock.NowMs() - bench.stoppedAtMs, 100);
    EXPECT_FALSE(bench.port.IsOpen());
  }
}

struct WriteStopCase {
  const char* name;
  bool texts;
  std::uint8_t command;
  int n;
  int writesReceived;
  const char* message;
};

class StopWrite : public ::testing::TestWithParam<WriteStopCase> {};

TEST_P(StopWrite, SaysWhatTheDeviceNowHolds) {
  const WriteStopCase& c = GetParam();
  StopBench bench(0x47, 0x53);
  bench.configuration.headerEnabled = 1;
  std::snprintf(bench.configuration.headerText, sizeof bench.configuration.headerText,
                "Report header");
  bench.StopAt(c.command, c.n);
  const bool ok = c.texts ? bench.link.WriteReportHeaders(bench.configuration, nullptr)
                          : bench.link.WriteAllParameters(bench.configuration, nullptr);
  EXPECT_FALSE(ok);
  EXPECT_EQ(bench.Sent(c.texts ? device::kCmdWriteText : device::kCmdWrite), c.writesReceived);
  ASSERT_EQ(bench.ui.messages.size(), 1u);
  EXPECT_EQ(bench.ui.messages[0].text, c.message);
  EXPECT_EQ(bench.ui.messages[0].icon, Icon::Warning);
  EXPECT_FALSE(bench.port.IsOpen());
  EXPECT_GE(bench.port.drains, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StopWrite,
    ::testing::Values(WriteStopCase{"PartWritten", false, device::kCmdWrite, 3, 3,
                                    device::kWriteStoppedPart},
                      WriteStopCase{"DuringIdentification", false, device::kCmdRead, 1, 0,
                                    device::kWriteStoppedUnchanged},
                      WriteStopCase{"TextsPartWritten", true, device::kCmdWriteText, 4, 4,
                                    device::kTextsStoppedPart},
                      WriteStopCase{"TextsDuringIdentification", true, device::kCmdRead, 1, 0,
                                    device::kWriteStoppedUnchanged}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarvo
