#include "forms/variant_pages.h"

#include "forms/channel/channel_page_g.h"
#include "forms/channel/channel_page_l.h"
#include "forms/channel/channel_page_u.h"
#include "forms/channel/channel_page_uv.h"
#include "forms/channel/channel_page_v.h"
#include "forms/node/node_page_g.h"
#include "forms/node/node_page_l.h"
#include "forms/node/node_page_u.h"
#include "forms/node/node_page_uv.h"
#include "forms/node/node_page_v.h"

namespace tarvo::forms {

namespace {

constexpr VariantPages kVariantPages[] = {
    {model::DeviceVariant::V, MakePage<ChannelPage, CChannel_V_Page>,
     MakePage<NodePage, CNode_V_Page>},
    {model::DeviceVariant::G, MakePage<ChannelPage, CChannel_G_Page>,
     MakePage<NodePage, CNode_G_Page>},
    {model::DeviceVariant::U, MakePage<ChannelPage, CChannel_U_Page>,
     MakePage<NodePage, CNode_U_Page>},
    {model::DeviceVariant::UV, MakePage<ChannelPage, CChannel_UV_Page>,
     MakePage<NodePage, CNode_UV_Page>},
    {model::DeviceVariant::L, MakePage<ChannelPage, CChannel_L_Page>,
     MakePage<NodePage, CNode_L_Page>},
};

}  // namespace

const VariantPages* PagesOf(model::DeviceVariant variant) {
  for (const VariantPages& pages : kVariantPages) {
    if (pages.variant == variant) return &pages;
  }
  return nullptr;
}

}  // namespace tarvo::forms
