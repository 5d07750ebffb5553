#include "app/gui/sheet_dialog.h"
#include "app/gui/qt_text.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/gui/form_widget.h"
#include "app/gui/whole_title.h"

namespace tarvo::gui {

SheetDialog::SheetDialog(forms::PropertySheet& sheet, platform::Ui& ui, QWidget* parent)
    : QDialog(parent), sheet_(sheet), ui_(ui) {
  setWindowTitle(ToQt(sheet.Caption()));
  auto* layout = new QVBoxLayout(this);
  tabs_ = new QTabWidget(this);
  // Tabs that do not fit scroll whole instead of being cut mid-word; the list beside them
  // reaches any page with one choice.
  tabs_->setUsesScrollButtons(true);
  tabs_->setElideMode(Qt::ElideNone);
  pages_.assign(sheet.PageCount(), nullptr);
  for (int i = 0; i < sheet.PageCount(); ++i) {
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);  // its cells take the focus, the frame around them not
    tabs_->addTab(scroll, ToQt(sheet.PageAt(i).tabTitle));
  }
  if (sheet.PageCount() > 1) {
    pageList_ = new QComboBox(tabs_);
    pageList_->setObjectName(QStringLiteral("pageList"));
    pageList_->setAccessibleName(QStringLiteral("Список страниц"));
    pageList_->setToolTip(pageList_->accessibleName());
    for (int i = 0; i < sheet.PageCount(); ++i) pageList_->addItem(tabs_->tabText(i));
    connect(pageList_, &QComboBox::activated, this, &SheetDialog::SelectPage);
    tabs_->setCornerWidget(pageList_, Qt::TopRightCorner);
  }
  // Ctrl+PgDn and Ctrl+PgUp step through the pages, as Ctrl+Tab does, whichever cell has focus.
  auto* next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown), this);
  connect(next, &QShortcut::activated, this, [this] { StepPage(1); });
  auto* previous = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp), this);
  connect(previous, &QShortcut::activated, this, [this] { StepPage(-1); });
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
    const int corner = pageList_ != nullptr ? pageList_->sizeHint().width() : 0;
    scroll->setMinimumSize(
        std::min(std::max(room.width(), tabs_->tabBar()->sizeHint().width() + corner), 1200),
        room.height());
  }
  KeepTitleWhole(*this);
  connect(tabs_, &QTabWidget::currentChanged, this, &SheetDialog::TabChosen);
  FocusCode({});
}

SheetDialog::~SheetDialog() {
  // The tabs are destroyed after this class's members, and removing their pages changes the
  // current tab: that must not reach TabChosen any more.
  disconnect(tabs_, nullptr, this, nullptr);
}

FormWidget& SheetDialog::PageWidget(int index) {
  if (pages_[index] == nullptr) {
    auto* scroll = static_cast<QScrollArea*>(tabs_->widget(index));
    pages_[index] = new FormWidget(sheet_.PageAt(index), ui_, scroll);
    scroll->setWidget(pages_[index]);
  }
  return *pages_[index];
}

void SheetDialog::StepPage(int step) {
  const int count = tabs_->count();
  if (count > 1) SelectPage((shown_ + step + count) % count);
}

void SheetDialog::ShowCurrentInList() {
  if (pageList_ == nullptr) return;
  const QSignalBlocker block(pageList_);
  pageList_->setCurrentIndex(shown_);
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
    ShowCurrentInList();
    PageWidget(shown_).PlaceCursor(left.row, left.cell);
    return;
  }
  shown_ = index;
  ShowCurrentInList();
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
