#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui.h"

namespace tarvo::forms {

enum class CellKind { Text, Number, CheckBox, DropDown };

class RowHelperForm;

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
  // The start-of-counting demand this row's value leaves unmet while the switch is on; empty
  // when none. A front end marks the cell with it.
  std::string demand;
  // Set by the check that refused this row: the cell to put the cursor in; -1 when not refused.
  mutable int refusedCell = -1;
  // When, among the marks of one OK, this row was marked: the earliest names the refusal.
  mutable int refusalOrder = 0;
  // A dialog that composes the value (drawn as "..." beside the cell); null: none.
  std::function<std::unique_ptr<RowHelperForm>()> helper;

  // The single value cell's text (the first cell of a multi-cell row). A row without cells (a
  // check box, a list) reads as empty; writing to one gives it a cell that nothing shows.
  std::string& Text();
  const std::string& Text() const;
};

// Whether two rows show the same thing (refusal marks aside).
bool SameShown(const Row& a, const Row& b);

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

class Form;

struct Button {
  Button(std::string buttonId, std::string buttonLabel)
      : id(std::move(buttonId)), label(std::move(buttonLabel)) {}

  std::string id;
  std::string label;
  bool visible = true;
  bool enabled = true;
  // A dialog of rows that checks nothing of this form first and stores into the set on its own
  // OK, so a front end may open it just to reach its rows (a table of a channel). Pressing the
  // button opens it without asking the form.
  std::function<std::unique_ptr<Form>()> dialog;

  bool OpensDialog() const { return dialog != nullptr; }
};

// What pressing an extra button came to.
struct PressResult {
  enum class Outcome {
    Unavailable,  // no such button, or hidden or disabled: nothing happened
    Refused,      // the form's checks refused (the message was shown)
    Done,         // the button did its work
    Dialog,       // a dialog to run modally, already filled
  };
  Outcome outcome = Outcome::Unavailable;
  std::unique_ptr<Form> dialog;

  static PressResult Refused() { return {Outcome::Refused, nullptr}; }
  static PressResult Done() { return {Outcome::Done, nullptr}; }
  static PressResult OpenDialog(std::unique_ptr<Form> form);
};

// The outcome of OK or of leaving a page: accepted, or the row and cell the refusal names
// (row -1 when the refusal names none, as a start-of-counting demand of the whole page).
struct Verdict {
  bool accepted = true;
  int row = -1;
  int cell = 0;

  explicit operator bool() const { return accepted; }
};

// A value the start-of-counting switch demands that the form does not hold: the row showing it
// (-1 when no row does) and the demand's message.
struct Demand {
  int row = -1;
  std::string message;
};

// What entering a value did: why it was not taken, and which rows now show something else
// (the entered row among them), so a front end redraws only those.
struct EntryResult {
  std::optional<std::string> error;
  std::vector<int> changedRows;
};

// A form is a list of rows with its actions. The desktop window renders any form with one
// generic widget; the command line and the tests read the rows and change them only through
// the entry actions, so the form's own rules always run.
class Form {
 public:
  virtual ~Form() = default;

  std::string title;
  std::vector<Heading> headings;
  std::vector<Button> buttons;  // extra buttons beside accept and cancel
  std::string acceptLabel = "OK";
  std::string cancelLabel = "Отмена";  // empty: the form has no cancel button

  // Sets the rows from the configuration (on first display, and for pages on activation).
  virtual void Fill() = 0;
  // OK of a modal form or leaving a page, the only one a front end presses: runs the checks in
  // order, stops at the first failure with one message and says which cell it names, and
  // commits when every check passed.
  Verdict Submit(platform::Ui& ui);
  // An extra button: a button's own dialog opens at once; any other is the form's OnPress.
  PressResult Press(std::string_view buttonId, platform::Ui& ui);

  // What a window does to a row: type into a cell (refused beyond the cell's length), tick a
  // check box, choose a list entry. A front end never writes rows directly.
  EntryResult EnterCell(int row, int cell, std::string_view text);
  EntryResult SetChecked(int row, bool checked);
  EntryResult Choose(int row, int entry);
  // A value as one text, as the command line gives it (see EnterRowValue), entered through the
  // three above.
  EntryResult EnterValue(int row, std::string_view value);
  // Cancel needs no action of the form: it checks nothing, and whatever the form committed
  // while it ran is undone by the guarded edit's snapshot.

  // The start-of-counting demands that the form's values leave unmet, in the order its OK would
  // report them; none for a form that demands nothing or while the switch is off.
  virtual std::vector<Demand> UnmetDemands() { return {}; }

  const std::vector<Row>& Rows() const { return rows; }
  // The visible row showing the code, or null.
  const Row* FindRow(std::string_view code) const;
  Button* FindButton(std::string_view id);
  // Index of the visible row showing the code, or -1.
  int RowIndexOf(std::string_view code) const;

 protected:
  // Only the form itself fills and relabels its rows.
  std::vector<Row> rows;

  // The checks and the commit behind Submit.
  virtual bool Accept(platform::Ui& ui) = 0;
  // The user chose another entry of a drop-down list or clicked a check box. A form that
  // relabels or shows rows after such a choice overrides this; typed text never calls it.
  virtual void RowChanged(Row& row);
  // An extra button without a dialog of its own.
  virtual PressResult OnPress(std::string_view buttonId, platform::Ui& ui);
  // Marks every row with the demand it leaves unmet (after filling, after every entry).
  void MarkDemands();

 private:
  EntryResult Changed(const std::vector<Row>& before, std::optional<std::string> error);
};

// A dialog that composes one row's value: it opens filled from the row, and its OK enters the
// value through the owning form's EnterCell, so the form's own rules run as for typing.
class RowHelperForm : public Form {
 public:
  // What entering the value changed on the owning form; empty until OK.
  EntryResult entered;
};

// Marks the row a check refused (unless a check within it already named a cell) and returns
// false, so a check can end with it.
bool MarkRefused(const Row& row, int cell = 0);

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
