#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "model/parameter_set.h"
#include "shell/configuration_listing.h"

namespace tarvo::app {

using shell::kTextsFormName;
using shell::ListReportTexts;

// Why a configuration has no report texts to edit (ЛУР-У, no variant); nothing when it has.
std::optional<std::string> NoReportTexts(const model::ParameterSet& set);

// The report texts for reading: each line of a text after "|", so its spaces show.
void PrintReportTexts(const shell::ListedForm& texts, std::ostream& out);

}  // namespace tarvo::app
