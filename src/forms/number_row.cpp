#include "forms/number_row.h"

#include "forms/form_messages.h"
#include "model/check_range.h"
#include "model/parameter_code.h"
#include "model/value_text.h"

namespace tarvo::forms {

double CountedValue(model::Float32 value) {
  return value.IsNotSet() ? 0.0 : value.Value();
}

model::Float32 BoundOf(double value) {
  return model::Float32::Of(static_cast<float>(value));
}

Row MakeNumberRow(const NumberRowSpec& spec, const RowPlace& place) {
  return NumberRow(model::ParameterCode(place.variant, place.index, spec.number, place.node),
                   spec.description, spec.column);
}

std::string NotFiniteMessage(const std::string& code) {
  return "Значение параметра " + code + " должно быть конечным числом не больше 3,4e38 по модулю";
}

bool ReadNumberCell(platform::Ui& ui, const Row& row, model::Float32& destination) {
  // The whole cell, as ReadInRange reads it: a filled cell may hold a longer stored value.
  const auto value = model::ReadStorableValue(row.Text());
  if (!value) return ShowError(ui, NotFiniteMessage(row.code));
  destination = *value;
  return true;
}

void FillNumberRow(Row& row, const NumberRowSpec& spec, model::ParameterSet& set, int index) {
  row.Text() = model::FormatValue(spec.field(set, index));
  row.cells.front().maxLength = model::kValueCellLength;
}

bool CheckNumberRow(const Row& row, const NumberRowSpec& spec, model::ParameterSet& working,
                    int index, platform::Ui& ui) {
  Bounds bounds{model::Float32::Of(spec.lower), model::Float32::Of(spec.upper)};
  if (spec.computedBounds != nullptr) bounds = spec.computedBounds(working, index);
  return CheckRange(ui, row.Text(), spec.field(working, index), spec.messageTemplate, bounds.lower,
                    bounds.upper);
}

bool CheckNumberRows(std::span<const NumberRowSpec> specs, std::span<const Row> rows,
                     model::ParameterSet& working, int index, platform::Ui& ui) {
  for (std::size_t i = 0; i < specs.size() && i < rows.size(); ++i) {
    if (!CheckNumberRow(rows[i], specs[i], working, index, ui)) return MarkRefused(rows[i]);
  }
  return true;
}

}  // namespace tarvo::forms
