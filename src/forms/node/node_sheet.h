#pragma once

#include <memory>
#include <string>

#include "forms/node/node_page.h"
#include "forms/property_sheet.h"

namespace tarvo::forms {

using NodePageFactory = std::unique_ptr<NodePage> (*)(model::ParameterSet& set, int nodeIndex);

// The page class of a variant's node pages; null while that variant has none.
NodePageFactory NodePageFactoryFor(model::DeviceVariant variant);

// "Параметры узлов учета (потребителей)" with one page per node in use, tab titles set.
std::unique_ptr<PropertySheet> MakeNodeSheet(model::ParameterSet& set, NodePageFactory factory);
// The same with the variant's own pages; null with a message when it has none.
std::unique_ptr<PropertySheet> MakeNodeSheet(model::ParameterSet& set, std::string& message);

std::string NodePagesMissingMessage(model::DeviceVariant variant);

}  // namespace tarvo::forms
