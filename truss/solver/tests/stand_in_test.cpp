// The truss solver alone, its windows played by a stand-in and linked without any window: the bar lists
// of the points and the points no bar reaches, the equation solver, and what the solve shows of K and u.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "truss/solver/common1.h"
#include "truss/solver/solve1.h"
#include "truss/solver/tests/stand_in_windows.h"

namespace {

using namespace common1;
using truss_test::StandInWindows;

struct StandIn : ::testing::Test {
  StandInWindows windows;
  void SetUp() override { state = variables{}; }
};

// ---- bar lists of the points ----

struct Direction {
  float x1, y1, x2, y2;  // canvas twips of the first and second end
  float first_x, first_y, second_x, second_y;
};

struct Directions : StandIn, ::testing::WithParamInterface<Direction> {};

TEST_P(Directions, PointFromTheFarEndYUp) {
  const Direction& c = GetParam();
  line_dir(1, 1, c.x1, c.y1, c.x2, c.y2);
  EXPECT_FLOAT_EQ(P_data(1).line_slot(1).dir_x, c.first_x);
  EXPECT_FLOAT_EQ(P_data(1).line_slot(1).dir_y, c.first_y);
  line_dir(1, 1, c.x2, c.y2, c.x1, c.y1);
  EXPECT_FLOAT_EQ(P_data(1).line_slot(1).dir_x, c.second_x);
  EXPECT_FLOAT_EQ(P_data(1).line_slot(1).dir_y, c.second_y);
}

INSTANTIATE_TEST_SUITE_P(Bars, Directions,
                         ::testing::Values(Direction{0, 0, 100, 0, -1, 0, 1, 0}, Direction{0, 1000, 0, 0, 0, -1, 0, 1},
                                           Direction{50, 50, 50, 50, 0, 0, 0, 0},
                                           Direction{0, 0, 300, -400, -0.6f, -0.8f, 0.6f, 0.8f}));

TEST_F(StandIn, BarListsComeFromTheLinesAndThePointsNoBarReachesComeBackAsAList) {
  // Points 0, 1 and 2 joined by bars 0 (0-1) and 1 (1-2); points 3 and 4 exist without a bar; point 5
  // was deleted.
  points_count = 6;
  lines_count = 2;
  const float x[] = {0, 1000, 1000, 0, 0, 0}, y[] = {0, 0, -1000, 0, 0, 0};
  for (int p = 0; p < 6; ++p) {
    P_data(p).x = x[p];
    P_data(p).y = y[p];
  }
  windows.shown = {0, 1, 2, 3, 4};
  windows.lines[0] = {0, 0, 1000, 0};
  windows.lines[1] = {1000, 0, 1000, -1000};
  P_L_index(0, 0, 0) = -1;
  P_L_index(0, 1, 0) = P_L_index(0, 1, 1) = -1;
  P_L_index(1, 1, 0) = -1;
  P_L_index(1, 2, 0) = P_L_index(1, 2, 1) = -1;
  EXPECT_EQ(point_lines(windows), (std::vector<Integer>{3, 4}));
  EXPECT_EQ(P_data(0).slots_used, 1);
  EXPECT_EQ(P_data(1).slots_used, 2);
  EXPECT_EQ(P_data(3).slots_used, 0);
  EXPECT_EQ(P_data(1).line_slot(2).line, 1);
  EXPECT_FLOAT_EQ(P_data(1).line_slot(1).dir_x, 1);  // point 1 lies right of point 0
  EXPECT_FLOAT_EQ(P_data(2).line_slot(1).dir_y, 1);  // point 2 lies above point 1
  // Point 0 without a bar is in the list too: the editor's Delete keeps it.
  windows.lines.clear();
  EXPECT_EQ(point_lines(windows), (std::vector<Integer>{0, 1, 2, 3, 4}));
}

// ---- the equation solver ----

struct EquationSolver : StandIn {
  ui::DynArray2<double> K;
  ui::DynArray<float> P;
  void make(std::vector<std::vector<double>> k, std::vector<float> p) {
    const long n = long(p.size());
    K.ReDim(1, n, 1, n);
    P.ReDim(1, n);
    for (long i = 1; i <= n; ++i) {
      P(i) = p[std::size_t(i - 1)];
      for (long j = 1; j <= n; ++j) K(i, j) = k[std::size_t(i - 1)][std::size_t(j - 1)];
    }
  }
};

TEST_F(EquationSolver, OneEquationIsADivisionAndAZeroStiffnessIsSingular) {
  make({{4}}, {10});
  EXPECT_TRUE(solve1::ludcmp_solve(K, P, windows));
  EXPECT_EQ(P(1), 2.5f);
  EXPECT_EQ(dof_u(1, 1), 2.5f);
  make({{0}}, {10});
  dof_u(1, 1) = 7;
  EXPECT_FALSE(solve1::ludcmp_solve(K, P, windows));
  EXPECT_EQ(windows.messages, std::vector<std::string>{" singular "});
  EXPECT_EQ(P(1), 10);
  EXPECT_EQ(dof_u(1, 1), 7);
}

TEST_F(EquationSolver, OnATieOfScaledPivotsTheLaterRowIsThePivot) {
  make({{2, 2}, {1, -1}}, {4, 0});
  EXPECT_TRUE(solve1::ludcmp_solve(K, P, windows));
  EXPECT_EQ(K(1, 1), 1);  // row 2 moved up
  EXPECT_FLOAT_EQ(P(1), 1);
  EXPECT_FLOAT_EQ(P(2), 1);
}

TEST_F(EquationSolver, AProportionalRowIsSingularNotAHugeAnswer) {
  make({{1, 2}, {2, 4.0000000000001}}, {1, 1});
  EXPECT_FALSE(solve1::ludcmp_solve(K, P, windows));
  EXPECT_EQ(windows.messages, std::vector<std::string>{" singular "});
}

TEST_F(EquationSolver, ASolutionTooLargeForTheNumbersSaysSoAndKeepsTheOldOne) {
  make({{1e-3}}, {3e38f});
  dof_u(1, 1) = 7;
  EXPECT_FALSE(solve1::ludcmp_solve(K, P, windows));
  EXPECT_EQ(windows.messages, std::vector<std::string>{solve1::kTooLarge});
  EXPECT_EQ(dof_u(1, 1), 7);
}

// ---- what the solve shows ----

TEST_F(StandIn, TheSolveShowsKAndUOnlyWhenTheGridsAreWanted) {
  // One bar along x of stiffness 70, one free direction: K = [70].
  ui::DynArray2<float> Q, SQ;
  ui::DynArray<float> P;
  Q.ReDim(1, 1, 1, 1);
  SQ.ReDim(1, 1, 1, 1);
  P.ReDim(1, 1);
  Q(1, 1) = 1;
  SQ(1, 1) = 70;
  P(1) = 1000;
  EXPECT_TRUE(solve1::mat_mult(Q, SQ, P, 1, windows));
  EXPECT_TRUE(windows.K.empty());
  EXPECT_TRUE(windows.u.empty());
  windows.grids = true;
  P(1) = 1000;
  EXPECT_TRUE(solve1::mat_mult(Q, SQ, P, 1, windows));
  EXPECT_EQ(windows.K.at({1, 1}), "70");
  EXPECT_EQ(windows.u.at(1), "14.2857");
  // The bar's force and stress.
  ui::DynArray2<float> u;
  u.ReDim(1, 1, 1, 1);
  u(1, 1) = dof_u(1, 1);
  line_A(0) = 10;
  EXPECT_TRUE(solve1::mat_mult(SQ, u, P, 2, windows));
  EXPECT_NEAR(line_t(0), 1000, 1e-3);
  EXPECT_NEAR(max_sigma, 100, 1e-4);
  EXPECT_EQ(max_sigma_line, 0);
  EXPECT_TRUE(windows.messages.empty());
}

}  // namespace
