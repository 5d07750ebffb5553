#include "forms/node/node_sheet.h"

namespace tarvo::forms {

namespace {

constexpr SheetLevel kNodeLevel{"Параметры узлов учета (потребителей)", "Узел учета",
                                "параметров узлов учета", &model::ParameterSet::nodeCount,
                                model::kMaxNodes};

}  // namespace

std::unique_ptr<PropertySheet> MakeNodeSheet(model::ParameterSet& set, NodePageFactory factory) {
  return BuildSheet(kNodeLevel, set, factory);
}

std::unique_ptr<PropertySheet> MakeNodeSheet(model::ParameterSet& set, std::string& message) {
  return BuildVariantSheet(kNodeLevel, set, &VariantPages::node, message);
}

}  // namespace tarvo::forms
