#include "forms/channel/channel_page_v.h"

#include <cstdio>
#include <initializer_list>

#include "forms/channel/channel_tail.h"
#include "forms/channel/flowmeter_rows.h"
#include "forms/channel/type_code_positions.h"

namespace tarvo::forms {

namespace {

using model::ChannelRecord;
using Kind = FlowmeterRowKind;

constexpr std::uint8_t kExecution46 = 0x46;

constexpr FlowmeterRow kRows[] = {
    SpecialRow(Kind::TypeCode, 0, kTypeCodeDescription),
    NumberOf(At(kUpperFlowmeterRow, 1)),
    NumberOf(At(kLowerFlowmeterRow, 2)),
    NumberOf(At(kCutOffRow, 3)),
    NumberOf(At(kContractFlowRow, 4)),
    NumberOf(At(kConversionRow, 5)),
    NumberOf(At(kVepsAdditiveRow, 6)),
    NumberOf(At(kVepsTemperatureRow, 7)),
    NumberOf(At(kContractPressureRow, 8)),
    NumberOf(At(kContractTemperatureRow, 9)),
    NumberOf(At(kPressureLimitRow, 23)),
    SpecialRow(Kind::ArchiveKind, 50, kArchiveKindDescription),
    SpecialRow(Kind::FlowRangeControl, 51, kFlowRangeControlDescription),
    SpecialRow(Kind::FailureList, 52, kFailureListDescription),
};

// Channels below the flow threshold take any flow transducer type, channels below the pressure
// threshold a pressure transducer; only the first four channels take a temperature transducer.
struct Thresholds {
  int flow;
  int pressure;
};

Thresholds ThresholdsOf(std::uint8_t executionCode) {
  switch (executionCode) {
    case 0x40:
      return {0, 4};
    case 0x41:
    case 0x44:
      return {2, 2};
    case kExecution46:
      return {4, 4};
    default:
      return {0, 0};
  }
}

constexpr int kTemperatureChannels = 4;
constexpr ValueSet Digits(std::initializer_list<int> digits) {
  ValueSet mask = 0;
  for (const int d : digits) mask |= Value(d);
  return mask;
}

// Positions 2 to 4 depend on the channel and the execution code.
TypeCodeLayout TypeCode(const model::ParameterSet& set, int channelIndex) {
  char where[64];
  std::snprintf(where, sizeof where, "на канале %d при исполнении %02X", channelIndex + 1,
                set.ident.executionCode);
  return TypeCodeLayout4(TypeRuleV(set.ident.executionCode, channelIndex).allowed, where);
}

bool TailShown(const model::ParameterSet& set) {
  return set.ident.executionCode == kExecution46;
}

bool ConversionDemanded(const ChannelRecord& r) {
  return r.typeDigits3to5[0] >= 4;
}

const CompletionRule kCompletion[] = {
    {1, kNeedUpperFlowmeter, HasFlowTransducer},
    {4, kNeedLowerFlowmeter, HasFlowTransducer},
    {5, kNeedCutOff, HasFlowTransducer},
    {6, kNeedContractFlow, HasFlowTransducer},
    {7, kNeedConversion, ConversionDemanded},
    {19, kNeedContractPressure},
    {25, kNeedContractTemperature},
    {18, kNeedPressureLimit, HasPressureTransducer},
};

constexpr int kFailureBits = 7;

const FlowmeterPageSpec kPage{
    model::DeviceVariant::V, kRows, kFailureBits, TypeCode, TailShown, kCompletion};

}  // namespace

TypeDigitRule TypeRuleV(std::uint8_t executionCode, int channelIndex) {
  const Thresholds thresholds = ThresholdsOf(executionCode);
  return {{DigitsUpTo(1),
           channelIndex < thresholds.flow ? DigitsUpTo(9) : Digits({0, 4, 5, 7, 8, 9}),
           channelIndex < thresholds.pressure ? DigitsUpTo(3) : Digits({0}),
           channelIndex < kTemperatureChannels ? Digits({0, 4, 5, 6, 7, 8}) : Digits({0})}};
}

CChannel_V_Page::CChannel_V_Page(model::ParameterSet& set, int channelIndex)
    : FlowmeterChannelPage(set, channelIndex, kPage) {}

}  // namespace tarvo::forms
