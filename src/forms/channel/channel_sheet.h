#pragma once

#include <memory>
#include <string>

#include "forms/property_sheet.h"
#include "forms/variant_pages.h"

namespace tarvo::forms {

// "Параметры каналов учета (трубопроводов)" with one page per channel in use, tab titles set.
std::unique_ptr<PropertySheet> MakeChannelSheet(model::ParameterSet& set,
                                                ChannelPageFactory factory);
// The same with the variant's own pages; null with a message for a configuration not loaded.
std::unique_ptr<PropertySheet> MakeChannelSheet(model::ParameterSet& set, std::string& message);

}  // namespace tarvo::forms
