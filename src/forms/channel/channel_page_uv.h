#pragma once

#include "forms/channel/flowmeter_channel_page.h"

namespace tarvo::forms {

// Channel page of variant УВ: the four-digit type code, the measuring inputs Q, P, T, the
// flowmeter, pressure and temperature rows, the archive settings and the ВЭПС-Т parameters, in
// two columns.
class CChannel_UV_Page : public FlowmeterChannelPage {
 public:
  CChannel_UV_Page(model::ParameterSet& set, int channelIndex);
};

}  // namespace tarvo::forms
