#pragma once

#include "forms/channel/channel_demands.h"
#include "forms/number_row.h"

namespace tarvo::forms {

// Number rows and start-of-counting demands that the channel pages of В, УВ and Л share: the
// flowmeter, the ВЭПС-Т flowmeter's parameters, pressure and temperature. Each page shows them
// under its own numbers.

// Bounds from the upper flowmeter limit (slot 1) and the lower limit (slot 4) already read; a
// limit that is not set counts as 0.
Bounds LowerFlowmeterBounds(const model::ParameterSet& working, int index);
Bounds CutOffBelowLowerBounds(const model::ParameterSet& working, int index);
Bounds ContractFlowmeterBounds(const model::ParameterSet& working, int index);
Bounds VepsAdditiveBounds(const model::ParameterSet& working, int index);

// The shared rows without their number: At places one under a page's number and column.
constexpr NumberRowSpec At(NumberRowSpec spec, int number, int column = 0) {
  spec.number = number;
  spec.column = column;
  return spec;
}

inline constexpr NumberRowSpec kUpperFlowmeterRow{
    0,
    " Верхний предел измерений расходомера, куб.м/ч",
    ChannelSlot<1>,
    0.0f,
    999999.0f,
    "Верхний предел измерений расходомера должен быть в диапазоне от  до  куб.м/ч",
    nullptr};

inline constexpr NumberRowSpec kLowerFlowmeterRow{
    0,
    " Нижний предел измерений расходомера, куб.м/ч",
    ChannelSlot<4>,
    0.0f,
    0.0f,
    "Нижний предел измерений расходомера должен быть в диапазоне от нуля до 20% от верхнего "
    "предела измерения расходомера",
    LowerFlowmeterBounds};

inline constexpr NumberRowSpec kCutOffRow{
    0,
    " Отсечка самохода счета, куб.м/ч",
    ChannelSlot<5>,
    0.0f,
    0.0f,
    "Отсечка самохода счета должна быть в диапазоне от нуля до нижнего предела измерений "
    "расходомера",
    CutOffBelowLowerBounds};

inline constexpr NumberRowSpec kContractFlowRow{
    0,
    " Договорной расход, куб.м/ч",
    ChannelSlot<6>,
    0.0f,
    0.0f,
    "Договорной расход должен быть в диапазоне от нуля до верхнего предела измерений "
    "расходомера",
    ContractFlowmeterBounds};

inline constexpr NumberRowSpec kVepsAdditiveRow{
    0,
    " Аддитивный параметр расходомера ВЭПС-Т, куб.м/ч",
    ChannelSlot<8>,
    0.0f,
    0.0f,
    "Аддитивный параметр расходомера ВЭПС-Т не должен выходить за +/-10% от верхнего "
    "предела измерений расходомера",
    VepsAdditiveBounds};

inline constexpr NumberRowSpec kVepsTemperatureRow{
    0,
    " Температурный коэффициент расходомера ВЭПС-Т, 1/град.C",
    ChannelSlot<9>,
    -0.0001f,
    0.0001f,
    "Температурный коэффициент расходомера ВЭПС-Т должен быть в диапазоне от  до  ",
    nullptr};

inline constexpr NumberRowSpec kPressureLimitRow{
    0,
    " Верхний предел измерений преобразователя давления, МПа",
    ChannelSlot<18>,
    0.01f,
    3.0f,
    "Верхний предел измерений преобразователя давления должен быть в диапазоне от  до  МПа",
    nullptr};

inline constexpr NumberRowSpec kContractPressureRow{
    0,
    " Договорное абсолютное давление, МПа",
    ChannelSlot<19>,
    0.09f,
    3.0f,
    "Договорное давление должно быть в диапазоне от  до  МПа",
    nullptr};

inline constexpr NumberRowSpec kConversionRow{
    0,
    " Коэффициент преобразования расходомера, куб.м/ч/Гц (л/имп)",
    ChannelSlot<7>,
    0.0f,
    100000.0f,
    "Коэффициент преобразования расходомера должен быть в диапазоне от  до  "};

inline constexpr NumberRowSpec kContractTemperatureRow{
    0,
    " Договорная температура, град.С",
    ChannelSlot<25>,
    0.0f,
    150.0f,
    "Договорная температура должна быть в диапазоне от  до  градусов Цельсия"};

// Start-of-counting demands.
inline constexpr const char* kNeedUpperFlowmeter =
    "Необходимо задать верхний предел измерений расходомера";
inline constexpr const char* kNeedLowerFlowmeter =
    "Необходимо задать нижний предел измерений расходомера";
inline constexpr const char* kNeedContractFlow = "Необходимо задать договорной расход";
inline constexpr const char* kNeedConversion =
    "Необходимо задать коэффициент преобразования расходомера";

// The flowmeter's demands apply with a flow transducer.
inline bool HasFlowTransducer(const model::ChannelRecord& r) {
  return r.typeDigits3to5[0] != 0;
}

}  // namespace tarvo::forms
