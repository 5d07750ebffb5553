#include "forms/channel/flow_rules.h"

#include <algorithm>

#include "forms/channel/channel_demands.h"

namespace tarvo::forms {

namespace {

using model::ChannelRecord;
using model::Float32;
using model::ParameterSet;

constexpr int kIrvisFlowmeter = 6;

// Upper limits (slots 1..3) of the present flow transducers, or kNoFlowLimit when none is.
template <typename Pick>
double PresentLimit(const ChannelRecord& record, Pick pick) {
  bool any = false;
  double limit = 0;
  for (int t = 0; t < 3; ++t) {
    if (!FlowTransducerPresent(record, t)) continue;
    const double value = CountedValue(record.Slot(1 + t));
    limit = any ? pick(limit, value) : value;
    any = true;
  }
  return any ? limit : kNoFlowLimit;
}

// Conditions of the start-of-counting demands.
bool FlowMeasured(const ChannelRecord& r) {
  return r.typeDigit2 != 0;
}
bool Flow1Demanded(const ChannelRecord& r) {
  return FlowMeasured(r) && FlowTransducerPresent(r, 0);
}
bool Flow2Demanded(const ChannelRecord& r) {
  return FlowMeasured(r) && FlowTransducerPresent(r, 1);
}
bool Flow3Demanded(const ChannelRecord& r) {
  return FlowMeasured(r) && FlowTransducerPresent(r, 2);
}
bool ConversionDemanded(const ChannelRecord& r) {
  return FlowMeasured(r) && (r.typeDigits3to5[0] == 4 || r.typeDigits3to5[0] == 5);
}
// Flow methods 1 to 3 need the pipe and the orifice.
bool PipeDemanded(const ChannelRecord& r) {
  return FlowMeasured(r) && r.typeDigit2 <= 3;
}
bool IrvisDemanded(const ChannelRecord& r) {
  return FlowMeasured(r) && r.typeDigit2 > 3 && r.typeDigits3to5[0] == kIrvisFlowmeter;
}
bool Steam(const ChannelRecord& r) {
  return r.mediumKind == 2;
}
bool NaturalGas(const ChannelRecord& r) {
  return r.mediumKind == 5;
}

const CompletionRule kCompletionRules[] = {
    {1,
     "Необходимо задать верхний предел измерений 1-го преобразователя объемного расхода "
     "(перепада давления)",
     Flow1Demanded},
    {2,
     "Необходимо задать верхний предел измерений 2-го преобразователя объемного расхода "
     "(перепада давления)",
     Flow2Demanded},
    {3,
     "Необходимо задать верхний предел измерений 3-го преобразователя объемного расхода "
     "(перепада давления)",
     Flow3Demanded},
    {4, "Необходимо задать нижний предел измерений объемного расхода (перепада давления)",
     FlowMeasured},
    {5, kNeedCutOff, FlowMeasured},
    {6, "Необходимо задать договорной объемный расход (перепад давления)", FlowMeasured},
    {7, "Необходимо задать коэффициент преобразования объемного расходомера", ConversionDemanded},
    {12, "Необходимо задать внутренний диаметр трубопровода при 20 град.С", PipeDemanded},
    {13, "Необходимо задать коэффициент температурного расширения материала трубопровода",
     PipeDemanded},
    {14, "Необходимо задать эквивалентную шероховатость материала трубопровода", PipeDemanded},
    {15, "Необходимо задать диаметр отверстия диафрагмы при 20 град.С", PipeDemanded},
    {16, "Необходимо задать коэффициент температурного расширения материала диафрагмы",
     PipeDemanded},
    {17, "Необходимо задать коэффициент притупления кромки диафрагмы", PipeDemanded},
    // Only a Г channel can hold an ИРВИС-К300 (type 6); a У type code never passes with it.
    {12, "Необходимо задать параметр j11", IrvisDemanded},
    {13, "Необходимо задать параметр j12", IrvisDemanded},
    {14, "Необходимо задать параметр j13", IrvisDemanded},
    {15, "Необходимо задать параметр j14", IrvisDemanded},
    {16, "Необходимо задать параметр j15", IrvisDemanded},
    {17, "Необходимо задать параметр j16", IrvisDemanded},
    {18, kNeedPressureLimit, HasPressureTransducer},
    {19, kNeedContractPressure},
    {21, "Необходимо задать уставку по давлению на зону линии насыщения", Steam},
    {22, "Необходимо задать договорную степень сухости насыщенного пара", Steam},
    {23, kNeedThermometerUpper, HasCurrentOutputThermometer},
    {24, kNeedThermometerLower, HasCurrentOutputThermometer},
    {25, kNeedContractTemperature},
    {30, "Необходимо задать плотность природного газа в стандартных условиях", NaturalGas},
};

}  // namespace

bool FlowTransducerPresent(const ChannelRecord& record, int transducer) {
  return record.typeDigits3to5[transducer] != 0;
}

Bounds LowerFlowBounds(const ParameterSet& working, int index) {
  const double smallest =
      PresentLimit(working.channels[index], [](double a, double b) { return std::min(a, b); });
  return {BoundOf(0), BoundOf(0.2 * smallest)};
}

Bounds CutOffBounds(const ParameterSet& working, int index) {
  return {BoundOf(0), BoundOf(CountedValue(working.channels[index].Slot(4)))};
}

Bounds ContractFlowBounds(const ParameterSet& working, int index) {
  return {BoundOf(0), BoundOf(PresentLimit(working.channels[index],
                                           [](double a, double b) { return std::max(a, b); }))};
}

Bounds AdditiveBounds(const ParameterSet& working, int index) {
  const ChannelRecord& record = working.channels[index];
  if (record.typeDigits3to5[0] != 4) return {BoundOf(-kNoFlowLimit), BoundOf(kNoFlowLimit)};
  const double limit = CountedValue(record.Slot(1));
  return {BoundOf(-0.1 * limit), BoundOf(0.1 * limit)};
}

Bounds OrificeBounds(const ParameterSet& working, int index) {
  const double pipe = CountedValue(working.channels[index].Slot(12));
  return {BoundOf(0.1 * pipe), BoundOf(0.8 * pipe)};
}

Bounds HeightCorrectionBounds(const ParameterSet& working, int index) {
  const double limit = CountedValue(working.channels[index].Slot(18));
  return {BoundOf(-0.1 * limit), BoundOf(0.1 * limit)};
}

Bounds SaturationBounds(const ParameterSet& working, int index) {
  return {BoundOf(0), BoundOf(0.05 * CountedValue(working.channels[index].Slot(18)))};
}

std::span<const CompletionRule> FlowCompletionRules() {
  return kCompletionRules;
}

}  // namespace tarvo::forms
