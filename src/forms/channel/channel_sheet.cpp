#include "forms/channel/channel_sheet.h"

#include "forms/channel/channel_page_g.h"
#include "forms/channel/channel_page_l.h"
#include "forms/channel/channel_page_u.h"
#include "forms/channel/channel_page_uv.h"
#include "forms/channel/channel_page_v.h"
#include "forms/sheet_builder.h"

namespace tarvo::forms {

namespace {

struct VariantPages {
  model::DeviceVariant variant;
  ChannelPageFactory factory;
};

// Each variant's page class is added here as it is written.
constexpr VariantPages kChannelPages[] = {
    {model::DeviceVariant::V, MakePage<ChannelPage, CChannel_V_Page>},
    {model::DeviceVariant::G, MakePage<ChannelPage, CChannel_G_Page>},
    {model::DeviceVariant::U, MakePage<ChannelPage, CChannel_U_Page>},
    {model::DeviceVariant::UV, MakePage<ChannelPage, CChannel_UV_Page>},
    {model::DeviceVariant::L, MakePage<ChannelPage, CChannel_L_Page>},
};

}  // namespace

ChannelPageFactory ChannelPageFactoryFor(model::DeviceVariant variant) {
  return FactoryOf(kChannelPages, variant);
}

std::string ChannelPagesMissingMessage(model::DeviceVariant variant) {
  return PagesMissingMessage("каналов учета", variant);
}

std::unique_ptr<PropertySheet> MakeChannelSheet(model::ParameterSet& set,
                                                ChannelPageFactory factory) {
  return BuildSheet("Параметры каналов учета (трубопроводов)", "Канал учета", set.channelCount,
                    model::kMaxChannels, set, factory);
}

std::unique_ptr<PropertySheet> MakeChannelSheet(model::ParameterSet& set, std::string& message) {
  const ChannelPageFactory factory = ChannelPageFactoryFor(set.Variant());
  if (factory == nullptr) {
    message = ChannelPagesMissingMessage(set.Variant());
    return nullptr;
  }
  return MakeChannelSheet(set, factory);
}

}  // namespace tarvo::forms
