#pragma once

#include <span>

#include "forms/form.h"
#include "model/device_variant.h"
#include "model/parameter_set.h"

namespace tarvo::forms {

// Where a number row keeps its value: the system-wide group (index ignored), a channel's float
// slot or a node's float field (index = 0-based channel or node).
using FloatField = model::Float32& (*)(model::ParameterSet& set, int index);

template <model::Float32 model::ParameterSet::*Member>
model::Float32& SystemFloat(model::ParameterSet& set, int) {
  return set.*Member;
}

template <int Slot>
model::Float32& ChannelSlot(model::ParameterSet& set, int index) {
  return set.channels[index].Slot(Slot);
}

template <model::Float32 model::NodeRecord::*Member>
model::Float32& NodeFloat(model::ParameterSet& set, int index) {
  return set.nodes[index].*Member;
}

struct Bounds {
  model::Float32 lower;
  model::Float32 upper;
};
// A value as a bound computation takes it: not set counts as 0.
double CountedValue(model::Float32 value);
// A computed bound, rounded to a 32-bit float.
model::Float32 BoundOf(double value);

// Bounds computed from values already read into the working copy.
using BoundsFunction = Bounds (*)(const model::ParameterSet& working, int index);

// One number row as data: code number, description, field, bounds and message template.
struct NumberRowSpec {
  int number;
  const char* description;
  FloatField field;
  float lower = 0;
  float upper = 0;
  const char* messageTemplate = "";
  BoundsFunction computedBounds = nullptr;
  int column = 0;
};

// Where a row stands: variant, 0-based channel or node (-1 system-wide), node flag.
struct RowPlace {
  model::DeviceVariant variant;
  int index;
  bool node;
};

Row MakeNumberRow(const NumberRowSpec& spec, const RowPlace& place);
// Reads a number cell that no range guards into destination. A text that is no finite 32-bit
// float is refused with a message naming the row's code, and destination keeps what it held.
bool ReadNumberCell(platform::Ui& ui, const Row& row, model::Float32& destination);
std::string NotFiniteMessage(const std::string& code);
// Writes the value text of the field into the row's cell.
void FillNumberRow(Row& row, const NumberRowSpec& spec, model::ParameterSet& set, int index);
// Reads the cell into the working copy's field and range-checks it; shows the message on failure.
bool CheckNumberRow(const Row& row, const NumberRowSpec& spec, model::ParameterSet& working,
                    int index, platform::Ui& ui);
// Checks a run of rows against their specs in order; false at the first refusal.
bool CheckNumberRows(std::span<const NumberRowSpec> specs, std::span<const Row> rows,
                     model::ParameterSet& working, int index, platform::Ui& ui);

}  // namespace tarvo::forms
