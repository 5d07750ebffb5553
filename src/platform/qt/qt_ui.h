#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "platform/ui.h"

namespace tarvo::platform::qt {

// Messages, questions and file choices of the program logic as Qt's standard dialogs. The
// button texts and the file dialog read in Russian once Qt's own translations are loaded.
class QtUi : public Ui {
 public:
  explicit QtUi(QWidget* parent = nullptr) : parent_(parent) {}

  // The window the dialogs belong to; the active window when none is set.
  void SetParentWidget(QWidget* parent) { parent_ = parent; }

  Answer ShowMessage(const std::string& text, const std::string& caption, Icon icon,
                     Buttons buttons) override;
  std::optional<std::string> AskOpenFileName(const FileDialogOptions& options) override;
  std::optional<std::string> AskSaveFileName(const FileDialogOptions& options) override;
  void SetWaitCursor(bool on) override;

 private:
  QWidget* Parent() const;
  std::optional<std::string> AskFileName(const FileDialogOptions& options, bool save);

  QPointer<QWidget> parent_;
};

// "Файлы параметров (*.par)|*.par|" as Qt writes it: "Файлы параметров (*.par)". Pairs of a
// description and its patterns; a description without the patterns in brackets gets them.
QString QtFileFilter(const std::string& filter);

// ".par" -> "par".
QString QtDefaultSuffix(const std::string& extension);

}  // namespace tarvo::platform::qt
