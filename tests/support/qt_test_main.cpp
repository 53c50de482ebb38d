#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

// Qt tests need an application object; without a display they run on the offscreen platform.
int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
