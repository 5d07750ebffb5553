#pragma once

#include "model/document.h"

namespace tarvo::shell {

// Toggles the check-for-start switch and marks the document modified, even when toggled back.
void ToggleCheckForStart(model::ConfigurationDocument& document);

}  // namespace tarvo::shell
