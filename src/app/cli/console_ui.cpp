#include "app/cli/console_ui.h"

#include "app/cli/visible_text.h"

namespace tarvo::app {

platform::Answer ConsoleUi::ShowMessage(const std::string& text, const std::string& caption,
                                        platform::Icon, platform::Buttons buttons) {
  if (beforeMessage) beforeMessage();
  ++messagesShown;
  if (!caption.empty() && caption != platform::kApplicationTitle)
    err_ << VisibleLines(caption) << ": ";
  err_ << VisibleLines(text) << "\n";
  err_.flush();
  switch (buttons) {
    case platform::Buttons::Ok:
    case platform::Buttons::OkCancel:
      return platform::Answer::Ok;
    case platform::Buttons::YesNoCancel:
      return questionAnswer == platform::Answer::No ? platform::Answer::Cancel : questionAnswer;
    case platform::Buttons::YesNo:
      return questionAnswer;
  }
  return platform::Answer::Ok;
}

}  // namespace tarvo::app
