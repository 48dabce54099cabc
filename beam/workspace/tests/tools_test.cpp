// The tool window's objects tab, and the splash window.
#include <vector>

#include "beam/workspace/pictures.h"
#include "workspace_fixture.h"

using namespace Module20;

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

// T shows the tool window beside the beam and leaves the keys with the main window, so the next T is a
// command again and reaches no box of the tool window the user did not click into.
TEST_F(Tools, TheKeyTLeavesTheKeysWithTheBeam) {
  Form20& f = start();
  simplySupported(5000);
  Form10& t = *Form10Form;
  t.Hide();
  ui::Control* keys = svc.focused;
  ASSERT_NE(keys, nullptr);
  key(84);
  EXPECT_TRUE(t.Visible.get());
  EXPECT_EQ(svc.focused, keys);
  key(84);
  EXPECT_FALSE(t.Visible.get());
  f.ffb_Click();  // from the menu it is shown to be worked in
  EXPECT_TRUE(t.Visible.get());
  EXPECT_EQ(svc.focused, &t);
}

// The tool window stands at the right edge of the screen below its owner's title and menu bars, so a
// main window maximised to the screen's width keeps its menus, which run from the right, free.
TEST_F(Tools, TheToolWindowLeavesTheMainWindowsMenusFree) {
  Form20& f = start();
  Form10& t = *Form10Form;
  EXPECT_EQ(t.Left.get() + t.Width.get(), svc.screenWidthTwips());
  EXPECT_GE(t.Top.get(), f.Top.get() + f.Height.get() - f.ScaleHeight());
  EXPECT_LE(t.Top.get() + t.Height.get(), svc.screenHeightTwips());
}

// A fixed end on a beam end shows its wall against the end and its hatching outside the beam; the
// canvas columns of the icon are counted from its Left, in pixels of 15 twips.
TEST_F(Tools, AFixedEndsWallTouchesTheBeamEndItStandsOnWithItsHatchingOutside) {
  Form20& f = start();
  // The inked columns of a picture: the wall's (inked over most of its height) and the others.
  auto columns = [](const ui::Picture& p, std::vector<int>& wall, std::vector<int>& other) {
    wall.clear(), other.clear();
    for (int x = 0; x < p.widthPixels(); ++x) {
      int inked = 0;
      for (int y = 0; y < p.heightPixels(); ++y) inked += (p.pixel(x, y) >> 24) > 0;
      if (inked > p.heightPixels() * 3 / 4) wall.push_back(x);
      else if (inked > 0) other.push_back(x);
    }
  };
  std::vector<int> wall, hatching;
  dropAt(6, fraction(0));
  ui::Image& left = f.Image1[6];
  ASSERT_EQ(left.Left.get(), 165);
  columns(left.Picture_.get(), wall, hatching);
  ASSERT_FALSE(wall.empty());
  ASSERT_FALSE(hatching.empty());
  EXPECT_EQ(wall.back() + 1, int((canvas::kBeamLeft - left.Left) / 15)) << "the wall ends where the beam starts";
  EXPECT_LT(hatching.back(), wall.front()) << "the hatching left of the wall";
  dropAt(7, fraction(1));
  ui::Image& right = f.Image1[7];
  ASSERT_EQ(right.Left.get(), 10285);
  columns(right.Picture_.get(), wall, hatching);
  ASSERT_FALSE(wall.empty());
  EXPECT_EQ(wall.front(), 0) << "the wall starts where the beam ends";
  EXPECT_GT(hatching.front(), wall.back()) << "the hatching right of the wall";
  // Taken off the end into the span, it is a clamp on the beam with its wall at its centre.
  dropAt(6, fraction(0.5));
  EXPECT_EQ(left.Picture_.get(), beam::objectPicture(2 + 20)) << "highlighted: the pointer is on it";
}

TEST_F(Tools, SolveSolvesOnceAndLeavesSolvingAsTheMenuSays) {
  Form20& f = start();
  dropAt(1, fraction(0));
  dropAt(2, fraction(1));
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

#include <QFontMetrics>

#include "ui/views.h"

namespace {

// The tab control stands inside the tool window, every control of its pages inside it, and every tab
// caption shows whole in its tab.
TEST_F(Tools, EveryTabAndPageOfTheToolWindowShowsWhole) {
  start();
  Form10& t = *Form10Form;
  EXPECT_GE(t.SSTab1.Left.get(), 0.0f);
  EXPECT_GE(t.SSTab1.Top.get(), 0.0f);
  EXPECT_LE(t.SSTab1.Left.get() + t.SSTab1.Width.get(), t.ScaleWidth());
  EXPECT_LE(t.SSTab1.Top.get() + t.SSTab1.Height.get(), t.ScaleHeight());
  for (ui::Control* c : t.SSTab1.children()) {
    EXPECT_GE(c->Left.get(), 0.0f) << c->Name();
    EXPECT_LE(c->Left.get() + c->Width.get(), t.SSTab1.Width.get()) << c->Name();
    EXPECT_LE(c->Top.get() + c->Height.get(), t.SSTab1.Height.get()) << c->Name();
  }
  ui::realize(t)->show();
  QWidget* tabs = ui::childHost(t.SSTab1);
  ASSERT_NE(tabs, nullptr);
  for (int i = 0; i < t.SSTab1.Tabs(); ++i) {
    QFont font;
    const QRect r = ui::tabRect(t.SSTab1, i, &font);
    EXPECT_GE(r.left(), 0) << i;
    EXPECT_LE(r.right(), tabs->width() - 1) << i;
    const QString caption = QString::fromStdString(t.SSTab1.TabCaption(i)).trimmed();
    EXPECT_LE(QFontMetrics(font).horizontalAdvance(caption), r.width() - 6) << "caption " << i;
  }
  ui::unrealize(t);
}

}  // namespace
