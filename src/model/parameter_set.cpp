#include "model/parameter_set.h"

#include <algorithm>
#include <cstring>

namespace tarvo::model {

namespace {

void ResetDigitString(DigitString& digits) {
  std::memset(digits.chars, '0', 8);
  digits.chars[8] = 0;
}

void ResetChannel(ChannelRecord& channel) {
  std::memset(&channel, 0xFF, sizeof channel);
  channel.mediumKind = 0;
  channel.typeDigit2 = 0;
  std::fill_n(channel.typeDigits3to5, 3, 0);
  channel.typeDigit6 = 0;
  channel.typeDigit7 = 0;
  std::fill_n(channel.flowInputs, 3, 0);
  channel.pressureInput = 0;
  channel.temperatureInput = 0;
  channel.Slot(28) = Float32::Of(0.0f);
  channel.gas.concentrationKind = 0;
  channel.gas.humidityKind = 0;
  std::fill_n(channel.archiveKind, 2, 0);
  std::fill_n(channel.flowRangeControl, 2, 0);
  channel.failureList = 0;
}

void ResetNode(NodeRecord& node) {
  std::memset(&node, 0xFF, sizeof node);
  node.nodeType = 0;
  std::fill_n(node.composition, kMaxChannels, 0);
  node.gasVolumeUnit = 1;
  node.reportHour = 0;
  node.hourlyMassAlgorithm = 0;
  node.hourlyEnergyAlgorithm = 0;
  std::fill_n(node.tnshSettings, kTnshDigits, 0);
}

struct Counts {
  int channels;
  int nodes;
};

Counts CountsOf(std::uint8_t executionCode, std::uint8_t softwareVersion) {
  switch (executionCode) {
    case 0x46:
    case 0x44:
    case 0x41:
      return {5, 2};
    case 0x40:
      return {4, 2};
    case 0x47:
      return {3, 3};
    case 0x45:
    case 0x43:
    case 0x42:
      return {2, 2};
    case 0x50:
    case 0x51:
    case 0x52:
      return {20, 16};
    case 0x53:
      return {10, 10};
    case 0x60: {
      DeviceIdentification ident{executionCode, softwareVersion, {0, 0}};
      return {10, ident.VersionNumber() < 10 ? 6 : 5};
    }
    case 0x49:
      return {4, 2};
    default:
      return {0, 0};
  }
}

}  // namespace

void ParameterSet::Reset() {
  checkForStart = 1;
  channelCount = 0;
  nodeCount = 0;
  ident = DeviceIdentification{0, 0, {0, 0}};
  daylightSaving = 0;
  std::fill_n(tariffZones, 4, 0);
  correctionFlag = 0;

  ResetDigitString(modeSpec);
  ResetDigitString(sms1First);
  ResetDigitString(sms1Second);
  ResetDigitString(sms2First);
  ResetDigitString(sms2Second);

  baroUpperLimit.SetNotSet();
  contractColdWaterTemp.SetNotSet();
  contractOutdoorTemp.SetNotSet();
  contractBaroPressure = Float32::Of(0.1f);

  for (auto& channel : channels) ResetChannel(channel);
  for (auto& node : nodes) ResetNode(node);

  std::fill_n(pageFilled, kMaxChannels, 0);
  headerEnabled = 0;
  footerEnabled = 0;
  std::fill_n(headerText, sizeof headerText, 0);
  std::fill_n(footerText, sizeof footerText, 0);
}

void ParameterSet::ApplyExecutionCode() {
  const Counts counts = CountsOf(ident.executionCode, ident.softwareVersion);
  channelCount = counts.channels;
  nodeCount = counts.nodes;
}

void ParameterSet::ApplyArchiveDefaults() {
  const DeviceVariant variant = Variant();
  if (variant == DeviceVariant::V || variant == DeviceVariant::UV || variant == DeviceVariant::L) {
    for (auto& channel : channels) std::fill_n(channel.archiveKind, 2, 1);
  }
  const int start = variant == DeviceVariant::UV ? 3 : 0;
  constexpr std::uint8_t kDefaults[5] = {1, 1, 2, 2, 2};
  for (auto& node : nodes) {
    std::fill_n(node.tnshSettings, kTnshDigits, 0);
    std::copy_n(kDefaults, 5, node.tnshSettings + start);
  }
}

bool ParameterSet::SameContent(const ParameterSet& other) const {
  // Check-for-start switch, COM port, speed and page-filled flags are not configuration content.
  return ident == other.ident && channelCount == other.channelCount &&
         nodeCount == other.nodeCount && daylightSaving == other.daylightSaving &&
         std::equal(tariffZones, tariffZones + 4, other.tariffZones) &&
         modeSpec == other.modeSpec && sms1First == other.sms1First &&
         sms1Second == other.sms1Second && sms2First == other.sms2First &&
         sms2Second == other.sms2Second && baroUpperLimit == other.baroUpperLimit &&
         contractBaroPressure == other.contractBaroPressure &&
         contractColdWaterTemp == other.contractColdWaterTemp &&
         contractOutdoorTemp == other.contractOutdoorTemp &&
         correctionFlag == other.correctionFlag &&
         std::equal(channels, channels + kMaxChannels, other.channels) &&
         std::equal(nodes, nodes + kMaxNodes, other.nodes) &&
         headerEnabled == other.headerEnabled && footerEnabled == other.footerEnabled &&
         std::memcmp(headerText, other.headerText, sizeof headerText) == 0 &&
         std::memcmp(footerText, other.footerText, sizeof footerText) == 0;
}

void ParameterSet::CopySystemWideGroup(const ParameterSet& source) {
  daylightSaving = source.daylightSaving;
  baroUpperLimit = source.baroUpperLimit;
  contractBaroPressure = source.contractBaroPressure;
  contractColdWaterTemp = source.contractColdWaterTemp;
  contractOutdoorTemp = source.contractOutdoorTemp;
  std::copy_n(source.tariffZones, 4, tariffZones);
  correctionFlag = source.correctionFlag;
  modeSpec = source.modeSpec;
  sms1First = source.sms1First;
  sms1Second = source.sms1Second;
  sms2First = source.sms2First;
  sms2Second = source.sms2Second;
}

void ParameterSet::CopyNode(const ParameterSet& source, int nodeIndex) {
  if (nodeIndex < 0 || nodeIndex >= kMaxNodes) return;
  nodes[nodeIndex] = source.nodes[nodeIndex];
}

void ParameterSet::CopyReportTexts(const ParameterSet& source) {
  headerEnabled = source.headerEnabled;
  footerEnabled = source.footerEnabled;
  std::memcpy(headerText, source.headerText, sizeof headerText);
  std::memcpy(footerText, source.footerText, sizeof footerText);
}

int ParameterSet::FindInputOwner(int ownChannelIndex, int input, bool skipPressure,
                                 bool skipTemperature) const {
  const int count = std::clamp(channelCount, 0, kMaxChannels);
  for (int i = 0; i < count; ++i) {
    if (i == ownChannelIndex) continue;
    const ChannelRecord& channel = channels[i];
    const bool flow =
        std::find(channel.flowInputs, channel.flowInputs + 3, input) != channel.flowInputs + 3;
    if (flow || (!skipPressure && channel.pressureInput == input) ||
        (!skipTemperature && channel.temperatureInput == input)) {
      return i + 1;
    }
  }
  return 0;
}

bool SupportsReportTexts(const DeviceIdentification& ident) {
  switch (VariantOf(ident.executionCode)) {
    case DeviceVariant::UV:
    case DeviceVariant::L:
      return true;
    case DeviceVariant::V:
      return ident.executionCode == 0x46 || ident.VersionNumber() >= 60;
    case DeviceVariant::G:
      return ident.executionCode == 0x47 || ident.VersionNumber() >= 53;
    default:
      return false;
  }
}

TextCapacity ReportTextCapacity(const DeviceIdentification& ident) {
  switch (VariantOf(ident.executionCode)) {
    case DeviceVariant::V:
    case DeviceVariant::G:
    case DeviceVariant::U:
    case DeviceVariant::UV:
      return {kHeaderTextSize, kFooterTextSize};
    case DeviceVariant::L:
      return {128, 0};
    default:
      return {0, 0};
  }
}

void MakeNewConfiguration(ParameterSet& set, std::uint8_t executionCode,
                          std::uint8_t softwareVersion) {
  set.Reset();
  set.ident.executionCode = executionCode;
  set.ident.softwareVersion = softwareVersion;
  set.ApplyExecutionCode();
  set.ApplyArchiveDefaults();
}

}  // namespace tarvo::model
