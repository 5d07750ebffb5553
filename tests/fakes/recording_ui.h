#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui.h"

namespace tarvo::testing {

// A Ui that records every message and answers from a script (Ok / the first button otherwise).
class RecordingUi : public platform::Ui {
 public:
  struct Message {
    std::string text;
    std::string caption;
    platform::Icon icon;
    platform::Buttons buttons;
  };

  platform::Answer ShowMessage(const std::string& text, const std::string& caption,
                               platform::Icon icon, platform::Buttons buttons) override {
    messages.push_back({text, caption, icon, buttons});
    if (!answers.empty()) {
      const platform::Answer answer = answers.front();
      answers.pop_front();
      return answer;
    }
    return buttons == platform::Buttons::Ok || buttons == platform::Buttons::OkCancel
               ? platform::Answer::Ok
               : platform::Answer::Yes;
  }
  std::optional<std::string> AskOpenFileName(const platform::FileDialogOptions& options) override {
    fileDialogs.push_back(options);
    return NextFileName();
  }
  std::optional<std::string> AskSaveFileName(const platform::FileDialogOptions& options) override {
    fileDialogs.push_back(options);
    return NextFileName();
  }
  void SetWaitCursor(bool on) override { waitCursorChanges.push_back(on); }

  std::vector<Message> messages;
  std::deque<platform::Answer> answers;
  std::deque<std::optional<std::string>> fileNames;
  std::vector<platform::FileDialogOptions> fileDialogs;
  std::vector<bool> waitCursorChanges;

 private:
  std::optional<std::string> NextFileName() {
    if (fileNames.empty()) return std::nullopt;
    auto name = fileNames.front();
    fileNames.pop_front();
    return name;
  }
};

}  // namespace tarvo::testing
