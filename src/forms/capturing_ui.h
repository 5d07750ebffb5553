#pragma once

#include <optional>
#include <string>

#include "platform/ui.h"

namespace tarvo::forms {

struct CapturedMessage {
  std::string text;
  std::string caption;
  platform::Icon icon = platform::Icon::None;
};

// A Ui for running forms out of sight: it shows nothing, keeps the first message a form gives
// and answers every question the safe way (Cancel, No), so nothing is stored or sent.
class CapturingUi : public platform::Ui {
 public:
  platform::Answer ShowMessage(const std::string& text, const std::string& caption,
                               platform::Icon icon, platform::Buttons buttons) override {
    if (!first) first = CapturedMessage{text, caption, icon};
    return buttons == platform::Buttons::Ok || buttons == platform::Buttons::OkCancel
               ? platform::Answer::Cancel
               : platform::Answer::No;
  }
  std::optional<std::string> AskOpenFileName(const platform::FileDialogOptions&) override {
    return std::nullopt;
  }
  std::optional<std::string> AskSaveFileName(const platform::FileDialogOptions&) override {
    return std::nullopt;
  }
  void SetWaitCursor(bool) override {}

  std::optional<CapturedMessage> first;
};

}  // namespace tarvo::forms
