#include "shell/document_commands.h"

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
  std::string message;
  if (!document_.Open(path, message)) {
    ui_.ShowMessage(message, "", Icon::Error, Buttons::Ok);
    return false;
  }
  recent_.Add(path);
  return true;
}

DocumentCommands::SaveResult DocumentCommands::Store(const std::string& path) {
  std::string message;
  if (document_.Store(path, message)) return SaveResult::Saved;
  ui_.ShowMessage(message, "", Icon::Error, Buttons::Ok);
  return SaveResult::Failed;
}

DocumentCommands::SaveResult DocumentCommands::SaveWithResult() {
  if (document_.Untitled()) return SaveAsWithResult();
  return Store(document_.PathName());
}

DocumentCommands::SaveResult DocumentCommands::SaveAsWithResult() {
  const auto path = ui_.AskSaveFileName(SaveDialogOptions());
  if (!path) return SaveResult::Cancelled;
  document_.SetPathName(*path);
  recent_.Add(*path);
  return Store(*path);
}

bool DocumentCommands::CanCloseFrame() {
  return AskToSave();
}

}  // namespace tarvo::shell
