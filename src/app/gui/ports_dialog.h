#pragma once

#include <QDialog>

#include "platform/port_map.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace tarvo::gui {

// "Порты...": the serial devices present, and which of them (or which network serial server)
// each COMn stands for. The choice goes to the shared settings file, so tarvo uses the same line.
class PortsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit PortsDialog(platform::PortMapSources sources, QWidget* parent = nullptr);

 private:
  void ListDevices();
  void FillComList();
  void AssignSelected();
  void UseDefault();
  // The address typed, tcp:// or rfc2217://, for the COM port chosen.
  void AssignAddress();

  platform::PortMapSources sources_;
  QComboBox* comList_ = nullptr;
  QListWidget* deviceList_ = nullptr;
  QLabel* refusal_ = nullptr;
  QLineEdit* address_ = nullptr;
  QLabel* addressError_ = nullptr;
};

}  // namespace tarvo::gui
