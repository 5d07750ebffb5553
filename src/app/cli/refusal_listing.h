#pragma once

#include <ostream>
#include <vector>

#include "model/document.h"
#include "shell/configuration_check.h"

namespace tarvo::app {

// One line per refusing form: form, code of the row ("-" when it names none), caption and
// message, the columns aligned.
void PrintRefusalsText(const std::vector<shell::Refusal>& refusals, std::ostream& out);
// form,code,caption,message
void PrintRefusalsCsv(const std::vector<shell::Refusal>& refusals, std::ostream& out);
// The file, its execution and whether the start-of-counting demands ran, then the refusals.
void PrintRefusalsJson(const model::ConfigurationDocument& document, bool startChecked,
                       const std::vector<shell::Refusal>& refusals, std::ostream& out);

}  // namespace tarvo::app
