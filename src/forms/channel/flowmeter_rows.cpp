#include "forms/channel/flowmeter_rows.h"

namespace tarvo::forms {

namespace {

double UpperLimit(const model::ParameterSet& working, int index) {
  return CountedValue(working.channels[index].Slot(1));
}

}  // namespace

Bounds LowerFlowmeterBounds(const model::ParameterSet& working, int index) {
  return {BoundOf(0), BoundOf(0.2 * UpperLimit(working, index))};
}

Bounds CutOffBelowLowerBounds(const model::ParameterSet& working, int index) {
  return {BoundOf(0), BoundOf(CountedValue(working.channels[index].Slot(4)))};
}

Bounds ContractFlowmeterBounds(const model::ParameterSet& working, int index) {
  return {BoundOf(0), BoundOf(UpperLimit(working, index))};
}

Bounds VepsAdditiveBounds(const model::ParameterSet& working, int index) {
  const double upper = UpperLimit(working, index);
  return {BoundOf(-0.1 * upper), BoundOf(0.1 * upper)};
}

}  // namespace tarvo::forms
