// The solver without any window: a stand-in answers what it asks of the windows and records what it
// is told, in order, so these tests link the solver library alone.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "beam/solver/tests/stand_in.h"

using namespace Module20;

namespace {

struct StandInTest : ::testing::Test {
  StandIn s;

  void SetUp() override {
    Module20_initialize();
    node_list(0) = {0, 0};
    node_list(1) = {0, 10000};
    s.readout = false;
    s.step = 1;
    s.cursor = 5000;  // mid-span
  }
  // Node object `index` dropped with its icon's Left at `left`, then the beam numbered and checked.
  void drop(Integer index, float left) {
    s.left(index) = left;
    s.sort_p(index);
    s.number_dof();
    s.check_mechanism();
  }
};

// A cantilever of length 1 and EI 1 under a uniform load 1: tip deflection 1/8, tip rotation 1/6, and
// the fixed end holds the whole load and its moment 1/2.
TEST_F(StandInTest, CantileverIsSolvedAndDrawnThroughTheWindows) {
  drop(6, 100);  // a fixed end on the left end
  ASSERT_EQ(mechanism, False);
  EXPECT_EQ(s.left(6), 165.0f);
  dist_loads(41) = {True, 1, 0, 10000};
  load_count(kDistLoads) = 1;
  s.calls.clear();
  s.readout = true;
  s.fer_all();
  ASSERT_TRUE(s.solution_current);
  EXPECT_EQ(s.calls, (std::vector<std::string>{"clear extremes", "clear graphs"}));
  EXPECT_NEAR(std::abs(P(1)), 1.0 / 8, 1e-5);
  EXPECT_NEAR(std::abs(P(2)), 1.0 / 6, 1e-5);
  EXPECT_NEAR(std::abs(reactions(6).R), 1, 1e-5);
  EXPECT_NEAR(std::abs(reactions(6).M), 0.5, 1e-5);
  EXPECT_FALSE(s.strokes.empty());
  // The readout at mid-span: shear 1/2, moment 1/8.
  EXPECT_NEAR(std::abs(std::stod(s.shown[0])), 0.5, 1e-3);
  EXPECT_NEAR(std::abs(std::stod(s.shown[1])), 0.125, 1e-3);
  EXPECT_TRUE(s.messages.empty());

  // A run with traces draws over the last step's strokes.
  s.running = s.traces = true;
  const std::size_t before = s.strokes.size();
  s.calls.clear();
  s.fer_all();
  EXPECT_EQ(s.calls, std::vector<std::string>{"clear extremes"});
  EXPECT_EQ(s.strokes.size(), 2 * before);
}

// A beam with nothing holding it is a mechanism: the run stops before the message, then the solution
// is forgotten.
TEST_F(StandInTest, MechanismStopsTheRunBeforeItsMessage) {
  s.running = true;
  s.number_dof();
  s.calls.clear();
  s.check_mechanism();
  EXPECT_EQ(mechanism, True);
  EXPECT_FALSE(s.running);
  EXPECT_EQ(s.calls, (std::vector<std::string>{"stop", "message", "forget"}));
  EXPECT_EQ(s.messages, std::vector<std::string>{kMechanismMessageA});
  EXPECT_FALSE(s.solution_current);
}

}  // namespace
