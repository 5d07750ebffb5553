#include "app/gui/stop_guard_ui.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

namespace tarvo::gui {

platform::Answer StopGuardUi::ShowMessage(const std::string& text, const std::string& caption,
                                          platform::Icon icon, platform::Buttons buttons) {
  if (pressed_.isValid()) {
    const qint64 left = QApplication::doubleClickInterval() - pressed_.elapsed();
    if (left > 0) {
      // Clicks meanwhile reach the disabled stop button, not the box.
      QEventLoop wait;
      QTimer::singleShot(static_cast<int>(left), &wait, &QEventLoop::quit);
      wait.exec();
    }
  }
  return target_.ShowMessage(text, caption, icon, buttons);
}

}  // namespace tarvo::gui
