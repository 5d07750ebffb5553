#include "app/gui/enter_on_button.h"

#include <QKeyEvent>
#include <QPushButton>

namespace tarvo::gui {

bool EnterOnButton::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
  if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
  auto* button = qobject_cast<QPushButton*>(watched);
  if (button == nullptr || !button->hasFocus() || !button->isEnabled()) return false;
  button->click();
  return true;
}

}  // namespace tarvo::gui
