// The tip of the day: its switch file, its tips file in either encoding, and the switch written on close.
#include "beam/workspace/Module2.h"
#include "ui/vbtext.h"
#include "workspace_fixture.h"

using namespace Module20;

namespace {

using Tips = Workspace;

struct TipSwitchCase {
  const char* content;  // of TIPOK.txt; nullptr: no file
  bool shown;
};

const TipSwitchCase kTipSwitchCases[] = {{"ok\r\n", true},           {"ok", true},
                                         {"ok \r\n", false},         {"OK\r\n", false},
                                         {"\"ok\"\r\n", false},      {"\"not_ok\"\r\n", false},
                                         {nullptr, false}};

struct TipSwitches : Workspace, ::testing::WithParamInterface<TipSwitchCase> {};

TEST_P(TipSwitches, OnlyAFirstLineOfExactlyOkShowsTipsAtStart) {
  const TipSwitchCase& c = GetParam();
  if (c.content) write("TIPOK.txt", c.content);
  start();
  EXPECT_EQ(frmTipForm.exists() && frmTipForm->loaded(), c.shown) << (c.content ? c.content : "no file");
}
INSTANTIATE_TEST_SUITE_P(Tips, TipSwitches, ::testing::ValuesIn(kTipSwitchCases));

TEST_F(Tips, TipsShowInFileOrderAndWrap) {
  write("TIPOFDAY.TXT", "one\r\n\r\nthree\r\n");
  frmTip& t = *frmTipForm;
  t.Check1.Value = 0;
  t.Load();
  // Loading ticks the random box afresh only in the design; here file order was chosen first.
  EXPECT_EQ(t.tip_list, (std::vector<std::string>{"one", "", "three"}));
  t.tip_index = 0;
  t.cmdNextTip.Value = true;
  EXPECT_EQ(t.lblTipText.Caption.get(), "one");
  t.cmdNextTip.Value = true;
  EXPECT_EQ(t.lblTipText.Caption.get(), "");
  t.cmdNextTip.Value = true;
  t.cmdNextTip.Value = true;
  EXPECT_EQ(t.lblTipText.Caption.get(), "one");
}

TEST_F(Tips, RandomTipsAndBothEncodings) {
  write("TIPOFDAY.TXT", ui::toCp1255("סמך\r\nמפרק\r\n"));
  svc.randoms = {0.75f};
  frmTip& t = *frmTipForm;
  t.Load();
  EXPECT_EQ(t.lblTipText.Caption.get(), "מפרק");
  resetAll();
  write("TIPOFDAY.TXT", "סמך\r\nמפרק\r\n");  // UTF-8
  svc.randoms = {0.1f};
  frmTipForm->Load();
  EXPECT_EQ(frmTipForm->lblTipText.Caption.get(), "סמך");
}

TEST_F(Tips, AMissingTipsFileExplainsItself) {
  frmTipForm->Load();
  EXPECT_EQ(frmTipForm->lblTipText.Caption.get().rfind("That the TIPOFDAY.TXT file was not found? \r\n\r\n", 0), 0u);
  EXPECT_TRUE(frmTipForm->tip_list.empty());
}

TEST_F(Tips, ClosingWithTheBoxUntickedTurnsTheTipsOff) {
  write("TIPOK.txt", "ok\r\n");
  write("TIPOFDAY.TXT", "a tip\r\n");
  start();
  ASSERT_TRUE(frmTipForm->loaded());
  frmTipForm->chkLoadTipsAtStartup.Value = 0;
  frmTipForm->cmdOK.Value = true;
  EXPECT_FALSE(frmTipForm->loaded());
  EXPECT_EQ(read("TIPOK.txt"), "\"not_ok\"\r\n");
  resetAll();
  start();
  EXPECT_FALSE(frmTipForm.exists() && frmTipForm->loaded());
}

TEST_F(Tips, ClosingWithoutASwitchFileWritesNothing) {
  frmTipForm->Load();
  frmTipForm->chkLoadTipsAtStartup.Value = 0;
  frmTipForm->cmdOK.Value = true;
  EXPECT_FALSE(std::filesystem::exists(dir / "TIPOK.txt"));
}

}  // namespace
