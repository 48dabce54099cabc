// The model stays whole whatever the user does: every placed load lies in the element that holds it,
// and the graphs and readout show the beam as it stands or nothing.
#include <algorithm>
#include <functional>

#include "beam/solver/tests/beam_cases.h"
#include "workspace_fixture.h"

using namespace Module20;

namespace {

using Reset = Workspace;
using Model = Workspace;

// The element that holds a placed moment, and where it says the moment stands (0 and -1 for none).
std::pair<int, float> holder(int k) {
  for (int e = 1; e <= n_elem; ++e)
    if (elem(e).m_load(k - 30).on == True) return {e, Single(elem(e).x_start) + elem(e).m_load(k - 30).pos};
  return {0, -1};
}

// Putting the module back as the program starts restores every variable to its initialiser, the
// arrays and texts included, after a session that changed them.
TEST_F(Reset, TheModuleGoesBackToItsStartValues) {
  start();
  simplySupported(4000);
  unit_F = 5, unit_L = 3, unit_system = 2, solve_on = False, on_beam = "True";
  K(3, 4) = 7;
  graf_color(1).red = 9;
  Module20_initialize();
  EXPECT_EQ(unit_F, 1);
  EXPECT_EQ(unit_L, 1.0f / 10000);
  EXPECT_EQ(unit_system, 0);
  EXPECT_EQ(solve_on, True);
  EXPECT_EQ(on_beam, "");
  EXPECT_EQ(K(3, 4), 0);
  EXPECT_EQ(graf_color(1).red, 0);
  EXPECT_EQ(n_elem, 1);
  EXPECT_EQ(node_list(1).obj, 0);
  EXPECT_EQ(forces(21).on, False);
  EXPECT_EQ(forces(21).value, 0);
  EXPECT_EQ(elem(1).E_rel, 1);
  EXPECT_EQ(next_force, 21);
  EXPECT_EQ(load_count(1), 0);
}

TEST_F(Reset, ALoadDroppedOnTheEmptyBeamLandsInItsOneElementAndMeetsTheMechanism) {
  Form20& f = start();
  EXPECT_EQ(elem(1).x_start, 0);
  EXPECT_EQ(elem(1).length, 10000.0f);
  drop(23, 1000, 700);
  ASSERT_EQ(forces(23).on, True);
  EXPECT_EQ(elem(1).p_load(3).on, True);
  EXPECT_EQ(elem(1).p_load(3).pos, forces(23).pos);
  // Nothing holds the free beam: the user is told so, and no graph is drawn from it.
  EXPECT_EQ(svc.messages, std::vector<std::string>{kMechanismMessageA});
  EXPECT_TRUE(f.Picture3.drawn().empty());
}

TEST_F(Model, AKeyMoveIntoAMechanismStillMovesTheLoadsToTheirNewElements) {
  Form20& f = start();
  dropAt(6, fraction(0));     // fixed left end
  drop(11, 5000, 1500);  // hinge
  drop(1, 8000, 1800);   // support
  drop(31, 6500, 1500);  // moment between hinge and support
  ASSERT_EQ(mechanism, False);
  ASSERT_EQ(holder(31), std::make_pair(2, moments(31).pos));
  // The hinge moves past the support: a free end behind a hinge is a mechanism.
  f.image1_MouseMove(11, 0, 0, 0, 0);
  key(39, 60);
  ASSERT_EQ(node_list(n_elem - 1).obj, 11);
  EXPECT_EQ(mechanism, True);
  EXPECT_EQ(holder(31), std::make_pair(1, moments(31).pos));
  EXPECT_TRUE(f.Picture3.drawn().empty());
}

TEST_F(Model, ObjectsCrowdedAtAnOccupiedRightEndAllFindAPlaceBeforeIt) {
  start();
  dropAt(16, fraction(1));  // the right end
  for (int k : {11, 18, 7, 12}) drop(k, 10000, 1500);
  ASSERT_EQ(n_elem, 5);
  std::vector<Integer> objects;
  for (int i = 0; i <= n_elem; ++i) objects.push_back(node_list(i).obj);
  std::sort(objects.begin(), objects.end());
  EXPECT_EQ(objects, (std::vector<Integer>{0, 7, 11, 12, 16, 18}));
  EXPECT_EQ(node_list(n_elem).obj, 16);
  EXPECT_EQ(node_list(n_elem).x, 10000);
  for (int e = 1; e <= n_elem; ++e) EXPECT_GE(elem(e).length, 1.0f) << "element " << e;
}

struct EditCase {
  const char* name;
  std::function<void(Model&, Form20&)> edit;
};

const EditCase kEditCases[] = {
    {"a new scale after the beam became a mechanism", [](Model& t, Form20& f) {
       t.drop(2, 4000, 100);  // the right support leaves the beam
       f.Slider2[0].Value = 15;
     }},
    {"a drop without a solve on every drag", [](Model& t, Form20& f) {
       f.ffe_Click();
       t.drop(21, 3000, 1200);
     }},
    {"a support moved while no load lies on the beam", [](Model& t, Form20& f) {
       t.drop(21, 3000, 150);  // the force goes back to the strip: the beam is solved without it
       t.drop(2, 8000, 1800);
     }},
    {"the cursor moved after the beam became a mechanism", [](Model& t, Form20& f) {
       t.drop(2, 4000, 100);
       f.Slider1.Value = 2500;
     }},
};

struct ModelEdits : Model, ::testing::WithParamInterface<EditCase> {};

TEST_P(ModelEdits, GraphsAndReadoutShowOnlyTheBeamAsItStands) {
  const EditCase& c = GetParam();
  Form20& f = start();
  f.ee4_Click(0);  // a force from the Add menu, which also enables the readout
  dropAt(1, fraction(0));
  dropAt(2, fraction(1));
  dropAt(21, fraction(0.5));
  ASSERT_FALSE(f.Picture3.drawn().empty());
  ASSERT_FALSE(f.Text2[0].Text.get().empty());
  c.edit(*this, f);
  EXPECT_TRUE(f.Picture3.drawn().empty());
  for (int g = 0; g <= 2; ++g) EXPECT_EQ(f.Text2[g].Text.get(), "") << ", readout " << g;
}
INSTANTIATE_TEST_SUITE_P(Model, ModelEdits, ::testing::ValuesIn(kEditCases), caseName<EditCase>);

}  // namespace
