#include "sim/device_model.h"

#include <gtest/gtest.h>

#include "sim/responder.h"

namespace tarvo::sim {
namespace {

using device::RequestFrame;
using Bytes = std::vector<std::uint8_t>;

Bytes Answer(DeviceModel& device, const RequestFrame& request) {
  return device.Answer(request).value_or(Bytes{});
}

TEST(DeviceModel, AnswersEachCommandAsTheProgramExpects) {
  DeviceModel device({0x47, 0x53, {1, 2}});
  EXPECT_EQ(Answer(device, RequestFrame::Make(device::kCmdReadEx, 0, 0, {1})),
            Response(0, {0x47, 0x53, 1, 2}));
  EXPECT_EQ(Answer(device, RequestFrame::Make(device::kCmdWrite, 2, 7, {1, 2, 3, 4})),
            Response(0, {}));
  EXPECT_EQ(Answer(device, RequestFrame::Make(device::kCmdRead, 2, 6, {2})),
            Response(0, {0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3, 4}));
  EXPECT_FALSE(device.Answer(RequestFrame::WakeUp()).has_value());
}

TEST(DeviceModel, RefusesWhatItDoesNotHave) {
  DeviceModel device({0x47, 0x53, {0, 0}});  // 3 channels, 3 nodes
  struct Case {
    RequestFrame request;
    int code;
  } cases[] = {
      {RequestFrame::Make(device::kCmdRead, 4, 0, {1}), 2},
      {RequestFrame::Make(device::kCmdRead, 0x84, 0, {1}), 2},
      {RequestFrame::Make(device::kCmdWrite, 0x84, 1, {}), 2},
      {RequestFrame::Make(device::kCmdRead, 1, 0, {64}), kErrorBadCount},
      {RequestFrame::Make(device::kCmdRead, 1, 0, {0}), kErrorBadCount},
      {RequestFrame::Make(device::kCmdWrite, 0, 0, {1, 2, 3, 4}), kErrorReadOnly},
      {RequestFrame::Make(0x41, 0, 0, {1}), 1},
      {RequestFrame::Make(device::kCmdReadText, 0, 4, {}), 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Answer(device, c.request), ErrorResponse(c.code)) << int(c.request.Command());
  }
  device.refuseReadEx = true;
  EXPECT_EQ(Answer(device, RequestFrame::Make(device::kCmdReadEx, 0, 0, {1})), ErrorResponse(1));
  RequestFrame damaged = RequestFrame::Make(device::kCmdRead, 0, 0, {1});
  damaged.bytes[9] ^= 1;
  EXPECT_FALSE(device.Answer(damaged).has_value());
}

TEST(DeviceModel, KeepsTheTextsItIsSent) {
  DeviceModel device({0x49, 0x10, {0, 0}});
  EXPECT_EQ(Answer(device, RequestFrame::Make(device::kCmdWriteText, 1, 0xFF, {0xFF})),
            Response(0, {}));
  EXPECT_EQ(Answer(device, RequestFrame::Make(device::kCmdWriteText, 0, 127, {0, 'x'})),
            Response(0, {}));
  EXPECT_EQ(Answer(device, RequestFrame::Make(device::kCmdWriteText, 0, 128, {0, 'x'})),
            ErrorResponse(2));
  EXPECT_EQ(Answer(device, RequestFrame::Make(device::kCmdReadText, 0xFF, 0, {})),
            Response(0, {1, 0, 0, 0}));
  const Bytes block = Answer(device, RequestFrame::Make(device::kCmdReadText, 0, 0, {}));
  ASSERT_EQ(block.size(), 133u);
  EXPECT_EQ(block[3 + 127], 'x');
}

TEST(Responder, FindsRequestsAmongNoiseAndAppliesFaults) {
  DeviceModel device({0x45, 0x50, {0, 0}});
  Faults faults;
  faults.noiseBytes = 3;
  faults.dropResponseTo = 2;
  faults.badCrcResponseTo = 3;
  faults.reject = Rejection{0x81, 2, 9};
  faults.hangUpAfter = 4;
  Responder responder(device, faults);
  const auto ident = RequestFrame::Make(device::kCmdRead, 0, 0, {1});
  Bytes stream = {0x13, 0xFE, 0x00};
  stream.insert(stream.end(), ident.bytes.begin(), ident.bytes.end());
  const auto first = responder.Feed(stream);
  ASSERT_EQ(first.size(), 1u);
  EXPECT_EQ(first[0].bytes.size(), 3u + 9u);
  EXPECT_EQ(Bytes(first[0].bytes.begin() + 3, first[0].bytes.end()),
            Response(0, {0x45, 0x50, 0, 0}));

  EXPECT_TRUE(responder.Feed(ident.bytes).empty());  // dropped
  const auto damaged = responder.Feed(ident.bytes);
  ASSERT_EQ(damaged.size(), 1u);
  EXPECT_NE(Bytes(damaged[0].bytes.begin() + 3, damaged[0].bytes.end()),
            Response(0, {0x45, 0x50, 0, 0}));
  const auto rejected = responder.Feed(RequestFrame::Make(device::kCmdWrite, 0x81, 2, {}).bytes);
  EXPECT_EQ(Bytes(rejected.at(0).bytes.begin() + 3, rejected.at(0).bytes.end()), ErrorResponse(9));
  EXPECT_FALSE(responder.HungUp());
  EXPECT_TRUE(responder.Feed(ident.bytes).empty());
  EXPECT_TRUE(responder.HungUp());
}

TEST(Responder, EchoesEveryRequestAndSlowsOrCutsOneResponse) {
  DeviceModel device({0x45, 0x50, {0, 0}});
  Faults faults;
  faults.echo = true;
  faults.responseDelayMs = 3;
  faults.slowResponseTo = 1;
  faults.slowResponseMs = 4900;
  faults.stallResponseTo = 2;
  faults.stallAfterBytes = 5;
  faults.hangUpAfter = 2;
  Responder responder(device, faults);
  const auto wakeUp = RequestFrame::WakeUp();
  const auto silent = responder.Feed(wakeUp.bytes);
  ASSERT_EQ(silent.size(), 1u);
  EXPECT_EQ(silent[0].echo, Bytes(wakeUp.bytes.begin(), wakeUp.bytes.end()));
  EXPECT_TRUE(silent[0].bytes.empty());

  const auto ident = RequestFrame::Make(device::kCmdRead, 0, 0, {1});
  const Bytes identBytes(ident.bytes.begin(), ident.bytes.end());
  const auto slow = responder.Feed(ident.bytes);
  ASSERT_EQ(slow.size(), 1u);
  EXPECT_EQ(slow[0].echo, identBytes);
  EXPECT_EQ(slow[0].turnaroundMs, 4900);
  EXPECT_EQ(slow[0].bytes, Response(0, {0x45, 0x50, 0, 0}));
  const auto cut = responder.Feed(ident.bytes);
  ASSERT_EQ(cut.size(), 1u);
  EXPECT_EQ(cut[0].turnaroundMs, 3);
  EXPECT_EQ(cut[0].bytes, Bytes(slow[0].bytes.begin(), slow[0].bytes.begin() + 5));
  // A pulled adapter sends nothing back, not even the echo.
  EXPECT_TRUE(responder.Feed(ident.bytes).empty());
}

}  // namespace
}  // namespace tarvo::sim
