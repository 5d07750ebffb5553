#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tarvo::device {

inline constexpr std::uint8_t kStartByte = 0xFE;
inline constexpr std::uint8_t kCmdWakeUp = 0x00;
inline constexpr std::uint8_t kCmdRead = 0x50;
inline constexpr std::uint8_t kCmdReadEx = 0x5F;
inline constexpr std::uint8_t kCmdWrite = 0x60;
inline constexpr std::uint8_t kCmdReadText = 0x62;
inline constexpr std::uint8_t kCmdWriteText = 0x63;

inline constexpr std::uint8_t kTextDirectory = 0xFF;  // address of the report-text directory
inline constexpr std::uint8_t kNodeAddress = 0x80;    // node n is 0x80 + n

// Device error codes the procedures act on.
inline constexpr int kErrorUnknownCommand = 1;
inline constexpr int kErrorNoSuchObject = 2;

inline constexpr std::size_t kRequestSize = 10;
inline constexpr std::size_t kResponseCapacity = 262;  // 3 + 255 + 2 fit with room to spare

// Modbus CRC-16: reflected polynomial 0xA001, initial 0xFFFF, no final XOR.
std::uint16_t Crc16(const std::uint8_t* data, std::size_t length);

using Value4 = std::array<std::uint8_t, 4>;

// A 10-byte request: start byte, command, address, parameter, 4 argument bytes, CRC low, high.
struct RequestFrame {
  std::array<std::uint8_t, kRequestSize> bytes{};

  static RequestFrame Make(std::uint8_t command, std::uint8_t address, std::uint8_t parameter,
                           Value4 argument = {});
  // Eight zero bytes and their CRC.
  static RequestFrame WakeUp();

  std::uint8_t Command() const { return bytes[1]; }
  std::uint8_t Address() const { return bytes[2]; }
  std::uint8_t Parameter() const { return bytes[3]; }
  Value4 Argument() const { return {bytes[4], bytes[5], bytes[6], bytes[7]}; }
  // Stores the CRC of bytes 0..7 in bytes 8 and 9.
  void Seal();
  bool CrcOk() const;
};

// A response as received: start byte, status, N, N data bytes, CRC low, high.
struct ResponseFrame {
  std::array<std::uint8_t, kResponseCapacity> bytes{};
  std::size_t length = 0;  // bytes received into this frame

  std::uint8_t Status() const { return bytes[1]; }
  std::size_t DataLength() const { return length >= 5 ? length - 5 : 0; }
  const std::uint8_t* Data() const { return bytes.data() + 3; }
  bool IsError() const { return (Status() & 0x80) != 0; }
};

// Encodes a response the way a device sends it (the simulator and the tests build them here).
std::array<std::uint8_t, kResponseCapacity> EncodeResponse(std::uint8_t status,
                                                           std::span<const std::uint8_t> data,
                                                           std::size_t& length);

}  // namespace tarvo::device
