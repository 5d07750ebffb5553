#include "model/check_range.h"

#include "model/value_text.h"

namespace tarvo::model {

namespace {

// Inserts the value between the two trailing blanks of the marker (" от  ", " до  ").
void InsertAfterMarker(std::string& message, std::string_view marker, const std::string& value) {
  const auto at = message.find(marker);
  if (at == std::string::npos) return;
  message.insert(at + marker.size() - 1, value);
}

float BoundValue(Float32 bound) {
  return bound.IsNotSet() ? 0.0f : bound.Value();
}

}  // namespace

std::string BuildRangeMessage(std::string_view messageTemplate, Float32 lower, Float32 upper) {
  std::string message(messageTemplate);
  InsertAfterMarker(message, " от  ", FormatValue(lower));
  InsertAfterMarker(message, " до  ", FormatValue(upper));
  return message;
}

bool ReadInRange(std::string_view valueCell, Float32& destination, Float32 lower, Float32 upper) {
  // The whole cell: typing stops at kValueCellLength, so a longer text is the value text of a
  // stored value (1e9 shows as ten digits), and reading only its start would store another
  // number when the user merely leaves the form.
  const std::optional<Float32> read = ReadStorableValue(valueCell);
  if (!read) return false;
  destination = *read;
  if (destination.IsNotSet()) return true;

  const float value = destination.Value();
  return BoundValue(lower) <= value && value <= BoundValue(upper);
}

}  // namespace tarvo::model
