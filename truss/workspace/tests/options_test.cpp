// The menus and options of the main window, and its scales, sliders and scroll bars.
#include <array>

#include "truss/solver/tests/truss_fixture.h"

namespace {

using namespace truss_test;
using namespace common1;

struct Options : TrussFixture {
  void solvedTruss() {
    twoBars();
    solve();
    ASSERT_TRUE(svc.messages.empty());
  }
  float centreX(int p) { return f().Image1[p].Left + f().Image1[p].Width / 2; }
};

TEST_F(Options, CheckMarksAndWhatEachItemDoes) {
  solvedTruss();
  struct Case {
    ui::Menu& item;
    bool initially;
  } cases[] = {{f().dd2, false}, {f().dd3, true}, {f().dd4, true}, {f().dd5, true}, {f().dd6, true}};
  for (const Case& c : cases) {
    EXPECT_EQ(c.item.Checked.get(), c.initially) << c.item.Name();
    c.item.choose();
    EXPECT_EQ(c.item.Checked.get(), !c.initially) << c.item.Name();
  }
  // dd3 cleared the drawing and no longer keeps it; dd5 hid the help panel.
  EXPECT_TRUE(f().Picture1.drawn().empty());
  EXPECT_FALSE(f().Picture1.AutoRedraw.get());
  EXPECT_FALSE(f().Picture3.Visible.get());
  solve();
  EXPECT_TRUE(f().Picture1.drawn().empty()) << "no displaced shape without dd3";
  EXPECT_EQ(f().Line1[0].BorderColor.get(), ui::RGB(0, 0, 0)) << "no colours without dd4";
  f().dd3.choose();
  f().dd5.choose();
  EXPECT_TRUE(f().Picture1.AutoRedraw.get());
  EXPECT_TRUE(f().Picture3.Visible.get());
  // dd6 brings a hidden tool panel back whichever way it turns.
  f().SSTab2.Visible = false;
  f().dd6.choose();
  EXPECT_TRUE(f().dd6.Checked.get());
  EXPECT_TRUE(f().SSTab2.Visible.get());
  f().Picture1_MouseMove(0, 0, 500, 500);
  EXPECT_FALSE(f().SSTab2.Visible.get());
  f().Picture7_MouseMove(0, 0, 0, 0);
  EXPECT_TRUE(f().SSTab2.Visible.get());
}

TEST_F(Options, DataAndFormulasOpensTheWindowWithItsTablesAndSolves) {
  solvedTruss();
  line_t.fill(0);
  f().bb1.choose();
  EXPECT_TRUE(f().dd2.Checked.get());
  EXPECT_TRUE(f2().Visible.get());
  EXPECT_EQ(f2().MSFlexGrid1[1].TextMatrix(0, 1), "Enabled");
  EXPECT_EQ(f2().MSFlexGrid1[3].TextMatrix(1, 0), "R_type");
  EXPECT_NE(line_t(0), 0);
  EXPECT_EQ(f2().MSFlexGrid1[Form2::kKGrid].Rows(), 3);
  EXPECT_FALSE(f2().MSFlexGrid1[Form2::kKGrid].TextMatrix(1, 1).empty());
}

TEST_F(Options, NewLeavesEveryBarSlotBlackAndColoursBySignReachEverySlot) {
  solvedTruss();
  // Bar 1 hidden, as a deleted bar is, while the solution stands.
  f().Line1[1].Visible = false;
  f().Command2_Click();
  EXPECT_EQ(f().Line1[1].BorderColor.get(), line_t(1) > 0 ? ui::RGB(0, 254, 0) : ui::RGB(254, 0, 0));
  EXPECT_FALSE(f().Line1[1].Visible.get());
  f().aa2.choose();
  for (int j = 0; j <= 200; ++j) ASSERT_EQ(f().Line1[j].BorderColor.get(), ui::RGB(0, 0, 0)) << j;
  // Without a solution of the new truss no bar has a force, whatever the model keeps of the old one.
  int a = point(1000, 0);
  bar(0, a);
  EXPECT_TRUE(f().Command2.Enabled.get());
  f().Command2_Click();
  EXPECT_EQ(f().Line1[0].BorderColor.get(), ui::RGB(127, 127, 0));
}

TEST_F(Options, TheScaleListAndTheClearButton) {
  EXPECT_EQ(f().Combo1.Text.get(), "15 mm/picsel");
  EXPECT_EQ(f().Combo1.ListCount(), 4);
  EXPECT_EQ(f().Text1.Text.get(), " 2  [מטר]");
  f().Combo1.ListIndex = 0;
  EXPECT_EQ(scale_mm, 1);
  EXPECT_EQ(f().Text1.Text.get(), " 2  [מטר]");
  EXPECT_EQ(f().Combo1.Text.get(), "15 mm/picsel") << "the empty item is no scale";
  f().Combo1.ListIndex = 3;
  EXPECT_EQ(scale_mm, 3);
  EXPECT_EQ(f().Text1.Text.get(), " 6 [מטר]");
  f().Combo1.ListIndex = 0;
  EXPECT_EQ(scale_mm, 3);
  EXPECT_EQ(f().Combo1.ListIndex.get(), 3);
  EXPECT_EQ(f().Combo1.Text.get(), "45 mm/picsel");
  EXPECT_EQ(f().Text1.Text.get(), " 6 [מטר]");
  f().Combo1.ListIndex = 2;
  EXPECT_EQ(f().Text1.Text.get(), " 4 [מטר]");
  solvedTruss();
  ASSERT_FALSE(f().Picture1.drawn().empty());
  f().Command1.Value = true;
  EXPECT_TRUE(f().Picture1.drawn().empty());
  EXPECT_TRUE(f().Image1[p2].Visible.get());
}

TEST_F(Options, ArrowKeysOnTheMagnificationSliderMagnifyAndMoveNoPoint) {
  solvedTruss();
  select(kPoints);
  f().Image1_MouseMove(p2, 0, 0, 0, 0);
  const float x = centreX(p2);
  const std::vector<ui::Segment> before = f().Picture1.drawn();
  f().Slider2.GotFocus();
  EXPECT_EQ(f().Slider2.BorderStyle.get(), 1);
  f().dispatchKeyDown(&f().Slider2, 39, 0);
  f().Slider2.Value = 400;  // what the slider itself does with the key
  f().dispatchKeyUp(&f().Slider2, 39, 0);
  EXPECT_EQ(centreX(p2), x);
  EXPECT_NE(svc.focused, &f().Picture1);
  EXPECT_EQ(f().Label11.Caption.get(), " 400");
  const std::vector<ui::Segment>& after = f().Picture1.drawn();
  ASSERT_EQ(after.size(), before.size());
  EXPECT_NE(after[0].y2, before[0].y2) << "the shape is redrawn magnified";
  // Once the slider has lost the focus the arrows move the point again.
  f().Slider2.LostFocus();
  EXPECT_EQ(f().Slider2.BorderStyle.get(), 0);
  f().dispatchKeyDown(&f().Slider2, 39, 0);
  EXPECT_EQ(centreX(p2), x + 15);
  EXPECT_EQ(svc.focused, &f().Picture1);
}

TEST_F(Options, ThePenStartsAsItsSlidersSayAndFollowsThem) {
  EXPECT_EQ(f().Picture1.DrawMode.get(), 13);
  EXPECT_EQ(f().Picture1.DrawStyle.get(), 2);
  EXPECT_EQ(f().Picture1.DrawWidth.get(), 1);
  for (int k = 0; k < 3; ++k)
    EXPECT_EQ((std::array{f().Picture1.DrawMode.get(), f().Picture1.DrawStyle.get(), f().Picture1.DrawWidth.get()})[k],
              f().Slider3[k].Value.get());
  solvedTruss();
  f().Slider3[2].Value = 4;
  ASSERT_FALSE(f().Picture1.drawn().empty());
  for (const ui::Segment& s : f().Picture1.drawn()) EXPECT_EQ(s.width, 4);
  f().Slider3[0].Value = 7;
  for (const ui::Segment& s : f().Picture1.drawn()) EXPECT_EQ(s.mode, 7);
  // A bar without stress is white, which shows on the canvas.
  EXPECT_NE(f().Picture1.BackColor.get(), ui::RGB(255, 255, 255));
}

TEST_F(Options, BarWidthReachesHiddenBarsAndScrollRangesFollowTheScreen) {
  f().Slider1[0].Value = 3;
  for (int j = 0; j <= 200; ++j) ASSERT_EQ(f().Line1[j].BorderWidth.get(), 3) << j;
  // A small window scrolls over the whole canvas; at its maximum the canvas bottom is the viewport's.
  f().Width = 9000;
  f().Height = 6000;
  f().Form_Resize();
  EXPECT_EQ(f().VScroll1.Max.get(), int(30000 - f().Picture5.Height));
  f().VScroll1.Value = f().VScroll1.Max.get();
  EXPECT_EQ(f().Picture1.Top + 30000, f().Picture5.Height.get());
  // A window larger than the canvas has nothing to scroll.
  f().Width = 45000;
  f().Height = 45000;
  f().Form_Resize();
  EXPECT_EQ(f().VScroll1.Max.get(), 0);
  EXPECT_EQ(f().HScroll1.Max.get(), 0);
  EXPECT_EQ(f().Picture1.Top.get(), 0);
}

TEST_F(Options, TheSolveClearsTheHighlightsAlsoInThePointMode) {
  solvedTruss();
  ASSERT_TRUE(f().Option3[kPoints].Value.get());
  f().Image1_MouseMove(p2, 0, 0, 0, 0);
  ASSERT_EQ(f().Image1[p2].Picture_.get(), f().Image3[2].Picture_.get());
  f().dd4.choose();
  f().Line1[0].BorderColor = ui::RGB(255, 255, 255);
  solve();
  EXPECT_EQ(f().Image1[p2].Picture_.get(), f().Image2[2].Picture_.get());
  EXPECT_EQ(f().Line1[0].BorderColor.get(), ui::RGB(0, 0, 0));
}

}  // namespace
