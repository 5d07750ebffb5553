// The window's exchange through a network serial server: COM3 is given the simulator's TCP
// address in "Порты..." and the read goes through it.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <atomic>
#include <thread>

#include "app/gui/exchange_dialog.h"
#include "app/gui/ports_dialog.h"
#include "device/exchange_messages.h"
#include "gui/modal.h"
#include "gui/window_test.h"
#include "platform/ini_file.h"
#include "platform/port_map.h"
#include "sim/configuration_image.h"
#include "sim/device_model.h"
#include "sim/responder.h"
#include "sim/tcp_server.h"

namespace tarvo::gui {
namespace {

// A ЛУР-Г answering on a TCP port of the loopback address from a thread of its own.
class TcpDevice {
 public:
  TcpDevice() {
    model::ParameterSet set{};
    model::MakeNewConfiguration(set, 0x47, 0x53);
    std::string message;
    EXPECT_TRUE(sim::LoadConfiguration(device_, set, message)) << message;
    EXPECT_TRUE(server_.Open("0", address, message)) << message;
    thread_ = std::thread([this] { server_.Serve(stop_); });
  }
  ~TcpDevice() {
    stop_ = true;
    thread_.join();
  }
  std::string address;

 private:
  sim::DeviceModel device_{model::DeviceIdentification{0x47, 0x53, {0, 0}}};
  sim::Faults faults_;
  sim::Responder responder_{device_, faults_};
  sim::TcpServer server_{responder_};
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// Acts on the "Порты..." window once the exchange dialog has opened it.
void WhenPortsShown(std::function<void(QWidget*)> act, int triesLeft = 200) {
  QTimer::singleShot(10, [act = std::move(act), triesLeft] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && qobject_cast<PortsDialog*>(modal) != nullptr) {
      act(modal);
    } else if (triesLeft > 0) {
      WhenPortsShown(act, triesLeft - 1);
    } else {
      ADD_FAILURE() << "the ports window did not appear";
    }
  });
}

class NetworkPortExchange : public WindowTest {};

TEST_F(NetworkPortExchange, ReadsThroughAComPortGivenAServerAddress) {
  TcpDevice device;
  ASSERT_TRUE(device.address.starts_with("tcp://127.0.0.1:"));
  window->SetExchangeSetting(ExchangeSetting{});
  const std::string settingsFile = platform::DefaultPortMapSources().settingsFile;
  QString entryShown, refusalShown;
  testing::WhenModalShown([&](QWidget* dialog) {
    WhenPortsShown([&](QWidget* ports) {
      ports->findChild<QComboBox*>("comList")->setCurrentIndex(2);
      auto* address = ports->findChild<QLineEdit*>("serverAddress");
      address->setText(QStringLiteral("tcp://127.0.0.1"));
      ports->findChild<QPushButton*>("assignAddressButton")->click();
      refusalShown = ports->findChild<QLabel*>("addressError")->text();
      address->setText(QString::fromStdString(device.address));
      ports->findChild<QPushButton*>("assignAddressButton")->click();
      entryShown = ports->findChild<QComboBox*>("comList")->currentText();
      ports->findChild<QPushButton*>("closeButton")->click();
    });
    dialog->findChild<QPushButton*>("portsButton")->click();
    dialog->findChild<QComboBox*>("portList")->setCurrentIndex(2);
    dialog->findChild<QComboBox*>("speedList")->setCurrentIndex(3);
    dialog->findChild<QPushButton*>("runButton")->click();
  });
  window->findChild<QAction*>("actionReadDevice")->trigger();

  EXPECT_EQ(refusalShown.toStdString(),
            "Адрес сервера задается как tcp://УЗЕЛ:ПОРТ или rfc2217://УЗЕЛ:ПОРТ, например "
            "tcp://192.168.1.50:4001, а не «tcp://127.0.0.1».");
  EXPECT_EQ(entryShown.toStdString(), "COM3 — " + device.address);
  EXPECT_EQ(platform::IniFile::Load(settingsFile).Value("SerialPorts", "COM3"), device.address);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, device::kReadSucceeded);
  EXPECT_EQ(window->Document().Set().comPort, 3);
  EXPECT_EQ(window->Document().Set().ident.executionCode, 0x47);
}

}  // namespace
}  // namespace tarvo::gui
