#include "device/frame.h"

#include <algorithm>

namespace tarvo::device {

std::uint16_t Crc16(const std::uint8_t* data, std::size_t length) {
  std::uint16_t crc = 0xFFFF;
  for (std::size_t i = 0; i < length; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) {
      crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001)
                      : static_cast<std::uint16_t>(crc >> 1);
    }
  }
  return crc;
}

RequestFrame RequestFrame::Make(std::uint8_t command, std::uint8_t address, std::uint8_t parameter,
                                Value4 argument) {
  RequestFrame frame;
  frame.bytes[0] = kStartByte;
  frame.bytes[1] = command;
  frame.bytes[2] = address;
  frame.bytes[3] = parameter;
  std::copy(argument.begin(), argument.end(), frame.bytes.begin() + 4);
  frame.Seal();
  return frame;
}

RequestFrame RequestFrame::WakeUp() {
  RequestFrame frame;
  frame.Seal();
  return frame;
}

void RequestFrame::Seal() {
  const std::uint16_t crc = Crc16(bytes.data(), 8);
  bytes[8] = static_cast<std::uint8_t>(crc & 0xFF);
  bytes[9] = static_cast<std::uint8_t>(crc >> 8);
}

bool RequestFrame::CrcOk() const {
  return Crc16(bytes.data(), kRequestSize) == 0;
}

std::array<std::uint8_t, kResponseCapacity> EncodeResponse(std::uint8_t status,
                                                           std::span<const std::uint8_t> data,
                                                           std::size_t& length) {
  std::array<std::uint8_t, kResponseCapacity> frame{};
  const std::size_t n = std::min<std::size_t>(data.size(), 255);
  frame[0] = kStartByte;
  frame[1] = status;
  frame[2] = static_cast<std::uint8_t>(n);
  std::copy_n(data.begin(), n, frame.begin() + 3);
  const std::uint16_t crc = Crc16(frame.data(), n + 3);
  frame[n + 3] = static_cast<std::uint8_t>(crc & 0xFF);
  frame[n + 4] = static_cast<std::uint8_t>(crc >> 8);
  length = n + 5;
  return frame;
}

}  // namespace tarvo::device
