#pragma once

#include <functional>

#include "model/document.h"

namespace tarvo::shell {

enum class FormResult { Ok, Cancel };

// Runs a form under a snapshot of the whole set: anything but OK copies the snapshot back (the
// form may have committed while it ran); OK marks the document modified when the set differs
// from the snapshot. A modified flag already set stays set.
FormResult GuardedEdit(model::ConfigurationDocument& document,
                       const std::function<FormResult(model::ParameterSet&)>& runForm);

// After an exchange that does not restore: marks the document modified when the set differs.
void MarkModifiedIfChanged(model::ConfigurationDocument& document,
                           const model::ParameterSet& snapshot);

}  // namespace tarvo::shell
