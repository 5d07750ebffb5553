#pragma once

#include "forms/form.h"
#include "model/parameter_set.h"

namespace tarvo::forms {

// "Параметры попутного газа": the associated-gas block of one У channel, codes K<nn>76 to
// K<nn>93. OK checks the humidity conditions and the components and stores straight into the
// set; the channel page demands the whole composition when its medium is associated gas.
class CAssocGasDlg : public Form {
 public:
  static constexpr int kFirstNumber = 76;
  static constexpr int kHumidityKindRow = 1;
  static constexpr int kHumidityRow = 4;

  CAssocGasDlg(model::ParameterSet& set, int channelIndex);

  int ChannelIndex() const { return index_; }
  void Fill() override;

 protected:
  // The humidity row is relabelled after the chosen humidity kind.
  void RowChanged(Row& row) override;
  bool Accept(platform::Ui& ui) override;

 private:
  model::ParameterSet& set_;
  int index_;
};

}  // namespace tarvo::forms
