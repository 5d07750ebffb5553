#include "shell/document_commands.h"

#include "platform/utf8_path.h"

namespace tarvo::shell {

using platform::Answer;
using platform::Buttons;
using platform::Icon;

platform::FileDialogOptions DocumentCommands::OpenDialogOptions() {
  platform::FileDialogOptions options;
  options.title = "Открытие файла параметров";
  options.filter = kParFilter;
  options.defaultExtension = ".par";
  options.mustExist = true;
  return options;
}

platform::FileDialogOptions DocumentCommands::SaveDialogOptions() const {
  platform::FileDialogOptions options;
  options.title = "Сохранение файла параметров";
  options.filter = kParFilter;
  // A name typed without an extension gets the one the open dialog lists.
  options.defaultExtension = ".par";
  options.initialName = document_.PathName();
  options.confirmOverwrite = true;
  return options;
}

bool DocumentCommands::AskToSave() {
  if (!document_.Modified()) return true;
  const Answer answer =
      ui_.ShowMessage("Сохранить изменения в файле " + document_.PathName() + " ?", "",
                      Icon::Question, Buttons::YesNoCancel);
  if (answer == Answer::Cancel) return false;
  if (answer == Answer::No) return true;
  // A cancelled save-as dialog lets the command go on; a save that failed does not, so the
  // changes are never dropped after an error.
  return SaveWithResult() != SaveResult::Failed;
}

void DocumentCommands::New(const RunNewConfigurationDialog& runDialog) {
  if (!AskToSave()) return;
  model::NewConfigurationDialog dialog;
  if (!runDialog(dialog)) return;
  document_.NewConfiguration(dialog.SelectedExecutionCode());
}

void DocumentCommands::Open() {
  if (document_.Modified() &&
      ui_.ShowMessage(kOpenAnotherQuestion, "", Icon::Question, Buttons::YesNo) == Answer::No) {
    return;
  }
  const auto path = ui_.AskOpenFileName(OpenDialogOptions());
  if (!path) return;
  OpenDocumentFile(*path, true);
}

bool DocumentCommands::OpenDocumentFile(const std::string& path, bool alreadyAsked) {
  if (!alreadyAsked && document_.Modified() &&
      ui_.ShowMessage(kOpenAnotherQuestion, "", Icon::Question, Buttons::YesNo) == Answer::No) {
    return false;
  }
  // A name typed relative to another folder would open another file next time.
  const std::string full = platform::AbsoluteUtf8Path(path);
  std::string message;
  if (!document_.Open(full, message)) {
    ui_.ShowMessage(message, "", Icon::Error, Buttons::Ok);
    return false;
  }
  recent_.Add(full);
  return true;
}

DocumentCommands::SaveResult DocumentCommands::Reported(bool stored, const std::string& message) {
  if (stored) return SaveResult::Saved;
  ui_.ShowMessage(message, "", Icon::Error, Buttons::Ok);
  return SaveResult::Failed;
}

DocumentCommands::SaveResult DocumentCommands::SaveWithResult() {
  if (document_.Untitled()) return SaveAsWithResult();
  std::string message;
  const bool stored = document_.Store(document_.PathName(), message);
  return Reported(stored, message);
}

DocumentCommands::SaveResult DocumentCommands::SaveAsWithResult() {
  const auto path = ui_.AskSaveFileName(SaveDialogOptions());
  if (!path) return SaveResult::Cancelled;
  const std::string full = platform::AbsoluteUtf8Path(*path);
  std::string message;
  const bool stored = document_.StoreAs(full, message);
  // A file that was not written stays out of the list.
  if (stored) recent_.Add(full);
  return Reported(stored, message);
}

bool DocumentCommands::CanCloseFrame() {
  return AskToSave();
}

}  // namespace tarvo::shell
