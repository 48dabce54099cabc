// Result drawing: the colour ramp, the bars coloured by stress, and the displaced shape.
#include <cmath>

#include "truss/solver/tests/truss_fixture.h"

namespace {

using namespace truss_test;
using namespace common1;

TEST(ColourRamp, RunsFromWhiteThroughYellowAndRedToBlack) {
  struct Case {
    float x;
    int r, g, b;
  } cases[] = {
      {0, 255, 255, 255},     {0.25f, 255, 255, 64}, {float(1.0 / 3), 255, 255, 0}, {0.5f, 255, 128, 0},
      {float(2.0 / 3), 255, 0, 0}, {0.75f, 191, 0, 0},   {1, 0, 0, 0},                   {1.5f, 0, 0, 0},
      {-0.25f, 255, 0, 0},    {NAN, 0, 0, 0},            {INFINITY, 0, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(color_r(c.x), c.r) << c.x;
    EXPECT_EQ(color_g(c.x), c.g) << c.x;
    EXPECT_EQ(color_b(c.x), c.b) << c.x;
  }
}

struct Drawing : TrussFixture {};

TEST_F(Drawing, BarsAreColouredRelativeToTheLargestStressOrAChosenReference) {
  twoBars();
  line_A(1) = 2000;  // bar 1 half as stressed as bar 0
  solve();
  EXPECT_EQ(f().Line1[0].BorderColor.get(), ui::RGB(0, 0, 0));  // x = 1
  EXPECT_EQ(f().Line1[1].BorderColor.get(), ui::RGB(255, 128, 0));  // x = 0.5

  f().Option1[1].Value = true;
  f().Combo2.ListIndex = 1;  // 100 MPa: both nearly white
  solve();
  const float x0 = std::fabs(line_t(0) / (100 * line_A(0)));
  EXPECT_EQ(f().Line1[0].BorderColor.get(), ui::RGB(color_r(x0), color_g(x0), color_b(x0)));
  EXPECT_EQ(ui::blueOf(f().Line1[0].BorderColor.get()), ui::RoundHalfEven((1 - 3 * double(x0)) * 255));

  // A bar at 5 MPa against 10 MPa (the first entry) is half way: red 255, green 128.
  f().Combo2.ListIndex = 0;
  line_A(0) = 1000;
  line_A(1) = 1000;
  f_value(2) = 5000 * std::sqrt(2.0f);
  solve();
  EXPECT_NEAR(std::fabs(line_t(0)) / 1000, 5, 1e-3);
  EXPECT_EQ(ui::redOf(f().Line1[0].BorderColor.get()), 255);
  EXPECT_NEAR(ui::greenOf(f().Line1[0].BorderColor.get()), 128, 1);
}

TEST_F(Drawing, WithNoForceEveryVisibleBarTurnsWhite) {
  twoBars();
  f_value(1) = 0;
  f_value(2) = 0;
  solve();
  EXPECT_EQ(max_sigma, 0);
  EXPECT_EQ(f().Line1[0].BorderColor.get(), ui::RGB(255, 255, 255));
  EXPECT_EQ(f().Line1[1].BorderColor.get(), ui::RGB(255, 255, 255));
}

TEST_F(Drawing, ABarWithoutAreaIsLeftUncolouredAndTheOthersAreColoured) {
  twoBars();
  int p3 = point(1000, 2000);
  tool(p3, kFixed);
  bar(p2, p3);
  line_A(0) = 0;
  solve();
  EXPECT_EQ(f().Line1[0].BorderColor.get(), ui::RGB(0, 0, 0));
  ASSERT_TRUE(std::isfinite(max_sigma));
  ASSERT_NE(max_sigma, 0);
  for (int j = 1; j <= 2; ++j) {
    const float x = std::fabs(line_t(j) / (std::fabs(max_sigma) * line_A(j)));
    EXPECT_EQ(f().Line1[j].BorderColor.get(), ui::RGB(color_r(x), color_g(x), color_b(x))) << j;
  }
}

TEST_F(Drawing, TheDisplacedShapeIsMagnifiedBySlider2) {
  // A vertical bar of stiffness 1 N per micrometre on a roller moving in y, pulled up by 1000 N: 1000
  // micrometres, so 10 twips at a magnification of 10.
  int p = point(0, 3000);
  tool(p, kRollerY);
  tool(p, kUp);
  bar(0, p);
  line_E(0) = 1;
  line_A(0) = 3000;
  f().Slider2.Value = 10;
  solve();
  ASSERT_NEAR(dof_u(1, 1), 1000, 0.01);
  ASSERT_EQ(f().Picture1.drawn().size(), 1u);
  const ui::Segment& s = f().Picture1.drawn()[0];
  EXPECT_EQ(s.x1, kX0);
  EXPECT_EQ(s.y1, kY0);
  EXPECT_EQ(s.x2, kX0);
  EXPECT_NEAR(s.y2, kY0 - 3000 - 10, 1e-3);
  EXPECT_EQ(s.color, ui::RGB(0, 0, 255));

  // Moving the slider redraws on release, with the new magnification.
  f().Slider2.Value = 100;
  f().Slider2_MouseUp(1, 0, 0, 0);
  ASSERT_EQ(f().Picture1.drawn().size(), 1u);
  EXPECT_NEAR(f().Picture1.drawn()[0].y2, kY0 - 3000 - 100, 1e-2);
}

TEST_F(Drawing, AfterAnEditNothingDrawsTheOldDisplacementsOnTheNewTruss) {
  twoBars();
  solve();
  ASSERT_FALSE(f().Picture1.drawn().empty());
  const int p3 = point(3000, 1000);
  tool(p3, kFixed);
  bar(p2, p3);
  EXPECT_TRUE(f().Picture1.drawn().empty());
  f2().line_dx_dy();
  f().Slider2.Value = 200;
  f().Slider2_MouseUp(1, 0, 0, 0);
  f().Slider3[2].Value = 3;
  EXPECT_TRUE(f().Picture1.drawn().empty());
  // The next solve draws the truss as it stands.
  solve();
  EXPECT_EQ(f().Picture1.drawn().size(), 3u);
}

TEST_F(Drawing, WithMagnificationOneTheShapeFollowsTheTrussAndFixedPointsStay) {
  twoBars();
  f().Slider2.Value = 1;
  solve();
  const auto& drawn = f().Picture1.drawn();
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_EQ(drawn[0].x1, kX0);
  EXPECT_EQ(drawn[0].y1, kY0);
  EXPECT_NEAR(drawn[0].y2, kY0 - 1000 + std::fabs(dof_u(2, 1)) / 1000, 1e-3);
}

TEST_F(Drawing, OptionsDecideWhatASolveShows) {
  twoBars();
  f().dd3_Click();  // no displaced shape
  f().dd4_Click();  // no colours
  solve();
  EXPECT_TRUE(f().Picture1.drawn().empty());
  EXPECT_EQ(f().Line1[0].BorderColor.get(), ui::RGB(0, 0, 0));
  EXPECT_NE(line_t(0), 0);
}

}  // namespace
