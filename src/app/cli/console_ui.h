#pragma once

#include <ostream>

#include "platform/ui.h"

namespace tarvo::app {

// The command line's Ui: prints each message with its caption to the error stream and answers
// as if OK or Yes had been pressed; it offers no file dialogs.
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

 private:
  std::ostream& err_;
};

}  // namespace tarvo::app
