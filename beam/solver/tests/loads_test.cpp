// Fixed-end reactions of single loads, loads standing on nodes, and the re-placing of all loads after
// the nodes change.
#include <cmath>

#include "beam_fixture.h"

using namespace Module20;

namespace {

using Loads = BeamFixture;

void expectFer(int e, double f1, double f2, double f3, double f4, const char* what) {
  EXPECT_NEAR(elem(e).fer(1), f1, 1e-9 + 1e-6 * std::abs(f1)) << what;
  EXPECT_NEAR(elem(e).fer(2), f2, 1e-9 + 1e-6 * std::abs(f2)) << what;
  EXPECT_NEAR(elem(e).fer(3), f3, 1e-9 + 1e-6 * std::abs(f3)) << what;
  EXPECT_NEAR(elem(e).fer(4), f4, 1e-9 + 1e-6 * std::abs(f4)) << what;
}

TEST_F(Loads, FixedEndReactionsOfLoadsInTheMiddleOfAnElement) {
  node(1, 0), node(2, 10000);
  build();
  const double uL = unit_L;
  forces(21) = {True, 1, 5000};
  Integer obj = 21;
  f->fer_force(obj);
  expectFer(1, 0.5, 0.5, 1250 * uL, -1250 * uL, "force");
  forces(21).pos = 20000;  // taken off the beam
  f->fer_force(obj);
  expectFer(1, 0, 0, 0, 0, "force off the beam");
  EXPECT_EQ(elem(1).p_count, 0);
  moments(31) = {True, 1, 5000};
  obj = 31;
  f->fer_moment(obj);
  expectFer(1, 0.00015 / uL, -0.00015 / uL, 0.25, 0.25, "moment");
  moments(31).pos = 20000;
  f->fer_moment(obj);
  dist_loads(41) = {True, 1, 0, 10000};
  obj = 41;
  f->fer_dist(obj);
  expectFer(1, 0.5, 0.5, 1.0 / 12, -1.0 / 12, "distributed");
}

TEST_F(Loads, MovingALoadChangesOnlyItsOwnTerms) {
  node(1, 0), node(2, 10000);
  build();
  forces(22) = {True, 2, 3000};
  Integer other = 22;
  f->fer_force(other);
  double before[5];
  for (int i = 1; i <= 4; ++i) before[i] = elem(1).fer(i);
  forces(21) = {True, 1, 2000};
  Integer obj = 21;
  f->fer_force(obj);
  forces(21).pos = 7000;
  f->fer_force(obj);
  forces(21).pos = 20000;
  f->fer_force(obj);
  for (int i = 1; i <= 4; ++i) EXPECT_NEAR(elem(1).fer(i), before[i], 1e-9) << i;
  dist_loads(41) = {True, 1, 1000, 4000};
  obj = 41;
  f->fer_dist(obj);
  dist_loads(41).pos = 6000;
  f->fer_dist(obj);
  dist_loads(41).pos = 20000;
  f->fer_dist(obj);
  for (int i = 1; i <= 4; ++i) EXPECT_NEAR(elem(1).fer(i), before[i], 1e-9) << i;
}

TEST_F(Loads, ADistributedLoadIsCutAtTheNodesItCrosses) {
  node(1, 0), node(2, 3000), node(3, 6000), node(4, 10000);
  build();
  dist(41, 2000, 9000);  // runs past the right end
  dist(42, 3000, 3000);  // starts and ends on nodes
  solve();
  EXPECT_EQ(elem(1).w_load(1).span, 1000);
  EXPECT_EQ(elem(2).w_load(1).span, 3000);
  EXPECT_EQ(elem(2).w_load(1).pos, 0);
  EXPECT_EQ(elem(3).w_load(1).span, 4000);
  EXPECT_EQ(elem(1).w_load(2).on, False);
  EXPECT_EQ(elem(2).w_load(2).span, 3000);
  EXPECT_EQ(elem(3).w_load(2).on, False);
  EXPECT_EQ(elem(2).w_count, 2);
}

TEST_F(Loads, LoadsOnNodesGoToTheirEquationsOrTheirSupports) {
  node(6, 0), node(1, 4000), node(16, 7000);
  build();
  force(21, 4000);   // on the support: restrained
  force(22, 7000);   // on the shear release: half to each side
  moment(31, 7000);  // on the shear release: whole to the shared rotation
  force(23, 0);      // on the fixed end
  solve();
  EXPECT_EQ(force_at_node(1), 1);
  EXPECT_EQ(force_at_node(3), 6);
  EXPECT_EQ(node_load_count(kForces), 2);
  EXPECT_EQ(node_force(2).split, -1);
  EXPECT_DOUBLE_EQ(node_load(elem(2).dof(2)), 0.5);
  EXPECT_DOUBLE_EQ(node_load(elem(3).dof(1)), 0.5);
  EXPECT_EQ(node_moment(1).split, 0);
  EXPECT_EQ(node_moment(1).dof, elem(2).dof(4));
  // Moving the force off the shear release gives both equations back.
  forces(22).pos = 8500;
  Integer obj = 22;
  f->fer_force(obj);
  EXPECT_DOUBLE_EQ(node_load(elem(2).dof(2)), 0);
  EXPECT_DOUBLE_EQ(node_load(elem(3).dof(1)), 0);
  EXPECT_EQ(elem(3).p_load(2).on, True);
  forces(21).pos = 5000;
  obj = 21;
  f->fer_force(obj);
  EXPECT_EQ(force_at_node(1), 0);
  EXPECT_EQ(node_load_count(kForces), 1);
}

TEST_F(Loads, ReplacingAfterNodesMoveLeavesNoPhantomLoads) {
  // Four elements with loads on free nodes leave node loads at high equation numbers ...
  node(1, 2000), node(16, 4000), node(17, 6000), node(2, 8000);
  build();
  force(21, 4000);
  force(22, 10000);
  moment(31, 0);
  solve();
  ASSERT_GT(free_dof, 6);
  // ... then the layout shrinks to a simply supported span and the loads leave the free nodes.
  f->remove_p(16), f->remove_p(17), f->remove_p(1), f->remove_p(2);
  node(1, 0), node(2, 10000);
  build();
  forces(21).pos = 5000;
  forces(22).pos = 5000;
  moments(31).pos = 5000;
  forces(22).value = 0;
  moments(31).value = 0;
  solve();
  for (int j = 1; j <= 42; ++j) EXPECT_EQ(node_load(j), 0) << j;
  for (int e = 2; e <= 21; ++e) EXPECT_EQ(elem(e).fer(1), 0) << e;
  EXPECT_NEAR(reactions(1).R, 0.5, 1e-5);
  EXPECT_NEAR(reactions(2).R, 0.5, 1e-5);
  // Re-placing twice gives the same as once.
  double fer[5];
  for (int i = 1; i <= 4; ++i) fer[i] = elem(1).fer(i);
  solve();
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(elem(1).fer(i), fer[i]);
}

TEST_F(Loads, ANodeAddedUnderALoadTakesItOver) {
  node(1, 0), node(2, 10000);
  build();
  force(21, 6000);
  dist(41, 2000, 6000);
  solve();
  node(3, 6000);  // a support right under the force
  build();
  solve();
  EXPECT_EQ(force_at_node(1), 3);
  EXPECT_EQ(elem(1).p_count, 0);
  EXPECT_EQ(elem(1).w_load(1).span, 4000);
  EXPECT_EQ(elem(2).w_load(1).span, 2000);
  EXPECT_NEAR(reactions(1).R + reactions(2).R + reactions(3).R, 1 + 0.6, 1e-5);
}

}  // namespace
