#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "model/parameter_set.h"
#include "shell/configuration_listing.h"

namespace tarvo::app {

// The name `tarvo show --form` knows the report texts by.
inline constexpr const char* kTextsFormName = "texts";

// Why a configuration has no report texts to edit (ЛУР-У, no variant); nothing when it has.
std::optional<std::string> NoReportTexts(const model::ParameterSet& set);

// Both texts, whether in use or not, and their flags (1 or 0); a text as the editor shows it.
shell::ListedForm ListReportTexts(const model::ParameterSet& set);
// The same for reading: each line of a text after "|", so its spaces show.
void PrintReportTexts(const shell::ListedForm& texts, std::ostream& out);

}  // namespace tarvo::app
