#pragma once

#include <string>

#include "model/document.h"
#include "platform/ui.h"
#include "shell/form_catalog.h"

class QWidget;

namespace tarvo::gui {

// Where a form opens: which form (the sheet's page for channels and nodes) and which row gets
// the cursor (empty: the first editable cell).
struct FormPlace {
  shell::FormTarget target;
  std::string code;
};

// Runs the system-wide form, the channel sheet or the node sheet modally under the guarded edit:
// Cancel restores the whole set, OK marks the document modified when the set changed.
void RunConfigurationForm(QWidget* parent, model::ConfigurationDocument& document, platform::Ui& ui,
                          const FormPlace& place);

}  // namespace tarvo::gui
