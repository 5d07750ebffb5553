#include "device/read_layout.h"

#include <cmath>

namespace tarvo::device {

using model::DeviceIdentification;
using model::DeviceVariant;

namespace {

bool Is46(const DeviceIdentification& ident) {
  return ident.executionCode == 0x46;
}
bool Is47(const DeviceIdentification& ident) {
  return ident.executionCode == 0x47;
}

void AddSlots(ChannelLayout& layout, int firstParameter, int firstSlot, int count) {
  for (int i = 0; i < count; ++i) {
    layout.items.push_back({static_cast<std::uint8_t>(firstParameter + i), ChannelField::Slot,
                            static_cast<std::uint8_t>(firstSlot + i)});
  }
}

}  // namespace

bool KeepsZeroValues(const DeviceIdentification& ident) {
  const int version = ident.VersionNumber();
  switch (model::VariantOf(ident.executionCode)) {
    case DeviceVariant::V:
      return Is46(ident) || version >= 55;
    case DeviceVariant::G:
      return Is47(ident) || version >= 47;
    case DeviceVariant::U:
      return version >= 21;
    case DeviceVariant::UV:
    case DeviceVariant::L:
      return true;
    default:
      return false;
  }
}

int NodeScanCount(DeviceVariant variant) {
  if (variant == DeviceVariant::U) return 3;
  if (variant == DeviceVariant::UV) return 2;
  return 1;
}

SystemLayout SystemReadLayout(const DeviceIdentification& ident) {
  using F = SystemField;
  const int v = ident.VersionNumber();
  SystemLayout layout;
  auto add = [&](int parameter, F field, Take take) {
    layout.items.push_back({static_cast<std::uint8_t>(parameter), field, take});
  };
  auto count = [&](int k) { layout.block = {1, static_cast<std::uint8_t>(k)}; };
  switch (model::VariantOf(ident.executionCode)) {
    case DeviceVariant::V:
      count(Is46(ident) ? 35 : v < 55 ? 17 : 20);
      add(3, F::ModeSpec, Take::Hex);
      add(4, F::ColdWaterTemp, Take::Float);
      add(17, F::DaylightSaving, Take::Flag);
      if (Is46(ident) || v >= 55) {
        add(19, F::Sms1First, Take::Hex);
        add(20, F::Sms1Second, Take::Hex);
      }
      if (Is46(ident)) {
        add(34, F::Sms2First, Take::Hex);
        add(35, F::Sms2Second, Take::Hex);
      }
      break;
    case DeviceVariant::G:
      count(Is47(ident) ? 35 : v < 47 ? 23 : v < 49 ? 26 : 28);
      add(3, F::ModeSpec, Take::Hex);
      add(18, F::DaylightSaving, Take::Flag);
      add(20, F::ColdWaterTemp, Take::Float);
      add(23, F::BaroPressure, Take::FloatZeroIfNotSet);
      if (Is47(ident) || v >= 47) {
        add(25, F::Sms1First, Take::Hex);
        add(26, F::Sms1Second, Take::Hex);
      }
      if (Is47(ident) || v >= 49) add(28, F::CorrectionFlag, Take::Byte);
      if (Is47(ident)) {
        add(34, F::Sms2First, Take::Hex);
        add(35, F::Sms2Second, Take::Hex);
      }
      break;
    case DeviceVariant::U:
      count(v < 5 ? 26 : v < 20 ? 27 : v < 23 ? 30 : v < 33 ? 31 : 35);
      add(3, F::ModeSpec, Take::Hex);
      add(4, F::BaroUpperLimit, Take::Float);
      add(18, F::DaylightSaving, Take::Flag);
      add(20, F::ColdWaterTemp, Take::Float);
      add(23, F::BaroPressure, Take::FloatZeroIfNotSet);
      add(26, F::OutdoorTemp, Take::Float);
      if (v >= 5) add(27, F::TariffZones, Take::Raw);
      if ((v >= 20 && v <= 26) || v >= 33) {
        add(29, F::Sms1First, Take::Hex);
        add(30, F::Sms1Second, Take::Hex);
      }
      if (v >= 23) add(31, F::CorrectionFlag, Take::Byte);
      if (v >= 33) {
        add(34, F::Sms2First, Take::Hex);
        add(35, F::Sms2Second, Take::Hex);
      }
      break;
    case DeviceVariant::UV:
      count(v < 7 ? 21 : 35);
      add(3, F::ModeSpec, Take::Hex);
      add(20, F::DaylightSaving, Take::Flag);
      add(21, F::ColdWaterTemp, Take::Float);
      if (v >= 7) {
        add(29, F::Sms1First, Take::Hex);
        add(30, F::Sms1Second, Take::Hex);
        add(34, F::Sms2First, Take::Hex);
        add(35, F::Sms2Second, Take::Hex);
      }
      break;
    case DeviceVariant::L:
      count(22);
      add(3, F::ModeSpec, Take::Hex);
      add(4, F::ColdWaterTemp, Take::Float);
      add(15, F::DaylightSaving, Take::Flag);
      add(21, F::Sms1First, Take::Hex);
      add(22, F::Sms1Second, Take::Hex);
      break;
    default:
      break;
  }
  return layout;
}

ChannelLayout ChannelReadLayout(const DeviceIdentification& ident) {
  using F = ChannelField;
  const int v = ident.VersionNumber();
  ChannelLayout layout;
  auto slot = [&](int parameter, int s) {
    layout.items.push_back(
        {static_cast<std::uint8_t>(parameter), F::Slot, static_cast<std::uint8_t>(s)});
  };
  auto add = [&](int parameter, F field) {
    layout.items.push_back({static_cast<std::uint8_t>(parameter), field, 0});
  };
  auto count = [&](int k) { layout.block = {1, static_cast<std::uint8_t>(k)}; };
  switch (model::VariantOf(ident.executionCode)) {
    case DeviceVariant::V: {
      const bool extended = Is46(ident) && v >= 8;
      count(Is46(ident) ? (extended ? 53 : 31) : 23);
      for (auto [p, s] : {std::pair{1, 1},
                          {2, 4},
                          {3, 5},
                          {4, 6},
                          {5, 7},
                          {6, 8},
                          {7, 9},
                          {8, 19},
                          {9, 25},
                          {23, 18}}) {
        slot(p, s);
      }
      if (Is46(ident)) slot(31, 28);
      if (extended) {
        add(50, F::ArchiveKind);
        add(51, F::FlowRangeControl);
        add(52, F::FailureList);
      }
      break;
    }
    case DeviceVariant::G:
      count(27);
      AddSlots(layout, 2, 1, 9);     // 2..10 -> 1..9
      AddSlots(layout, 11, 12, 17);  // 11..27 -> 12..28
      break;
    case DeviceVariant::U:
      count(62);
      add(1, F::FlowInputs);
      add(2, F::PressureTemperature);
      AddSlots(layout, 3, 1, 9);     // 3..11 -> 1..9
      AddSlots(layout, 12, 12, 16);  // 12..27 -> 12..27
      for (auto [p, s] : {std::pair{32, 28}, {56, 29}, {58, 30}, {60, 31}, {62, 32}}) slot(p, s);
      break;
    case DeviceVariant::UV:
      count(21);
      add(1, F::InputsUv);
      for (auto [p, s] : {std::pair{2, 1}, {3, 4}, {4, 5}, {5, 6}, {6, 7}, {7, 18}, {8, 19}}) {
        slot(p, s);
      }
      AddSlots(layout, 9, 23, 5);  // 9..13 -> 23..27
      if (v >= 10) {
        add(14, F::ArchiveKind);
        add(15, F::FlowRangeControl);
        add(16, F::FailureList);
      }
      if (v >= 12) {
        slot(18, 8);
        slot(19, 9);
      }
      slot(21, 28);
      break;
    case DeviceVariant::L:
      count(26);
      for (auto [p, s] :
           {std::pair{1, 7}, {2, 19}, {3, 25}, {14, 18}, {20, 28}, {23, 1}, {26, 6}}) {
        slot(p, s);
      }
      break;
    default:
      break;
  }
  return layout;
}

NodeLayout NodeReadLayout(const DeviceIdentification& ident) {
  using F = NodeField;
  const int v = ident.VersionNumber();
  NodeLayout layout;
  auto add = [&](int parameter, F field, int digits = 0) {
    layout.items.push_back(
        {static_cast<std::uint8_t>(parameter), field, static_cast<std::uint8_t>(digits)});
  };
  auto block = [&](int first, int k) {
    layout.block = {static_cast<std::uint8_t>(first), static_cast<std::uint8_t>(k)};
  };
  switch (model::VariantOf(ident.executionCode)) {
    case DeviceVariant::V: {
      const bool extended = Is46(ident) && v >= 8;
      block(1, extended ? 25 : 1);
      add(1, F::Averaging);
      if (extended) {
        add(24, F::MinTempDifference);
        add(25, F::Tnsh, 5);
      }
      break;
    }
    case DeviceVariant::G:
      block(1, 15);
      add(1, F::GasVolumeUnit);
      add(2, F::Averaging);
      add(15, F::ReportHour);
      break;
    case DeviceVariant::U:
      block(3, 15);
      add(3, F::GasVolumeUnit);
      add(4, F::Averaging);
      add(17, F::ReportHour);
      break;
    case DeviceVariant::UV:
      block(10, v < 10 ? 9 : 10);
      add(10, F::Averaging);
      add(11, F::HourlyMassConstant);
      add(12, F::HourlyMassAlgorithm);
      add(13, F::MassImbalance);
      add(14, F::HourlyEnergyConstant);
      add(15, F::HourlyEnergyAlgorithm);
      add(18, F::MinTempDifference);
      if (v >= 10) add(19, F::Tnsh, 8);
      break;
    case DeviceVariant::L:
      block(1, 1);
      break;
    default:
      break;
  }
  return layout;
}

model::Float32* SystemFloat(model::ParameterSet& set, SystemField field) {
  switch (field) {
    case SystemField::ColdWaterTemp:
      return &set.contractColdWaterTemp;
    case SystemField::BaroPressure:
      return &set.contractBaroPressure;
    case SystemField::BaroUpperLimit:
      return &set.baroUpperLimit;
    case SystemField::OutdoorTemp:
      return &set.contractOutdoorTemp;
    default:
      return nullptr;
  }
}

model::DigitString* SystemDigits(model::ParameterSet& set, SystemField field) {
  switch (field) {
    case SystemField::ModeSpec:
      return &set.modeSpec;
    case SystemField::Sms1First:
      return &set.sms1First;
    case SystemField::Sms1Second:
      return &set.sms1Second;
    case SystemField::Sms2First:
      return &set.sms2First;
    case SystemField::Sms2Second:
      return &set.sms2Second;
    default:
      return nullptr;
  }
}

model::Float32* NodeFloat(model::NodeRecord& node, NodeField field) {
  switch (field) {
    case NodeField::Averaging:
      return &node.averagingCoefficient;
    case NodeField::HourlyMassConstant:
      return &node.hourlyMassConstant;
    case NodeField::MassImbalance:
      return &node.massImbalanceSetpoint;
    case NodeField::HourlyEnergyConstant:
      return &node.hourlyEnergyConstant;
    case NodeField::MinTempDifference:
      return &node.minTemperatureDifference;
    default:
      return nullptr;
  }
}

const model::Float32* SystemFloat(const model::ParameterSet& set, SystemField field) {
  return SystemFloat(const_cast<model::ParameterSet&>(set), field);
}

const model::DigitString* SystemDigits(const model::ParameterSet& set, SystemField field) {
  return SystemDigits(const_cast<model::ParameterSet&>(set), field);
}

const model::Float32* NodeFloat(const model::NodeRecord& node, NodeField field) {
  return NodeFloat(const_cast<model::NodeRecord&>(node), field);
}

std::int32_t GasVolumeUnitOf(model::Float32 value) {
  const float f = value.Value();
  if (value.IsNotSet() || !std::isfinite(f)) return 1;
  const double truncated = std::trunc(static_cast<double>(f));
  if (truncated < -2147483648.0 || truncated > 2147483647.0 || truncated == 0.0) return 1;
  return static_cast<std::int32_t>(truncated);
}

}  // namespace tarvo::device
