#pragma once

#include <memory>
#include <string>

#include "forms/property_sheet.h"
#include "forms/variant_pages.h"

namespace tarvo::forms {

// "Параметры узлов учета (потребителей)" with one page per node in use, tab titles set.
std::unique_ptr<PropertySheet> MakeNodeSheet(model::ParameterSet& set, NodePageFactory factory);
// The same with the variant's own pages; null with a message for a configuration not loaded.
std::unique_ptr<PropertySheet> MakeNodeSheet(model::ParameterSet& set, std::string& message);

}  // namespace tarvo::forms
