#include "app/gui/sheet_dialog.h"
#include "app/gui/qt_text.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/gui/form_widget.h"

namespace tarvo::gui {

SheetDialog::SheetDialog(forms::PropertySheet& sheet, platform::Ui& ui, QWidget* parent)
    : QDialog(parent), sheet_(sheet), ui_(ui) {
  setWindowTitle(ToQt(sheet.Caption()));
  auto* layout = new QVBoxLayout(this);
  tabs_ = new QTabWidget(this);
  tabs_->setUsesScrollButtons(true);
  pages_.assign(sheet.PageCount(), nullptr);
  for (int i = 0; i < sheet.PageCount(); ++i) {
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    tabs_->addTab(scroll, ToQt(sheet.PageAt(i).tabTitle));
  }
  layout->addWidget(tabs_);
  auto* box = new QDialogButtonBox(this);
  ok_ = box->addButton("OK", QDialogButtonBox::AcceptRole);
  ok_->setDefault(true);
  box->addButton("Отмена", QDialogButtonBox::RejectRole);
  connect(box, &QDialogButtonBox::accepted, this, &SheetDialog::accept);
  connect(box, &QDialogButtonBox::rejected, this, &SheetDialog::reject);
  layout->addWidget(box);

  sheet_.Open(ui_);
  if (sheet.PageCount() > 0) {
    FormWidget& first = PageWidget(0);
    first.Reload();
    auto* scroll = static_cast<QScrollArea*>(tabs_->widget(0));
    // Wide enough for the page and, where the screen allows, for every tab.
    const QSize room = first.RoomWanted();
    scroll->setMinimumSize(
        std::min(std::max(room.width(), tabs_->tabBar()->sizeHint().width()), 1200), room.height());
  }
  connect(tabs_, &QTabWidget::currentChanged, this, &SheetDialog::TabChosen);
  FocusCode({});
}

FormWidget& SheetDialog::PageWidget(int index) {
  if (pages_[index] == nullptr) {
    auto* scroll = static_cast<QScrollArea*>(tabs_->widget(index));
    pages_[index] = new FormWidget(sheet_.PageAt(index), ui_, scroll);
    scroll->setWidget(pages_[index]);
  }
  return *pages_[index];
}

bool SheetDialog::SelectPage(int index) {
  if (index == shown_) return true;
  tabs_->setCurrentIndex(index);
  return shown_ == index;
}

void SheetDialog::TabChosen(int index) {
  if (index < 0 || index == shown_) return;
  if (const forms::Verdict left = sheet_.Select(index, ui_); !left) {
    // The page refused to be left: its tab stays in front.
    const QSignalBlocker block(tabs_);
    tabs_->setCurrentIndex(shown_);
    PageWidget(shown_).PlaceCursor(left.row, left.cell);
    return;
  }
  shown_ = index;
  PageWidget(index).Reload();
  FocusCode({});
}

void SheetDialog::FocusCode(const std::string& code) {
  if (sheet_.PageCount() == 0) return;
  FormWidget& page = PageWidget(shown_);
  page.PlaceCursor(code.empty() ? -1 : page.Model().RowIndexOf(code));
}

void SheetDialog::accept() {
  if (const forms::Verdict ok = sheet_.Ok(ui_); !ok) {
    PageWidget(shown_).PlaceCursor(ok.row, ok.cell);
    return;
  }
  QDialog::accept();
}

}  // namespace tarvo::gui
