#pragma once

#include <optional>
#include <string>

#include "platform/application_title.h"

namespace tarvo::platform {

enum class Icon { None, Error, Warning, Question, Information };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

struct FileDialogOptions {
  std::string title;
  std::string filter;            // "Файлы параметров (*.par)|*.par|"
  std::string defaultExtension;  // appended to a name typed without one
  std::string initialName;
  bool mustExist = false;         // open: file and path must exist
  bool confirmOverwrite = false;  // save: ask before replacing a file
};

// What the program logic needs of the user: every message, question and file choice passes here,
// so the desktop window, the command line and the tests can each answer in their own way.
class Ui {
 public:
  virtual ~Ui() = default;

  // Texts are UTF-8. Returns the button pressed.
  virtual Answer ShowMessage(const std::string& text, const std::string& caption, Icon icon,
                             Buttons buttons) = 0;
  virtual std::optional<std::string> AskOpenFileName(const FileDialogOptions& options) = 0;
  virtual std::optional<std::string> AskSaveFileName(const FileDialogOptions& options) = 0;
  virtual void SetWaitCursor(bool on) = 0;
};

// Shows the wait cursor for the life of the guard.
class WaitCursor {
 public:
  explicit WaitCursor(Ui& ui) : ui_(ui) { ui_.SetWaitCursor(true); }
  ~WaitCursor() { ui_.SetWaitCursor(false); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  Ui& ui_;
};

}  // namespace tarvo::platform
