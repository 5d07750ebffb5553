#pragma once

#include <QLabel>

namespace tarvo::gui {

// A row's code or description beside a check box: a click on it ticks the box, as a click on the
// box's own text would.
class CheckLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace tarvo::gui
