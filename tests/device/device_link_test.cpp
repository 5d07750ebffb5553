#include "device/device_link.h"

#include <gtest/gtest.h>

#include "device/simulated_exchange.h"
#include "sim/configuration_image.h"
#include "sim/device_model.h"

namespace tarvo {
namespace {

using device::RequestFrame;
using Bytes = std::vector<std::uint8_t>;

// A link whose device answers every request with the given bytes.
struct ScriptedLink : testing::SimulatedExchange {
  explicit ScriptedLink(Bytes reply, sim::Faults faults = {})
      : SimulatedExchange(0x47, 0x53, faults) {
    port.responder().intercept = [reply](const RequestFrame&) { return reply; };
    model::ParameterSet set{};
    set.Reset();
    set.speedCode = 3;
    EXPECT_TRUE(link.OpenPort(set));
  }
  bool Exchange(const RequestFrame& request = RequestFrame::Make(device::kCmdRead, 0, 0, {1})) {
    return link.Exchange(request);
  }
};

Bytes WithNoise(Bytes frame, Bytes noise) {
  noise.insert(noise.end(), frame.begin(), frame.end());
  return noise;
}

TEST(ReceiveResponse, SkipsNoiseBeforeTheStartByte) {
  ScriptedLink s(WithNoise(sim::Response(0, {1, 2, 3, 4}), {0x00, 0x55, 0xFF, 0x13}));
  ASSERT_TRUE(s.Exchange());
  EXPECT_EQ(s.link.response.DataLength(), 4u);
  EXPECT_EQ(s.link.cursor, 3);
}

TEST(ReceiveResponse, ReadsAnEmptyResponseAsFiveBytes) {
  ScriptedLink s(sim::Response(0, {}));
  ASSERT_TRUE(s.Exchange());
  EXPECT_EQ(s.link.response.length, 5u);
}

struct ErrorCase {
  const char* name;
  Bytes reply;
  int errorCode;
};

class ReceiveResponseFailure : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ReceiveResponseFailure, FailsWithTheDeviceCodeOnlyWhenTheFrameIsSound) {
  ScriptedLink s(GetParam().reply);
  EXPECT_FALSE(s.Exchange());
  EXPECT_EQ(s.link.errorCode, GetParam().errorCode);
}

Bytes Damaged(Bytes frame) {
  frame.back() ^= 0x01;
  return frame;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReceiveResponseFailure,
    ::testing::Values(ErrorCase{"DeviceError", sim::ErrorResponse(7), 7},
                      ErrorCase{"DeviceErrorBadCrc", Damaged(sim::ErrorResponse(7)), 0},
                      ErrorCase{"ErrorWithoutCode", sim::Response(0x80, {}), 0},
                      ErrorCase{"BadCrc", Damaged(sim::Response(0, {1, 2, 3, 4})), 0},
                      ErrorCase{"CutShort", Bytes{0xFE, 0x00, 0x08, 1, 2, 3}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// A read whose first five bytes, by chance, form a sound empty response with the read's own
// command as its status.
RequestFrame LooksLikeItsEmptyResponse() {
  const std::uint8_t head[] = {0xFE, device::kCmdRead, 0};
  const std::uint16_t crc = device::Crc16(head, 3);
  return RequestFrame::Make(device::kCmdRead, 0, static_cast<std::uint8_t>(crc & 0xFF),
                            {static_cast<std::uint8_t>(crc >> 8), 0, 0, 0});
}

struct EchoCase {
  const char* name;
  bool echo;
  RequestFrame request;
  Bytes reply;  // empty: the device stays silent
  bool ok;
  int errorCode;
  std::size_t dataLength;
  std::int64_t atMostMs;
};

class ReceiveResponseEcho : public ::testing::TestWithParam<EchoCase> {};

TEST_P(ReceiveResponseEcho, SkipsTheRequestComingBackAndNothingElse) {
  const EchoCase& c = GetParam();
  sim::Faults faults;
  faults.echo = c.echo;
  if (c.reply.empty()) faults.dropResponseTo = 1;
  ScriptedLink s(c.reply.empty() ? Bytes{0} : c.reply, faults);
  const std::int64_t start = s.clock.NowMs();
  EXPECT_EQ(s.Exchange(c.request), c.ok);
  EXPECT_EQ(s.link.errorCode, c.errorCode);
  if (c.ok) {
    EXPECT_EQ(s.link.response.DataLength(), c.dataLength);
  }
  EXPECT_LE(s.clock.NowMs() - start, c.atMostMs);
  s.port.CancelAndDrain();
  EXPECT_EQ(s.port.drainedBytes, 0u) << "a part of the reply is left for the next exchange";
}

const RequestFrame kIdent = RequestFrame::Make(device::kCmdRead, 0, 0, {1});

Bytes Flipped(const RequestFrame& request) {
  Bytes bytes(request.bytes.begin(), request.bytes.end());
  bytes.back() ^= 0x01;
  return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReceiveResponseEcho,
    ::testing::Values(
        EchoCase{"EchoThenResponse", true, kIdent, sim::Response(0, {1, 2, 3, 4}), true, 0, 4, 0},
        EchoCase{"EchoThenNoiseAndResponse", true, kIdent,
                 WithNoise(sim::Response(0, {1, 2, 3, 4}), {0x00, 0x55}), true, 0, 4, 0},
        EchoCase{"EchoThenDeviceError", true, kIdent, sim::ErrorResponse(7), false, 7, 0, 0},
        EchoCase{"EchoAlone", true, kIdent, {}, false, 0, 0, 5000},
        EchoCase{"AlmostTheRequest", false, kIdent, Flipped(kIdent), false, 0, 0, 0},
        // Only a short wait shows that no more of the request is coming.
        EchoCase{"ResponseLikeTheRequest", false, LooksLikeItsEmptyResponse(),
                 sim::Response(device::kCmdRead, {}), true, 0, 0, 100},
        EchoCase{"EchoThenResponseLikeTheRequest", true, LooksLikeItsEmptyResponse(),
                 sim::Response(device::kCmdRead, {}), true, 0, 0, 100}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReceiveResponse, GivesUpFiveSecondsAfterItStartedWhenNoStartByteComes) {
  ScriptedLink s(Bytes(40, 0x55));
  const std::int64_t start = s.clock.NowMs();
  EXPECT_FALSE(s.Exchange());
  EXPECT_EQ(s.clock.NowMs() - start, 5000);
}

TEST(ReceiveResponse, GivesUpOneSecondAfterTheStartByteWhenTheStatusDoesNotCome) {
  ScriptedLink s(Bytes{0xFE});
  const std::int64_t start = s.clock.NowMs();
  EXPECT_FALSE(s.Exchange());
  EXPECT_EQ(s.clock.NowMs() - start, 1000);
  EXPECT_EQ(s.link.errorCode, 0);
}

// A line that never stops delivering noise, a byte every millisecond, each ready when asked.
class EndlessNoisePort : public platform::SerialPort {
 public:
  explicit EndlessNoisePort(platform::Clock& clock) : clock_(clock) {}
  bool Open(const std::string&, std::string&) override { return open_ = true; }
  void Configure(int) override {}
  bool IsOpen() const override { return open_; }
  int BaudRate() const override { return 9600; }
  bool Write(std::span<const std::uint8_t>, std::int64_t) override { return true; }
  std::size_t Read(std::uint8_t* data, std::size_t count, std::int64_t) override {
    if (++bytesRead > 100000) return 0;  // ends the test even if the link would not
    clock_.SleepMs(1);
    std::fill_n(data, count, 0x55);
    return count;
  }
  void CancelAndDrain() override {}
  void Close() override { open_ = false; }

  int bytesRead = 0;

 private:
  platform::Clock& clock_;
  bool open_ = false;
};

TEST(ReceiveResponse, EndlessNoiseEndsTheWaitAfterFiveSeconds) {
  sim::VirtualClock clock;
  EndlessNoisePort port(clock);
  testing::RecordingUi ui;
  device::DeviceLink link(port, clock, ui);
  link.portPath = "/dev/noisy";
  model::ParameterSet set{};
  set.Reset();
  ASSERT_TRUE(link.OpenPort(set));
  EXPECT_FALSE(link.Exchange(RequestFrame::Make(device::kCmdRead, 0, 0, {1})));
  EXPECT_EQ(link.errorCode, 0);
  EXPECT_LE(port.bytesRead, 5001);
  EXPECT_EQ(clock.NowMs(), 5000);
}

TEST(ReceiveResponse, AllowsTheDataPartItsWireTimeAtTheLineRate) {
  // 62 values at 2400 baud take longer than a flat second on the wire.
  sim::Faults paced;
  paced.paceBaud = 2400;
  ScriptedLink s(sim::Response(0, Bytes(248, 0x11)), paced);
  model::ParameterSet set{};
  set.Reset();
  set.speedCode = 1;
  s.link.ClosePort();
  ASSERT_TRUE(s.link.OpenPort(set));
  EXPECT_TRUE(s.Exchange());
}

TEST(ReceiveResponse, StepsTheProgressForEveryAnsweredRequest) {
  sim::Faults faults;
  faults.dropResponseTo = 2;
  ScriptedLink s(sim::ErrorResponse(2), faults);
  platform::ProgressState bar;
  s.link.progress = &bar;
  EXPECT_FALSE(s.Exchange());
  EXPECT_EQ(bar.Done(), 1);
  // No answer at all: nothing done.
  EXPECT_FALSE(s.Exchange());
  EXPECT_EQ(bar.Done(), 1);
  s.port.responder().intercept = [](const RequestFrame&) { return sim::Response(0, {}); };
  EXPECT_TRUE(s.Exchange());
  EXPECT_EQ(bar.Done(), 2);
  EXPECT_EQ(s.link.answered, 2);
}

TEST(Take, FloatTurnsZeroIntoNotSetUnlessZerosAreKept) {
  ScriptedLink s(sim::Response(0, {0x00, 0x00, 0x00, 0x80, 0x00, 0x00, 0x80, 0x3F}));
  ASSERT_TRUE(s.Exchange());
  model::Float32 value{};
  s.link.TakeFloat(value);
  EXPECT_TRUE(value.IsNotSet());
  s.link.keepZeroValues = true;
  s.link.cursor = 3;
  s.link.TakeFloat(value);
  EXPECT_EQ(value.bits, 0x80000000u);
  s.link.TakeFloat(value);
  EXPECT_EQ(value.Value(), 1.0f);
}

TEST(Take, HexDigitsHighNibbleFirstAndSkipAdvancesTheCursor) {
  ScriptedLink s(sim::Response(0, {0x12, 0xAB, 0x0C, 0xF0, 9, 9, 9, 9, 1, 2, 3, 4}));
  ASSERT_TRUE(s.Exchange());
  char text[9];
  s.link.TakeHexDigits(text, 1);
  EXPECT_STREQ(text, "12AB0CF0");
  EXPECT_EQ(s.link.cursor, 3 + 8);
  device::Value4 raw{};
  s.link.TakeRaw(raw);
  EXPECT_EQ(raw, (device::Value4{1, 2, 3, 4}));
}

TEST(Take, NeverDecodesBytesTheResponseDidNotCarry) {
  ScriptedLink s(sim::Response(0, {1, 2, 3, 4, 5, 6, 7, 8}));
  ASSERT_TRUE(s.Exchange());
  s.port.responder().intercept = [](const RequestFrame&) { return sim::Response(0, {9, 9}); };
  ASSERT_TRUE(s.Exchange());
  device::Value4 raw{};
  EXPECT_FALSE(s.link.TakeRaw(raw));
  EXPECT_EQ(raw, (device::Value4{0xFF, 0xFF, 0xFF, 0xFF}));
  model::Float32 value{};
  EXPECT_FALSE(s.link.TakeFloat(value));
  EXPECT_TRUE(value.IsNotSet());
}

TEST(OpenPort, ExplainsWhyThePortCannotBeOpened) {
  testing::SimulatedExchange bench(0x47, 0x53);
  bench.link.portPath.clear();
  bench.link.portMap = {};
  model::ParameterSet set{};
  set.Reset();
  set.comPort = 0;
  EXPECT_FALSE(bench.link.OpenPort(set));
  ASSERT_EQ(bench.ui.messages.size(), 1u);
  EXPECT_EQ(bench.ui.messages[0].text,
            "Ошибка при открытии COM-порта!\nПорт COM0 не существует: выберите порт от COM1 до "
            "COM9.");
  EXPECT_EQ(bench.ui.messages[0].icon, platform::Icon::Error);

  set.comPort = 9;
  bench.port.openFailure = "Устройство /dev/ttyUSB4 не найдено.";
  EXPECT_FALSE(bench.link.OpenPort(set));
  EXPECT_EQ(bench.ui.messages[1].text,
            "Ошибка при открытии COM-порта!\nУстройство /dev/ttyUSB4 не найдено.");
  bench.port.openFailure.clear();
  EXPECT_TRUE(bench.link.OpenPort(set));
  EXPECT_EQ(bench.port.openedPath, platform::DefaultDevicePath(9));
}

TEST(ClosePort, DrainsTheLineOnlyAfterAnAbandonedExchange) {
  sim::Faults faults;
  faults.responseDelayMs = 6000;  // the response comes after the link has given up
  ScriptedLink s(sim::Response(0, {1, 2, 3, 4}), faults);
  EXPECT_FALSE(s.Exchange());
  s.link.Abandon("x");
  EXPECT_EQ(s.port.drains, 1);
  EXPECT_EQ(s.port.drainedBytes, 9u);
  s.link.ClosePort();
  EXPECT_EQ(s.port.drains, 2);
  EXPECT_FALSE(s.port.IsOpen());
}

// Counts every call, so a call after the procedure has ended shows.
struct CountingProgress : platform::Progress {
  void SetTotal(int) override { ++calls; }
  void Step() override { ++calls; }
  int calls = 0;
};

enum class Procedure { Read, Write, Headers };

struct EndCase {
  const char* name;
  Procedure procedure;
  int dropResponseTo;  // 0: the procedure succeeds
};

class ProcedureEnd : public ::testing::TestWithParam<EndCase> {};

TEST_P(ProcedureEnd, ClosesTheLineAndLetsGoOfTheProgress) {
  const EndCase& c = GetParam();
  sim::Faults faults;
  faults.dropResponseTo = c.dropResponseTo;
  testing::SimulatedExchange bench(0x47, 0x53, faults);
  model::ParameterSet set{};
  model::MakeNewConfiguration(set, 0x47, 0x53);
  std::string message;
  ASSERT_TRUE(sim::LoadConfiguration(bench.device, set, message)) << message;
  CountingProgress bar;
  bool ok = false;
  switch (c.procedure) {
    case Procedure::Read:
      ok = bench.link.ReadAllParameters(set, &bar);
      break;
    case Procedure::Write:
      ok = bench.link.WriteAllParameters(set, &bar);
      break;
    case Procedure::Headers:
      ok = bench.link.WriteReportHeaders(set, &bar);
      break;
  }
  EXPECT_EQ(ok, c.dropResponseTo == 0) << ::testing::PrintToString(bench.Texts());
  EXPECT_GT(bar.calls, 0);
  EXPECT_FALSE(bench.port.IsOpen());
  EXPECT_GE(bench.port.drains, 1);

  // The next exchange on the same link must not reach the caller's bar.
  const int calls = bar.calls;
  ASSERT_TRUE(bench.link.OpenPort(set));
  bench.port.responder().intercept = [](const RequestFrame&) { return sim::Response(0, {}); };
  EXPECT_TRUE(bench.link.Exchange(RequestFrame::Make(device::kCmdRead, 0, 0, {1})));
  EXPECT_EQ(bar.calls, calls);
}

// Failures come after the procedure has taken the bar: the identification is request 1.
INSTANTIATE_TEST_SUITE_P(Cases, ProcedureEnd,
                         ::testing::Values(EndCase{"ReadSucceeds", Procedure::Read, 0},
                                           EndCase{"ReadFails", Procedure::Read, 3},
                                           EndCase{"WriteSucceeds", Procedure::Write, 0},
                                           EndCase{"WriteFails", Procedure::Write, 6},
                                           EndCase{"HeadersSucceed", Procedure::Headers, 0},
                                           EndCase{"HeadersFail", Procedure::Headers, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarvo
