#include "app/gui/check_list_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/gui/qt_text.h"
#include "model/check_range.h"

namespace tarvo::gui {

namespace {

enum Column { kForm, kCode, kMessage };

constexpr const char* kReviewText =
    "Эти формы не принимают конфигурацию. Двойной щелчок по строке открывает форму на "
    "названном параметре.";
constexpr const char* kBeforeWriteText =
    "Эти формы не принимают конфигурацию. Записать ее в вычислитель всё равно?\n"
    "Двойной щелчок по строке открывает форму на названном параметре.";

// The message on one line; a caption other than the plain "Ошибка" (the start-of-counting one)
// stays in front of it, as it says why the form refuses.
QString MessageOf(const shell::Refusal& refusal) {
  QString message = ToQt(refusal.message);
  message.replace(QLatin1Char('\n'), QLatin1Char(' '));
  if (refusal.caption == model::kErrorCaption) return message;
  return ToQt(refusal.caption) + QStringLiteral(": ") + message;
}

}  // namespace

CheckListDialog::CheckListDialog(Purpose purpose, OpenForm openForm, Check check, QWidget* parent)
    : QDialog(parent), openForm_(std::move(openForm)), check_(std::move(check)) {
  setWindowTitle(ToQt(kCheckTitle));
  setObjectName(QStringLiteral("checkListDialog"));

  summary_ = new QLabel(this);
  summary_->setObjectName(QStringLiteral("checkSummary"));
  summary_->setWordWrap(true);

  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("checkList"));
  list_->setColumnCount(3);
  list_->setHeaderLabels(
      {QStringLiteral("Форма"), QStringLiteral("Код"), QStringLiteral("Сообщение")});
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setAlternatingRowColors(true);
  // Messages are read whole: the columns take their texts' widths, the list scrolls sideways
  // when the screen is narrower.
  list_->header()->setStretchLastSection(false);
  list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  connect(list_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    if (item != nullptr) OpenEntry(list_->indexOfTopLevelItem(item));
  });

  auto* buttons = new QDialogButtonBox(this);
  if (purpose == Purpose::BeforeWrite) {
    QPushButton* write =
        buttons->addButton(QStringLiteral("Записать всё равно"), QDialogButtonBox::AcceptRole);
    write->setObjectName(QStringLiteral("writeAnyway"));
    write->setAutoDefault(false);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelWrite"));
    cancel->setDefault(true);
    // Enter in the list would open a form: the key goes to Отмена until the user moves.
    cancel->setFocus();
  } else {
    QPushButton* close =
        buttons->addButton(QStringLiteral("Закрыть"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("closeCheck"));
    close->setDefault(true);
  }
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  purposeText_ = ToQt(purpose == Purpose::BeforeWrite ? kBeforeWriteText : kReviewText);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(summary_);
  layout->addWidget(list_, 1);
  layout->addWidget(buttons);

  ShowRefusals();
  FitToList();
}

void CheckListDialog::FitToList() {
  const QRect screen =
      (parentWidget() != nullptr ? parentWidget()->screen() : this->screen())->availableGeometry();
  const int rowHeight = list_->sizeHintForRow(0) > 0 ? list_->sizeHintForRow(0) : 20;
  const int rows = std::clamp(list_->topLevelItemCount(), 4, 16);
  const int listWidth = list_->header()->length() + 2 * list_->frameWidth() +
                        list_->verticalScrollBar()->sizeHint().width();
  const int listHeight = list_->header()->sizeHint().height() + rows * rowHeight +
                         2 * list_->frameWidth() +
                         list_->horizontalScrollBar()->sizeHint().height();
  list_->setMinimumSize(std::min(listWidth, screen.width() * 9 / 10 - 40),
                        std::min(listHeight, screen.height() * 2 / 3));
  adjustSize();
  list_->setMinimumSize(200, 100);
}

void CheckListDialog::ShowRefusals() {
  refusals_ = check_();
  list_->clear();
  for (const shell::Refusal& refusal : refusals_) {
    auto* item =
        new QTreeWidgetItem(list_, {ToQt(refusal.title), ToQt(refusal.code), MessageOf(refusal)});
    item->setToolTip(kMessage, ToQt(refusal.caption + "\n" + refusal.message));
  }
  summary_->setText(refusals_.empty() ? ToQt(kAllFormsAccept) : purposeText_);
  if (!refusals_.empty()) list_->setCurrentItem(list_->topLevelItem(0));
}

void CheckListDialog::OpenEntry(int index) {
  if (index < 0 || index >= static_cast<int>(refusals_.size())) return;
  const shell::Refusal& refusal = refusals_[static_cast<std::size_t>(index)];
  // A row of a dialog behind a button is reached through its page, where the button is.
  openForm_(FormPlace{refusal.target, refusal.buttonId.empty() ? refusal.code : std::string()});
  ShowRefusals();
  // The cursor stays where the user was working down the list.
  if (QTreeWidgetItem* next =
          list_->topLevelItem(std::min(index, list_->topLevelItemCount() - 1))) {
    list_->setCurrentItem(next);
  }
}

namespace {

CheckListDialog::Check CheckOf(const model::ConfigurationDocument& document) {
  return [&document] { return shell::CheckConfiguration(document.Set()); };
}

}  // namespace

void ReviewConfiguration(QWidget* parent, const model::ConfigurationDocument& document,
                         platform::Ui& ui, const CheckListDialog::OpenForm& openForm) {
  CheckListDialog dialog(CheckListDialog::Purpose::Review, openForm, CheckOf(document), parent);
  if (dialog.AllAccept()) {
    ui.ShowMessage(kAllFormsAccept, kCheckTitle, platform::Icon::Information,
                   platform::Buttons::Ok);
    return;
  }
  dialog.exec();
}

bool ConfirmWrite(QWidget* parent, const model::ConfigurationDocument& document,
                  const CheckListDialog::OpenForm& openForm) {
  CheckListDialog dialog(CheckListDialog::Purpose::BeforeWrite, openForm, CheckOf(document),
                         parent);
  return dialog.AllAccept() || dialog.exec() == QDialog::Accepted;
}

}  // namespace tarvo::gui
