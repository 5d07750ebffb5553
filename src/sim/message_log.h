#pragma once

#include <string>
#include <vector>

#include "platform/ui.h"

namespace tarvo::sim {

// A Ui without a user: keeps the messages for the caller to report and answers OK.
class MessageLog : public platform::Ui {
 public:
  platform::Answer ShowMessage(const std::string& text, const std::string&, platform::Icon,
                               platform::Buttons) override {
    messages.push_back(text);
    return platform::Answer::Ok;
  }
  std::optional<std::string> AskOpenFileName(const platform::FileDialogOptions&) override {
    return std::nullopt;
  }
  std::optional<std::string> AskSaveFileName(const platform::FileDialogOptions&) override {
    return std::nullopt;
  }
  void SetWaitCursor(bool) override {}

  std::vector<std::string> messages;
};

}  // namespace tarvo::sim
