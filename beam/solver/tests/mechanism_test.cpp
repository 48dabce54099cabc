// The mechanism check: its count test and its patterns, with the message each gives.
#include "beam_cases.h"
#include "beam_fixture.h"

using namespace Module20;

namespace {

using Mechanism = BeamFixture;

struct MechanismCase {
  const char* name;
  std::vector<std::pair<Integer, int>> nodes;
  const char* message;  // nullptr: no mechanism
};

const MechanismCase kMechanismCases[] = {
    {"empty beam", {}, kMechanismMessageA},
    {"one support in the middle", {{1, 5000}}, kMechanismMessageA},
    {"simply supported", {{1, 0}, {2, 10000}}, nullptr},
    {"free end, hinge, support at the right end", {{11, 5000}, {1, 10000}}, kMechanismMessageA},
    {"free end, hinge, support, support, fixed right end", {{11, 2000}, {1, 4000}, {2, 6000}, {6, 10000}}, kMechanismMessageB},
    {"fixed, shear release, shear release, fixed", {{6, 0}, {16, 3000}, {17, 6000}, {7, 10000}}, kMechanismMessageB},
    {"fixed, support, three hinges, support, fixed",
     {{6, 0}, {1, 1500}, {11, 3000}, {12, 4500}, {13, 6000}, {2, 7500}, {7, 10000}}, kMechanismMessageB},
    {"fixed, three hinges, fixed", {{6, 0}, {11, 2500}, {12, 5000}, {13, 7500}, {7, 10000}}, kMechanismMessageA},
    {"fixed, two hinges, support", {{6, 0}, {11, 3000}, {12, 6000}, {1, 10000}}, kMechanismMessageA},
    {"fixed, two hinges, support, support", {{6, 0}, {11, 2500}, {12, 5000}, {1, 7500}, {2, 10000}}, nullptr},
    // Two shear releases side by side at the last pair of nodes.
    {"fixed, shear release, shear release at the right end", {{6, 0}, {16, 5000}, {17, 10000}}, kMechanismMessageB},
    {"one element with shear releases at both ends", {{16, 0}, {17, 10000}}, kMechanismMessageB},
    {"cantilever", {{6, 0}}, nullptr},
};

struct MechanismLayouts : BeamFixture, ::testing::WithParamInterface<MechanismCase> {};

TEST_P(MechanismLayouts, AreJudgedByCountAndPattern) {
  const MechanismCase& c = GetParam();
  for (auto [o, x] : c.nodes) node(o, x);
  build();
  if (c.message) {
    EXPECT_EQ(mechanism, True);
    ASSERT_EQ(f->messages.size(), 1u);
    EXPECT_EQ(f->messages[0], c.message);
  } else {
    EXPECT_EQ(mechanism, False);
    EXPECT_TRUE(f->messages.empty());
  }
}
INSTANTIATE_TEST_SUITE_P(Mechanism, MechanismLayouts, ::testing::ValuesIn(kMechanismCases), caseName<MechanismCase>);

TEST_F(Mechanism, AReportStopsTheSimulationAndClearsTheGraphs) {
  f->running = true;
  f->strokes.push_back({0, 0, 100, 100, {}});
  build();  // an empty beam
  EXPECT_FALSE(f->running);
  EXPECT_TRUE(f->strokes.empty());
}

TEST_F(Mechanism, ASolveOfAMechanismShowsTheMessageAndDrawsNothing) {
  node(1, 5000);
  build();
  force(21, 2000);
  solve();  // the re-placing leaves the solution out
  EXPECT_EQ(f->messages.size(), 1u);
  Integer obj = 21;
  f->fer_force(obj);  // a single load's drop solves and is refused
  ASSERT_EQ(f->messages.size(), 2u);
  EXPECT_EQ(f->messages[1], kMechanismMessageA);
  EXPECT_TRUE(f->strokes.empty());
}

}  // namespace
