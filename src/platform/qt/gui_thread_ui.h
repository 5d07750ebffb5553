#pragma once

#include <QObject>

#include "platform/ui.h"

namespace tarvo::platform::qt {

// A Ui for code that runs on a worker thread: every call is carried out by the Ui it wraps on
// the thread this object was made on (the GUI thread), and the worker waits for the answer.
// Calls made on the GUI thread itself go straight through.
class GuiThreadUi : public Ui {
 public:
  explicit GuiThreadUi(Ui& target) : target_(target) {}

  Answer ShowMessage(const std::string& text, const std::string& caption, Icon icon,
                     Buttons buttons) override;
  std::optional<std::string> AskOpenFileName(const FileDialogOptions& options) override;
  std::optional<std::string> AskSaveFileName(const FileDialogOptions& options) override;
  void SetWaitCursor(bool on) override;

 private:
  template <typename Call>
  auto OnGuiThread(Call call) -> decltype(call());

  Ui& target_;
  QObject guiThread_;  // lives on the thread the calls are carried to
};

}  // namespace tarvo::platform::qt
