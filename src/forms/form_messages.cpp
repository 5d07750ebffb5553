#include "forms/form_messages.h"

#include "model/check_range.h"

namespace tarvo::forms {

bool ShowError(platform::Ui& ui, const std::string& text) {
  ui.ShowMessage(text, model::kErrorCaption, platform::Icon::Error, platform::Buttons::Ok);
  return false;
}

bool ShowStartError(platform::Ui& ui, const std::string& text) {
  ui.ShowMessage(text, kStartErrorCaption, platform::Icon::Error, platform::Buttons::Ok);
  return false;
}

bool CheckRange(platform::Ui& ui, std::string_view valueCell, model::Float32& destination,
                std::string_view messageTemplate, model::Float32 lower, model::Float32 upper) {
  if (model::ReadInRange(valueCell, destination, lower, upper)) return true;
  return ShowError(ui, model::BuildRangeMessage(messageTemplate, lower, upper));
}

}  // namespace tarvo::forms
