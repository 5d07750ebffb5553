#pragma once

#include <string>
#include <string_view>

#include "model/float32.h"

#include "platform/ui.h"

namespace tarvo::forms {

inline constexpr const char* kStartErrorCaption = "Ошибка (невозможен пуск на счет)";

// A value or cross-field error: caption "Ошибка", error icon. Always returns false, so a check
// can end with `return ShowError(ui, ...)`.
bool ShowError(platform::Ui& ui, const std::string& text);
// A completion error of the start-of-counting check.
bool ShowStartError(platform::Ui& ui, const std::string& text);

// Reads a value cell into destination and accepts it when it is not set or lies within the
// bounds; otherwise shows the range message built from the template and returns false. A text
// that is no finite 32-bit float gets the range message too and is not stored.
bool CheckRange(platform::Ui& ui, std::string_view valueCell, model::Float32& destination,
                std::string_view messageTemplate, model::Float32 lower, model::Float32 upper);
inline bool CheckRange(platform::Ui& ui, std::string_view valueCell, model::Float32& destination,
                       std::string_view messageTemplate, float lower, float upper) {
  return CheckRange(ui, valueCell, destination, messageTemplate, model::Float32::Of(lower),
                    model::Float32::Of(upper));
}

}  // namespace tarvo::forms
