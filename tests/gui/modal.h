#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace tarvo::testing {

// Acts on the modal window the next command opens, as soon as it is shown. The command itself
// runs the modal loop, so the action must close the window.
inline void WhenModalShown(std::function<void(QWidget*)> act, int triesLeft = 200) {
  QTimer::singleShot(10, [act = std::move(act), triesLeft] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      act(modal);
    } else if (triesLeft > 0) {
      WhenModalShown(act, triesLeft - 1);
    } else {
      ADD_FAILURE() << "no modal window appeared";
    }
  });
}

}  // namespace tarvo::testing
