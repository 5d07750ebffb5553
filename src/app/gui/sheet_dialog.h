#pragma once

#include <QDialog>
#include <vector>

#include "forms/property_sheet.h"
#include "platform/ui.h"

class QTabWidget;
class QPushButton;

namespace tarvo::gui {

class FormWidget;

// A property sheet: one tab per page, OK and "Отмена", no Apply. A page that refuses to be left
// keeps its tab and puts the cursor in the cell its message names. Pages are drawn when first
// shown, so a sheet of twenty channels opens at once.
class SheetDialog : public QDialog {
  Q_OBJECT

 public:
  SheetDialog(forms::PropertySheet& sheet, platform::Ui& ui, QWidget* parent = nullptr);

  QTabWidget* Tabs() const { return tabs_; }
  QPushButton* OkButton() const { return ok_; }
  // The drawn page of a tab (drawing it when it was not yet shown).
  FormWidget& PageWidget(int index);
  // Chooses a tab as the user would: the page shown is left first and may refuse.
  bool SelectPage(int index);
  // Puts the cursor in the row showing the code on the current page.
  void FocusCode(const std::string& code);

  void accept() override;

 private:
  void TabChosen(int index);

  forms::PropertySheet& sheet_;
  platform::Ui& ui_;
  QTabWidget* tabs_;
  QPushButton* ok_;
  std::vector<FormWidget*> pages_;
  int shown_ = 0;
};

}  // namespace tarvo::gui
