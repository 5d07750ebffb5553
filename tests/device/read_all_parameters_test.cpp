#include <gtest/gtest.h>

#include <cstring>

#include "device/simulated_exchange.h"
#include "device/type_code.h"
#include "sim/configuration_image.h"

namespace tarvo {
namespace {

using device::Value4;
using model::Float32;

// A device loaded with a new configuration of its execution, ready to be read.
struct ReadBench : testing::SimulatedExchange {
  ReadBench(std::uint8_t exec, std::uint8_t version, sim::Faults faults = {})
      : SimulatedExchange(exec, version, faults) {
    HoldNewConfiguration(original);
    result.Reset();
    result.comPort = 4;
    result.speedCode = 3;
  }
  bool Read() { return link.ReadAllParameters(result, nullptr); }

  model::ParameterSet original{};
  model::ParameterSet result{};
};

struct BlockCase {
  std::uint8_t exec;
  std::uint8_t version;
  int systemCount;
  int channelCount;
  int nodeFirst;
  int nodeCount;
};

class ReadBlocks : public ::testing::TestWithParam<BlockCase> {};

TEST_P(ReadBlocks, RequestTheCountsOfTheVariantAndVersion) {
  const BlockCase& c = GetParam();
  ReadBench bench(c.exec, c.version);
  ASSERT_TRUE(bench.Read()) << bench.Texts().front();
  EXPECT_TRUE(bench.Requested(0, 1, c.systemCount));
  EXPECT_TRUE(bench.Requested(1, 1, c.channelCount));
  EXPECT_TRUE(bench.Requested(0x81, c.nodeFirst, c.nodeCount));
}

INSTANTIATE_TEST_SUITE_P(
    Thresholds, ReadBlocks,
    ::testing::Values(BlockCase{0x44, 0x54, 17, 23, 1, 1}, BlockCase{0x44, 0x55, 20, 23, 1, 1},
                      BlockCase{0x46, 0x07, 35, 31, 1, 1}, BlockCase{0x46, 0x08, 35, 53, 1, 25},
                      BlockCase{0x45, 0x46, 23, 27, 1, 15}, BlockCase{0x45, 0x47, 26, 27, 1, 15},
                      BlockCase{0x45, 0x48, 26, 27, 1, 15}, BlockCase{0x45, 0x49, 28, 27, 1, 15},
                      BlockCase{0x47, 0x10, 35, 27, 1, 15}, BlockCase{0x50, 0x04, 26, 62, 3, 15},
                      BlockCase{0x50, 0x19, 27, 62, 3, 15}, BlockCase{0x50, 0x22, 30, 62, 3, 15},
                      BlockCase{0x50, 0x32, 31, 62, 3, 15}, BlockCase{0x53, 0x33, 35, 62, 3, 15},
                      BlockCase{0x60, 0x06, 21, 21, 10, 9}, BlockCase{0x60, 0x07, 35, 21, 10, 9},
                      BlockCase{0x60, 0x10, 35, 21, 10, 10}, BlockCase{0x49, 0x01, 22, 26, 1, 1}));

TEST(ReadAllParameters, WakesTheDeviceThenIdentifiesWithReadEx) {
  ReadBench bench(0x47, 0x53);
  ASSERT_TRUE(bench.Read());
  const auto& frames = bench.port.responder().received;
  ASSERT_GE(frames.size(), 2u);
  EXPECT_EQ(frames[0].bytes[0], 0x00);
  EXPECT_EQ(frames[1].Command(), device::kCmdReadEx);
  EXPECT_GE(bench.clock.NowMs(), 2000);
  EXPECT_EQ(bench.result.ident, (model::DeviceIdentification{0x47, 0x53, {0, 0}}));
  EXPECT_EQ(bench.result.channelCount, 3);
  EXPECT_EQ(bench.result.nodeCount, 3);
  EXPECT_EQ(bench.result.comPort, 4);
  EXPECT_EQ(bench.result.speedCode, 3);
}

TEST(ReadAllParameters, FallsBackToReadOnceWhenReadExIsUnknown) {
  ReadBench bench(0x45, 0x40);
  bench.device.refuseReadEx = true;
  ASSERT_TRUE(bench.Read());
  EXPECT_EQ(bench.Requests(device::kCmdReadEx).size(), 1u);
  EXPECT_GT(bench.Requests(device::kCmdRead).size(), 5u);
}

TEST(ReadAllParameters, EndsWithTheExchangeMessageWhenNeitherReadCommandIsKnown) {
  ReadBench bench(0x45, 0x40);
  bench.port.responder().intercept = [](const device::RequestFrame& f) {
    return f.bytes[0] == 0xFE ? std::optional(sim::ErrorResponse(1)) : std::nullopt;
  };
  const model::ParameterSet before = bench.result;
  EXPECT_FALSE(bench.Read());
  EXPECT_EQ(bench.port.responder().received.size(), 3u);  // wake-up and two identifications
  EXPECT_EQ(bench.Texts(), std::vector<std::string>{"Ошибка при обмене данными с вычислителем!"});
  EXPECT_EQ(std::memcmp(&before, &bench.result, sizeof before), 0);
}

TEST(ReadAllParameters, RefusesAnUnknownExecutionCodeNamingIt) {
  ReadBench bench(0x3F, 0x10);
  EXPECT_FALSE(bench.Read());
  EXPECT_EQ(bench.Texts(),
            std::vector<std::string>{"Ошибка при обмене данными с вычислителем!\nИсполнение "
                                     "вычислителя 3F программе не известно."});
  EXPECT_EQ(bench.result.Variant(), model::DeviceVariant::None);
}

TEST(ReadAllParameters, ErrorTwoForTheFirstNodeAndChannelGivesNoneAndSucceeds) {
  ReadBench bench(0x47, 0x53);
  bench.device.channelCount = 0;
  bench.device.nodeCount = 0;
  ASSERT_TRUE(bench.Read());
  EXPECT_EQ(bench.result.channelCount, 0);
  EXPECT_EQ(bench.result.nodeCount, 0);
  EXPECT_TRUE(bench.Requested(0, 1, 35));
}

TEST(ReadAllParameters, UvFromVersion10StopsTheNodeScanAtFive) {
  ReadBench bench(0x60, 0x10);
  bench.device.nodeCount = 6;
  ASSERT_TRUE(bench.Read());
  EXPECT_EQ(bench.result.nodeCount, 5);
  EXPECT_TRUE(bench.Requested(0x86, 0, 2));
}

TEST(ReadAllParameters, UvVersion13SendsTheCompositionWordLeastSignificantByteFirst) {
  for (auto [version, role1, role9] : {std::tuple{0x13, 7, 0}, {0x12, 0, 7}}) {
    ReadBench bench(0x60, static_cast<std::uint8_t>(version));
    bench.port.responder().intercept = [](const device::RequestFrame& f) {
      if (f.Address() != 0x81 || f.Parameter() != 0)
        return std::optional<std::vector<std::uint8_t>>{};
      return std::optional(sim::Response(0, {3, 0, 0, 0, 0x00, 0x00, 0x00, 0xE0}));
    };
    ASSERT_TRUE(bench.Read());
    EXPECT_EQ(bench.result.nodes[0].nodeType, 3);
    EXPECT_EQ(bench.result.nodes[0].composition[0], role1) << version;
    EXPECT_EQ(bench.result.nodes[0].composition[8], role9) << version;
  }
}

TEST(ReadAllParameters, KeepsSmsFieldsTheVersionDoesNotCarry) {
  for (auto [exec, version, first] : {std::tuple{0x45, 0x46, 25}, {0x50, 0x30, 29}}) {
    ReadBench bench(static_cast<std::uint8_t>(exec), static_cast<std::uint8_t>(version));
    bench.device.SetCell(0, first, {0x12, 0x34, 0x56, 0x78});
    bench.device.SetCell(0, first + 1, {0x12, 0x34, 0x56, 0x78});
    ASSERT_TRUE(bench.Read());
    EXPECT_STREQ(bench.result.sms1First.chars, "00000000");
    EXPECT_STREQ(bench.result.sms1Second.chars, "00000000");
  }
}

TEST(ReadAllParameters, ZeroFloatsBecomeNotSetExceptWhereAFixUpNeedsZero) {
  // ЛУР-Г version 40 does not keep zeros; the channel uses flow transducer 1.
  ReadBench bench(0x45, 0x40);
  const Value4 zero{0, 0, 0, 0};
  bench.device.SetCell(1, 0, {0x11, 0x10, 0x00, 0x10});  // d0 1, d1 1, d2 1, d6 1
  for (int p = 2; p <= 27; ++p) bench.device.SetCell(1, p, zero);
  bench.device.SetCell(0, 23, zero);
  ASSERT_TRUE(bench.Read());
  const model::ChannelRecord& c = bench.result.channels[0];
  for (int slot : {1, 4, 5, 6, 13, 14, 16, 24, 28}) {
    EXPECT_EQ(c.Slot(slot), Float32::Of(0.0f)) << slot;
  }
  for (int slot : {2, 3, 7, 8, 12, 15, 21}) EXPECT_TRUE(c.Slot(slot).IsNotSet()) << slot;
  EXPECT_EQ(bench.result.contractBaroPressure, Float32::Of(0.0f));
}

TEST(ReadAllParameters, KeepsZeroWhenTheDeviceSaysSo) {
  ReadBench bench(0x47, 0x40);
  bench.device.SetCell(1, 9, {0, 0, 0, 0});
  ASSERT_TRUE(bench.Read());
  EXPECT_EQ(bench.result.channels[0].Slot(8), Float32::Of(0.0f));
}

TEST(ReadAllParameters, GasVolumeUnitFromAnyFloatIsAnInteger) {
  const struct {
    std::uint32_t bits;
    std::int32_t unit;
  } cases[] = {{0x447A0000u, 1000}, {0x00000000u, 1}, {0x7FC00000u, 1}, {0x7F800000u, 1},
               {0xFF800000u, 1},    {0x5F000000u, 1}, {0x3F7FFFFFu, 1}, {0x40F00000u, 7}};
  for (const auto& c : cases) {
    ReadBench bench(0x45, 0x40);
    bench.device.SetCell(0x81, 1, device::FloatBytes(Float32{c.bits}));
    ASSERT_TRUE(bench.Read());
    EXPECT_EQ(bench.result.nodes[0].gasVolumeUnit, c.unit) << std::hex << c.bits;
  }
}

TEST(ReadAllParameters, ReportTextsComeFrom866AndAFullHeaderIsNotUsed) {
  ReadBench bench(0x47, 0x53);
  bench.device.textPresence = 3;
  bench.device.header.fill(0xE5);
  bench.device.footer.fill(0);
  bench.device.footer[0] = 0x41;
  bench.device.footer[1] = 0xF0;
  bench.device.footer[2] = 0x8F;
  ASSERT_TRUE(bench.Read());
  EXPECT_EQ(static_cast<std::uint8_t>(bench.result.headerText[0]), 0xF5);
  EXPECT_EQ(bench.result.headerEnabled, 0);
  EXPECT_EQ(bench.result.footerEnabled, 1);
  EXPECT_EQ(std::string(bench.result.footerText), "A\xA8\xCF");
}

TEST(ReadAllParameters, ReadsTheLHeaderFromOneBlockAndNoFooter) {
  ReadBench bench(0x49, 0x10);
  bench.device.textPresence = 3;
  bench.device.header[0] = 0x80;
  ASSERT_TRUE(bench.Read());
  EXPECT_EQ(bench.Requests(device::kCmdReadText).size(), 2u);
  EXPECT_EQ(static_cast<std::uint8_t>(bench.result.headerText[0]), 0xC0);
  EXPECT_EQ(bench.result.headerEnabled, 1);
  EXPECT_EQ(bench.result.footerEnabled, 0);
}

struct FaultCase {
  const char* name;
  sim::Faults faults;
};

class ReadFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(ReadFault, LeavesTheCallersSetAsItWasAndDrainsTheLine) {
  ReadBench bench(0x50, 0x40, GetParam().faults);
  const model::ParameterSet before = bench.result;
  EXPECT_FALSE(bench.Read());
  EXPECT_EQ(bench.Texts(), std::vector<std::string>{"Ошибка при обмене данными с вычислителем!"});
  EXPECT_EQ(std::memcmp(&before, &bench.result, sizeof before), 0);
  EXPECT_GE(bench.port.drains, 1);
}

sim::Faults Drop(int n) {
  sim::Faults f;
  f.dropResponseTo = n;
  return f;
}
sim::Faults BadCrc(int n) {
  sim::Faults f;
  f.badCrcResponseTo = n;
  return f;
}
sim::Faults HangUp(int n) {
  sim::Faults f;
  f.hangUpAfter = n;
  return f;
}

INSTANTIATE_TEST_SUITE_P(Faults, ReadFault,
                         ::testing::Values(FaultCase{"DroppedIdentification", Drop(1)},
                                           FaultCase{"DroppedChannelBlock", Drop(40)},
                                           FaultCase{"BadCrcInNodeScan", BadCrc(3)},
                                           FaultCase{"HangUpPartWay", HangUp(60)}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReadAllParameters, AShortResponseIsAFailureNotStaleBytes) {
  ReadBench bench(0x47, 0x53);
  bench.port.responder().intercept = [](const device::RequestFrame& f) {
    if (f.Address() == 0 && f.Parameter() == 1) return std::optional(sim::Response(0, {1, 2}));
    return std::optional<std::vector<std::uint8_t>>{};
  };
  EXPECT_FALSE(bench.Read());
  EXPECT_EQ(bench.Texts(), std::vector<std::string>{"Ошибка при обмене данными с вычислителем!"});
}

TEST(ReadAllParameters, NoiseBeforeEveryResponseIsSkipped) {
  sim::Faults noisy;
  noisy.noiseBytes = 7;
  ReadBench bench(0x60, 0x09, noisy);
  ASSERT_TRUE(bench.Read());
  EXPECT_EQ(bench.result.nodeCount, 6);
}

// Until the scans end the read counts on the most channels and nodes a device can have; then on
// those it has, and the bar ends whole.
TEST(ReadAllParameters, CountsItsRequestsOnceTheScansHaveEnded) {
  ReadBench bench(0x47, 0x53);
  struct Totals : platform::ProgressState {
    void SetTotal(int requests) override {
      totals.push_back(requests);
      ProgressState::SetTotal(requests);
    }
    std::vector<int> totals;
  } bar;
  ASSERT_TRUE(bench.link.ReadAllParameters(bench.result, &bar));
  ASSERT_GE(bar.totals.size(), 3u);
  EXPECT_GT(bar.totals[0], bar.totals[2]);
  EXPECT_EQ(bar.totals.back(), bench.link.answered);
  EXPECT_EQ(bar.Done(), bar.Total());
}

}  // namespace
}  // namespace tarvo
