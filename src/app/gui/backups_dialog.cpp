#include "app/gui/backups_dialog.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/gui/qt_text.h"
#include "shell/configuration_backups.h"

namespace tarvo::gui {

namespace {

enum Column { kTime, kDevice, kPort, kWritten };

QString PathText(const std::string& path) {
  return QFile::decodeName(path.c_str());
}

}  // namespace

BackupsDialog::BackupsDialog(const std::string& folder, bool canCompare, OpenCopy open,
                             CompareCopy compare, QWidget* parent)
    : QDialog(parent),
      canCompare_(canCompare),
      open_(std::move(open)),
      compare_(std::move(compare)) {
  setWindowTitle(ToQt("Резервные копии"));
  setObjectName(QStringLiteral("backupsDialog"));

  auto* caption = new QLabel(ToQt("Копии конфигураций вычислителей, сохраненные перед записью, от "
                                  "новых к старым.\nПапка: ") +
                                 PathText(folder),
                             this);
  caption->setObjectName(QStringLiteral("backupsFolder"));
  caption->setTextInteractionFlags(Qt::TextSelectableByMouse);

  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("backupsList"));
  list_->setAccessibleName(ToQt("Резервные копии"));
  list_->setColumnCount(4);
  list_->setHeaderLabels(
      {ToQt("Время"), ToQt("Вычислитель"), ToQt("Порт"), ToQt("Записан поверх нее файл")});
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setAlternatingRowColors(true);
  for (Column column : {kTime, kDevice, kPort}) {
    list_->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
  }
  const auto entries = shell::ListBackups(folder);
  for (const shell::BackupEntry& entry : entries) {
    auto* item = new QTreeWidgetItem(
        list_, {ToQt(entry.time), ToQt(shell::BackupDeviceText(entry)),
                ToQt(shell::BackupPortText(entry)), PathText(entry.writtenFile)});
    item->setData(kTime, Qt::UserRole, PathText(entry.path));
    item->setToolTip(kTime, ToQt("Копия: ") + PathText(entry.path));
  }
  if (entries.empty()) {
    // Said in the list itself, where the copies would be.
    auto* none = new QTreeWidgetItem(list_, {ToQt(shell::NoBackupsText(folder))});
    none->setFirstColumnSpanned(true);
    none->setFlags(Qt::ItemIsEnabled);
  } else {
    list_->setCurrentItem(list_->topLevelItem(0));
  }

  openButton_ = new QPushButton(ToQt("Открыть"), this);
  openButton_->setObjectName(QStringLiteral("openCopyButton"));
  openButton_->setToolTip(ToQt("Открыть копию как конфигурацию"));
  compareButton_ = new QPushButton(ToQt("Сравнить с открытой конфигурацией"), this);
  compareButton_->setObjectName(QStringLiteral("compareCopyButton"));
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(openButton_, QDialogButtonBox::ActionRole);
  buttons->addButton(compareButton_, QDialogButtonBox::ActionRole);
  QPushButton* close = buttons->addButton(ToQt("Закрыть"), QDialogButtonBox::RejectRole);
  close->setObjectName(QStringLiteral("closeButton"));
  compareButton_->setAutoDefault(false);
  close->setAutoDefault(false);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(caption);
  layout->addWidget(list_, 1);
  layout->addWidget(buttons);

  connect(list_, &QTreeWidget::currentItemChanged, this, &BackupsDialog::UpdateButtons);
  connect(list_, &QTreeWidget::itemActivated, this, &BackupsDialog::OpenCurrent);
  connect(openButton_, &QPushButton::clicked, this, &BackupsDialog::OpenCurrent);
  connect(compareButton_, &QPushButton::clicked, this, [this] {
    const std::string path = CurrentPath();
    if (!path.empty()) compare_(path);
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  resize(900, 420);
  UpdateButtons();
}

std::string BackupsDialog::CurrentPath() const {
  const QTreeWidgetItem* item = list_->currentItem();
  if (item == nullptr) return {};
  return QFile::encodeName(item->data(kTime, Qt::UserRole).toString()).toStdString();
}

void BackupsDialog::UpdateButtons() {
  const bool chosen = !CurrentPath().empty();
  openButton_->setEnabled(chosen);
  compareButton_->setEnabled(chosen && canCompare_);
}

void BackupsDialog::OpenCurrent() {
  const std::string path = CurrentPath();
  if (!path.empty() && open_(path)) accept();
}

}  // namespace tarvo::gui
