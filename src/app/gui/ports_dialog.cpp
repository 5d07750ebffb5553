#include "app/gui/ports_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/gui/exchange_dialog.h"
#include "app/gui/qt_text.h"
#include "platform/net/network_address.h"
#include "platform/qt/qt_settings.h"
#include "platform/serial_devices.h"

namespace tarvo::gui {

PortsDialog::PortsDialog(platform::PortMapSources sources, QWidget* parent)
    : QDialog(parent), sources_(std::move(sources)) {
  setWindowTitle(ToQt("Порты"));
  auto* layout = new QVBoxLayout(this);

  auto* comRow = new QHBoxLayout;
  comRow->addWidget(new QLabel(ToQt("COM-порт:"), this));
  comList_ = new QComboBox(this);
  comList_->setObjectName(QStringLiteral("comList"));
  comRow->addWidget(comList_, 1);
  layout->addLayout(comRow);

  layout->addWidget(new QLabel(ToQt("Последовательные порты компьютера:"), this));
  deviceList_ = new QListWidget(this);
  deviceList_->setObjectName(QStringLiteral("deviceList"));
  layout->addWidget(deviceList_);
  refusal_ = new QLabel(this);
  refusal_->setObjectName(QStringLiteral("refusalText"));
  refusal_->setWordWrap(true);
  layout->addWidget(refusal_);

  auto* addressRow = new QHBoxLayout;
  auto* addressLabel = new QLabel(ToQt("Сервер последовательного порта:"), this);
  addressRow->addWidget(addressLabel);
  address_ = new QLineEdit(this);
  address_->setObjectName(QStringLiteral("serverAddress"));
  address_->setAccessibleName(ToQt("Адрес сервера последовательного порта"));
  address_->setPlaceholderText(QStringLiteral("tcp://192.168.1.50:4001"));
  addressLabel->setBuddy(address_);
  addressRow->addWidget(address_, 1);
  auto* assignAddress = new QPushButton(ToQt("Назначить адрес"), this);
  assignAddress->setObjectName(QStringLiteral("assignAddressButton"));
  assignAddress->setAutoDefault(false);
  addressRow->addWidget(assignAddress);
  layout->addLayout(addressRow);
  addressError_ = new QLabel(this);
  addressError_->setObjectName(QStringLiteral("addressError"));
  addressError_->setWordWrap(true);
  addressError_->hide();
  layout->addWidget(addressError_);
  connect(assignAddress, &QPushButton::clicked, this, &PortsDialog::AssignAddress);
  connect(address_, &QLineEdit::returnPressed, this, &PortsDialog::AssignAddress);

  auto* assign = new QPushButton(ToQt("Назначить"), this);
  assign->setObjectName(QStringLiteral("assignButton"));
  auto* byDefault = new QPushButton(ToQt("По умолчанию"), this);
  byDefault->setObjectName(QStringLiteral("defaultButton"));
  auto* close = new QPushButton(ToQt("Закрыть"), this);
  close->setObjectName(QStringLiteral("closeButton"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(assign);
  buttons->addWidget(byDefault);
  buttons->addStretch();
  buttons->addWidget(close);
  layout->addLayout(buttons);

  connect(assign, &QPushButton::clicked, this, &PortsDialog::AssignSelected);
  connect(byDefault, &QPushButton::clicked, this, &PortsDialog::UseDefault);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  connect(deviceList_, &QListWidget::itemDoubleClicked, this, &PortsDialog::AssignSelected);

  FillComList();
  ListDevices();
  resize(560, 400);
}

void PortsDialog::ListDevices() {
  const platform::SerialDeviceList list = platform::ListSerialDevices();
  deviceList_->clear();
  for (const auto& device : list.devices) {
    QString text = ToQt(device.path);
    if (!device.problem.empty()) text += ToQt(" — ") + ToQt(device.problem);
    auto* item = new QListWidgetItem(text, deviceList_);
    item->setData(Qt::UserRole, ToQt(device.path));
  }
  if (list.devices.empty()) {
    auto* none = new QListWidgetItem(ToQt("Последовательные порты не найдены."), deviceList_);
    none->setFlags(Qt::NoItemFlags);
  }
  refusal_->setText(ToQt(list.refusal));
  refusal_->setVisible(!list.refusal.empty());
}

void PortsDialog::FillComList() {
  const int current = std::max(comList_->currentIndex(), 0);
  comList_->clear();
  for (int n = 1; n <= 9; ++n) comList_->addItem(PortEntryText(n, sources_));
  comList_->setCurrentIndex(current);
}

void PortsDialog::AssignSelected() {
  const QListWidgetItem* item = deviceList_->currentItem();
  if (item == nullptr || !(item->flags() & Qt::ItemIsEnabled)) return;
  platform::qt::SerialPortStore(ToQt(sources_.settingsFile))
      .Assign(comList_->currentIndex() + 1, item->data(Qt::UserRole).toString().toStdString());
  FillComList();
}

void PortsDialog::AssignAddress() {
  const std::string text = address_->text().trimmed().toStdString();
  const auto address = platform::net::ParseNetworkAddress(text);
  addressError_->setVisible(!address);
  if (!address) {
    addressError_->setText(
        ToQt("Адрес сервера задается как tcp://УЗЕЛ:ПОРТ или "
             "rfc2217://УЗЕЛ:ПОРТ, например tcp://192.168.1.50:4001, а не «" +
             text + "»."));
    return;
  }
  platform::qt::SerialPortStore(ToQt(sources_.settingsFile))
      .Assign(comList_->currentIndex() + 1, address->Text());
  FillComList();
}

void PortsDialog::UseDefault() {
  platform::qt::SerialPortStore(ToQt(sources_.settingsFile)).Forget(comList_->currentIndex() + 1);
  FillComList();
}

}  // namespace tarvo::gui
