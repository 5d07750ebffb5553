#include "device/frame.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tarvo::device {
namespace {

TEST(Crc16, MatchesTheModbusCheckValueAndEmptyInput) {
  const char* digits = "123456789";
  EXPECT_EQ(Crc16(reinterpret_cast<const std::uint8_t*>(digits), std::strlen(digits)), 0x4B37);
  EXPECT_EQ(Crc16(nullptr, 0), 0xFFFF);
}

TEST(RequestFrame, CarriesItsFieldsAndACrcOverTheFirstEightBytes) {
  const RequestFrame frame = RequestFrame::Make(kCmdRead, 0x83, 15, {28, 0, 0, 0});
  EXPECT_EQ(frame.bytes[0], 0xFE);
  EXPECT_EQ(frame.Command(), 0x50);
  EXPECT_EQ(frame.Address(), 0x83);
  EXPECT_EQ(frame.Parameter(), 15);
  EXPECT_EQ(frame.Argument()[0], 28);
  const std::uint16_t crc = Crc16(frame.bytes.data(), 8);
  EXPECT_EQ(frame.bytes[8], crc & 0xFF);
  EXPECT_EQ(frame.bytes[9], crc >> 8);
  EXPECT_TRUE(frame.CrcOk());
}

TEST(RequestFrame, WakeUpIsEightZeroBytesAndTheirCrc) {
  const RequestFrame frame = RequestFrame::WakeUp();
  for (int i = 0; i < 8; ++i) EXPECT_EQ(frame.bytes[i], 0);
  EXPECT_TRUE(frame.CrcOk());
}

TEST(EncodeResponse, AnEmptyResponseIsFiveBytesWhoseCrcCoversTheHeader) {
  std::size_t length = 0;
  const auto frame = EncodeResponse(0, {}, length);
  EXPECT_EQ(length, 5u);
  EXPECT_EQ(Crc16(frame.data(), 5), 0);
}

}  // namespace
}  // namespace tarvo::device
