#pragma once

#include "forms/channel/channel_page.h"
#include "forms/channel/type_code_helper.h"

namespace tarvo::forms {

// The rows a type code of the page's channel demands at the start of counting, by their codes
// on the page: the page's own completion rules that apply to a record of that code.
DemandedRows TypeCodeDemands(const ChannelPage& page, const model::ParameterSet& set, int index);

}  // namespace tarvo::forms
