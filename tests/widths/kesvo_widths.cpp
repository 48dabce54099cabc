// Every text of the launcher's window shows whole.
#include <gtest/gtest.h>

#include "launcher/frmLaunch.h"
#include "tests/widths/widths.h"

namespace {

TEST(Widths, EveryLauncherTextShowsWhole) {
  widths::Services svc;
  frmLaunchForm->Show();
  int measured = 0;
  const std::string offenders = widths::report(widths::check(&measured), {});
  EXPECT_EQ(measured, 4) << "the title and the three buttons";
  EXPECT_EQ(offenders, "") << "texts cut by their controls:\n" << offenders;
  frmLaunchForm.reset();
}

}  // namespace
