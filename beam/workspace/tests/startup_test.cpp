// Start-up of the beam program, its menus and its shutdown.
#include <cmath>

#include "beam/workspace/Module1.h"
#include "workspace_fixture.h"

using namespace Module20;

namespace {

TEST_F(Workspace, StartsOnAFullScreenWithSplashToolWindowAndEmptyBeam) {
  std::size_t messagesAtSplash = 99;
  svc.onModal = [&](ui::Form& form) { messagesAtSplash = svc.messages.size(); };
  Form20& f = start();
  EXPECT_TRUE(svc.messages.empty());
  EXPECT_EQ(f.Width.get(), 10800.0f);
  EXPECT_EQ(f.Height.get(), 9000.0f);
  EXPECT_EQ(f.Left.get(), 0.0f);
  ASSERT_EQ(svc.modalShown, std::vector<std::string>{"frmSplash"});
  EXPECT_EQ(messagesAtSplash, 0u);
  Form10& tools = *Form10Form;
  EXPECT_TRUE(tools.loaded());
  EXPECT_EQ(tools.Left.get(), 12000 - tools.Width.get());
  EXPECT_TRUE(f.Picture6.Visible.get());
  EXPECT_TRUE(f.Shape9.Visible.get());
  EXPECT_EQ(f.StatusBar2.Panels(4).Text.get(), "הוסף לקורה אובייקטים   ");
  EXPECT_EQ(f.Picture3.DrawWidth.get(), 2);
  EXPECT_EQ(graf_color(0).green, 255);
  EXPECT_EQ(graf_color(1).red, 255);
  EXPECT_EQ(graf_color(2).blue, 255);
  EXPECT_EQ(f.Line3[1].BorderColor.get(), ui::RGB(255, 0, 0));
  EXPECT_NEAR(graf_scale(0), 1.0f / 7, 1e-7);
  EXPECT_EQ(graf_scale(1), 1.0f);
  EXPECT_EQ(graf_scale(2), 90.0f);
  EXPECT_EQ(tools.MSFlexGrid1.TextMatrix(0, 1), "E");
  EXPECT_EQ(solve_on, True);
  EXPECT_EQ(n_elem, 1);
  EXPECT_FALSE(frmTipForm.exists() && frmTipForm->loaded());  // no switch file
}

TEST_F(Workspace, ASmallScreenIsAdvisedBeforeTheSplashAndFilled) {
  svc.screenW = 11985;
  svc.screenH = 9000;
  std::size_t messagesAtSplash = 99;
  svc.onModal = [&](ui::Form&) { messagesAtSplash = svc.messages.size(); };
  Form20& f = start();
  ASSERT_EQ(svc.messages.size(), 1u);
  EXPECT_EQ(messagesAtSplash, 1u);
  EXPECT_EQ(svc.messages[0], "מומלץ להשתמש ברזולוצית מסך 800 על 600  או גבוה יותר" + std::string(35, ' ') +
                                 "רזולוצית מסך כעת היא  799 על 600");
  EXPECT_FLOAT_EQ(f.Width.get(), 0.999f * 11985);
  EXPECT_FLOAT_EQ(f.Height.get(), 0.999f * 9000);
}

TEST_F(Workspace, TheResetParksEveryIconInThePaletteStrip) {
  Form20& f = start();
  for (int i = 1; i <= 50; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(f.Image1[i].Left.get(), float(9000 - 150 * i));
    EXPECT_EQ(f.Image1[i].Top.get(), float(100 + 100 * std::sin(double(i))));
    EXPECT_GE(f.Image1[i].Top.get(), 0.0f);
    EXPECT_LE(f.Image1[i].Top.get(), 200.0f);
    EXPECT_FALSE(f.Image1[i].Visible.get());
  }
  EXPECT_NEAR(f.Image1[1].Top.get(), 184.1f, 0.1f);
  EXPECT_EQ(f.Image1[45].Width.get(), 500.0f);
  EXPECT_EQ(f.Image1[45].Tag.get(), "250");
  EXPECT_EQ(forces(25).value, 1);
  EXPECT_EQ(unit_L, beam_length / 10000);
  EXPECT_EQ(next_support, 1);
  EXPECT_EQ(next_dist, 41);
  // Icon sizes agree with the centre offsets the solver and the canvas use.
  EXPECT_EQ(f.Image1[1].Width.get(), 360.0f);
  EXPECT_EQ(f.Image1[6].Width.get(), 150.0f);
  EXPECT_EQ(f.Image1[21].Width.get(), 120.0f);
  EXPECT_EQ(f.Image1[31].Width.get(), 270.0f);
}

TEST_F(Workspace, IconCodesFollowKindAndSign) {
  start();
  struct Case {
    int index;
    float value;
    Integer code;
  } cases[] = {{1, 0, 1}, {7, 0, 2}, {15, 0, 3}, {16, 0, 4}, {25, 2.5f, 6}, {25, -1, 9}, {25, 0, 0},
               {33, 1, 10}, {33, -1, 7}, {44, 1, 8}, {44, -2, 11}, {0, 0, 0}, {51, 0, 0}};
  for (const Case& c : cases) {
    if (c.index >= 21 && c.index <= 30) forces(c.index).value = c.value;
    if (c.index >= 31 && c.index <= 40) moments(c.index).value = c.value;
    if (c.index >= 41 && c.index <= 50) dist_loads(c.index).value = c.value;
    EXPECT_EQ(object_icon(Byte(c.index)), c.code) << c.index << " " << c.value;
  }
}

TEST_F(Workspace, TheAddMenuEnablesLoadsThenSolveToolbarAndTutorial) {
  Form20& f = start();
  Form10Form->Command5.Value = true;  // the tool window's own button enables nothing
  EXPECT_FALSE(f.ee4[0].Enabled.get());
  EXPECT_TRUE(f.Image1[1].Visible.get());
  f.ee1[2].choose();
  EXPECT_TRUE(f.ee4[2].Enabled.get());
  EXPECT_TRUE(f.Image1[2].Visible.get());
  EXPECT_EQ(f.StatusBar2.Panels(4).Text.get(), "גרור את האובייקט ומקמו בקורה ");
  EXPECT_FALSE(f.ffa.Enabled.get());
  f.ee4[0].choose();
  EXPECT_TRUE(f.Image1[21].Visible.get());
  EXPECT_TRUE(f.ffa.Enabled.get());
  EXPECT_TRUE(f.ffb.Enabled.get());
  EXPECT_TRUE(f.ffd.Enabled.get());
  f.ffe.choose();
  EXPECT_EQ(solve_on, False);
  EXPECT_FALSE(f.ffe.Checked.get());
  f.ffe.choose();
  EXPECT_EQ(solve_on, True);
}

TEST_F(Workspace, TheToolWindowSwitchShowsAndHidesIt) {
  Form20& f = start();
  EXPECT_FALSE(Form10Form->Visible.get() && Form10Form->view());
  f.ffb_Click();
  EXPECT_TRUE(f.ffb.Checked.get());
  f.ffb_Click();
  EXPECT_FALSE(f.ffb.Checked.get());
}

TEST_F(Workspace, ExitAndCloseEachStartTheLauncherOnce) {
  write("kesvo", "#!/bin/sh\n");
  Form20& f = start();
  f.aa1.choose();
  EXPECT_EQ(svc.started, std::vector<std::string>{(dir / "kesvo").string()});
  EXPECT_TRUE(svc.ended);
  EXPECT_FALSE(Form10Form->loaded());
  svc.started.clear();
  resetAll();
  Form20& g = start();
  g.Show();
  g.userClose();
  EXPECT_EQ(svc.started, std::vector<std::string>{(dir / "kesvo").string()});
  EXPECT_FALSE(g.loaded());
}

}  // namespace
