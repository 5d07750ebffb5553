#pragma once

#include <QDialog>

namespace tarvo::gui {

// "О программе": the program name, its version and the maker.
class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent = nullptr);
};

// "Версия 1.16": the program's version, which is the parameter file format it writes.
QString VersionLine();

}  // namespace tarvo::gui
