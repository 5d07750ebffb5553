#include "platform/qt/bar_progress.h"

#include <QMetaObject>

namespace tarvo::platform::qt {

void BarProgress::Changed() {
  QProgressBar* bar = bar_;
  if (bar == nullptr) return;
  const int lower = Lower();
  const int upper = Upper();
  const int position = Position();
  // Queued from a worker, direct on the bar's own thread.
  QMetaObject::invokeMethod(
      bar,
      [bar, lower, upper, position] {
        bar->setRange(lower, upper);
        bar->setValue(position);
      },
      Qt::AutoConnection);
}

}  // namespace tarvo::platform::qt
