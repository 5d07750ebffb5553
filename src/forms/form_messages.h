#pragma once

#include <string>

#include "platform/ui.h"

namespace tarvo::forms {

inline constexpr const char* kStartErrorCaption = "Ошибка (невозможен пуск на счет)";

// A value or cross-field error: caption "Ошибка", error icon. Always returns false, so a check
// can end with `return ShowError(ui, ...)`.
bool ShowError(platform::Ui& ui, const std::string& text);
// A completion error of the start-of-counting check.
bool ShowStartError(platform::Ui& ui, const std::string& text);

}  // namespace tarvo::forms
