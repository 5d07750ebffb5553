#pragma once

#include <cstdint>
#include <string>

#include "forms/channel/type_code_layout.h"

namespace tarvo::forms {

// The type code of each variant's channel page as positions and rules: which values each
// position may take with the execution code on the channel (0-based index), what they stand
// for, and which values of one position restrict the others.
TypeCodeLayout TypeCodeLayoutG(std::uint8_t executionCode);
TypeCodeLayout TypeCodeLayoutU(std::uint8_t executionCode);
TypeCodeLayout TypeCodeLayoutL(int channelIndex);
// Four positions (medium, flow, pressure and temperature transducer types) of variants В and
// УВ, each allowing the values given; `where` says why on positions 2 to 4, when they depend on
// the channel.
TypeCodeLayout TypeCodeLayout4(const ValueSet (&allowed)[4], std::string where);

}  // namespace tarvo::forms
