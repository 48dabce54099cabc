// Tests run headless: Qt's offscreen platform, no display.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "ui/views.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ui::Application app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
