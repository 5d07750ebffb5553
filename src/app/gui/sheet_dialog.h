#pragma once

#include <QDialog>
#include <vector>

#include "forms/property_sheet.h"
#include "platform/ui.h"

class QComboBox;
class QTabWidget;
class QPushButton;

namespace tarvo::gui {

class FormWidget;

// A property sheet: one tab per page, OK and "Отмена", no Apply. A page that refuses to be left
// keeps its tab and puts the cursor in the cell its message names. Pages are drawn when first
// shown, so a sheet of twenty channels opens at once; a list beside the tabs reaches each page.
class SheetDialog : public QDialog {
  Q_OBJECT

 public:
  SheetDialog(forms::PropertySheet& sheet, platform::Ui& ui, QWidget* parent = nullptr);
  ~SheetDialog() override;

  QTabWidget* Tabs() const { return tabs_; }
  QPushButton* OkButton() const { return ok_; }
  // The list of pages beside the tabs; null when the sheet has one page.
  QComboBox* PageList() const { return pageList_; }
  // The drawn page of a tab (drawing it when it was not yet shown).
  FormWidget& PageWidget(int index);
  // Chooses a tab as the user would: the page shown is left first and may refuse.
  bool SelectPage(int index);
  // Puts the cursor in the row showing the code on the current page.
  void FocusCode(const std::string& code);

  void accept() override;

 private:
  void TabChosen(int index);
  // The next or previous page, round the end.
  void StepPage(int step);
  void ShowCurrentInList();

  forms::PropertySheet& sheet_;
  platform::Ui& ui_;
  QTabWidget* tabs_;
  QPushButton* ok_;
  QComboBox* pageList_ = nullptr;
  std::vector<FormWidget*> pages_;
  int shown_ = 0;
};

}  // namespace tarvo::gui
