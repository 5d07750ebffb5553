#pragma once

#include <functional>
#include <ostream>

#include "platform/ui.h"

namespace tarvo::app {

// The Ui of the command line: every message goes to the error stream (the commands print their
// own results on the output stream); a question gets the answer set beforehand, as there is
// nobody to ask; file dialogs are never shown.
class ConsoleUi : public platform::Ui {
 public:
  explicit ConsoleUi(std::ostream& err) : err_(err) {}

  platform::Answer ShowMessage(const std::string& text, const std::string& caption,
                               platform::Icon icon, platform::Buttons buttons) override;
  std::optional<std::string> AskOpenFileName(const platform::FileDialogOptions&) override {
    return std::nullopt;
  }
  std::optional<std::string> AskSaveFileName(const platform::FileDialogOptions&) override {
    return std::nullopt;
  }
  void SetWaitCursor(bool) override {}

  // The answer to Yes/No questions; No unless a command chooses otherwise.
  platform::Answer questionAnswer = platform::Answer::No;
  // Runs before each message, so a progress line can make room.
  std::function<void()> beforeMessage;
  int messagesShown = 0;

 private:
  std::ostream& err_;
};

}  // namespace tarvo::app
