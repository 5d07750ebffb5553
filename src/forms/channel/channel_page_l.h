#pragma once

#include "forms/channel/channel_page.h"

namespace tarvo::forms {

// Channel page of variant Л: the four-character type code and six values of one flowmeter, one
// pressure transducer and the contract values, in one column.
class CChannel_L_Page : public ChannelPage {
 public:
  CChannel_L_Page(model::ParameterSet& set, int channelIndex);

 protected:
  void FillCells() override;
  bool CheckRows(model::ParameterSet& working, platform::Ui& ui) override;
  std::span<const CompletionRule> CompletionRules(
      const model::ChannelRecord& record) const override;
};

}  // namespace tarvo::forms
