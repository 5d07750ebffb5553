#include "app/gui/whole_title.h"

#include <QFontMetrics>
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
  const QScreen* screen = window.screen();
  const int available = screen != nullptr ? screen->availableGeometry().width() : wanted;
  // A minimum set here replaces the one the layout would give the window: it keeps that too.
  const QSize least = window.minimumSizeHint().expandedTo(window.minimumSize());
  window.setMinimumSize(std::max(least.width(), std::min(wanted, available)), least.height());
}

}  // namespace tarvo::gui
