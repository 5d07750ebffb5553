#pragma once

#include "forms/channel/flowmeter_channel_page.h"

namespace tarvo::forms {

// Channel page of variant В: the four-digit type code, whose digits depend on the execution
// code and the channel, the flowmeter and ВЭПС-Т rows, contract pressure and temperature, the
// pressure transducer's limit and, with execution code 46 only, the archive settings.
class CChannel_V_Page : public FlowmeterChannelPage {
 public:
  CChannel_V_Page(model::ParameterSet& set, int channelIndex);
};

// The type code digits a channel of variant В may hold for the execution code.
TypeDigitRule TypeRuleV(std::uint8_t executionCode, int channelIndex);

}  // namespace tarvo::forms
