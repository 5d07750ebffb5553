#include "app/gui/help_window.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "app/gui/qt_text.h"

namespace tarvo::gui {

namespace {

constexpr int kPositionRole = Qt::UserRole;

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("helpWindow"));
  setWindowTitle(ToQt("Справка по программе TarvoConfig"));

  auto* searchLabel = new QLabel(ToQt("&Найти:"), this);
  search_ = new QLineEdit(this);
  search_->setObjectName(QStringLiteral("helpSearch"));
  search_->setAccessibleName(ToQt("Найти в справке"));
  search_->setClearButtonEnabled(true);
  searchLabel->setBuddy(search_);
  auto* next = new QPushButton(ToQt("Найти &далее"), this);
  next->setObjectName(QStringLiteral("helpFindNext"));
  searchState_ = new QLabel(this);
  searchState_->setObjectName(QStringLiteral("helpSearchState"));
  auto* searchRow = new QHBoxLayout;
  searchRow->addWidget(searchLabel);
  searchRow->addWidget(search_, 1);
  searchRow->addWidget(next);
  searchRow->addWidget(searchState_);

  contents_ = new QTreeWidget(this);
  contents_->setObjectName(QStringLiteral("helpContents"));
  contents_->setAccessibleName(ToQt("Содержание справки"));
  contents_->setHeaderLabel(ToQt("Содержание"));
  browser_ = new QTextBrowser(this);
  browser_->setObjectName(QStringLiteral("helpText"));
  browser_->setAccessibleName(ToQt("Текст справки"));
  browser_->setOpenExternalLinks(true);
  auto* splitter = new QSplitter(this);
  splitter->addWidget(contents_);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({260, 640});

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(searchRow);
  layout->addWidget(splitter, 1);
  resize(960, 700);

  // Typing looks from the top, so the first place that holds the text shows; Enter goes on.
  connect(search_, &QLineEdit::textEdited, this, [this](const QString& text) {
    browser_->moveCursor(QTextCursor::Start);
    FindNext(text);
  });
  connect(search_, &QLineEdit::returnPressed, this, [this] { FindNext(search_->text()); });
  connect(next, &QPushButton::clicked, this, [this] { FindNext(search_->text()); });
  connect(contents_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (item != nullptr) ShowHeading(item->data(0, kPositionRole).toInt());
  });
}

bool HelpWindow::Load(const QString& path, std::string& reason) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    reason = file.errorString().toStdString();
    return false;
  }
  // Through its address, so that the links between its sections work.
  browser_->setSource(QUrl::fromLocalFile(path), QTextDocument::HtmlResource);
  FillContents();
  return true;
}

bool HelpWindow::FindNext(const QString& text) {
  bool found = text.isEmpty() || browser_->find(text);
  if (!found) {
    const QTextCursor kept = browser_->textCursor();
    browser_->moveCursor(QTextCursor::Start);
    found = browser_->find(text);
    if (!found) browser_->setTextCursor(kept);
  }
  searchState_->setText(found ? QString() : ToQt("Не найдено"));
  return found;
}

void HelpWindow::FillContents() {
  contents_->clear();
  QTreeWidgetItem* section = nullptr;
  for (QTextBlock block = browser_->document()->begin(); block.isValid(); block = block.next()) {
    const int level = block.blockFormat().headingLevel();
    // The first heading is the help's title; the sections and their parts follow it.
    if (level < 2 || block.text().trimmed().isEmpty()) continue;
    auto* item = level == 2 || section == nullptr ? new QTreeWidgetItem(contents_)
                                                  : new QTreeWidgetItem(section);
    if (level == 2) section = item;
    item->setText(0, block.text().trimmed());
    item->setData(0, kPositionRole, block.position());
  }
  contents_->expandAll();
}

void HelpWindow::ShowHeading(int position) {
  const QTextBlock block = browser_->document()->findBlock(position);
  browser_->setTextCursor(QTextCursor(block));
  const QRectF place = browser_->document()->documentLayout()->blockBoundingRect(block);
  browser_->verticalScrollBar()->setValue(static_cast<int>(place.top()));
}

}  // namespace tarvo::gui
