#pragma once

#include <QElapsedTimer>

#include "platform/ui.h"

namespace tarvo::gui {

// Holds back a message that comes within a double-click's time of the stop button's press, so
// the second click of a double-click cannot land on the stop report's OK unseen. Used on the GUI
// thread only.
class StopGuardUi : public platform::Ui {
 public:
  explicit StopGuardUi(platform::Ui& target) : target_(target) {}

  void StopPressed() { pressed_.start(); }

  platform::Answer ShowMessage(const std::string& text, const std::string& caption,
                               platform::Icon icon, platform::Buttons buttons) override;
  std::optional<std::string> AskOpenFileName(const platform::FileDialogOptions& options) override {
    return target_.AskOpenFileName(options);
  }
  std::optional<std::string> AskSaveFileName(const platform::FileDialogOptions& options) override {
    return target_.AskSaveFileName(options);
  }
  void SetWaitCursor(bool on) override { target_.SetWaitCursor(on); }

 private:
  platform::Ui& target_;
  QElapsedTimer pressed_;
};

}  // namespace tarvo::gui
