#include "app/gui/form_widget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/gui/check_label.h"
#include "app/gui/form_dialog.h"
#include "app/gui/number_validator.h"
#include "app/gui/qt_text.h"
#include "forms/row_name.h"

namespace tarvo::gui {

namespace {

// A cell the user cannot change still shows its value, greyed like a read-only field. A cell
// whose value the start-of-counting switch demands is tinted, and says why in its tool tip and
// to assistive technology.
void ShowCellState(QLineEdit* edit, bool editable, const QString& demand) {
  edit->setReadOnly(!editable);
  edit->setFocusPolicy(editable ? Qt::StrongFocus : Qt::NoFocus);
  edit->setToolTip(demand);
  edit->setAccessibleDescription(demand);
  QPalette palette;  // the window's own colours
  if (!editable) {
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
  } else if (!demand.isEmpty()) {
    palette.setColor(QPalette::Base, QColor(255, 236, 200));
  }
  edit->setPalette(palette);
}

// A label with a buddy reads "&" as a shortcut mark; codes and descriptions show it as written.
QString LabelText(const std::string& text) {
  return ToQt(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// Names a row's editor for assistive technology and for whoever looks for it by code.
void NameEditor(QWidget* editor, const forms::Row& row, int cell) {
  const QString accessible = ToQt(forms::CellAccessibleName(row, cell));
  if (editor->accessibleName() != accessible) editor->setAccessibleName(accessible);
  editor->setObjectName(ToQt(forms::CellObjectName(row, cell)));
}

}  // namespace

FormWidget::FormWidget(forms::Form& form, platform::Ui& ui, QWidget* parent)
    : QWidget(parent), form_(form), ui_(ui) {
  Build();
  Reload();
}

void FormWidget::Build() {
  auto* outer = new QVBoxLayout(this);
  for (const forms::Heading& heading : form_.headings) {
    auto* label = new QLabel(ToQt(heading.text), this);
    label->setWordWrap(true);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    outer->addWidget(label);
    headings_.push_back(label);
  }
  int columns = 1;
  for (const forms::Row& row : form_.Rows()) columns = std::max(columns, row.column + 1);
  auto* columnsLayout = new QHBoxLayout;
  std::vector<QGridLayout*> grids;
  std::vector<int> lines(columns, 0);
  for (int c = 0; c < columns; ++c) {
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    grid->setVerticalSpacing(2);
    grids.push_back(grid);
    auto* column = new QVBoxLayout;
    column->addLayout(grid);
    column->addStretch(1);
    columnsLayout->addLayout(column, 1);
  }
  rows_.resize(form_.Rows().size());
  for (std::size_t i = 0; i < form_.Rows().size(); ++i) {
    const int column = std::clamp(form_.Rows()[i].column, 0, columns - 1);
    AddRow(static_cast<int>(i), grids[column], lines[column]++);
  }
  outer->addLayout(columnsLayout);
  if (!form_.buttons.empty()) {
    auto* buttonRow = new QHBoxLayout;
    for (const forms::Button& button : form_.buttons) {
      auto* push = new QPushButton(ToQt(button.label), this);
      push->setObjectName(ToQt(button.id));
      push->setAccessibleName(ToQt(button.label));
      const std::string id = button.id;
      connect(push, &QPushButton::clicked, this, [this, id] { PressButton(id); });
      buttonRow->addWidget(push);
      buttons_.push_back(push);
    }
    buttonRow->addStretch(1);
    outer->addLayout(buttonRow);
  }
  outer->addStretch(1);
}

void FormWidget::AddRow(int index, QGridLayout* grid, int line) {
  if (digitWidth_ == 0) digitWidth_ = fontMetrics().horizontalAdvance(QLatin1Char('0'));
  const forms::Row& row = form_.Rows()[index];
  RowWidgets& widgets = rows_[index];
  // Beside a check box the code and description tick it when clicked, as its own text would.
  const bool isCheckBox = row.kind == forms::CellKind::CheckBox;
  widgets.code = isCheckBox ? new CheckLabel(this) : new QLabel(this);
  widgets.description = isCheckBox ? new CheckLabel(this) : new QLabel(this);
  grid->addWidget(widgets.code, line, 0);
  grid->addWidget(widgets.description, line, 1);
  auto* values = new QHBoxLayout;
  values->setSpacing(2);
  switch (row.kind) {
    case forms::CellKind::CheckBox:
      widgets.check = new QCheckBox(this);
      connect(widgets.check, &QCheckBox::clicked, this,
              [this, index](bool checked) { Redraw(form_.SetChecked(index, checked), -1); });
      values->addWidget(widgets.check);
      break;
    case forms::CellKind::DropDown:
      widgets.list = new QComboBox(this);
      connect(widgets.list, &QComboBox::activated, this,
              [this, index](int entry) { Redraw(form_.Choose(index, entry), -1); });
      values->addWidget(widgets.list);
      break;
    case forms::CellKind::Text:
    case forms::CellKind::Number:
      for (std::size_t c = 0; c < row.cells.size(); ++c) {
        auto* edit = new QLineEdit(this);
        const int limit = row.cells[c].maxLength;
        // Wide enough for the cell's limit in digits; unlimited cells take what is left.
        const int chars = limit > 0 ? std::max(limit, 2) : 24;
        edit->setMinimumWidth(digitWidth_ * (chars + 2));
        if (limit > 0) edit->setMaximumWidth(edit->minimumWidth() + 8);
        if (row.kind == forms::CellKind::Number) {
          if (numberValidator_ == nullptr) numberValidator_ = new NumberValidator(this);
          edit->setValidator(numberValidator_);
        }
        const int cell = static_cast<int>(c);
        connect(edit, &QLineEdit::textEdited, this, [this, index, cell](const QString& text) {
          Redraw(form_.EnterCell(index, cell, text.toStdString()), index);
        });
        values->addWidget(edit);
        widgets.cells.push_back(edit);
      }
      break;
  }
  if (row.helper) {
    widgets.helper = new QToolButton(this);
    widgets.helper->setText(QStringLiteral("..."));
    widgets.helper->setObjectName(ToQt(row.code + ".helper"));
    widgets.helper->setAccessibleName(ToQt(row.code) + QLatin1Char(' ') +
                                      ToQt(row.description).trimmed() + QStringLiteral(": подбор"));
    connect(widgets.helper, &QToolButton::clicked, this, [this, index] { OpenHelper(index); });
    values->addWidget(widgets.helper);
  }
  values->addStretch(1);
  grid->addLayout(values, line, 2);
  if (QWidget* editor = EditorOf(index)) {
    widgets.code->setBuddy(editor);
    widgets.description->setBuddy(editor);
  }
}

void FormWidget::OpenHelper(int index) {
  const auto helper = form_.Rows()[index].helper();
  if (!helper) return;
  helper->Fill();
  FormDialog dialog(*helper, ui_, this);
  if (dialog.exec() == QDialog::Accepted) Redraw(helper->entered, -1);
}

void FormWidget::ShowRow(int index) {
  const forms::Row& row = form_.Rows()[index];
  RowWidgets& widgets = rows_[index];
  widgets.code->setText(LabelText(row.code));
  widgets.description->setText(LabelText(row.description));
  widgets.code->setVisible(row.visible);
  widgets.description->setVisible(row.visible);
  if (widgets.check != nullptr) {
    widgets.check->setChecked(row.checked);
    widgets.check->setEnabled(row.enabled);
    widgets.check->setVisible(row.visible);
    NameEditor(widgets.check, row, 0);
  }
  if (widgets.list != nullptr) {
    const QSignalBlocker block(widgets.list);
    widgets.list->clear();
    for (const std::string& entry : row.entries) widgets.list->addItem(ToQt(entry));
    widgets.list->setCurrentIndex(row.selected);
    widgets.list->setEnabled(row.enabled);
    widgets.list->setVisible(row.visible);
    NameEditor(widgets.list, row, 0);
  }
  if (widgets.helper != nullptr) {
    widgets.helper->setEnabled(row.enabled);
    widgets.helper->setVisible(row.visible);
  }
  for (std::size_t c = 0; c < widgets.cells.size() && c < row.cells.size(); ++c) {
    QLineEdit* edit = widgets.cells[c];
    const forms::Cell& cell = row.cells[c];
    // Typing stops at the cell's length; 0 is no limit. A stored value longer than the cell
    // (a file or a device can hold one) is shown whole: cut, one keystroke would store the cut
    // text. The form refuses an edit that leaves it too long.
    const int shownLength = static_cast<int>(ToQt(cell.text).size());
    edit->setMaxLength(cell.maxLength > 0 ? std::max(cell.maxLength, shownLength) : 32767);
    if (edit->text() != ToQt(cell.text)) edit->setText(ToQt(cell.text));
    edit->setVisible(row.visible);
    NameEditor(edit, row, static_cast<int>(c));
  }
  ShowCellStates(index);
}

void FormWidget::ShowCellStates(int index) {
  const forms::Row& row = form_.Rows()[index];
  for (QLineEdit* edit : rows_[index].cells) ShowCellState(edit, row.enabled, ToQt(row.demand));
}

QSize FormWidget::RoomWanted() const {
  const int line = fontMetrics().height();
  return (sizeHint() + QSize(2 * line, 2 * line)).boundedTo(QSize(1200, 740));
}

void FormWidget::Reload() {
  for (std::size_t i = 0; i < rows_.size(); ++i) ShowRow(static_cast<int>(i));
  for (std::size_t b = 0; b < buttons_.size() && b < form_.buttons.size(); ++b) {
    buttons_[b]->setVisible(form_.buttons[b].visible);
    buttons_[b]->setEnabled(form_.buttons[b].enabled);
  }
  for (std::size_t h = 0; h < headings_.size() && h < form_.headings.size(); ++h) {
    headings_[h]->setText(ToQt(form_.headings[h].text));
  }
}

void FormWidget::Redraw(const forms::EntryResult& result, int enteredRow) {
  for (const int row : result.changedRows) {
    // The row being typed in keeps its cursor: its text is already what the form holds.
    if (row != enteredRow) ShowRow(row);
    if (row == enteredRow) ShowCellStates(row);
  }
  // A refused entry (never more than the cell holds) shows what the form kept.
  if (result.error && enteredRow >= 0) ShowRow(enteredRow);
  if (enteredRow < 0) {
    for (std::size_t b = 0; b < buttons_.size() && b < form_.buttons.size(); ++b) {
      buttons_[b]->setVisible(form_.buttons[b].visible);
    }
  }
}

void FormWidget::PlaceCursor(int row, int cell) {
  if (FocusRow(row, cell)) return;
  for (int first = 0; first < static_cast<int>(form_.Rows().size()); ++first) {
    if (form_.Rows()[first].visible && FocusRow(first)) return;
  }
}

bool FormWidget::FocusRow(int row, int cell) {
  QWidget* editor = EditorOf(row, cell);
  if (editor == nullptr || !editor->isEnabled()) return false;
  editor->setFocus(Qt::OtherFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(editor)) edit->selectAll();
  return true;
}

QWidget* FormWidget::EditorOf(int row, int cell) const {
  if (row < 0 || row >= static_cast<int>(rows_.size())) return nullptr;
  const RowWidgets& widgets = rows_[row];
  if (widgets.check != nullptr) return widgets.check;
  if (widgets.list != nullptr) return widgets.list;
  if (cell < 0 || cell >= static_cast<int>(widgets.cells.size())) return nullptr;
  return widgets.cells[cell];
}

void FormWidget::PressButton(const std::string& id) {
  forms::PressResult pressed = form_.Press(id, ui_);
  if (pressed.outcome == forms::PressResult::Outcome::Dialog) {
    FormDialog dialog(*pressed.dialog, ui_, this);
    dialog.exec();
  }
  Reload();
}

}  // namespace tarvo::gui
