#include "app/gui/overview_widget.h"

#include <QAction>
#include <QColor>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/gui/qt_text.h"
#include "app/gui/tree_filter.h"
#include "shell/configuration_check.h"
#include "shell/configuration_listing.h"

namespace tarvo::gui {

namespace {

enum Column { kCode, kValue, kDescription };
enum Role { kKindRole = Qt::UserRole, kIndexRole, kCodeRole, kTextsRole };

// A report text's lines side by side, so that its row keeps one line's height.
QString OneLine(const std::string& value) {
  return ToQt(value).replace(QLatin1Char('\n'), QStringLiteral(" ⏎ "));
}

// Shows on a form's heading, and on the row it names, that the form refuses the configuration.
// The icon stands before a heading's title, and before a row's description so that the codes
// stay in line.
void MarkRefusal(QTreeWidgetItem& item, const shell::Refusal& refusal) {
  const QString message = ToQt(refusal.caption + "\n" + refusal.message);
  item.setIcon(item.parent() == nullptr ? kCode : kDescription,
               item.treeWidget()->style()->standardIcon(QStyle::SP_MessageBoxWarning));
  for (int column : {kCode, kValue, kDescription}) {
    item.setForeground(column, QColor(Qt::darkRed));
    item.setToolTip(column, message);
  }
}

void MarkRefusals(QTreeWidgetItem& form, const shell::ListedForm& listed,
                  const std::vector<shell::Refusal>& refusals) {
  for (const shell::Refusal& refusal : refusals) {
    if (refusal.target != listed.target || refusal.buttonId != listed.buttonId) continue;
    MarkRefusal(form, refusal);
    for (int r = 0; r < form.childCount() && !refusal.code.empty(); ++r) {
      if (form.child(r)->text(kCode) == ToQt(refusal.code)) MarkRefusal(*form.child(r), refusal);
    }
  }
}

}  // namespace

OverviewWidget::OverviewWidget(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  auto* filterLabel = new QLabel("Найти параметр (код, описание или значение):", this);
  filter_ = new QLineEdit(this);
  filter_->setObjectName("overviewFilter");
  filter_->setClearButtonEnabled(true);
  filter_->setPlaceholderText("например, K1205 или давление");
  filterLabel->setBuddy(filter_);
  tree_ = new QTreeWidget(this);
  tree_->setObjectName("overviewTree");
  tree_->setColumnCount(3);
  tree_->setHeaderLabels({"Код", "Значение", "Описание"});
  tree_->setUniformRowHeights(true);
  tree_->setAlternatingRowColors(true);
  tree_->header()->setSectionResizeMode(kCode, QHeaderView::ResizeToContents);
  tree_->header()->setSectionResizeMode(kValue, QHeaderView::ResizeToContents);
  layout->addWidget(filterLabel);
  layout->addWidget(filter_);
  layout->addWidget(tree_, 1);
  connect(filter_, &QLineEdit::textChanged, this, &OverviewWidget::ApplyFilter);
  // Esc anywhere in the overview brings every row back.
  auto* clearFilter = new QAction(this);
  clearFilter->setObjectName("overviewClearFilter");
  clearFilter->setShortcut(QKeySequence(Qt::Key_Escape));
  clearFilter->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  connect(clearFilter, &QAction::triggered, filter_, &QLineEdit::clear);
  addAction(clearFilter);
  connect(tree_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    if (item == nullptr) return;
    if (item->data(kCode, kTextsRole).toBool()) {
      Q_EMIT reportTextsActivated();
      return;
    }
    if (item->data(kCode, kKindRole).isNull()) return;
    shell::FormTarget target;
    target.kind = static_cast<shell::FormTarget::Kind>(item->data(kCode, kKindRole).toInt());
    target.index = item->data(kCode, kIndexRole).toInt();
    Q_EMIT rowActivated(target, item->data(kCode, kCodeRole).toString());
  });
}

void OverviewWidget::ShowConfiguration(const model::ParameterSet& set) {
  // The refill keeps the reader's place: the current row and how far the list was scrolled.
  const QTreeWidgetItem* current = tree_->currentItem();
  const QString currentForm =
      current == nullptr
          ? QString()
          : (current->parent() != nullptr ? current->parent() : current)->text(kCode);
  const QString currentCode =
      current == nullptr || current->parent() == nullptr ? QString() : current->text(kCode);
  const int scrolled = tree_->verticalScrollBar()->value();

  tree_->clear();
  // What the forms would refuse, were they opened and confirmed now, shows on their rows.
  const std::vector<shell::Refusal> refusals = shell::CheckConfiguration(set);
  std::string pageTitle;
  QTreeWidgetItem* restored = nullptr;
  for (const shell::ListedForm& form : shell::ListConfigurationAndTexts(set)) {
    const bool texts = form.name == shell::kTextsFormName;
    // A dialog behind a button is named with its page: "Канал учета 01 — Параметры ...".
    if (form.buttonId.empty()) pageTitle = form.title;
    const std::string title = form.buttonId.empty() ? form.title : pageTitle + " — " + form.title;
    auto* top = new QTreeWidgetItem(tree_, {ToQt(title)});
    top->setFirstColumnSpanned(true);
    QFont bold = top->font(kCode);
    bold.setBold(true);
    top->setFont(kCode, bold);
    if (top->text(kCode) == currentForm && currentCode.isEmpty()) restored = top;
    for (const shell::ListedRow& row : form.rows) {
      auto* item = new QTreeWidgetItem(
          top, {ToQt(row.code), OneLine(row.value), ToQt(row.description).trimmed()});
      if (texts) {
        item->setData(kCode, kTextsRole, true);
      } else {
        item->setData(kCode, kKindRole, static_cast<int>(form.target.kind));
        item->setData(kCode, kIndexRole, form.target.index);
        // A row of a dialog behind a button opens its page, where the button is.
        item->setData(kCode, kCodeRole, form.buttonId.empty() ? ToQt(row.code) : QString());
      }
      if (top->text(kCode) == currentForm && item->text(kCode) == currentCode) restored = item;
    }
    MarkRefusals(*top, form, refusals);
  }
  tree_->expandAll();
  ApplyFilter(filter_->text());
  if (restored != nullptr) tree_->setCurrentItem(restored);
  // The scroll range follows the new rows only once they are laid out.
  tree_->doItemsLayout();
  tree_->verticalScrollBar()->setValue(scrolled);
}

void OverviewWidget::FocusFilter() {
  filter_->setFocus(Qt::ShortcutFocusReason);
  filter_->selectAll();
}

void OverviewWidget::ApplyFilter(const QString& text) {
  FilterFormRows(*tree_, text, kCode, {kDescription, kValue});
}

}  // namespace tarvo::gui
