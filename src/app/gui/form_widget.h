#pragma once

#include <QWidget>
#include <vector>

#include "forms/form.h"
#include "platform/ui.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QValidator;

namespace tarvo::gui {

// Draws any form model: one line per row (code, description, value cells, a check box or a
// list) in the form's columns, its headings and its extra buttons. Everything the user enters
// goes through the form, which holds the cell limits and says which rows to redraw.
class FormWidget : public QWidget {
  Q_OBJECT

 public:
  FormWidget(forms::Form& form, platform::Ui& ui, QWidget* parent = nullptr);

  forms::Form& Model() { return form_; }
  // The room to give the form so that it shows whole: its size hint with a little to spare for
  // headings that wrap onto another line, bounded by what a screen holds.
  QSize RoomWanted() const;
  // Re-reads every row (after the form was filled again).
  void Reload();
  // Puts the cursor in a row's cell (the one a refusal names, the row a code shows) or, when that
  // row takes no input, in the first row that does.
  void PlaceCursor(int row, int cell = 0);
  // Puts the cursor in a row's cell; false when the row has no editable widget.
  bool FocusRow(int row, int cell = 0);
  // The widget that edits a row's cell, a check box or a list; null when the row has none.
  QWidget* EditorOf(int row, int cell = 0) const;

 private:
  struct RowWidgets {
    QLabel* code = nullptr;
    QLabel* description = nullptr;
    std::vector<QLineEdit*> cells;
    QCheckBox* check = nullptr;
    QComboBox* list = nullptr;
    QToolButton* helper = nullptr;  // "..." of a row with a helper dialog
  };

  void Build();
  void AddRow(int index, QGridLayout* grid, int line);
  void ShowRow(int index);
  // Editable or not, and the start-of-counting demand, of a row's value cells.
  void ShowCellStates(int index);
  void Redraw(const forms::EntryResult& result, int enteredRow);
  void PressButton(const std::string& id);
  // Runs the row's helper dialog; its OK has entered the value, so the changed rows are redrawn.
  void OpenHelper(int index);

  forms::Form& form_;
  platform::Ui& ui_;
  std::vector<RowWidgets> rows_;
  std::vector<QPushButton*> buttons_;
  std::vector<QLabel*> headings_;
  QValidator* numberValidator_ = nullptr;  // shared by the number cells
  int digitWidth_ = 0;
};

}  // namespace tarvo::gui
