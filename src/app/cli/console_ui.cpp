#include "app/cli/console_ui.h"

namespace tarvo::app {

platform::Answer ConsoleUi::ShowMessage(const std::string& text, const std::string& caption,
                                        platform::Icon, platform::Buttons buttons) {
  const std::string& title = caption.empty() ? std::string(platform::kApplicationTitle) : caption;
  err_ << title << ": " << text << "\n";
  return buttons == platform::Buttons::Ok || buttons == platform::Buttons::OkCancel
             ? platform::Answer::Ok
             : platform::Answer::Yes;
}

}  // namespace tarvo::app
