#pragma once

#include <QDialog>

#include "model/new_configuration_dialog.h"

class QComboBox;

namespace tarvo::gui {

// Draws the new-configuration dialog model: its lists and their rules stay in the model.
class NewConfigurationDialogWidget : public QDialog {
  Q_OBJECT

 public:
  NewConfigurationDialogWidget(model::NewConfigurationDialog& dialog, QWidget* parent = nullptr);

 private:
  void FillCodes();

  model::NewConfigurationDialog& dialog_;
  QComboBox* types_ = nullptr;
  QComboBox* codes_ = nullptr;
};

// Runs the dialog modally; true on "Готово".
bool RunNewConfigurationDialog(QWidget* parent, model::NewConfigurationDialog& dialog);

}  // namespace tarvo::gui
