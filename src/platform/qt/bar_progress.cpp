#include "platform/qt/bar_progress.h"

#include <QMetaObject>

namespace tarvo::platform::qt {

void BarProgress::Changed() {
  QProgressBar* bar = bar_;
  if (bar == nullptr) return;
  const int percent = Percent();
  // "%," is none of the bar's placeholders (%p, %v, %m): the text shows as it is.
  const QString text = QString::fromStdString(Text());
  // Queued from a worker, direct on the bar's own thread.
  QMetaObject::invokeMethod(
      bar,
      [bar, percent, text] {
        bar->setFormat(text);
        bar->setRange(0, 100);
        bar->setValue(percent);
      },
      Qt::AutoConnection);
}

}  // namespace tarvo::platform::qt
