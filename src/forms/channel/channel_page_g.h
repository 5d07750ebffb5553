#pragma once

#include "forms/channel/channel_page.h"

namespace tarvo::forms {

// Channel page of variant Г: the seven-character type code and 29 float rows in two columns,
// and the button that opens the ИРВИС-К300 table of the channel (hidden with execution code 47).
class CChannel_G_Page : public ChannelPage {
 public:
  static constexpr const char* kIrvisButton = "irvis";

  CChannel_G_Page(model::ParameterSet& set, int channelIndex);

  // The ИРВИС-К300 button opens its dialog without checking the page first.

 protected:
  void FillCells() override;
  bool CheckRows(model::ParameterSet& working, platform::Ui& ui) override;
  std::span<const CompletionRule> CompletionRules(
      const model::ChannelRecord& record) const override;
};

}  // namespace tarvo::forms
