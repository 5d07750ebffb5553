#include "platform/net/telnet_codec.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarvo::platform::net {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t IAC = 255, DONT = 254, DO = 253, WONT = 252, WILL = 251, SB = 250, SE = 240,
                       NOP = 241, BINARY = 0, ECHO = 1, SGA = 3, COMPORT = 44;

// The codec after the server agreed to everything the client asked for at the start.
TelnetCodec Agreed() {
  TelnetCodec codec;
  codec.Opening();
  Bytes data, replies;
  codec.Decode(
      Bytes{IAC, DO, BINARY, IAC, WILL, BINARY, IAC, DO, SGA, IAC, WILL, SGA, IAC, DO, COMPORT},
      data, replies);
  EXPECT_TRUE(replies.empty());
  return codec;
}

TEST(TelnetCodec, OpensAskingForBinarySuppressedGoAheadAndTheComPortOption) {
  TelnetCodec codec;
  EXPECT_EQ(codec.Opening(), (Bytes{IAC, WILL, BINARY, IAC, WILL, SGA, IAC, WILL, COMPORT, IAC, DO,
                                    BINARY, IAC, DO, SGA}));
  EXPECT_FALSE(codec.ComPortAccepted());
}

TEST(TelnetCodec, DecodesDataAndAnswersTheServer) {
  const struct {
    const char* what;
    Bytes wire;
    Bytes data;
    Bytes replies;
  } cases[] = {
      {"plain data", {1, 2, 3}, {1, 2, 3}, {}},
      {"doubled IAC is one data byte", {IAC, IAC, IAC, IAC, 7}, {IAC, IAC, 7}, {}},
      {"a not-set value", {IAC, IAC, IAC, IAC, IAC, IAC, IAC, IAC}, {IAC, IAC, IAC, IAC}, {}},
      {"bare commands carry nothing", {5, IAC, NOP, 6}, {5, 6}, {}},
      {"an option it does not know is refused", {IAC, DO, ECHO, 9}, {9}, {IAC, WONT, ECHO}},
      {"the server's echo is declined", {IAC, WILL, ECHO}, {}, {IAC, DONT, ECHO}},
      {"a refusal of what is off is not answered", {IAC, WONT, ECHO, IAC, DONT, ECHO}, {}, {}},
      {"an agreed option asked again is not answered", {IAC, DO, BINARY}, {}, {}},
      {"a binary option dropped is acknowledged", {IAC, DONT, BINARY}, {}, {IAC, WONT, BINARY}},
      {"subnegotiations are no data", {1, IAC, SB, COMPORT, 106, 0, IAC, SE, 2}, {1, 2}, {}},
      {"IAC doubled inside a subnegotiation",
       {IAC, SB, COMPORT, 101, 0, 0, IAC, IAC, IAC, SE, 3},
       {3},
       {}},
      {"CR in binary stays as it is", {13, 0, 13, 10}, {13, 0, 13, 10}, {}},
  };
  for (const auto& c : cases) {
    TelnetCodec codec = Agreed();
    Bytes data, replies;
    codec.Decode(c.wire, data, replies);
    EXPECT_EQ(data, c.data) << c.what;
    EXPECT_EQ(replies, c.replies) << c.what;
  }
}

TEST(TelnetCodec, SequencesSplitAnywhereDecodeAlike) {
  const Bytes wire{1, IAC, IAC, IAC, SB, COMPORT, 101, 0, 0, 0x4B, 0, IAC, SE, IAC, DO, ECHO, 2};
  for (std::size_t cut = 0; cut <= wire.size(); ++cut) {
    TelnetCodec codec = Agreed();
    Bytes data, replies;
    codec.Decode(Bytes(wire.begin(), wire.begin() + cut), data, replies);
    codec.Decode(Bytes(wire.begin() + cut, wire.end()), data, replies);
    EXPECT_EQ(data, (Bytes{1, IAC, 2})) << cut;
    EXPECT_EQ(replies, (Bytes{IAC, WONT, ECHO})) << cut;
    EXPECT_EQ(codec.ServerBaud(), 19200u) << cut;
  }
}

TEST(TelnetCodec, WithoutBinaryALoneCrTravelsAsCrNul) {
  TelnetCodec codec;
  codec.Opening();
  Bytes data, replies;
  codec.Decode(Bytes{IAC, DONT, BINARY, IAC, WONT, BINARY, 13, 0, 13, 10, 5}, data, replies);
  EXPECT_EQ(data, (Bytes{13, 13, 10, 5}));
  EXPECT_TRUE(replies.empty());
  Bytes wire;
  codec.Encode(Bytes{13, IAC, 4}, wire);
  EXPECT_EQ(wire, (Bytes{13, 0, IAC, IAC, 4}));
}

TEST(TelnetCodec, EncodesDataWithEachIacDoubled) {
  const TelnetCodec codec = Agreed();
  Bytes wire;
  codec.Encode(Bytes{0x10, IAC, IAC, IAC, IAC, 13, 0}, wire);
  EXPECT_EQ(wire, (Bytes{0x10, IAC, IAC, IAC, IAC, IAC, IAC, IAC, IAC, 13, 0}));
}

TEST(TelnetCodec, SetsTheLineAndPurgesTheServer) {
  const TelnetCodec codec = Agreed();
  EXPECT_EQ(codec.LineSettings(19200),
            (Bytes{IAC, SB, COMPORT, 1, 0, 0,   0x4B, 0x00, IAC, SE,  // baud
                   IAC, SB, COMPORT, 2, 8, IAC, SE,                   // 8 data bits
                   IAC, SB, COMPORT, 3, 1, IAC, SE,                   // no parity
                   IAC, SB, COMPORT, 4, 1, IAC, SE,                   // one stop bit
                   IAC, SB, COMPORT, 5, 1, IAC, SE}));                // no flow control
  // A rate byte equal to IAC is doubled like data.
  const Bytes fast = codec.LineSettings(0xFF);
  EXPECT_EQ(Bytes(fast.begin(), fast.begin() + 11),
            (Bytes{IAC, SB, COMPORT, 1, 0, 0, 0, IAC, IAC, IAC, SE}));
  EXPECT_EQ(codec.Purge(), (Bytes{IAC, SB, COMPORT, 12, 3, IAC, SE}));
}

TEST(TelnetCodec, TellsWhetherTheServerTookTheComPortOption) {
  EXPECT_TRUE(Agreed().ComPortAccepted());
  TelnetCodec codec;
  codec.Opening();
  Bytes data, replies;
  codec.Decode(Bytes{IAC, DONT, COMPORT}, data, replies);
  EXPECT_FALSE(codec.ComPortAccepted());
  EXPECT_TRUE(codec.ComPortRefused());
  EXPECT_TRUE(replies.empty());
}

}  // namespace
}  // namespace tarvo::platform::net
