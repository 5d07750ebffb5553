#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "device/frame.h"
#include "model/parameter_set.h"

namespace tarvo::sim {

// Device error codes beyond those the procedures act on.
inline constexpr int kErrorBadCount = 3;
inline constexpr int kErrorReadOnly = 4;

// The simulated flow computer: 4-byte values by (address, parameter number), the report texts
// in code page 866, and the answers a device gives to each command.
class DeviceModel {
 public:
  // Channel and node counts follow the execution code; every value starts as FF FF FF FF.
  explicit DeviceModel(model::DeviceIdentification ident);

  const model::DeviceIdentification& Ident() const { return ident_; }
  model::DeviceVariant Variant() const { return model::VariantOf(ident_.executionCode); }

  int channelCount = 0;
  int nodeCount = 0;
  // Older devices know only CMD_READ and answer CMD_READ_EX with error 1.
  bool refuseReadEx = false;

  device::Value4 Cell(int address, int parameter) const;
  void SetCell(int address, int parameter, device::Value4 value);

  std::uint8_t textPresence = 0;  // bit 0 header, bit 1 footer
  std::array<std::uint8_t, model::kHeaderTextSize> header{};
  std::array<std::uint8_t, model::kFooterTextSize> footer{};

  // The response frame, or nothing when the device stays silent (wake-up, damaged request).
  std::optional<std::vector<std::uint8_t>> Answer(const device::RequestFrame& request);

 private:
  bool AddressExists(int address) const;
  std::vector<std::uint8_t> Read(const device::RequestFrame& request) const;
  std::vector<std::uint8_t> ReadText(const device::RequestFrame& request) const;
  std::vector<std::uint8_t> WriteText(const device::RequestFrame& request);

  model::DeviceIdentification ident_;
  std::vector<device::Value4> cells_;
};

// A response frame as bytes.
std::vector<std::uint8_t> Response(std::uint8_t status, const std::vector<std::uint8_t>& data);
std::vector<std::uint8_t> ErrorResponse(int code);

}  // namespace tarvo::sim
