#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui.h"

namespace tarvo::forms {

enum class CellKind { Text, Number, CheckBox, DropDown };

// One editable value cell; maxLength 0 means no limit (in characters).
struct Cell {
  std::string text;
  int maxLength = 0;
};

// One parameter as the user sees it: code, description and the value. Most rows have one value
// cell; a few (input assignments) have several; a check box or a drop-down list has none.
struct Row {
  std::string code;
  std::string description;
  CellKind kind = CellKind::Text;
  std::vector<Cell> cells;
  bool checked = false;              // check box
  std::vector<std::string> entries;  // drop-down list
  int selected = -1;                 // drop-down list, -1 = nothing chosen
  bool visible = true;
  bool enabled = true;
  int column = 0;

  // The single value cell's text (the first cell of a multi-cell row).
  std::string& Text() { return cells.front().text; }
  const std::string& Text() const { return cells.front().text; }
};

Row TextRow(std::string code, std::string description, int maxLength, int column = 0);
Row NumberRow(std::string code, std::string description, int column = 0);
Row CheckBoxRow(std::string code, std::string description, int column = 0);

// A row's value as one text: the cells joined by ",", a check box as "1" or "0", a drop-down
// list as the chosen entry.
std::string RowValueText(const Row& row);

// Enters a value the way a user would type or click it. A check box takes 1 or 0; a drop-down
// list the entry's text or its 0-based index; a row of several cells their texts separated by
// commas or run together at the cells' widths. A text longer than a cell's limit is refused,
// never cut. Returns the reason when the value cannot be entered.
std::optional<std::string> EnterRowValue(Row& row, std::string_view value);

struct Heading {
  std::string text;
  int column = 0;
};

struct Button {
  std::string id;
  std::string label;
  bool visible = true;
  bool enabled = true;
  // Opens a dialog of rows that checks nothing of this form first and stores into the set on
  // its own OK, so a front end may open it just to reach its rows (a table of a channel).
  bool opensDialog = false;
};

// A form is a list of rows with its actions. The desktop window renders any form with one
// generic widget; the command line and the tests set cell texts and call the same actions.
class Form {
 public:
  virtual ~Form() = default;

  std::string title;
  std::vector<Heading> headings;
  std::vector<Row> rows;
  std::vector<Button> buttons;  // extra buttons beside accept and cancel
  std::string acceptLabel = "OK";
  std::string cancelLabel = "Отмена";  // empty: the form has no cancel button

  // Sets the rows from the configuration (on first display, and for pages on activation).
  virtual void Fill() = 0;
  // OK of a modal form, leaving a page: runs the checks in order, stops at the first failure
  // with one message, and commits when every check passed.
  virtual bool Accept(platform::Ui& ui) = 0;
  // An extra button. May return a form to run modally (filled by the caller like any form).
  virtual std::unique_ptr<Form> Press(std::string_view buttonId, platform::Ui& ui);
  // The user chose another entry of a drop-down list or clicked a check box. A form that
  // relabels or shows rows after such a choice overrides this; typed text never calls it.
  virtual void RowChanged(Row& row);
  // Enters a value as the user would (EnterRowValue) and tells the form of a changed choice.
  std::optional<std::string> EnterValue(Row& row, std::string_view value);
  // Cancel needs no action of the form: it checks nothing, and whatever the form committed
  // while it ran is undone by the guarded edit's snapshot.

  // The visible row showing the code, or null.
  Row* FindRow(std::string_view code);
  const Row* FindRow(std::string_view code) const;
  Button* FindButton(std::string_view id);
};

// A dialog behind an extra button, opened and filled.
struct OpenedDialog {
  std::string buttonId;
  std::unique_ptr<Form> form;
};
// Opens the dialogs of the form's visible, enabled buttons that open a dialog; other buttons are
// not pressed.
std::vector<OpenedDialog> OpenDialogs(Form& form, platform::Ui& ui);

// Length of a UTF-8 text in characters.
int CharCount(std::string_view text);

}  // namespace tarvo::forms
