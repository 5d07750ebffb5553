#include "app/gui/new_configuration_dialog_widget.h"
#include "app/gui/qt_text.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace tarvo::gui {

namespace {

QStringList ToQtList(const std::vector<std::string>& entries) {
  QStringList list;
  for (const std::string& entry : entries) list << ToQt(entry);
  return list;
}

}  // namespace

NewConfigurationDialogWidget::NewConfigurationDialogWidget(model::NewConfigurationDialog& dialog,
                                                           QWidget* parent)
    : QDialog(parent), dialog_(dialog) {
  using Model = model::NewConfigurationDialog;
  setWindowTitle(ToQt(Model::kTitle));

  types_ = new QComboBox(this);
  types_->setObjectName(QStringLiteral("typeCombo"));
  types_->addItems(ToQtList(dialog_.TypeEntries()));
  types_->setCurrentIndex(dialog_.SelectedType());
  codes_ = new QComboBox(this);
  codes_->setObjectName(QStringLiteral("codeCombo"));
  FillCodes();

  auto* typeLabel = new QLabel(ToQt(Model::kTypeLabel), this);
  typeLabel->setBuddy(types_);
  auto* codeLabel = new QLabel(ToQt(Model::kCodeLabel), this);
  codeLabel->setBuddy(codes_);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(ToQt(Model::kOkText), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("okButton"));
  ok->setDefault(true);
  buttons->addButton(ToQt(Model::kCancelText), QDialogButtonBox::RejectRole)
      ->setObjectName(QStringLiteral("cancelButton"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  connect(types_, &QComboBox::currentIndexChanged, this, [this](int index) {
    dialog_.SelectType(index);
    FillCodes();
  });
  connect(codes_, &QComboBox::currentIndexChanged, this,
          [this](int index) { dialog_.SelectCode(index); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(typeLabel);
  layout->addWidget(types_);
  layout->addSpacing(6);
  layout->addWidget(codeLabel);
  layout->addWidget(codes_);
  layout->addSpacing(6);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void NewConfigurationDialogWidget::FillCodes() {
  // Refilling must not report index changes back to the model: it already chose the first code.
  const QSignalBlocker block(codes_);
  codes_->clear();
  codes_->addItems(ToQtList(dialog_.CodeEntries()));
  codes_->setCurrentIndex(dialog_.SelectedCode());
}

bool RunNewConfigurationDialog(QWidget* parent, model::NewConfigurationDialog& dialog) {
  NewConfigurationDialogWidget widget(dialog, parent);
  return widget.exec() == QDialog::Accepted;
}

}  // namespace tarvo::gui
