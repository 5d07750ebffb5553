#include "model/device_variant.h"

#include <array>

namespace tarvo::model {

namespace {
constexpr std::array<std::uint8_t, 4> kCodesV{0x46, 0x44, 0x41, 0x40};
constexpr std::array<std::uint8_t, 4> kCodesG{0x47, 0x45, 0x43, 0x42};
constexpr std::array<std::uint8_t, 4> kCodesU{0x50, 0x51, 0x52, 0x53};
constexpr std::array<std::uint8_t, 1> kCodesUV{0x60};
constexpr std::array<std::uint8_t, 1> kCodesL{0x49};
constexpr std::array<std::uint8_t, 14> kAllCodes{0x46, 0x44, 0x41, 0x40, 0x47, 0x45, 0x43,
                                                 0x42, 0x50, 0x51, 0x52, 0x53, 0x60, 0x49};
}  // namespace

DeviceVariant VariantOf(std::uint8_t executionCode) {
  switch (executionCode) {
    case 0x40:
    case 0x41:
    case 0x44:
    case 0x46:
      return DeviceVariant::V;
    case 0x42:
    case 0x43:
    case 0x45:
    case 0x47:
      return DeviceVariant::G;
    case 0x50:
    case 0x51:
    case 0x52:
    case 0x53:
      return DeviceVariant::U;
    case 0x60:
      return DeviceVariant::UV;
    case 0x49:
      return DeviceVariant::L;
    default:
      return DeviceVariant::None;
  }
}

std::string VariantName(DeviceVariant variant) {
  switch (variant) {
    case DeviceVariant::V:
      return "ЛУР-В";
    case DeviceVariant::G:
      return "ЛУР-Г";
    case DeviceVariant::U:
      return "ЛУР-У";
    case DeviceVariant::UV:
      return "ЛУР-УВ";
    case DeviceVariant::L:
      return "ЛУР-Л";
    default:
      return {};
  }
}

std::span<const std::uint8_t> ExecutionCodesOf(DeviceVariant variant) {
  switch (variant) {
    case DeviceVariant::V:
      return kCodesV;
    case DeviceVariant::G:
      return kCodesG;
    case DeviceVariant::U:
      return kCodesU;
    case DeviceVariant::UV:
      return kCodesUV;
    case DeviceVariant::L:
      return kCodesL;
    default:
      return {};
  }
}

std::span<const std::uint8_t> AllExecutionCodes() {
  return kAllCodes;
}

}  // namespace tarvo::model
