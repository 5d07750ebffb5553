#pragma once

#include <functional>
#include <string>

#include "model/document.h"
#include "model/new_configuration_dialog.h"
#include "model/recent_files.h"
#include "platform/ui.h"

namespace tarvo::shell {

// Runs the new-configuration dialog modally; true when the user pressed "Готово".
using RunNewConfigurationDialog = std::function<bool(model::NewConfigurationDialog&)>;

// The "Файл" menu: new, open, save, save as, the recent files and the questions about unsaved
// changes, over the one document. Every question and file choice goes through the Ui.
class DocumentCommands {
 public:
  DocumentCommands(model::ConfigurationDocument& document, platform::Ui& ui,
                   model::RecentFiles& recent)
      : document_(document), ui_(ui), recent_(recent) {}

  // Offers to save changes. False when the user cancelled or the save failed: stop the command.
  bool AskToSave();
  void New(const RunNewConfigurationDialog& runDialog);
  void Open();
  // Opens a file by name (recent files, command line), kept with its absolute path.
  // alreadyAsked skips the question.
  bool OpenDocumentFile(const std::string& path, bool alreadyAsked = false);
  bool Save() { return SaveWithResult() == SaveResult::Saved; }
  bool SaveAs() { return SaveAsWithResult() == SaveResult::Saved; }
  // Closing the main window: false keeps it open.
  bool CanCloseFrame();

  static platform::FileDialogOptions OpenDialogOptions();
  platform::FileDialogOptions SaveDialogOptions() const;

 private:
  enum class SaveResult { Saved, Cancelled, Failed };
  SaveResult SaveWithResult();
  SaveResult SaveAsWithResult();
  // Shows the message of a store that failed.
  SaveResult Reported(bool stored, const std::string& message);

  model::ConfigurationDocument& document_;
  platform::Ui& ui_;
  model::RecentFiles& recent_;
};

inline constexpr const char* kParFilter = "Файлы параметров (*.par)|*.par|";
inline constexpr const char* kOpenAnotherQuestion =
    "Текущая файл не был сохранен.\nВы уверены, что хотите открыть другой файл?";

}  // namespace tarvo::shell
