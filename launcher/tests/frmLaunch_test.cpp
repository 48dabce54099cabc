// The launcher starts each program by its path in its own folder, and stays open with a message when
// the program file is missing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "launcher/frmLaunch.h"
#include "ui/testing.h"

namespace {

namespace fs = std::filesystem;

struct Launcher : ::testing::Test {
  ui::ScriptedServices svc;
  fs::path dir;
  void SetUp() override {
    dir = fs::temp_directory_path() / ("kesvo-launch-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                       "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
    svc.folder = dir.string();
    frmLaunchForm.reset();
    frmLaunchForm->Show();
  }
  void TearDown() override {
    frmLaunchForm.reset();
    fs::remove_all(dir);
  }
  void makeProgram(const char* name) { std::ofstream(dir / name) << "#!/bin/sh\n"; }
};

TEST_F(Launcher, WindowCarriesItsCaptionsAndLayout) {
  frmLaunch& f = *frmLaunchForm;
  EXPECT_EQ(f.Caption.get(), "Kesvo - תוכנה לחישוב מבנים");
  EXPECT_EQ(f.Label1.Caption.get(), f.Caption.get());
  EXPECT_EQ(f.Command1.Caption.get(), "מסבכים");
  EXPECT_EQ(f.Command2.Caption.get(), "קורות");
  EXPECT_EQ(f.Command3.Caption.get(), "יציאה");
  EXPECT_EQ(f.Command2.Left.get(), 3600.0f);
  EXPECT_EQ(f.Command2.Height.get(), 1875.0f);
  EXPECT_EQ(f.ScaleWidth(), 6075.0f);
  EXPECT_EQ(f.ScaleHeight(), 3900.0f);
  EXPECT_FALSE(f.Command1.Picture_.get().isNull());
}

TEST_F(Launcher, EachButtonStartsItsProgramFromTheLaunchersFolderAndCloses) {
  struct Case {
    const char* program;
    void (frmLaunch::*press)();
  } cases[] = {{"truss", &frmLaunch::Command1_Click}, {"beam", &frmLaunch::Command2_Click}};
  for (const Case& c : cases) {
    svc.started.clear();
    frmLaunchForm.reset();
    frmLaunchForm->Show();
    makeProgram(c.program);
    ((*frmLaunchForm).*c.press)();
    ASSERT_EQ(svc.started.size(), 1u) << c.program;
    EXPECT_EQ(svc.started[0], (dir / c.program).string());
    EXPECT_FALSE(frmLaunchForm->loaded()) << c.program;
    EXPECT_TRUE(svc.messages.empty());
  }
}

TEST_F(Launcher, AMissingProgramIsReportedAndTheLauncherStaysOpen) {
  frmLaunchForm->Command2.Value = true;
  EXPECT_TRUE(svc.started.empty());
  ASSERT_EQ(svc.messages.size(), 1u);
  EXPECT_NE(svc.messages[0].find((dir / "beam").string()), std::string::npos);
  EXPECT_EQ(svc.titles[0], "kesvo");
  EXPECT_TRUE(frmLaunchForm->loaded());
  EXPECT_TRUE(frmLaunchForm->Visible.get());
}

TEST_F(Launcher, ExitClosesWithoutStartingAnything) {
  makeProgram("truss");
  makeProgram("beam");
  frmLaunchForm->Command3.Value = true;
  EXPECT_TRUE(svc.started.empty());
  EXPECT_FALSE(frmLaunchForm->loaded());
}

}  // namespace
