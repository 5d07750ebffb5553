#pragma once

#include <cstdint>
#include <vector>

#include "model/parameter_set.h"

namespace tarvo::device {

// What the read procedure requests of a device and where each value goes. The simulated device
// holds its values by the same tables, so a configuration loaded into it reads back.

struct Block {
  std::uint8_t first = 0;
  std::uint8_t count = 0;
};

// How a value is taken.
enum class Take : std::uint8_t {
  Float,              // TakeFloat
  FloatZeroIfNotSet,  // TakeFloat, then not-set becomes 0 whatever keepZeroValues says
  Hex,                // TakeHexDigits into an 8-character field
  Flag,               // 1 when the first byte is not 0
  Byte,               // the first byte
  Raw,                // the 4 bytes as they are
};

enum class SystemField : std::uint8_t {
  ModeSpec,
  ColdWaterTemp,
  DaylightSaving,
  Sms1First,
  Sms1Second,
  Sms2First,
  Sms2Second,
  BaroPressure,
  BaroUpperLimit,
  OutdoorTemp,
  TariffZones,
  CorrectionFlag,
};

struct SystemItem {
  std::uint8_t parameter;
  SystemField field;
  Take take;
};

struct SystemLayout {
  Block block;
  std::vector<SystemItem> items;
};

enum class ChannelField : std::uint8_t {
  Slot,                 // a float slot
  FlowInputs,           // first three bytes: flow inputs 1..3
  PressureTemperature,  // first two bytes: pressure and temperature inputs
  InputsUv,             // flow input 1, pressure input, temperature input
  ArchiveKind,          // two digits from the first two hexadecimal characters
  FlowRangeControl,     // likewise
  FailureList,          // 4 raw bytes
};

struct ChannelItem {
  std::uint8_t parameter;
  ChannelField field;
  std::uint8_t slot = 0;  // for ChannelField::Slot, 1-based
};

struct ChannelLayout {
  Block block;
  std::vector<ChannelItem> items;
};

enum class NodeField : std::uint8_t {
  GasVolumeUnit,  // a float truncated to an integer
  Averaging,
  HourlyMassConstant,
  HourlyMassAlgorithm,  // byte
  MassImbalance,
  HourlyEnergyConstant,
  HourlyEnergyAlgorithm,  // byte
  MinTempDifference,
  ReportHour,  // byte
  Tnsh,        // hexadecimal digits into the first `digits` Tнш settings
};

struct NodeItem {
  std::uint8_t parameter;
  NodeField field;
  std::uint8_t digits = 0;
};

struct NodeLayout {
  Block block;
  std::vector<NodeItem> items;
};

// Values of 0.0 are real values rather than "not set" from these devices on.
bool KeepsZeroValues(const model::DeviceIdentification& ident);

// Parameters requested per node in the node scan: 3 for ЛУР-У, 2 for ЛУР-УВ, 1 otherwise.
int NodeScanCount(model::DeviceVariant variant);

SystemLayout SystemReadLayout(const model::DeviceIdentification& ident);
ChannelLayout ChannelReadLayout(const model::DeviceIdentification& ident);
NodeLayout NodeReadLayout(const model::DeviceIdentification& ident);

// The field a system item reads into.
model::Float32* SystemFloat(model::ParameterSet& set, SystemField field);
model::DigitString* SystemDigits(model::ParameterSet& set, SystemField field);
model::Float32* NodeFloat(model::NodeRecord& node, NodeField field);
const model::Float32* SystemFloat(const model::ParameterSet& set, SystemField field);
const model::DigitString* SystemDigits(const model::ParameterSet& set, SystemField field);
const model::Float32* NodeFloat(const model::NodeRecord& node, NodeField field);

// Gas volume unit from its float: truncated; 0, not set, not a number, infinite or out of the
// integer range give 1.
std::int32_t GasVolumeUnitOf(model::Float32 value);

}  // namespace tarvo::device
