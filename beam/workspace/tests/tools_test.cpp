// The tool window's objects tab, and the splash window.
#include <functional>
#include <vector>

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
// command again; a letter that reaches a value box of the tool window is no part of its number.
TEST_F(Tools, TheKeyTLeavesTheKeysWithTheBeamAndNoLetterLandsInAValueBox) {
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
  std::vector<std::function<void(int&)>> boxes;
  for (ui::TextBox* b : {&t.Text10, &t.Text13, &t.Text6, &t.Text7}) boxes.push_back([b](int& k) { b->KeyPress(k); });
  for (int i = 0; i <= 2; ++i) boxes.push_back([&t, i](int& k) { t.Text2.KeyPress(i, k); });
  for (int i = 0; i <= 1; ++i) boxes.push_back([&t, i](int& k) { t.Text4.KeyPress(i, k); });
  for (std::size_t b = 0; b < boxes.size(); ++b) {
    for (char letter : {'t', 'T', 'x', ' '}) {
      int k = letter;
      boxes[b](k);
      EXPECT_EQ(k, 0) << "box " << b << ", " << char(letter);
    }
    for (int kept : {int('3'), int('.'), int('-'), int('E'), 8}) {
      int k = kept;
      boxes[b](k);
      EXPECT_EQ(k, kept) << "box " << b;
    }
  }
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
