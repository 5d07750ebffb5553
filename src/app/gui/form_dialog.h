#pragma once

#include <QDialog>

#include "forms/form.h"
#include "platform/ui.h"

class QPushButton;

namespace tarvo::gui {

class FormWidget;

// A modal form (the system-wide form, a dialog behind a page's button) with the form's own OK
// and cancel buttons. OK runs the form's checks; a refusal keeps the dialog open with the cursor
// in the cell it names. Enter is OK, Esc is cancel.
class FormDialog : public QDialog {
  Q_OBJECT

 public:
  FormDialog(forms::Form& form, platform::Ui& ui, QWidget* parent = nullptr);

  FormWidget& Widget() { return *widget_; }
  QPushButton* OkButton() const { return ok_; }
  // Puts the cursor in the visible row showing the code (the first editable cell if empty).
  void FocusCode(const std::string& code);

  void accept() override;

 private:
  forms::Form& form_;
  platform::Ui& ui_;
  FormWidget* widget_;
  QPushButton* ok_;
};

}  // namespace tarvo::gui
