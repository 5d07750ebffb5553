#pragma once

#include <string>
#include <vector>

#include "model/parameter_set.h"
#include "shell/form_catalog.h"

namespace tarvo::shell {

// The first message of a form that refuses the configuration as it stands, or one value the
// start-of-counting switch demands of it.
struct Refusal {
  FormTarget target;
  std::string buttonId;  // a dialog behind a button of the page
  std::string name;      // "channel 2", "channel 2/gas", as tarvo show names forms
  std::string title;  // "Канал учета 02", "Канал учета 02 — Параметры попутного газа"
  std::string code;   // the row the refusal names; empty when it names none
  std::string caption;
  std::string message;
};

// Whether the start-of-counting demands run as the stored switch says, or in any case.
enum class StartCheck { AsStored, On };

// Fills every form of the configuration (each page, then the dialogs behind its buttons) and
// presses its OK or leaves it, as the user would without changing anything; lists the forms
// that refuse, in form order, with every value each one demands for the start of counting.
// Nothing is committed into the set.
std::vector<Refusal> CheckConfiguration(const model::ParameterSet& set,
                                        StartCheck start = StartCheck::AsStored);

}  // namespace tarvo::shell
