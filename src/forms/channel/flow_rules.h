#pragma once

#include <span>

#include "forms/channel/channel_page.h"
#include "forms/number_row.h"

namespace tarvo::forms {

// Bounds and start-of-counting demands shared by the pages of flow channels (Г and У), which
// keep the same quantities in the same float slots under different row numbers.

inline constexpr float kNoFlowLimit = 999999.0f;

bool FlowTransducerPresent(const model::ChannelRecord& record, int transducer);

// Lower flow limit: up to 20 % of the smallest upper limit of the present flow transducers.
Bounds LowerFlowBounds(const model::ParameterSet& working, int index);
// Creep cut-off: up to the lower flow limit just read.
Bounds CutOffBounds(const model::ParameterSet& working, int index);
// Contract flow: up to the largest upper limit of the present flow transducers.
Bounds ContractFlowBounds(const model::ParameterSet& working, int index);
// Additive parameter: ±10 % of the first upper limit with flow transducer 1 of type 4.
Bounds AdditiveBounds(const model::ParameterSet& working, int index);
// Orifice diameter: 10 % to 80 % of the pipe diameter.
Bounds OrificeBounds(const model::ParameterSet& working, int index);
// Pressure height correction: ±10 % of the pressure transducer's upper limit.
Bounds HeightCorrectionBounds(const model::ParameterSet& working, int index);
// Saturation-line set point: up to 5 % of the pressure transducer's upper limit.
Bounds SaturationBounds(const model::ParameterSet& working, int index);

// The start-of-counting demands of a flow channel, in the order they are reported.
std::span<const CompletionRule> FlowCompletionRules();

}  // namespace tarvo::forms
