#pragma once

#include <memory>
#include <string>

#include "forms/channel/channel_page.h"
#include "forms/property_sheet.h"

namespace tarvo::forms {

using ChannelPageFactory = std::unique_ptr<ChannelPage> (*)(model::ParameterSet& set,
                                                            int channelIndex);

// The page class of a variant's channel pages; null while that variant has none.
ChannelPageFactory ChannelPageFactoryFor(model::DeviceVariant variant);

// "Параметры каналов учета (трубопроводов)" with one page per channel in use, tab titles set.
std::unique_ptr<PropertySheet> MakeChannelSheet(model::ParameterSet& set,
                                                ChannelPageFactory factory);
// The same with the variant's own pages; null with a message when it has none.
std::unique_ptr<PropertySheet> MakeChannelSheet(model::ParameterSet& set, std::string& message);

// Why a variant's channel pages cannot be shown.
std::string ChannelPagesMissingMessage(model::DeviceVariant variant);

}  // namespace tarvo::forms
