#pragma once

#include <QObject>

namespace tarvo::gui {

// Enter on a focused push button presses that button in every dialog, also where a dialog keeps
// its buttons from becoming the default (so that Enter in a list or a cell does not close it).
// Enter elsewhere goes on to the dialog's default button as before.
class EnterOnButton : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace tarvo::gui
