#pragma once

#include "forms/channel/channel_page.h"

namespace tarvo::forms {

// Channel page of variant У: the eight-character type code, the input assignment of the
// channel's transducers (K<nn>01, K<nn>02), 29 float rows in two columns, and the button that
// opens the associated-gas composition of the channel.
class CChannel_U_Page : public ChannelPage {
 public:
  static constexpr const char* kGasButton = "gas";

  CChannel_U_Page(model::ParameterSet& set, int channelIndex);

  // The associated-gas button opens its dialog without checking the page first.

 protected:
  void FillCells() override;
  bool CheckRows(model::ParameterSet& working, platform::Ui& ui) override;
  std::span<const CompletionRule> CompletionRules(
      const model::ChannelRecord& record) const override;
};

}  // namespace tarvo::forms
