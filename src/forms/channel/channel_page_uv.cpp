#include "forms/channel/channel_page_uv.h"

#include "forms/channel/channel_tail.h"
#include "forms/channel/flowmeter_rows.h"
#include "forms/channel/type_code_positions.h"

namespace tarvo::forms {

namespace {

using model::ChannelRecord;
using Kind = FlowmeterRowKind;

// Left column: rows 00 to 09; right column: 10 to 16, 18 and 19.
constexpr FlowmeterRow kRows[] = {
    SpecialRow(Kind::TypeCode, 0, kTypeCodeDescription),
    SpecialRow(Kind::Inputs, 1, " Назначение каналов преобразователей Q,P,T"),
    NumberOf(At(kUpperFlowmeterRow, 2)),
    NumberOf(At(kLowerFlowmeterRow, 3)),
    NumberOf(At(kCutOffRow, 4)),
    NumberOf(At(kContractFlowRow, 5)),
    NumberOf(At(kConversionRow, 6)),
    NumberOf(At(kPressureLimitRow, 7)),
    NumberOf(At(kContractPressureRow, 8)),
    NumberOf({9, " Верхний предел измерений термопреобразователя с токовым выходом",
              ChannelSlot<23>, 50.0f, 1000.0f,
              "Верхний предел измерений термопреобразователя с токовым выходным сигналом должен "
              "быть в диапазоне от  до  градусов Цельсия"}),
    NumberOf({10, " Нижний предел измерений термопреобразователя с токовым выходом",
              ChannelSlot<24>, -100.0f, 100.0f,
              "Нижний предел измерений термопреобразователя с токовым выходным сигналом должен "
              "быть в диапазоне от  до  градусов Цельсия",
              nullptr, 1}),
    NumberOf(At(kContractTemperatureRow, 11, 1)),
    NumberOf({12, " Верхняя поправка на термопреобразователь, град.С", ChannelSlot<26>, -2.0f, 2.0f,
              "Верхняя поправка на термопреобразователь должна быть в диапазоне от  до  градусов "
              "Цельсия",
              nullptr, 1}),
    NumberOf({13, " Нижняя поправка на термопреобразователь, град.С", ChannelSlot<27>, -2.0f, 2.0f,
              "Нижняя поправка на термопреобразователь должна быть в диапазоне от  до  градусов "
              "Цельсия",
              nullptr, 1}),
    SpecialRow(Kind::ArchiveKind, 14, kArchiveKindDescription, 1),
    SpecialRow(Kind::FlowRangeControl, 15, kFlowRangeControlDescription, 1),
    SpecialRow(Kind::FailureList, 16, kFailureListDescription, 1),
    NumberOf(At(kVepsAdditiveRow, 18, 1)),
    NumberOf(At(kVepsTemperatureRow, 19, 1)),
};

constexpr TypeDigitRule kTypeRule{{DigitsUpTo(1), DigitsUpTo(5), DigitsUpTo(3), DigitsUpTo(8)}};

TypeCodeLayout TypeCode(const model::ParameterSet&, int) {
  return TypeCodeLayout4(kTypeRule.allowed, "");
}

const CompletionRule kCompletion[] = {
    {1, kNeedUpperFlowmeter, HasFlowTransducer},
    {4, kNeedLowerFlowmeter, HasFlowTransducer},
    {5, kNeedCutOff, HasFlowTransducer},
    {6, kNeedContractFlow, HasFlowTransducer},
    {7, kNeedConversion, HasFlowTransducer},
    {18, kNeedPressureLimit, HasPressureTransducer},
    {19, kNeedContractPressure},
    {23, kNeedThermometerUpper, HasCurrentOutputThermometer},
    {24, kNeedThermometerLower, HasCurrentOutputThermometer},
    {25, kNeedContractTemperature},
};

constexpr int kFailureBits = 8;

const FlowmeterPageSpec kPage{
    model::DeviceVariant::UV, kRows, kFailureBits, TypeCode, nullptr, kCompletion};

}  // namespace

CChannel_UV_Page::CChannel_UV_Page(model::ParameterSet& set, int channelIndex)
    : FlowmeterChannelPage(set, channelIndex, kPage) {}

}  // namespace tarvo::forms
