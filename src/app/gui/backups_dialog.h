#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QPushButton;
class QTreeWidget;

namespace tarvo::gui {

// The copies of the devices' configurations saved before each write, newest first. "Открыть"
// opens the chosen copy as a configuration and closes the list once it has opened; "Сравнить с
// открытой конфигурацией" shows the differences and keeps the list.
class BackupsDialog : public QDialog {
  Q_OBJECT

 public:
  // Both take the copy's path; open tells whether the copy was opened.
  using OpenCopy = std::function<bool(const std::string& path)>;
  using CompareCopy = std::function<void(const std::string& path)>;

  // canCompare: there is an open configuration to compare a copy with.
  BackupsDialog(const std::string& folder, bool canCompare, OpenCopy open, CompareCopy compare,
                QWidget* parent = nullptr);

 private:
  // The path of the copy under the cursor; empty when none is.
  std::string CurrentPath() const;
  void UpdateButtons();
  void OpenCurrent();

  bool canCompare_;
  OpenCopy open_;
  CompareCopy compare_;
  QTreeWidget* list_;
  QPushButton* openButton_;
  QPushButton* compareButton_;
};

}  // namespace tarvo::gui
