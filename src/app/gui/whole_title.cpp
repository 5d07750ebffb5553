#include "app/gui/whole_title.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace tarvo::gui {

void KeepTitleWhole(QWidget& window) {
  // Title bars draw in the system's font, often bold and a little larger than the window's.
  QFont font = window.font();
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() * 1.2);
  const int line = QFontMetrics(font).height();
  // The icon, the minimise, maximise and close buttons and the frame's margins.
  const int wanted = QFontMetrics(font).horizontalAdvance(window.windowTitle()) + 8 * line;
  int available = 1200;
  if (const QScreen* screen =
          window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen()) {
    available = screen->availableGeometry().width();
  }
  window.setMinimumWidth(std::max(window.minimumWidth(), std::min(wanted, available)));
}

}  // namespace tarvo::gui
