// The tool window's objects tab, and the splash window.
#include "workspace_fixture.h"

namespace {

using Tools = Workspace;

TEST_F(Tools, AddButtonsShowIconsUpToTheirKindsLimit) {
  Form20& f = start();
  Form10& t = *Form10Form;
  for (int i = 0; i < 6; ++i) t.Command5.Value = true;
  for (int i = 1; i <= 5; ++i) EXPECT_TRUE(f.Image1[i].Visible.get()) << i;
  EXPECT_FALSE(f.Image1[6].Visible.get());
  EXPECT_EQ(next_support, 6);
  for (int i = 0; i < 10; ++i) t.Command16.Value = true;  // ten forces of opposite sign
  EXPECT_EQ(forces(30).value, -1);
  EXPECT_EQ(sel_obj, 30);
  f.StatusBar2.Panels(4).Text = "";
  t.Command1.Value = true;  // at its limit it still sets the status text
  EXPECT_EQ(f.StatusBar2.Panels(4).Text.get(), " באפשרותך לגרור כל אובייקט למיקום חדש");
  t.Command16.Value = true;  // and the opposite-sign one negates nothing more
  EXPECT_EQ(forces(30).value, -1);
  t.Command2.Value = true;
  EXPECT_EQ(moments(31).value, 1);
  EXPECT_TRUE(f.Image1[31].Visible.get());
}

TEST_F(Tools, SolveSolvesOnceAndLeavesSolvingAsTheMenuSays) {
  Form20& f = start();
  drop(1, 50, 1800);
  drop(2, 10000, 1800);
  f.ffe.choose();  // solve on every drag off
  drop(21, 2000, 1200);
  EXPECT_EQ(reactions(1).R, 0);
  Form10Form->Command6.Value = true;
  EXPECT_NEAR(reactions(1).R + reactions(2).R, 1, 1e-5);
  EXPECT_EQ(solve_on, False);
  f.ffe.choose();
  f.ffa.Enabled = true;
  f.ffa.choose();
  EXPECT_EQ(solve_on, True);
}

TEST_F(Tools, TheAxesToggleFollowsTheFirstAxisLine) {
  Form20& f = start();
  Form10Form->command8.Value = true;
  for (int i = 0; i <= 5; ++i) EXPECT_FALSE(f.Line1[i].Visible.get());
  EXPECT_FALSE(f.Label2.Visible.get());
  f.Line1[3].Visible = true;
  Form10Form->command8.Value = true;
  for (int i = 0; i <= 5; ++i) EXPECT_TRUE(f.Line1[i].Visible.get());
}

TEST_F(Tools, TheSplashClosesOnItsFifthTickOrAKey) {
  int ticksWhileOpen = 0;
  svc.onModal = [&](ui::Form& form) {
    auto& s = static_cast<frmSplash&>(form);
    for (int i = 0; i < 4; ++i) s.Timer1.tick();
    if (s.loaded()) ticksWhileOpen = 4;
    s.Timer1.tick();
    EXPECT_FALSE(s.loaded());
  };
  Form20& f = start();
  EXPECT_EQ(ticksWhileOpen, 4);
  // About shows it again for another five ticks; a key closes it at once.
  svc.onModal = [&](ui::Form& form) {
    auto& s = static_cast<frmSplash&>(form);
    EXPECT_EQ(s.splash_ticks, 0);
    int key = 'a';
    s.Form_KeyPress(key);
    EXPECT_FALSE(s.loaded());
  };
  f.ii2.choose();
  EXPECT_EQ(svc.modalShown.size(), 2u);
}

}  // namespace
