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

}  // namespace tarvo::forms
