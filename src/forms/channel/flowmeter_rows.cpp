#include "forms/channel/flowmeter_rows.h"

namespace tarvo::forms {

namespace {

// A value as the bound computations take it: not set counts as 0.
double Counted(model::Float32 value) {
  return value.IsNotSet() ? 0.0 : value.Value();
}

double UpperLimit(const model::ParameterSet& working, int index) {
  return Counted(working.channels[index].Slot(1));
}

model::Float32 F(double value) {
  return model::Float32::Of(static_cast<float>(value));
}

}  // namespace

Bounds LowerFlowmeterBounds(const model::ParameterSet& working, int index) {
  return {F(0), F(0.2 * UpperLimit(working, index))};
}

Bounds CutOffBelowLowerBounds(const model::ParameterSet& working, int index) {
  return {F(0), F(Counted(working.channels[index].Slot(4)))};
}

Bounds ContractFlowmeterBounds(const model::ParameterSet& working, int index) {
  return {F(0), F(UpperLimit(working, index))};
}

Bounds VepsAdditiveBounds(const model::ParameterSet& working, int index) {
  const double upper = UpperLimit(working, index);
  return {F(-0.1 * upper), F(0.1 * upper)};
}

}  // namespace tarvo::forms
