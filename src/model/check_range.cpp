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

bool CheckRange(platform::Ui& ui, std::string_view valueCell, Float32& destination,
                std::string_view messageTemplate, Float32 lower, Float32 upper) {
  const std::string text = FirstChars(valueCell, kValueCellLength);
  destination = ReadValueText(text);
  if (destination.IsNotSet()) return true;

  const float value = destination.Value();
  if (BoundValue(lower) <= value && value <= BoundValue(upper)) return true;

  ui.ShowMessage(BuildRangeMessage(messageTemplate, lower, upper), kErrorCaption,
                 platform::Icon::Error, platform::Buttons::Ok);
  return false;
}

}  // namespace tarvo::model
