#include "app/gui/form_dialog.h"
#include "app/gui/qt_text.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "app/gui/form_widget.h"
#include "app/gui/whole_title.h"

namespace tarvo::gui {

FormDialog::FormDialog(forms::Form& form, platform::Ui& ui, QWidget* parent)
    : QDialog(parent), form_(form), ui_(ui) {
  setWindowTitle(ToQt(form.title));
  auto* layout = new QVBoxLayout(this);
  auto* scroll = new QScrollArea(this);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setFocusPolicy(Qt::NoFocus);  // its cells take the focus, the frame around them not
  widget_ = new FormWidget(form, ui, scroll);
  scroll->setWidget(widget_);
  layout->addWidget(scroll);
  auto* box = new QDialogButtonBox(this);
  ok_ = box->addButton(ToQt(form.acceptLabel), QDialogButtonBox::AcceptRole);
  ok_->setDefault(true);
  if (!form.cancelLabel.empty()) {
    box->addButton(ToQt(form.cancelLabel), QDialogButtonBox::RejectRole);
  }
  connect(box, &QDialogButtonBox::accepted, this, &FormDialog::accept);
  connect(box, &QDialogButtonBox::rejected, this, &FormDialog::reject);
  layout->addWidget(box);
  // Show the whole form where the screen allows it.
  scroll->setMinimumSize(widget_->RoomWanted());
  KeepTitleWhole(*this);
  FocusCode({});
}

void FormDialog::FocusCode(const std::string& code) {
  widget_->PlaceCursor(code.empty() ? -1 : form_.RowIndexOf(code));
}

void FormDialog::accept() {
  const forms::Verdict verdict = form_.Submit(ui_);
  if (verdict.accepted) {
    QDialog::accept();
    return;
  }
  widget_->PlaceCursor(verdict.row, verdict.cell);
}

}  // namespace tarvo::gui
