#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "app/gui/form_runner.h"
#include "model/document.h"
#include "platform/ui.h"
#include "shell/configuration_check.h"

class QLabel;
class QTreeWidget;

namespace tarvo::gui {

// The forms that refuse the configuration, one entry each with its form, row and first message.
// Double-clicking an entry opens that form at that row; the list is checked again afterwards.
class CheckListDialog : public QDialog {
  Q_OBJECT

 public:
  enum class Purpose {
    Review,       // "Закрыть"
    BeforeWrite,  // "Записать всё равно" and "Отмена", Отмена the default
  };
  using OpenForm = std::function<void(const FormPlace&)>;
  using Check = std::function<std::vector<shell::Refusal>()>;

  // Checks at once: a dialog that finds nothing need not be shown.
  CheckListDialog(Purpose purpose, OpenForm openForm, Check check, QWidget* parent = nullptr);

  bool AllAccept() const { return refusals_.empty(); }

 private:
  void ShowRefusals();
  // As large as the list's texts need, within the screen.
  void FitToList();
  void OpenEntry(int index);

  OpenForm openForm_;
  Check check_;
  std::vector<shell::Refusal> refusals_;
  QString purposeText_;
  QLabel* summary_;
  QTreeWidget* list_;
};

inline constexpr const char* kCheckTitle = "Проверка конфигурации";
inline constexpr const char* kAllFormsAccept = "Все формы принимают конфигурацию.";

// "Проверить конфигурацию": the list, or a message that every form accepts.
void ReviewConfiguration(QWidget* parent, const model::ConfigurationDocument& document,
                         platform::Ui& ui, const CheckListDialog::OpenForm& openForm);

// Before writing into a flow computer: true at once for a configuration every form accepts,
// otherwise only when the user chose "Записать всё равно".
bool ConfirmWrite(QWidget* parent, const model::ConfigurationDocument& document,
                  const CheckListDialog::OpenForm& openForm);

}  // namespace tarvo::gui
