#include "platform/qt/gui_thread_ui.h"

#include <QMetaObject>
#include <QThread>

namespace tarvo::platform::qt {

template <typename Call>
auto GuiThreadUi::OnGuiThread(Call call) -> decltype(call()) {
  if (QThread::currentThread() == guiThread_.thread()) return call();
  decltype(call()) result{};
  QMetaObject::invokeMethod(
      &guiThread_, [&] { result = call(); }, Qt::BlockingQueuedConnection);
  return result;
}

Answer GuiThreadUi::ShowMessage(const std::string& text, const std::string& caption, Icon icon,
                                Buttons buttons) {
  return OnGuiThread([&] { return target_.ShowMessage(text, caption, icon, buttons); });
}

std::optional<std::string> GuiThreadUi::AskOpenFileName(const FileDialogOptions& options) {
  return OnGuiThread([&] { return target_.AskOpenFileName(options); });
}

std::optional<std::string> GuiThreadUi::AskSaveFileName(const FileDialogOptions& options) {
  return OnGuiThread([&] { return target_.AskSaveFileName(options); });
}

void GuiThreadUi::SetWaitCursor(bool on) {
  OnGuiThread([&] {
    target_.SetWaitCursor(on);
    return true;
  });
}

}  // namespace tarvo::platform::qt
