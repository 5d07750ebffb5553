#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "forms/form.h"
#include "model/parameter_set.h"

namespace tarvo::forms {

inline constexpr int kInputCellLength = 2;

// One input-assignment cell: at most two digits, empty reads as 00 and a single digit c as c0.
// Nothing when the cell holds anything but digits.
std::optional<int> ReadInputCell(std::string_view cell);

// The system-wide inputs an input of a channel must not take: barometric pressure and outdoor
// air temperature, digits 5-6 and 7-8 of the mode specification (0 when not digits).
struct SystemInputs {
  int barometric;
  int outdoorAir;
};
SystemInputs SystemInputsOf(const model::ParameterSet& set);

// Rows K<nn>01 (flow inputs, three cells) and K<nn>02 (pressure and temperature, two cells):
// checked against the other channels of the set and the system-wide inputs, then stored into
// the record. One message on the first failure.
bool ReadInputAssignment(const Row& flowRow, const Row& pressureTemperatureRow,
                         const model::ParameterSet& set, int channelIndex,
                         model::ChannelRecord& record, platform::Ui& ui);

}  // namespace tarvo::forms
