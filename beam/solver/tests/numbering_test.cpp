// The node list follows the icons' positions, and the free freedoms are numbered element by element in
// the order deflection left, deflection right, rotation left, rotation right.
#include "beam_cases.h"
#include "beam_fixture.h"

using namespace Module20;

namespace {

using Numbering = BeamFixture;

struct NumberingCase {
  const char* name;
  std::vector<std::pair<Integer, int>> nodes;
  int free;
  std::vector<std::vector<int>> dofs;
};

const NumberingCase kNumberingCases[] = {
    {"free beam", {}, 4, {{1, 2, 3, 4}}},
    {"simply supported", {{1, 0}, {2, 10000}}, 2, {{0, 0, 1, 2}}},
    {"cantilever", {{6, 0}}, 2, {{0, 1, 0, 2}}},
    {"support, hinge, support", {{1, 0}, {11, 5000}, {2, 10000}}, 5, {{0, 1, 2, 3}, {1, 0, 4, 5}}},
    {"fixed, shear release, support", {{6, 0}, {16, 5000}, {1, 10000}}, 4, {{0, 1, 0, 2}, {3, 0, 2, 4}}},
    {"hinge and shear release at the ends", {{11, 0}, {16, 10000}}, 2, {{0, 1, 2, 0}}},
    {"continuous over three supports", {{1, 0}, {2, 4000}, {3, 10000}}, 3, {{0, 0, 1, 2}, {0, 0, 2, 3}}},
};

struct NumberingLayouts : BeamFixture, ::testing::WithParamInterface<NumberingCase> {};

TEST_P(NumberingLayouts, GetTheirEquationNumbers) {
  const NumberingCase& c = GetParam();
  for (auto [o, x] : c.nodes) node(o, x);
  f->number_dof();
  EXPECT_EQ(free_dof, c.free);
  ASSERT_EQ(int(n_elem), int(c.dofs.size()));
  for (int e = 1; e <= n_elem; ++e) EXPECT_EQ(dofs(e), c.dofs[e - 1]) << "element " << e;
}
INSTANTIATE_TEST_SUITE_P(Numbering, NumberingLayouts, ::testing::ValuesIn(kNumberingCases), caseName<NumberingCase>);

TEST_F(Numbering, ElementsSpanNeighbouringNodes) {
  node(1, 0), node(2, 3000), node(3, 10000);
  f->number_dof();
  EXPECT_EQ(elem(1).length, 3000);
  EXPECT_EQ(elem(1).x_start, 0);
  EXPECT_EQ(elem(2).length, 7000);
  EXPECT_EQ(elem(2).x_start, 3000);
  EXPECT_EQ(node_list(3).obj, 0);  // the slot after the last node stays free
  EXPECT_EQ(node_list(3).x, 10000);
}

TEST_F(Numbering, IconsSnapToTheBeamEnds) {
  f->left(1) = 150;
  f->sort_p(1);
  EXPECT_EQ(f->left(1), 105.0f);
  EXPECT_EQ(left_end, True);
  EXPECT_EQ(n_elem, 1);
  EXPECT_EQ(node_list(0).obj, 1);
  // A second object in the left end zone becomes the first inner node.
  f->left(6) = 50;
  f->sort_p(6);
  EXPECT_EQ(f->left(6), 285.0f);
  EXPECT_EQ(n_elem, 2);
  EXPECT_EQ(objects(), (std::vector<Integer>{1, 6, 0}));
  EXPECT_EQ(node_list(1).x, 75);
  f->left(7) = 9990;
  f->sort_p(7);
  EXPECT_EQ(f->left(7), 10285.0f);
  EXPECT_EQ(right_end, True);
  EXPECT_EQ(objects(), (std::vector<Integer>{1, 6, 7}));
}

TEST_F(Numbering, AnIconOnAnExistingNodeIsShiftedRight) {
  node(1, 4000);
  f->left(2) = f->left(1);
  f->sort_p(2);
  EXPECT_EQ(objects(), (std::vector<Integer>{0, 1, 2, 0}));
  EXPECT_EQ(node_list(2).x, 4100);
}

TEST_F(Numbering, MovingAndRemovingKeepTheListInOrder) {
  node(1, 0), node(2, 3000), node(3, 6000);
  EXPECT_EQ(n_elem, 3);
  node(2, 8000);
  EXPECT_EQ(n_elem, 3);
  EXPECT_EQ(objects(), (std::vector<Integer>{1, 3, 2, 0}));
  node(1, 1000);  // an end object moved inward adds an element
  EXPECT_EQ(objects(), (std::vector<Integer>{0, 1, 3, 2, 0}));
  f->remove_p(3);
  EXPECT_EQ(objects(), (std::vector<Integer>{0, 1, 2, 0}));
  node(4, 10000);
  f->remove_p(4);
  EXPECT_EQ(objects(), (std::vector<Integer>{0, 1, 2, 0}));
  EXPECT_EQ(node_list(3).x, 10000);
  EXPECT_EQ(right_end, False);
}

struct LeftZoneEdge : BeamFixture, ::testing::WithParamInterface<float> {};

TEST_P(LeftZoneEdge, AnIconJustRightOfItNeverMakesAnElementOfNoLength) {
  const float left = GetParam();
  // A hinge dropped by the mouse, its centre at or before x 0: it stands on the end.
  f->left(11) = left;
  f->sort_p(11, BeamSolver::Placing::by_mouse);
  f->number_dof();
  EXPECT_EQ(node_list(0).obj, 11);
  EXPECT_EQ(f->left(11), 150.0f);
  // Placed there otherwise (a key step, a typed position) it is past the end zone: the first inner node,
  // a key step from the end, also with the end taken.
  for (Integer hinge : {12, 13}) {
    f->left(hinge) = left;
    f->sort_p(hinge);
    f->number_dof();
    EXPECT_EQ(node_list(1).obj, hinge);
    EXPECT_EQ(node_list(1).x, 15);
    f->remove_p(hinge);
  }
  for (int e = 1; e <= n_elem; ++e) EXPECT_GE(elem(e).length, 1.0f) << "element " << e;
}
INSTANTIATE_TEST_SUITE_P(Numbering, LeftZoneEdge, ::testing::Values(201.0f, 205.0f, 210.0f));

TEST_F(Numbering, AFractionalLeftOnANodesPositionIsShiftedToo) {
  node(6, 4000);
  f->left(7) = f->left(6) + 0.3f;
  f->sort_p(7);
  f->number_dof();
  for (int e = 1; e <= n_elem; ++e) EXPECT_GE(elem(e).length, 1.0f) << "element " << e;
}

}  // namespace
