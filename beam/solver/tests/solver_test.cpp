// The equation solver and the solution driver: what is shown after a solve, and that nothing is shown
// from a load vector that could not be solved.
#include <cmath>

#include "beam_fixture.h"
#include "ui/vbtext.h"

using namespace Module20;

namespace {

using Solver = BeamFixture;

TEST_F(Solver, SolvesATwoByTwoSystemInPlace) {
  K(1, 1) = 4, K(1, 2) = 2, K(2, 1) = 2, K(2, 2) = 4;
  P(1) = 1, P(2) = 0;
  EXPECT_TRUE(f->ludcmp(2));
  EXPECT_NEAR(P(1), 1.0 / 3, 1e-15);
  EXPECT_NEAR(P(2), -1.0 / 6, 1e-15);
  EXPECT_EQ(P0(1), 1);
  EXPECT_EQ(P0(2), 0);
  // Leading zeros of the load vector and a row interchange give the same answer.
  K(1, 1) = 1, K(1, 2) = 3, K(2, 1) = 3, K(2, 2) = 1;
  P(1) = 0, P(2) = 8;
  EXPECT_TRUE(f->ludcmp(2));
  EXPECT_NEAR(P(1), 3, 1e-12);
  EXPECT_NEAR(P(2), -1, 1e-12);
  EXPECT_TRUE(svc.messages.empty());
}

TEST_F(Solver, AZeroRowIsReportedAndLeavesTheLoadVector) {
  K(1, 1) = 4, K(1, 2) = 0, K(2, 1) = 0, K(2, 2) = 0;
  P(1) = 1, P(2) = 2;
  EXPECT_FALSE(f->ludcmp(2));
  EXPECT_EQ(svc.messages, std::vector<std::string>{" singular "});
  EXPECT_EQ(P(1), 1);
  EXPECT_EQ(P(2), 2);
}

TEST_F(Solver, AZeroPivotIsAMechanism) {
  K(1, 1) = 1, K(1, 2) = 2, K(2, 1) = 2, K(2, 2) = 4;  // dependent rows, none zero
  P(1) = 1, P(2) = 1;
  EXPECT_FALSE(f->ludcmp(2));
  EXPECT_EQ(svc.messages, std::vector<std::string>{kMechanismMessageA});
  EXPECT_EQ(P(1), 1);
}

TEST_F(Solver, NothingIsShownFromAnUnsolvedLoadVector) {
  node(1, 0), node(2, 5000), node(3, 10000);
  build();
  force(21, 2500);
  solve();
  ASSERT_FALSE(f->Picture3.drawn().empty());
  const float R = reactions(1).R;
  elem(1).E_rel = 0;  // the left span has no stiffness: its rotation has none at all
  f->asamb_K();
  Form10Form->Timer1.Enabled = true;
  f->solution();
  EXPECT_EQ(svc.messages.back(), " singular ");
  EXPECT_TRUE(f->Picture3.drawn().empty());
  EXPECT_EQ(reactions(1).R, R);  // not replaced by numbers from the unsolved vector
  EXPECT_FALSE(Form10Form->Timer1.Enabled.get());
}

TEST_F(Solver, WithSolvingOffNothingIsComputed) {
  node(1, 0), node(2, 10000);
  build();
  force(21, 5000);
  solve_on = False;
  solve();
  EXPECT_TRUE(f->Picture3.drawn().empty());
  EXPECT_EQ(reactions(1).R, 0);
}

TEST_F(Solver, GraphsAreDrawnInTheirColoursWithTheCanvasMiddleAsZero) {
  node(1, 0), node(2, 10000);
  build();
  force(21, 5000);
  Form10Form->Check2[0].Value = 0;  // shear off
  Form10Form->Check2[2].Value = 0;  // deflection off
  solve();
  const auto& drawn = f->Picture3.drawn();
  ASSERT_FALSE(drawn.empty());
  const float H = f->Picture3.Height;
  float lowest = H / 2;
  for (const ui::Segment& s : drawn) {
    EXPECT_EQ(s.color, ui::RGB(255, 0, 0));
    lowest = std::max(lowest, s.y2);
  }
  // The moment graph of a sagging span lies below the zero line, deepest at the force.
  EXPECT_NEAR(lowest, H / 2 + H * graf_scale(1) * 0.25f, 1.0);
  EXPECT_EQ(V_x, 0);
  EXPECT_EQ(def_x, 0);
  // The cursor readout shows the values at the cursor line (x 3495).
  EXPECT_EQ(f->Text2[1].Text.get(), ui::Format(-0.5 * 0.3495, "0.000"));
}

TEST_F(Solver, WithTracesASimulationKeepsTheOldGraphsAndTheReactions) {
  node(1, 0), node(2, 10000);
  build();
  force(21, 5000);
  solve();
  const std::size_t before = f->Picture3.drawn().size();
  Form10Form->Timer1.Enabled = true;
  Form10Form->Check1.Value = 1;
  Form10Form->taking_step = true;  // the run's own step
  forces(21).pos = 2000;
  Integer obj = 21;
  f->fer_force(obj);
  EXPECT_EQ(f->Picture3.drawn().size(), 2 * before);
  EXPECT_NEAR(reactions(1).R, 0.5, 1e-5);  // not updated while the simulation runs
}

TEST_F(Solver, TheExtremeValueSearchFindsTheLargestMomentAndItsPlace) {
  node(1, 0), node(2, 10000);
  build();
  force(21, 3000);
  find_max = True;
  solve();
  EXPECT_NEAR(graf_max(1, 0), -0.21, 1e-5);
  EXPECT_NEAR(graf_max(1, 1), 0.3, 1e-6);
  EXPECT_NEAR(graf_max(0, 0), 0.7, 1e-5);  // the first of the equal shears, at the left end
  EXPECT_EQ(graf_max(0, 1), 0);
}

TEST_F(Solver, StepFunction) {
  EXPECT_EQ(f->step1(100, 100, 0, 1), 0);
  EXPECT_EQ(f->step1(100, 101, 0, 1), 1);
  EXPECT_NEAR(f->step1(0, 5000, 2, 1), 0.25, 1e-7);
}

}  // namespace
