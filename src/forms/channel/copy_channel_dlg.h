#pragma once

#include "forms/form.h"
#include "model/parameter_set.h"

namespace tarvo::forms {

// "Копирование параметров канала учета": copies the source channel's record onto the channels
// whose boxes are ticked. One check-box row per channel box ("Канал 01" .. "Канал 20").
class CCopyChannelDlg : public Form {
 public:
  static constexpr const char* kCopyButton = "copy";

  CCopyChannelDlg(model::ParameterSet& set, int sourceIndex);

  int SourceIndex() const { return sourceIndex_; }
  // First display: the title, the boxes of the configuration's channels shown and clear, the
  // source channel's box disabled.
  void Fill() override;

 protected:
  // "Закрыть": nothing is undone.
  bool Accept(platform::Ui&) override { return true; }
  // "Копировать параметры".
  PressResult OnPress(std::string_view buttonId, platform::Ui& ui) override;

 private:
  model::ParameterSet& set_;
  int sourceIndex_;
};

}  // namespace tarvo::forms
