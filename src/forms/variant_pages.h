#pragma once

#include <memory>
#include <string>

#include "forms/channel/channel_page.h"
#include "forms/node/node_page.h"
#include "forms/sheet_builder.h"

namespace tarvo::forms {

using ChannelPageFactory = std::unique_ptr<ChannelPage> (*)(model::ParameterSet& set,
                                                            int channelIndex);
using NodePageFactory = std::unique_ptr<NodePage> (*)(model::ParameterSet& set, int nodeIndex);

// The page classes of one variant.
struct VariantPages {
  model::DeviceVariant variant;
  ChannelPageFactory channel;
  NodePageFactory node;
};

// Every variant has its pages; only a configuration not loaded (variant 0) has none: null.
const VariantPages* PagesOf(model::DeviceVariant variant);

// The sheet of a level with the variant's own pages (which of VariantPages' factories);
// null with a message for a configuration not loaded.
template <typename Factory>
std::unique_ptr<PropertySheet> BuildVariantSheet(const SheetLevel& level, model::ParameterSet& set,
                                                 Factory VariantPages::*factory,
                                                 std::string& message) {
  const VariantPages* pages = PagesOf(set.Variant());
  if (pages == nullptr) {
    message = NotLoadedMessage(level.parameters);
    return nullptr;
  }
  return BuildSheet(level, set, pages->*factory);
}

}  // namespace tarvo::forms
