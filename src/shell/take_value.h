#pragma once

#include "model/document.h"
#include "platform/ui.h"
#include "shell/configuration_diff.h"

namespace tarvo::shell {

// Takes the value another configuration shows in a row into the document, as a user would enter
// it into the form that shows the row: the row's entry, the OK of the dialog behind a button
// for a row of that dialog, then leaving the page, each with its checks. Whatever refuses shows
// its message and leaves the document's set as it was; a value taken marks the document
// modified when the set changed. A row the other configuration does not show cannot be taken.
bool TakeValue(model::ConfigurationDocument& document, const model::ParameterSet& source,
               const DifferentForm& form, const DifferentRow& row, platform::Ui& ui);

}  // namespace tarvo::shell
