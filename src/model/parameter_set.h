#pragma once

#include <cstdint>
#include <type_traits>

#include "model/device_variant.h"
#include "model/float32.h"

namespace tarvo::model {

inline constexpr int kMaxChannels = 20;
inline constexpr int kMaxNodes = 16;
inline constexpr int kChannelFloatSlots = 32;
inline constexpr int kIrvisPoints = 14;
inline constexpr int kGasConcentrations = 13;
inline constexpr int kTnshDigits = 16;
inline constexpr int kHeaderTextSize = 512;
inline constexpr int kFooterTextSize = 256;

// 8 ASCII digits and a terminating zero byte.
struct DigitString {
  char chars[9];
  bool operator==(const DigitString&) const = default;
};

// Composition of associated gas (variant У).
struct AssociatedGas {
  std::uint8_t concentrationKind;  // 0 molar, 1 mass, 2 volume
  std::uint8_t humidityKind;       // 0 absolute, 1 relative
  std::uint8_t reserved[2];        // carried as held
  Float32 pressure;
  Float32 temperature;
  Float32 humidity;
  Float32 concentrations[kGasConcentrations];
  bool operator==(const AssociatedGas&) const = default;
};

// One metering channel ("канал учета").
struct ChannelRecord {
  std::uint8_t mediumKind;
  std::uint8_t typeDigit2;
  std::uint8_t typeDigits3to5[3];
  std::uint8_t typeDigit6;
  std::uint8_t typeDigit7;
  std::uint8_t flowInputs[3];
  std::uint8_t pressureInput;
  std::uint8_t temperatureInput;
  Float32 slots[kChannelFloatSlots];  // slot n (1-based) is slots[n - 1]
  AssociatedGas gas;
  Float32 irvis1[kIrvisPoints];
  Float32 irvis2[kIrvisPoints];
  std::uint8_t archiveKind[2];
  std::uint8_t flowRangeControl[2];
  std::int32_t failureList;  // bits 0..7

  Float32& Slot(int n) { return slots[n - 1]; }
  const Float32& Slot(int n) const { return slots[n - 1]; }

  bool operator==(const ChannelRecord&) const = default;
};

// One metering node ("узел учета").
struct NodeRecord {
  std::uint8_t nodeType;
  std::uint8_t composition[kMaxChannels];  // role digit of channel i + 1, 0 = not a member
  std::int32_t gasVolumeUnit;              // 1 or 1000
  Float32 averagingCoefficient;
  std::uint8_t reportHour;
  Float32 hourlyMassConstant;
  std::int32_t hourlyMassAlgorithm;
  Float32 massImbalanceSetpoint;
  Float32 hourlyEnergyConstant;
  std::int32_t hourlyEnergyAlgorithm;
  Float32 minTemperatureDifference;
  std::uint8_t tnshSettings[kTnshDigits];

  bool operator==(const NodeRecord&) const = default;
};

// Device identification: execution code, software version (two BCD digits), two kept bytes.
struct DeviceIdentification {
  std::uint8_t executionCode;
  std::uint8_t softwareVersion;
  std::uint8_t extra[2];

  int VersionNumber() const { return (softwareVersion >> 4) * 10 + (softwareVersion & 0x0F); }
  bool operator==(const DeviceIdentification&) const = default;
};

// The whole configuration of one flow computer. A plain fixed-size record: a snapshot is a copy.
struct ParameterSet {
  std::int32_t checkForStart;  // completeness checks for start of counting
  std::int32_t comPort;        // COM1..COM9 of the last exchange
  std::int32_t speedCode;      // 1 = 2400, 2 = 4800, 3 = 9600, 4 = 19200 baud
  std::int32_t channelCount;
  std::int32_t nodeCount;
  DeviceIdentification ident;

  // System-wide group, fields 7 to 18.
  std::int32_t daylightSaving;
  Float32 baroUpperLimit;
  Float32 contractBaroPressure;
  Float32 contractColdWaterTemp;
  Float32 contractOutdoorTemp;
  std::uint8_t tariffZones[4];  // start hour, start minute, end hour, end minute
  std::uint8_t correctionFlag;
  DigitString modeSpec;
  DigitString sms1First;
  DigitString sms1Second;
  DigitString sms2First;
  DigitString sms2Second;

  ChannelRecord channels[kMaxChannels];
  NodeRecord nodes[kMaxNodes];

  std::int32_t headerEnabled;
  std::int32_t footerEnabled;
  char headerText[kHeaderTextSize + 1];  // code page 1251, CR LF line breaks
  char footerText[kFooterTextSize + 1];

  std::uint8_t pageFilled[kMaxChannels];  // transient: never stored, ignored by SameContent

  DeviceVariant Variant() const { return VariantOf(ident.executionCode); }

  void Reset();
  void ApplyExecutionCode();
  void ApplyArchiveDefaults();
  bool SameContent(const ParameterSet& other) const;
  void CopySystemWideGroup(const ParameterSet& source);
  void CopyNode(const ParameterSet& source, int nodeIndex);
  void CopyReportTexts(const ParameterSet& source);
  // 1-based number of the first other channel using the input, 0 when none.
  int FindInputOwner(int ownChannelIndex, int input, bool skipPressure, bool skipTemperature) const;
};

static_assert(std::is_trivially_copyable_v<ParameterSet>);
static_assert(sizeof(ChannelRecord) == 328, "a channel record has no padding");

// Variant names and capacities follow the identification, not a loaded set.
bool SupportsReportTexts(const DeviceIdentification& ident);

struct TextCapacity {
  int header;
  int footer;
};
TextCapacity ReportTextCapacity(const DeviceIdentification& ident);

// What the new-configuration dialog does on "Готово": Reset, execution code, counts, defaults.
// COM port and speed are kept, as Reset keeps them.
void MakeNewConfiguration(ParameterSet& set, std::uint8_t executionCode,
                          std::uint8_t softwareVersion = 0);

}  // namespace tarvo::model
