#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  // The tests draw nothing on a screen; they must run where there is none.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
