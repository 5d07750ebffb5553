#include "forms/node/node_sheet.h"

#include "forms/node/node_page_g.h"
#include "forms/node/node_page_l.h"
#include "forms/node/node_page_u.h"
#include "forms/node/node_page_uv.h"
#include "forms/node/node_page_v.h"
#include "forms/sheet_builder.h"

namespace tarvo::forms {

namespace {

struct VariantPages {
  model::DeviceVariant variant;
  NodePageFactory factory;
};

constexpr VariantPages kNodePages[] = {
    {model::DeviceVariant::V, MakePage<NodePage, CNode_V_Page>},
    {model::DeviceVariant::G, MakePage<NodePage, CNode_G_Page>},
    {model::DeviceVariant::U, MakePage<NodePage, CNode_U_Page>},
    {model::DeviceVariant::UV, MakePage<NodePage, CNode_UV_Page>},
    {model::DeviceVariant::L, MakePage<NodePage, CNode_L_Page>},
};

}  // namespace

NodePageFactory NodePageFactoryFor(model::DeviceVariant variant) {
  return FactoryOf(kNodePages, variant);
}

std::string NodePagesMissingMessage(model::DeviceVariant variant) {
  return PagesMissingMessage("узлов учета", variant);
}

std::unique_ptr<PropertySheet> MakeNodeSheet(model::ParameterSet& set, NodePageFactory factory) {
  return BuildSheet("Параметры узлов учета (потребителей)", "Узел учета", set.nodeCount,
                    model::kMaxNodes, set, factory);
}

std::unique_ptr<PropertySheet> MakeNodeSheet(model::ParameterSet& set, std::string& message) {
  const NodePageFactory factory = NodePageFactoryFor(set.Variant());
  if (factory == nullptr) {
    message = NodePagesMissingMessage(set.Variant());
    return nullptr;
  }
  return MakeNodeSheet(set, factory);
}

}  // namespace tarvo::forms
