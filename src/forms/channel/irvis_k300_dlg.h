#pragma once

#include "forms/form.h"
#include "model/parameter_set.h"

namespace tarvo::forms {

// "Параметры расходомера ИРВИС-К300": the 28 values of one channel's flowmeter table, codes
// K<n>70 (first array, element 0), K<n>71 (second array, element 0) ... K<n>97, in four columns
// of seven. OK stores every cell straight into the set without range tests; the channel page
// checks the table for completeness when it is left.
class CIrvisK300Dlg : public Form {
 public:
  static constexpr int kValueCount = 2 * model::kIrvisPoints;
  static constexpr int kFirstNumber = 70;

  CIrvisK300Dlg(model::ParameterSet& set, int channelIndex);

  int ChannelIndex() const { return index_; }
  void Fill() override;

 protected:
  bool Accept(platform::Ui& ui) override;

 private:
  // The k-th value in code order: element k / 2 of the first array for even k, of the second
  // for odd k.
  model::Float32& Value(int k);

  model::ParameterSet& set_;
  int index_;
};

}  // namespace tarvo::forms
