#include "app/gui/differences_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/gui/form_runner.h"
#include "app/gui/qt_text.h"
#include "app/gui/report_text_dialog.h"
#include "app/gui/tree_filter.h"
#include "shell/safe_write.h"
#include "shell/take_value.h"

namespace tarvo::gui {

namespace {

using shell::Presence;

enum Column { kCode, kFirst, kSecond, kDescription };
enum Role { kFormRole = Qt::UserRole, kRowRole };

constexpr const char* kAbsent = "(нет)";
constexpr const char* kNoDifferences =
    "Различий нет: формы обеих конфигураций показывают одни и те же значения.";

constexpr int kLongestShown = 60;

// A value on one line of the list: line breaks as ↵, blank edges quoted so that "" and " "
// differ, a long text cut short (its tip holds all of it).
QString Shown(const std::optional<std::string>& value) {
  if (!value) return ToQt(kAbsent);
  QString text = ToQt(*value);
  text.replace(QLatin1Char('\n'), ToQt(" ↵ "));
  if (text.size() > kLongestShown) text = text.left(kLongestShown) + ToQt("…");
  if (text.isEmpty() || text.front() == QLatin1Char(' ') || text.back() == QLatin1Char(' ')) {
    text = ToQt("«") + text + ToQt("»");
  }
  return text;
}

QString DocumentName(const model::ConfigurationDocument& document) {
  return ToQt(document.Title());
}

// A line over a group of forms after a write, neither a form nor a row: nothing to open or take.
void AddHeading(QTreeWidget& tree, const char* text, bool fault) {
  auto* heading = new QTreeWidgetItem(&tree, {ToQt(text)});
  heading->setFirstColumnSpanned(true);
  heading->setFlags(Qt::ItemIsEnabled);
  heading->setIcon(kCode, tree.style()->standardIcon(fault ? QStyle::SP_MessageBoxCritical
                                                           : QStyle::SP_MessageBoxInformation));
  if (fault) heading->setForeground(kCode, Qt::darkRed);
}

}  // namespace

DifferencesDialog::DifferencesDialog(model::ConfigurationDocument& document,
                                     const model::ParameterSet& other, const QString& otherName,
                                     platform::Ui& ui, QWidget* parent, bool afterWrite)
    : QDialog(parent),
      document_(document),
      other_(other),
      otherName_(otherName),
      ui_(ui),
      afterWrite_(afterWrite) {
  setWindowTitle(ToQt("Различия конфигураций"));
  setObjectName(QStringLiteral("differencesDialog"));

  summary_ = new QLabel(this);
  summary_->setObjectName(QStringLiteral("differencesSummary"));
  summary_->setWordWrap(true);
  auto* filterLabel = new QLabel(ToQt("Найти параметр (код, описание или значение):"), this);
  filter_ = new QLineEdit(this);
  filter_->setObjectName(QStringLiteral("differencesFilter"));
  filter_->setClearButtonEnabled(true);
  filter_->setPlaceholderText(ToQt("например, K1205 или давление"));
  filterLabel->setBuddy(filter_);

  tree_ = new QTreeWidget(this);
  tree_->setObjectName(QStringLiteral("differencesTree"));
  tree_->setColumnCount(4);
  tree_->setHeaderLabels(
      {ToQt("Код"), ToQt("Открытая конфигурация"), otherName_, ToQt("Описание")});
  tree_->setUniformRowHeights(true);
  tree_->setAlternatingRowColors(true);
  tree_->setRootIsDecorated(true);
  for (Column column : {kCode, kFirst, kSecond}) {
    tree_->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
  }

  take_ = new QPushButton(ToQt("Принять значение"), this);
  take_->setObjectName(QStringLiteral("takeButton"));
  take_->setToolTip(
      ToQt("Взять значение второй конфигурации в открытую через форму с ее проверками"));
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(take_, QDialogButtonBox::ActionRole);
  QPushButton* close = buttons->addButton(ToQt("Закрыть"), QDialogButtonBox::RejectRole);
  close->setObjectName(QStringLiteral("closeButton"));
  // Enter in the list opens a form; it must not close the window.
  take_->setAutoDefault(false);
  close->setAutoDefault(false);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(summary_);
  layout->addWidget(filterLabel);
  layout->addWidget(filter_);
  layout->addWidget(tree_, 1);
  layout->addWidget(buttons);

  connect(filter_, &QLineEdit::textChanged, this, &DifferencesDialog::ApplyFilter);
  connect(tree_, &QTreeWidget::itemActivated, this, &DifferencesDialog::OpenFormOf);
  connect(tree_, &QTreeWidget::currentItemChanged, this, &DifferencesDialog::UpdateTakeButton);
  connect(take_, &QPushButton::clicked, this, &DifferencesDialog::TakeCurrentValue);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  resize(960, 600);
  Recompare();
}

void DifferencesDialog::Recompare() {
  differences_ = shell::CompareConfigurations(document_.Set(), other_);
  if (afterWrite_) {
    std::vector<shell::DifferentForm> mismatches;
    std::vector<shell::DifferentForm> kept;
    shell::SplitVerification(
        differences_,
        shell::CompareConfigurations(*shell::ExpectedAfterWrite(document_.Set(), other_), other_),
        mismatches, kept);
    mismatchForms_ = mismatches.size();
    differences_ = std::move(mismatches);
    differences_.insert(differences_.end(), kept.begin(), kept.end());
  }
  Fill();
}

void DifferencesDialog::Fill() {
  // The cursor stays on the same place in the list, or the nearest row after it.
  int formAt = -1;
  int rowAt = -1;
  Locate(tree_->currentItem(), formAt, rowAt);

  tree_->clear();
  formItems_.clear();
  int rows = 0;
  for (std::size_t f = 0; f < differences_.size(); ++f) {
    const shell::DifferentForm& form = differences_[f];
    if (afterWrite_ && f == 0 && mismatchForms_ > 0)
      AddHeading(*tree_, shell::kVerifyMismatch, true);
    if (afterWrite_ && f == mismatchForms_) AddHeading(*tree_, shell::kKeptByDevice, false);
    QString title = ToQt(form.title);
    if (form.presence != Presence::Both) {
      title += ToQt(" — только в ") +
               (form.presence == Presence::FirstOnly ? ToQt("открытой конфигурации") : otherName_);
    }
    auto* top = new QTreeWidgetItem(tree_, {title});
    formItems_.push_back(top);
    top->setFirstColumnSpanned(true);
    QFont bold = top->font(kCode);
    bold.setBold(true);
    top->setFont(kCode, bold);
    top->setData(kCode, kFormRole, static_cast<int>(f));
    for (std::size_t r = 0; r < form.rows.size(); ++r) {
      const shell::DifferentRow& row = form.rows[r];
      auto* item = new QTreeWidgetItem(top, {ToQt(row.code), Shown(row.first), Shown(row.second),
                                             ToQt(row.description).trimmed()});
      item->setData(kCode, kFormRole, static_cast<int>(f));
      item->setData(kCode, kRowRole, static_cast<int>(r));
      for (Column column : {kFirst, kSecond}) {
        const std::optional<std::string>& value = column == kFirst ? row.first : row.second;
        if (!value) item->setForeground(column, Qt::gray);
        if (value && value->find('\n') != std::string::npos) item->setToolTip(column, ToQt(*value));
      }
      ++rows;
    }
    // A form one side lacks would fill the list with rows that all differ.
    top->setExpanded(form.presence == Presence::Both);
  }
  summary_->setText(ToQt("Открытая конфигурация: ") + DocumentName(document_) +
                    ToQt("\nСравнивается с: ") + otherName_ + ToQt(model::TitleSuffix(other_)) +
                    ToQt("\nРазличающихся строк: ") + QString::number(rows));

  // At first the cursor is on the first row, ready to be taken.
  if (formAt < 0) {
    formAt = 0;
    rowAt = 0;
  }
  if (formAt >= 0 && !differences_.empty()) {
    formAt = std::min<int>(formAt, static_cast<int>(differences_.size()) - 1);
    QTreeWidgetItem* top = formItems_[formAt];
    QTreeWidgetItem* place = top;
    if (rowAt >= 0 && top->childCount() > 0)
      place = top->child(std::min(rowAt, top->childCount() - 1));
    tree_->setCurrentItem(place);
  }
  ApplyFilter(filter_->text());
  UpdateTakeButton();
}

void DifferencesDialog::ApplyFilter(const QString& text) {
  const std::vector<bool> showing =
      FilterFormRows(*tree_, text, kCode, {kDescription, kFirst, kSecond});
  // What the filter finds is shown, in a form one side lacks too.
  if (text.trimmed().isEmpty()) return;
  for (int f = 0; f < tree_->topLevelItemCount(); ++f) {
    if (showing[f]) tree_->topLevelItem(f)->setExpanded(true);
  }
}

bool DifferencesDialog::Locate(const QTreeWidgetItem* item, int& form, int& row) const {
  form = -1;
  row = -1;
  if (item == nullptr || item->data(kCode, kFormRole).isNull()) return false;
  form = item->data(kCode, kFormRole).toInt();
  if (item->data(kCode, kRowRole).isNull()) return false;
  row = item->data(kCode, kRowRole).toInt();
  return form < static_cast<int>(differences_.size()) &&
         row < static_cast<int>(differences_[form].rows.size());
}

void DifferencesDialog::UpdateTakeButton() {
  int form = -1;
  int row = -1;
  const bool onRow = Locate(tree_->currentItem(), form, row);
  take_->setEnabled(onRow && differences_[form].presence == Presence::Both &&
                    differences_[form].rows[row].first && differences_[form].rows[row].second);
}

void DifferencesDialog::TakeCurrentValue() {
  int form = -1;
  int row = -1;
  if (!Locate(tree_->currentItem(), form, row)) return;
  // The list is redrawn from the comparison: the row is copied before it goes.
  const shell::DifferentForm where = differences_[form];
  const shell::DifferentRow what = where.rows[row];
  if (shell::TakeValue(document_, other_, where, what, ui_)) Recompare();
}

void DifferencesDialog::OpenFormOf(QTreeWidgetItem* item) {
  int form = -1;
  int row = -1;
  if (!Locate(item, form, row)) return;
  const shell::DifferentForm& where = differences_[form];
  // A form only the other side has cannot open here.
  if (where.presence == Presence::SecondOnly) return;
  if (where.name == shell::kTextsFormName) {
    RunReportTextEditor(this, document_, ui_);
  } else {
    // A row of a dialog behind a button opens its page, where the button is.
    RunConfigurationForm(
        this, document_, ui_,
        FormPlace{where.target, where.buttonId.empty() ? where.rows[row].code : std::string()});
  }
  Recompare();
}

void ShowDifferences(QWidget* parent, model::ConfigurationDocument& document,
                     const model::ParameterSet& other, const QString& otherName, platform::Ui& ui) {
  if (shell::CompareConfigurations(document.Set(), other).empty()) {
    ui.ShowMessage(kNoDifferences, platform::kApplicationTitle, platform::Icon::Information,
                   platform::Buttons::Ok);
    return;
  }
  DifferencesDialog dialog(document, other, otherName, ui, parent);
  dialog.exec();
}

void ShowVerification(QWidget* parent, model::ConfigurationDocument& document,
                      const model::ParameterSet& readBack, platform::Ui& ui) {
  DifferencesDialog dialog(document, readBack, ToQt("Вычислитель"), ui, parent, true);
  if (!dialog.Differences().empty()) dialog.exec();
}

}  // namespace tarvo::gui
