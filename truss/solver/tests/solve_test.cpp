// The truss solve: acceptance trusses through the editor and the solve button, the refusals, singular
// stiffness matrices and mechanisms, the equation solver itself and the bar lists of the points.
#include <cmath>
#include <string>
#include <vector>

#include "truss/solver/solve1.h"
#include "truss/solver/tests/truss_fixture.h"

namespace {

using namespace truss_test;
using namespace common1;

struct Pt {
  float dx, dy;               // from point 0, y upwards
  std::vector<Tool> tools;    // support and loads put on the point
};
struct Bar {
  int a, b;
};
struct TrussCase {
  const char* name;
  std::vector<Pt> points;  // points 1, 2, ... (point 0 is the fixed origin)
  std::vector<Bar> bars;
  float E, A, scale;
  std::vector<double> K;  // n by n, row by row
  std::vector<double> u;  // micrometres
  std::vector<double> t;  // N
  double maxSigma;        // MPa
  int maxLine;
};

const double r2 = std::sqrt(2.0);
const double k45 = 210.0 * 1000 / (1000 * r2);  // E A / L of a bar 1000 twips along each axis

const TrussCase kCases[] = {
    {"two bars at 45 degrees under a vertical load: t = -P / (2 sin a) each",
     {{2000, 0, {kFixed}}, {1000, 1000, {kDown}}},
     {{0, 2}, {1, 2}},
     210, 1000, 1,
     {k45, 0, 0, k45},
     {0, -1000 / k45},
     {-1000 / r2, -1000 / r2},
     -1 / r2, 0},
    {"a 3-4-5 pair",
     {{5000, 0, {kFixed}}, {1800, 2400, {kDown}}},
     {{0, 2}, {1, 2}},
     210, 1000, 1,
     {58.8, 8.4, 8.4, 63.7},
     {2.0 * 8 / 7, -16},
     {-800, -600},
     -0.8, 0},
    {"a triangle on a fixed and a rolling support",
     {{4000, 0, {kRollerX}}, {2000, 2000, {kDown}}},
     {{0, 2}, {1, 2}, {0, 1}},
     210, 1000, 1,
     {},
     {1000 / 105.0, 500 / 105.0, -1000 / 105.0 * r2 - 500 / 105.0},
     {-1000 / r2, -1000 / r2, 500},
     -1 / r2, 0},
    {"three bars meeting at a loaded point",
     {{1000, 0, {kFixed}}, {2000, 0, {kFixed}}, {1000, 1000, {kUp}}},
     {{0, 3}, {1, 3}, {2, 3}},
     210, 1000, 1,
     {k45, 0, 0, k45 + 210},
     {0, 1000 / (210 + k45)},
     {1000 * k45 / 2 / (210 + k45) * r2, 210000 / (210 + k45), 1000 * k45 / 2 / (210 + k45) * r2},
     210 / (210 + k45), 1},
    {"a single bar on a roller moving in x",
     {{3000, 0, {kRollerX, kRight}}},
     {{0, 1}},
     210, 1000, 1,
     {70},
     {1000 / 70.0},
     {1000},
     1, 0},
    {"a single bar on a roller moving in y",
     {{0, 3000, {kRollerY, kUp}}},
     {{0, 1}},
     210, 1000, 1,
     {70},
     {1000 / 70.0},
     {1000},
     1, 0},
    {"a single free point pulled left, at scale 3",
     {{3000, 0, {kRollerX, kLeft}}},
     {{0, 1}},
     210, 500, 3,
     {210.0 * 500 / 9000},
     {-1000 / (210.0 * 500 / 9000)},
     {-1000},
     -2, 0},
};

struct AcceptanceTrusses : TrussFixture {};
struct AcceptanceTrussCases : TrussFixture, ::testing::WithParamInterface<TrussCase> {};

TEST_P(AcceptanceTrussCases, GiveTheStiffnessDisplacementsForcesAndLargestStress) {
  const TrussCase& c = GetParam();
  SCOPED_TRACE(c.name);
  f().dd2.Checked = true;
  std::vector<int> slot{0};
  for (const Pt& p : c.points) slot.push_back(point(p.dx, p.dy));
  for (std::size_t i = 1; i < slot.size(); ++i)
    for (Tool t : c.points[i - 1].tools) tool(slot[i], t);
  for (const Bar& b : c.bars) bar(slot[std::size_t(b.a)], slot[std::size_t(b.b)]);
  for (int j = 0; j <= 200; ++j) {
    line_E(j) = c.E;
    line_A(j) = c.A;
  }
  scale_mm = c.scale;
  solve();
  ASSERT_TRUE(svc.messages.empty()) << svc.messages[0];
  const int n = int(c.u.size());
  ASSERT_EQ(dof_count, n);
  ui::Grid& K = f2().MSFlexGrid1[Form2::kKGrid];
  for (std::size_t e = 0; e < c.K.size(); ++e)
    EXPECT_NEAR(cell(K, int(e) / n + 1, int(e) % n + 1), c.K[e], 1e-3 * std::fabs(c.K[e]) + 1e-6) << "K " << e;
  for (int i = 1; i <= n; ++i) {
    EXPECT_NEAR(dof_u(i, 1), c.u[std::size_t(i - 1)], 2e-4 * std::fabs(c.u[std::size_t(i - 1)]) + 1e-4) << "u " << i;
    EXPECT_NEAR(cell(f2().MSFlexGrid1[Form2::kUGrid], i, 1), c.u[std::size_t(i - 1)], 1e-4 + 1e-4 * std::fabs(c.u[std::size_t(i - 1)]));
  }
  for (std::size_t j = 0; j < c.t.size(); ++j) {
    EXPECT_NEAR(line_t(long(j)), c.t[j], 1e-3 * std::fabs(c.t[j]) + 1e-3) << "t " << j;
    EXPECT_NEAR(cell(f2().MSFlexGrid1[Form2::kTGrid], 1, int(j) + 1), c.t[j], 1e-3 * std::fabs(c.t[j]) + 1e-3);
  }
  EXPECT_NEAR(max_sigma, c.maxSigma, 1e-4);
  EXPECT_EQ(max_sigma_line, c.maxLine);
  EXPECT_EQ(f2().Text4[0].Text.get(), ui::Str(max_sigma));
  EXPECT_EQ(f2().Text4[1].Text.get(), ui::Str(c.maxLine));
}

INSTANTIATE_TEST_SUITE_P(Trusses, AcceptanceTrussCases, ::testing::ValuesIn(kCases));

TEST_F(AcceptanceTrusses, GridsCarryTheirHeadingsAndFourDecimals) {
  f().dd2.Checked = true;
  int p1 = point(3000, 0), p2 = point(1500, 1500);
  bar(0, p1);
  bar(0, p2);
  bar(p1, p2);
  tool(p1, kRollerX);
  tool(p2, kDown);
  solve();
  ui::Grid& Q = f2().MSFlexGrid1[Form2::kQGrid];
  EXPECT_EQ(Q.Rows(), 4);
  EXPECT_EQ(Q.Cols(), 4);
  EXPECT_EQ(Q.TextMatrix(0, 1), "L( 0 )");
  EXPECT_EQ(Q.TextMatrix(1, 0), "Point( 1 )[x]");
  EXPECT_EQ(Q.TextMatrix(3, 0), "Point( 2 )[y]");
  EXPECT_EQ(f2().MSFlexGrid2[Form2::kPGrid].TextMatrix(3, 1), "-1000");
  EXPECT_EQ(f2().MSFlexGrid2[Form2::kEAGrid].TextMatrix(1, 2), "210");
  EXPECT_EQ(f2().MSFlexGrid1[Form2::kSGrid].TextMatrix(0, 3), "L( 2 )");
  const std::string u = f2().MSFlexGrid1[Form2::kUGrid].TextMatrix(1, 1);
  ASSERT_NE(u.find('.'), std::string::npos);
  EXPECT_EQ(u.size() - u.find('.') - 1, 4u) << u;
}

TEST_F(AcceptanceTrusses, FewerBarsThanFreeDirectionsIsRefused) {
  int p = point(3000, 0);
  bar(0, p);
  solve();
  ASSERT_EQ(svc.messages.size(), 1u);
  EXPECT_EQ(svc.messages[0], "מצב זה אינו מסמך - מס כיוניי התנועה גדול ממס האלמנטים");
  EXPECT_EQ(dof_count, 2);
  EXPECT_EQ(f().MousePointer.get(), ui::vbDefault);
}

TEST_F(AcceptanceTrusses, EqualStressesLeaveTheFirstBar) {
  int p1 = point(2000, 0), p2 = point(1000, 1000);
  tool(p1, kFixed);
  tool(p2, kDown);
  bar(0, p2);
  bar(p1, p2);
  solve();
  EXPECT_EQ(line_t(0), line_t(1));
  EXPECT_EQ(max_sigma_line, 0);
}

TEST_F(AcceptanceTrusses, TheLargestStressComparesEachBarWithItsOwnArea) {
  int p1 = point(2000, 0), p2 = point(1000, 1000);
  tool(p1, kFixed);
  tool(p2, kRight);
  bar(0, p2);
  bar(p1, p2);
  line_A(0) = 100;  // bar 0 pulls, bar 1 pushes; the thin bar wins although both forces are equal
  line_A(1) = 1000;
  solve();
  EXPECT_EQ(max_sigma_line, 0);
  EXPECT_NEAR(max_sigma, line_t(0) / 100, 1e-4);
}

// ---- singular stiffness and mechanisms ----

struct SingularTrusses : TrussFixture {
  void expectNoResult() {
    for (int j = 0; j <= 200; ++j) ASSERT_EQ(line_t(j), 0) << j;
    EXPECT_EQ(max_sigma, 0);
    EXPECT_TRUE(f().Picture1.drawn().empty());
    for (int j = 0; j < lines_count; ++j) EXPECT_EQ(f().Line1[j].BorderColor.get(), ui::RGB(0, 0, 0)) << j;
    for (int i = 1; i <= dof_count; ++i) EXPECT_TRUE(std::isfinite(dof_u(i, 1)));
    // No "0" stands where there is no result.
    EXPECT_EQ(f2().Text4[0].Text.get(), "");
    EXPECT_EQ(f2().Text4[1].Text.get(), "");
    EXPECT_FALSE(f2().solution_current);
  }
};

TEST_F(SingularTrusses, AfterSingularNothingOfTheOldResultIsShown) {
  int p1 = point(2000, 0), p2 = point(1000, 1000);
  tool(p1, kFixed);
  tool(p2, kDown);
  bar(0, p2);
  bar(p1, p2);
  solve();
  ASSERT_NE(line_t(0), 0);
  ASSERT_FALSE(f().Picture1.drawn().empty());
  // The loaded point dragged onto the line between the supports: its vertical row has no stiffness.
  f().Picture1_DragOver(f().Image1[p2], kX0 + 1000, kY0, 0);
  solve();
  ASSERT_EQ(svc.messages.size(), 1u);
  EXPECT_EQ(svc.messages[0], " singular ");
  expectNoResult();
}

struct MechanismCase {
  const char* name;
  std::vector<Pt> points;
  std::vector<Bar> bars;
};

const MechanismCase kMechanisms[] = {
    {"a doubled bar", {{1000, 1000, {kDown}}}, {{0, 1}, {0, 1}}},
    {"a frame that can sway",
     {{3000, 0, {kFixed}}, {0, 2000, {kRight}}, {3000, 2000, {}}},
     {{0, 2}, {1, 3}, {2, 3}, {2, 3}}},
    {"a slanted four-bar chain",
     {{2500, 300, {kFixed}}, {700, 1900, {kRight}}, {3100, 2300, {kDown}}},
     {{0, 2}, {1, 3}, {2, 3}, {2, 3}}},
};

struct Mechanisms : SingularTrusses, ::testing::WithParamInterface<MechanismCase> {};

TEST_P(Mechanisms, WithEnoughBarsAreSingular) {
  const MechanismCase& c = GetParam();
  SCOPED_TRACE(c.name);
  std::vector<int> slot{0};
  for (const Pt& p : c.points) slot.push_back(point(p.dx, p.dy));
  for (std::size_t i = 1; i < slot.size(); ++i)
    for (Tool t : c.points[i - 1].tools) tool(slot[i], t);
  for (const Bar& b : c.bars) bar(slot[std::size_t(b.a)], slot[std::size_t(b.b)]);
  solve();
  ASSERT_EQ(svc.messages.size(), 1u);
  EXPECT_EQ(svc.messages[0], " singular ");
  expectNoResult();
}

INSTANTIATE_TEST_SUITE_P(SingularTrusses, Mechanisms, ::testing::ValuesIn(kMechanisms));

TEST_F(SingularTrusses, LoadsTooLargeForTheNumbersAreNoMechanism) {
  // Thin bars: the displacements outgrow single precision although the forces would not.
  twoBars();
  line_A(0) = line_A(1) = 1;
  for (int i = 1; i <= 200; ++i) f_value(i) = 3e38f;
  solve();
  ASSERT_EQ(svc.messages.size(), 1u);
  EXPECT_EQ(svc.messages[0], solve1::kTooLarge);
  expectNoResult();
  // The same truss with a load it can carry solves.
  svc.messages.clear();
  for (int i = 1; i <= 200; ++i) f_value(i) = 1e30f;
  solve();
  EXPECT_TRUE(svc.messages.empty());
  EXPECT_TRUE(f2().solution_current);
}

TEST_F(SingularTrusses, ABarWhoseEndsCoincideAddsNoStiffnessAndNoInfinity) {
  int p1 = point(2000, 0), p2 = point(1000, 1000), p3 = point(1000, 1000);
  tool(p1, kFixed);
  tool(p2, kDown);
  bar(0, p2);
  bar(p1, p2);
  bar(p2, p3);
  bar(0, p3);
  bar(p1, p3);
  solve();
  for (int j = 0; j < lines_count; ++j) EXPECT_TRUE(std::isfinite(line_t(j))) << j;
  for (const ui::Segment& s : f().Picture1.drawn())
    EXPECT_TRUE(std::isfinite(s.x1) && std::isfinite(s.y1) && std::isfinite(s.x2) && std::isfinite(s.y2));
}

// ---- bar lists of the points ----

struct BarLists : TrussFixture {};

TEST_F(BarLists, EveryBarAtAPointCountsBeyondTwenty) {
  // A hub with 24 bars to fixed points around it: the load is held by all of them.
  const int spokes = 24;
  int hub = point(3000, 3000);
  tool(hub, kRight);
  for (int k = 0; k < spokes; ++k) {
    const double a = 2 * M_PI * k / spokes;
    int rim = k == 0 ? 0 : point(3000 + float(std::lround(2000 * std::cos(a))), 3000 + float(std::lround(2000 * std::sin(a))));
    if (k == 0) f().Picture1_DragOver(f().Image1[0], kX0 + 5000, kY0 - 3000, 0);
    else tool(rim, kFixed);
    bar(rim, hub);
  }
  solve();
  ASSERT_TRUE(svc.messages.empty());
  EXPECT_EQ(P_data(hub).slots_used, spokes);
  double fx = 0, fy = 0;
  for (int s = 1; s <= spokes; ++s) {
    const line_slot_rec& slot = P_data(hub).line_slot(s);
    fx += slot.dir_x * line_t(slot.line);
    fy += slot.dir_y * line_t(slot.line);
  }
  EXPECT_NEAR(fx, 1000, 0.5);  // Q t = P at the hub
  EXPECT_NEAR(fy, 0, 0.5);
  EXPECT_NE(line_t(spokes - 1), 0);
}

TEST_F(BarLists, LonelyPointsAreDeletedByTheSolveAndPointZeroStays) {
  int p1 = point(2000, 0), p2 = point(1000, 1000), lonely = point(500, 3000);
  tool(p1, kFixed);
  tool(p2, kDown);
  tool(lonely, kRollerX);
  tool(lonely, kRight);
  bar(0, p2);
  bar(p1, p2);
  solve();
  EXPECT_FALSE(f().Image1[lonely].Visible.get());
  EXPECT_FALSE(P_data(lonely).Enabled);
  EXPECT_FALSE(f().Picture2[1].Visible.get());  // its load
  EXPECT_FALSE(f().Image1[203].Visible.get());   // its support (201 point 0, 202 p1)
  EXPECT_EQ(points_count, 4);
  EXPECT_EQ(dof_count, 2);

  // After New only point 0 is left, with no bar: it stays, with its support, and is the selected point.
  f().aa2_Click();
  solve();
  EXPECT_TRUE(f().Image1[0].Visible.get());
  EXPECT_TRUE(P_data(0).Enabled);
  EXPECT_EQ(P_data(0).R_type, 1);
  EXPECT_TRUE(f().Image1[201].Visible.get());
  EXPECT_EQ(selected_index, 0);
  EXPECT_EQ(selected_kind, 1);
}

TEST_F(BarLists, APendingBarIsCancelledBeforeASolve) {
  int p1 = point(2000, 0), p2 = point(1000, 1000), p3 = point(3000, 2000);
  tool(p1, kFixed);
  tool(p2, kDown);
  bar(0, p2);
  bar(p1, p2);
  f().Image1_Click(p3);  // first end only: a bar to the pointer
  f().Picture1_MouseMove(0, 0, 9000, 9000);
  ASSERT_EQ(f().bar_pending, 1);
  solve();
  EXPECT_TRUE(svc.messages.empty());
  EXPECT_EQ(f().bar_pending, 0);
  EXPECT_FALSE(f().Line1[2].Visible.get());
  EXPECT_FALSE(f().Image1[p3].Visible.get());  // with no bar left, the solve removed the point
  EXPECT_NEAR(line_t(0), -1000 / std::sqrt(2.0), 0.01);
}

}  // namespace
