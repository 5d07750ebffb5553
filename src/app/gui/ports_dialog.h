#pragma once

#include <QDialog>

#include "platform/port_map.h"

class QComboBox;
class QLabel;
class QListWidget;

namespace tarvo::gui {

// "Порты...": the serial devices present, and which of them each COMn stands for. The choice
// goes to the shared settings file, so tarvo uses the same device.
class PortsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit PortsDialog(platform::PortMapSources sources, QWidget* parent = nullptr);

 private:
  void ListDevices();
  void FillComList();
  void AssignSelected();
  void UseDefault();

  platform::PortMapSources sources_;
  QComboBox* comList_ = nullptr;
  QListWidget* deviceList_ = nullptr;
  QLabel* refusal_ = nullptr;
};

}  // namespace tarvo::gui
