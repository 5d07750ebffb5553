#pragma once

#include <cstdint>

#include "model/parameter_set.h"

namespace tarvo::forms {

// Moves one channel record onto another. Equal indices are the commit of a page's working copy
// into its own channel; other indices are a copy onto another channel, which keeps the target's
// input assignment and reserved slot 28 and clears the transducer types the target channel
// cannot have for the execution code.
void TransferChannel(int sourceIndex, int targetIndex, const model::ChannelRecord& source,
                     model::ChannelRecord& target, std::uint8_t executionCode);

}  // namespace tarvo::forms
