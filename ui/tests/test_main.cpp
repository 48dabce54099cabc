// Tests run headless: Qt's offscreen platform, no display. A handler that fails inside the event
// boundary fails the test, so no exception passes unseen.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "ui/dispatch.h"
#include "ui/views.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ui::Application app(argc, argv);
  ui::setHandlerFailureHook([](const std::string& handler, const std::string& what) {
    ADD_FAILURE() << handler << " failed: " << what;
  });
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
