#include "app/gui/check_label.h"

#include <QAbstractButton>
#include <QMouseEvent>

namespace tarvo::gui {

void CheckLabel::mouseReleaseEvent(QMouseEvent* event) {
  auto* box = qobject_cast<QAbstractButton*>(buddy());
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
      box != nullptr && box->isEnabled() && box->isVisible()) {
    box->setFocus(Qt::MouseFocusReason);
    box->click();
    event->accept();
    return;
  }
  QLabel::mouseReleaseEvent(event);
}

}  // namespace tarvo::gui
