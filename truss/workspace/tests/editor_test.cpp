// The canvas editor and the keyboard: adding points, bars, supports and loads, dragging, selection,
// deletion of each kind (stale selections included), the space bar and the nudge keys.
#include <cmath>
#include <string>
#include <vector>

#include "beam/solver/tests/beam_cases.h"
#include "truss/solver/tests/truss_fixture.h"

namespace {

using namespace truss_test;
using namespace common1;

struct Editor : TrussFixture {};

TEST_F(Editor, PointSlotsAreReusedAndAt50PointsTheCanvasRefuses) {
  for (int i = 1; i < 50; ++i) ASSERT_EQ(point(float(i) * 100, 500), i);
  EXPECT_EQ(points_count, 50);
  f().Picture1_MouseUp(ui::vbLeftButton, 0, 9000, 20000);
  EXPECT_EQ(points_count, 50);
  EXPECT_FALSE(f().Image1[50].Visible.get());

  select(kPoints);
  f().Image1_MouseMove(20, 0, 0, 0, 0);
  key(46);
  ASSERT_FALSE(f().Image1[20].Visible.get());
  EXPECT_EQ(point(7000, 7000), 20);
  EXPECT_EQ(points_count, 50);
}

TEST_F(Editor, ARightClickAddsNoPointButARightPressPlacesALoad) {
  f().Picture1_MouseUp(ui::vbRightButton, 0, 5000, 5000);
  EXPECT_EQ(points_count, 1);
  int p = point(1000, 1000);
  f().Option4[kDown].Value = true;
  f().Image1_MouseDown(p, ui::vbRightButton, 0, 0, 0);
  EXPECT_EQ(P_data(p).F_type_y, -1);
  EXPECT_TRUE(f().Picture2[0].Visible.get());
}

struct PointRulesCase {
  const char* name;
  std::vector<Tool> tools;
  uint8_t R_type;
  int16_t F_type_x, F_type_y;
};
const PointRulesCase kPointRulesCases[] = {
    {"a roller moving in x refuses a load down and takes one to the right", {kRollerX, kDown, kRight}, 2, 1, 0},
    {"a load up refuses a fixed support and takes a roller moving in y", {kUp, kFixed, kRollerY}, 3, 0, 1},
    {"a fixed point takes no load", {kFixed, kLeft, kUp}, 1, 0, 0},
    {"a second support and a second load in one direction are refused", {kRollerX, kRollerY, kLeft, kRight}, 2, -1, 0},
    {"a roller moving in y refuses a horizontal load", {kRollerY, kRight, kDown}, 3, 0, -1},
};

struct PointRules : TrussFixture, ::testing::WithParamInterface<PointRulesCase> {};

TEST_P(PointRules, SupportsAndLoadsFollowTheRulesOfAPoint) {
  const PointRulesCase& c = GetParam();
  int p = point(1000, 1000);
  for (Tool t : c.tools) tool(p, t);
  EXPECT_EQ(P_data(p).R_type, c.R_type);
  EXPECT_EQ(P_data(p).F_type_x, c.F_type_x);
  EXPECT_EQ(P_data(p).F_type_y, c.F_type_y);
  EXPECT_EQ(supports_count, 202 + (c.R_type ? 1 : 0));
  EXPECT_EQ(forces_count, (c.F_type_x ? 1 : 0) + (c.F_type_y ? 1 : 0));
}
INSTANTIATE_TEST_SUITE_P(Editor, PointRules, ::testing::ValuesIn(kPointRulesCases), caseName<PointRulesCase>);

TEST_F(Editor, MarkersArrowsAndSupportsStandAtTheirPoint) {
  int p = point(1000, 1000);
  const ui::Image& m = f().Image1[p];
  EXPECT_EQ(m.Left + m.Width / 2, kX0 + 1000);
  EXPECT_EQ(m.Top + m.Height / 2, kY0 - 1000);
  tool(p, kRollerY);
  tool(p, kUp);
  const ui::Image& s = f().Image1[202];
  EXPECT_EQ(s.Left.get(), m.Left + m.Width);
  EXPECT_EQ(s.Top.get(), m.Top + m.Height / 2 - 180);
  EXPECT_EQ(f().Picture2[0].Picture_.get(), f().Picture2[1043].Picture_.get());
  EXPECT_EQ(f().Picture2[0].Top.get(), m.Top - 435);
}

TEST_F(Editor, BarsRunBetweenTwoPointsAndReuseAHiddenLine) {
  int a = point(1000, 0), b = point(2000, 0), c = point(3000, 0);
  f().Image1_Click(a);
  f().Image1_Click(a);  // the same point again: still waiting
  EXPECT_EQ(f().bar_pending, 1);
  f().Image1_Click(201);  // a support marker is no end
  EXPECT_EQ(f().bar_pending, 1);
  EXPECT_EQ(f().Label7.Caption.get(), "חבר קצה שני");
  f().Image1_Click(b);
  EXPECT_EQ(f().bar_pending, 0);
  EXPECT_EQ(f().Label7.Caption.get(), "") << "no bar waits for a second end";
  EXPECT_EQ(lines_count, 1);
  EXPECT_EQ(P_L_index(0, a, 0), -1);
  EXPECT_EQ(P_L_index(0, a, 1), 0);
  EXPECT_EQ(P_L_index(0, b, 1), -1);
  EXPECT_EQ(f().Label6[0].Left.get(), kX0 + 1500);
  bar(b, c);
  select(kBars);
  f().Label6_MouseMove(0, 0, 0, 0, 0);
  key(46);
  bar(c, a);
  EXPECT_TRUE(f().Line1[0].Visible.get());  // the hidden line came back for the new bar
  EXPECT_EQ(lines_count, 2);
  EXPECT_EQ(f().Line1[0].X1.get(), kX0 + 3000);
}

TEST_F(Editor, ALeftClickWhileABarWaitsAddsAPointAndTheBarStillWaits) {
  int a = point(1000, 0);
  f().Image1_Click(a);
  int b = point(2000, 0);
  EXPECT_EQ(b, 2);
  EXPECT_EQ(f().bar_pending, 1);
  f().Picture1_MouseMove(0, 0, 5000, 5000);
  EXPECT_EQ(f().Line1[0].X2.get(), 5000);
}

TEST_F(Editor, DraggingAPointCarriesItsBarsLoadsAndSupport) {
  int a = point(1000, 0), b = point(2000, 1000);
  bar(a, b);
  tool(b, kRollerX);
  tool(b, kRight);
  f().Picture1_DragOver(f().Image1[b], kX0 + 2500, kY0 - 1500, ui::vbOver);
  EXPECT_EQ(f().Line1[0].X2.get(), kX0 + 2500);
  EXPECT_EQ(f().Line1[0].Y2.get(), kY0 - 1500);
  EXPECT_EQ(f().Line1[0].X1.get(), kX0 + 1000);
  EXPECT_EQ(f().Label6[0].Left.get(), kX0 + 1750);
  EXPECT_EQ(f().Image1[202].Left.get(), kX0 + 2500 - 180);
  EXPECT_EQ(f().Picture2[0].Top.get(), kY0 - 1500 - 52);
  EXPECT_EQ(f().Text3.Text.get(), "2500");
  EXPECT_EQ(f().Text4.Text.get(), "1500");

  f().Picture1_DragOver(f().Image1[0], kX0 + 100, kY0 - 100, ui::vbOver);
  EXPECT_EQ(origin_x, kX0 + 100);
  EXPECT_EQ(f().Line11[1].Y1.get(), kY0 - 100);
  EXPECT_EQ(f().Text3.Text.get(), "0");
  EXPECT_EQ(f().Text4.Text.get(), "0");
}

TEST_F(Editor, TheBarTooltipShowsItsNumbersAndNoStressWithoutArea) {
  for (int i = 0; i < 4; ++i) bar(point(float(i) * 500, 0), point(float(i) * 500, 400));
  f2().solution_current = true;  // as after a solve that gave these forces
  line_t(3) = 12000;
  line_A(3) = 1000;
  line_E(3) = 210;
  f().Label6_MouseMove(3, 0, 0, 0, 0);
  EXPECT_EQ(f().Label6[3].ToolTipText.get(),
            "Sigma ( 3 ) = 12 [Mpa]    ,   t ( 3 ) = 12000 [N]   ,   A ( 3 ) = 1000 [mm^2]  ,   E ( 3 ) = 210 [GPa]");
  line_A(3) = 0;
  f().Label6_MouseMove(3, 0, 0, 0, 0);
  EXPECT_EQ(f().Label6[3].ToolTipText.get(),
            "Sigma ( 3 ) = [Mpa]    ,   t ( 3 ) = 12000 [N]   ,   A ( 3 ) = 0 [mm^2]  ,   E ( 3 ) = 210 [GPa]");
  // After an edit the force and stress are no longer this truss's.
  point(3000, 3000);
  f().Picture1_DragOver(f().Image1[1], kX0 + 10, kY0, 0);
  f().Label6_MouseMove(3, 0, 0, 0, 0);
  EXPECT_EQ(f().Label6[3].ToolTipText.get(),
            "Sigma ( 3 ) = [Mpa]    ,   t ( 3 ) = [N]   ,   A ( 3 ) = 0 [mm^2]  ,   E ( 3 ) = 210 [GPa]");
}

TEST_F(Editor, ANewPointTakesTheMarkerSizeNowChosen) {
  f().Slider1[1].Value = 3;
  int p = point(1000, 1000);
  EXPECT_EQ(f().Image1[p].Picture_.get(), f().Image2[3].Picture_.get());
  EXPECT_EQ(f().Image1[p].Left + f().Image1[p].Width / 2, kX0 + 1000);
  // Changing the size keeps every marker centred on its point.
  f().Slider1[1].Value = 1;
  EXPECT_EQ(f().Image1[p].Left + f().Image1[p].Width / 2, kX0 + 1000);
  EXPECT_EQ(f().Image1[0].Top + f().Image1[0].Height / 2, kY0);
}

TEST_F(Editor, ChoosingASelectionModeClearsEveryHighlight) {
  int a = point(1000, 0), b = point(1000, 1000);
  bar(a, b);
  tool(b, kDown);
  f().Line1[0].BorderColor = ui::RGB(255, 0, 0);
  select(kLoads);
  f().Picture2_MouseMove(0, 0, 0, 0, 0);
  EXPECT_EQ(f().Picture2[0].Picture_.get(), f().Picture2[1000].Picture_.get());
  EXPECT_EQ(f().Line1[0].BorderColor.get(), ui::RGB(0, 0, 0));
  select(kPoints);
  EXPECT_EQ(f().Picture2[0].Picture_.get(), f().Picture2[1040].Picture_.get());
}

TEST_F(Editor, HoveringWithFortyLoadsReadsNoArrowBeyondTheLast) {
  for (int i = 0; i < 20; ++i) {
    int p = point(float(i) * 300, 2000);
    tool(p, kDown);
    tool(p, kRight);
  }
  ASSERT_EQ(forces_count, 40);
  select(kLoads);
  EXPECT_NO_THROW(f().Picture2_MouseMove(39, 0, 0, 0, 0));
  EXPECT_EQ(selected_index, 39);
  EXPECT_EQ(selected_kind, 2);
  EXPECT_NO_THROW(f().Option3_Click(2));
  int p = point(100, 100);
  tool(p, kUp);  // a 41st load is refused
  EXPECT_EQ(forces_count, 40);
}

TEST_F(Editor, HoveringAnArrowOutsideTheLoadModeChangesNoSelection) {
  int p = point(1000, 1000);
  tool(p, kDown);
  select(kPoints);
  f().Image1_MouseMove(p, 0, 0, 0, 0);
  f().Picture2_MouseMove(0, 0, 0, 0, 0);
  EXPECT_EQ(selected_kind, 1);
  EXPECT_EQ(f().Text5.Text.get(), std::to_string(p));
  EXPECT_EQ(f().Picture2[0].Picture_.get(), f().Picture2[1040].Picture_.get());
}

// ---- keyboard ----

struct Keyboard : TrussFixture {};

TEST_F(Keyboard, NudgeKeysMoveTheSelectedPointByOneFifteenOr150Twips) {
  struct Case {
    int key;
    float dx, dy;
  } cases[] = {{68, -1, 0},   {82, 0, -1},   {70, 1, 0},   {67, 0, 1},  {37, -15, 0},  {38, 0, -15},
               {39, 15, 0},   {40, 0, 15},   {65, -150, 0}, {87, 0, -150}, {83, 150, 0}, {90, 0, 150}};
  int p = point(3000, 3000);
  select(kPoints);
  f().Image1_MouseMove(p, 0, 0, 0, 0);
  for (const Case& c : cases) {
    const float x = P_data(p).x, y = P_data(p).y;
    key(c.key);
    EXPECT_EQ(P_data(p).x, x + c.dx) << c.key;
    EXPECT_EQ(P_data(p).y, y + c.dy) << c.key;
  }
}

TEST_F(Keyboard, NudgeKeysActOnlyOnAPointPickedInThePointMode) {
  int p = point(3000, 3000);
  select(kPoints);
  f().Image1_MouseMove(p, 0, 0, 0, 0);
  select(kBars);
  key(83);
  EXPECT_EQ(P_data(p).x, kX0 + 3000);
}

TEST_F(Keyboard, DeleteRemovesAPointWithItsBarsLoadsAndSupport) {
  int a = point(1000, 0), b = point(2000, 0), c = point(1500, 1000), d = point(1500, 2000);
  bar(c, a);
  bar(c, b);
  bar(d, c);
  tool(c, kRollerY);
  tool(c, kDown);
  select(kPoints);
  f().Image1_MouseMove(c, 0, 0, 0, 0);
  key(46);
  EXPECT_FALSE(f().Image1[c].Visible.get());
  EXPECT_FALSE(P_data(c).Enabled);
  for (int l = 0; l < 3; ++l) {
    EXPECT_FALSE(f().Line1[l].Visible.get());
    EXPECT_FALSE(f().Label6[l].Visible.get());
    for (int q = 0; q < points_count; ++q) EXPECT_EQ(P_L_index(l, q, 0), 0);
  }
  EXPECT_TRUE(f().Image1[a].Visible.get());
  EXPECT_TRUE(f().Image1[d].Visible.get());
  EXPECT_FALSE(f().Image1[202].Visible.get());
  EXPECT_FALSE(R_data(202).Enabled);
  EXPECT_FALSE(f().Picture2[0].Visible.get());
  EXPECT_EQ(points_count, 5);
  EXPECT_EQ(lines_count, 3);
}

TEST_F(Keyboard, DeletingTheFirstPointOfAWaitingBarCancelsTheBar) {
  int a = point(1000, 0), b = point(2000, 0), c = point(3000, 0);
  bar(a, b);
  f().Image1_Click(c);
  select(kPoints);
  f().Image1_MouseMove(c, 0, 0, 0, 0);
  key(46);
  EXPECT_EQ(f().bar_pending, 0);
  EXPECT_FALSE(f().Line1[1].Visible.get());
  int d = point(4000, 0);  // takes the deleted point's slot
  bar(d, a);  // a fresh bar from d, with exactly its own two ends
  int ends = 0;
  for (int q = 0; q < points_count; ++q) ends += P_L_index(1, q, 0) == -1;
  EXPECT_EQ(ends, 2);
  EXPECT_EQ(P_L_index(1, a, 1), -1);
  EXPECT_EQ(f().Line1[1].X1.get(), kX0 + 4000);
}

// Delete acts only on a live element of the kind picked; a stale or mismatched selection does nothing.
struct DeleteCase {
  const char* name;
  Mode mode;
  int16_t index;
  uint8_t kind;
  bool point1, bar0, load0, load1, support202;  // what is still there afterwards
};
const DeleteCase kDeleteCases[] = {
    {"point 1 in the point mode", kPoints, 1, 1, false, false, false, true, false},
    {"point 0 stays", kPoints, 0, 1, true, true, true, true, true},
    {"bar 0 in the bar mode", kBars, 0, 3, true, false, true, true, true},
    {"load 0 in the load mode", kLoads, 0, 2, true, true, false, true, true},
    {"support 202 in the support mode", kSupports, 202, 1, true, true, true, true, false},
    {"a bar number in the point mode", kPoints, 1, 3, true, true, true, true, true},
    {"a load number in the bar mode", kBars, 0, 2, true, true, true, true, true},
    {"a point number in the load mode", kLoads, 1, 1, true, true, true, true, true},
    {"a support index in the point mode", kPoints, 202, 1, true, true, true, true, true},
    {"a support index never used", kSupports, 250, 1, true, true, true, true, true},
    {"a bar slot beyond the bars", kBars, 150, 3, true, true, true, true, true},
    {"a load slot beyond the loads", kLoads, 39, 2, true, true, true, true, true},
};

struct Delete : TrussFixture, ::testing::WithParamInterface<DeleteCase> {};

TEST_P(Delete, DeleteOnEachKindAndOnStaleSelections) {
  const DeleteCase& c = GetParam();
  int p1 = point(1000, 1000), p2 = point(2000, 0);
  bar(p1, p2);
  tool(p1, kRollerX);
  tool(p1, kRight);
  tool(p2, kUp);
  ASSERT_EQ(p1, 1);
  select(c.mode);
  selected_index = c.index;
  selected_kind = c.kind;
  key(46);
  EXPECT_EQ(f().Image1[1].Visible.get(), c.point1);
  EXPECT_EQ(f().Line1[0].Visible.get(), c.bar0);
  EXPECT_EQ(f().Picture2[0].Visible.get(), c.load0);
  EXPECT_EQ(F_data(0).Enabled, c.load0);
  EXPECT_EQ(f().Picture2[1].Visible.get(), c.load1);
  EXPECT_EQ(f().Image1[202].Visible.get(), c.support202);
  EXPECT_TRUE(f().Image1[0].Visible.get());
  EXPECT_TRUE(f().Image1[201].Visible.get());
}
INSTANTIATE_TEST_SUITE_P(Keyboard, Delete, ::testing::ValuesIn(kDeleteCases), caseName<DeleteCase>);

TEST_F(Keyboard, AStaleLoadSlotNeverClearsANewerLoad) {
  int p = point(1000, 1000);
  tool(p, kDown);
  select(kLoads);
  f().Picture2_MouseMove(0, 0, 0, 0, 0);
  key(46);
  ASSERT_EQ(P_data(p).F_type_y, 0);
  tool(p, kUp);  // a new load, in slot 1
  key(46);       // slot 0 is still selected, and it is gone
  EXPECT_EQ(P_data(p).F_type_y, 1);
  EXPECT_TRUE(f().Picture2[1].Visible.get());
}

TEST_F(Keyboard, DeletingOneLoadKeepsTheOtherDirection) {
  int p = point(1000, 1000);
  tool(p, kDown);
  tool(p, kLeft);
  select(kLoads);
  f().Picture2_MouseMove(1, 0, 0, 0, 0);
  key(46);
  EXPECT_EQ(P_data(p).F_type_x, 0);
  EXPECT_EQ(P_data(p).F_type_y, -1);
}

struct SpaceCase {
  const char* name;
  bool deletePoint;
  uint8_t kind;
  bool loaded;
};
const SpaceCase kSpaceCases[] = {
    {"a live point", false, 1, true},
    {"a deleted point", true, 1, false},
    {"a bar's number", false, 3, false},
};

struct Space : TrussFixture, ::testing::WithParamInterface<SpaceCase> {};

TEST_P(Space, SpaceAppliesTheToolOnlyToAVisiblePoint) {
  const SpaceCase& c = GetParam();
  int p = point(1000, 1000);
  select(kPoints);
  f().Image1_MouseMove(p, 0, 0, 0, 0);
  if (c.deletePoint) key(46);
  selected_kind = c.kind;
  f().Option4[kDown].Value = true;
  key(32);
  EXPECT_EQ(forces_count, c.loaded ? 1 : 0);
}
INSTANTIATE_TEST_SUITE_P(Keyboard, Space, ::testing::ValuesIn(kSpaceCases), caseName<SpaceCase>);

TEST_F(Keyboard, SpaceWithTheBarToolDrawsABarFromPointToPoint) {
  int a = point(1000, 0), b = point(2000, 0);
  select(kPoints);
  f().Image1_MouseMove(a, 0, 0, 0, 0);
  key(32);
  f().Image1_MouseMove(b, 0, 0, 0, 0);
  key(32);
  EXPECT_EQ(lines_count, 1);
  EXPECT_EQ(P_L_index(0, a, 0), -1);
  EXPECT_EQ(P_L_index(0, b, 1), -1);
  EXPECT_EQ(f().Label7.Caption.get(), "") << "no bar waits for a second end";
}

}  // namespace
