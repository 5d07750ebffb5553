#include "forms/channel/channel_sheet.h"

namespace tarvo::forms {

namespace {

constexpr SheetLevel kChannelLevel{"Параметры каналов учета (трубопроводов)", "Канал учета",
                                   "параметров каналов учета", &model::ParameterSet::channelCount,
                                   model::kMaxChannels};

}  // namespace

std::unique_ptr<PropertySheet> MakeChannelSheet(model::ParameterSet& set,
                                                ChannelPageFactory factory) {
  return BuildSheet(kChannelLevel, set, factory);
}

std::unique_ptr<PropertySheet> MakeChannelSheet(model::ParameterSet& set, std::string& message) {
  return BuildVariantSheet(kChannelLevel, set, &VariantPages::channel, message);
}

}  // namespace tarvo::forms
