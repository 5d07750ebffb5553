#include "shell/check_for_start.h"

namespace tarvo::shell {

void ToggleCheckForStart(model::ConfigurationDocument& document) {
  model::ParameterSet& set = document.Set();
  set.checkForStart = set.checkForStart == 0 ? 1 : 0;
  document.SetModified(true);
}

}  // namespace tarvo::shell
