// The beam canvas: drops snap icons and place objects, keys move the selected object on the beam, and
// each drop or key release solves the beam again.
#include <cctype>
#include <cmath>
#include <string>

#include "beam/solver/tests/beam_cases.h"
#include "workspace_fixture.h"

using namespace Module20;

namespace {

using Canvas = Workspace;

struct DropCase {
  const char* name;
  int k;
  float X, Y;           // the icon's Left at the drop, the pointer's y
  float Left, Top;      // where the icon stands afterwards
  float pos;            // the load's position (-1: a node object)
  std::vector<Integer> nodes;
};

const DropCase kDropCases[] = {
    {"support in the left end zone", 1, 50, 1800, 105, 1835, -1, {1, 0}},
    {"fixed end inside the beam", 6, 4925, 1500, 4925, 1470, -1, {0, 6, 0}},
    {"support in the right end zone", 2, 9990, 2000, 10105, 1835, -1, {0, 2}},
    {"node object just below the band", 11, 5000, 2696, 5000, 100, -1, {0, 0}},
    {"force near the left end", 21, 300, 1200, 225, 1125, 0, {0, 0}},
    {"force near the right end", 22, 10150, 1200, 10225, 1125, 10000, {0, 0}},
    {"force inside the beam", 23, 1000, 700, 1000, 1125, 775, {0, 0}},
    {"moment near the left end", 31, 300, 1500, 150, 1465, 0, {0, 0}},
    {"moment near the right end", 32, 10100, 1500, 10150, 1465, 10000, {0, 0}},
    {"moment inside the beam", 33, 1000, 1500, 1000, 1465, 850, {0, 0}},
    {"distributed load past the right end", 41, 10000, 1500, 9785, 1305, 9500, {0, 0}},
    {"distributed load before the left end", 42, 100, 1500, 285, 1305, 0, {0, 0}},
};

struct CanvasDrops : Workspace, ::testing::WithParamInterface<DropCase> {};

TEST_P(CanvasDrops, DropsSnapAndPlaceEachKindOfObject) {
  const DropCase& c = GetParam();
  Form20& f = start();
  drop(c.k, c.X, c.Y);
  EXPECT_EQ(f.Image1[c.k].Left.get(), c.Left);
  EXPECT_EQ(f.Image1[c.k].Top.get(), c.Top);
  std::vector<Integer> nodes;
  for (int i = 0; i <= n_elem; ++i) nodes.push_back(node_list(i).obj);
  EXPECT_EQ(nodes, c.nodes);
  if (c.k >= 21 && c.k <= 30) {
    EXPECT_EQ(forces(c.k).pos, c.pos);
  }
  if (c.k >= 31 && c.k <= 40) {
    EXPECT_EQ(moments(c.k).pos, c.pos);
  }
  if (c.k >= 41) {
    EXPECT_EQ(dist_loads(c.k).pos, c.pos);
    EXPECT_EQ(dist_loads(c.k).span, 500);
  }
}
INSTANTIATE_TEST_SUITE_P(Canvas, CanvasDrops, ::testing::ValuesIn(kDropCases), caseName<DropCase>);

TEST_F(Canvas, ALoadDroppedInTheStripLeavesTheBeam) {
  Form20& f = start();
  drop(21, 3000, 1200);
  EXPECT_EQ(load_count(1), 1);
  drop(21, 3000, 150);
  EXPECT_EQ(f.Image1[21].Top.get(), 100.0f);
  EXPECT_EQ(forces(21).on, False);
  EXPECT_EQ(forces(21).pos, 10785);
  EXPECT_EQ(load_count(1), 0);
  EXPECT_EQ(elem(1).p_count, 0);
  drop(22, 2000, 150);  // never placed: only parked
  EXPECT_EQ(load_count(1), 0);
  EXPECT_EQ(forces(22).on, False);
}

TEST_F(Canvas, ASimplySupportedBeamBuiltByDropsIsSolved) {
  Form20& f = start();
  dropAt(1, fraction(0));
  EXPECT_EQ(svc.messages.size(), 1u);  // a beam on one support is a mechanism
  dropAt(2, fraction(1));
  EXPECT_EQ(mechanism, False);
  dropAt(21, fraction(0.5));  // centred on the middle of the beam
  EXPECT_EQ(forces(21).pos, 5000);
  EXPECT_EQ(svc.messages.size(), 1u);
  EXPECT_NEAR(reactions(1).R, 0.5f, 1e-5);
  EXPECT_NEAR(reactions(2).R, 0.5f, 1e-5);
  EXPECT_FALSE(f.Picture3.drawn().empty());
  // Dropping a support off the beam clears its reaction and makes the beam a mechanism again.
  drop(2, 4000, 100);
  EXPECT_EQ(reactions(2).R, 0);
  EXPECT_EQ(mechanism, True);
  EXPECT_EQ(svc.messages.back(), kMechanismMessageA);
}

TEST_F(Canvas, KeysMoveTheSelectedObjectAndOneReleaseSolvesOnce) {
  Form20& f = start();
  drop(1, 5000, 1800);  // one support: a mechanism, so every solve shows its message
  drop(21, 2000, 1200);
  const std::size_t before = svc.messages.size();
  f.image1_MouseMove(21, 0, 0, 0, 0);
  key(39, 5);  // the key held down: five presses, one release
  EXPECT_EQ(f.Image1[21].Left.get(), 2000.0f + 5 * 15 * 4);
  EXPECT_EQ(svc.messages.size(), before + 1);
  EXPECT_EQ(forces(21).pos, 2000 + 300 - 285 + 60);
}

TEST_F(Canvas, KeysActOnlyOnAnObjectOnTheBeam) {
  Form20& f = start();
  dropAt(1, fraction(0));
  dropAt(2, fraction(1));
  const float parked = f.Image1[3].Left;
  f.image1_MouseMove(3, 0, 0, 0, 0);  // a support still in the palette strip
  key(39);
  EXPECT_EQ(f.Image1[3].Left.get(), parked);
  EXPECT_EQ(n_elem, 1);
  f.image1_MouseMove(23, 0, 0, 0, 0);  // a force never placed
  key(39);
  EXPECT_EQ(elem(1).p_count, 0);
  EXPECT_EQ(elem(1).fer(1), 0);
  EXPECT_EQ(forces(23).on, False);
  // T still shows and hides the tool window.
  key(84);
  EXPECT_TRUE(f.ffb.Checked.get());
}

TEST_F(Canvas, AKeyStepNeverCarriesALoadPastABeamEnd) {
  Form20& f = start();
  dropAt(1, fraction(0));
  dropAt(2, fraction(1));
  Form10Form->Slider2.Value = 20;  // 300 twips a step
  drop(21, 9700, 1200);
  f.image1_MouseMove(21, 0, 0, 0, 0);
  key(39, 3);
  EXPECT_EQ(f.Image1[21].Left.get(), 10225.0f);
  EXPECT_EQ(forces(21).pos, 10000);
  EXPECT_EQ(force_at_node(1), 2);  // on the right support
  drop(41, 1000, 1500);
  f.image1_MouseMove(41, 0, 0, 0, 0);
  key(37, 4);
  EXPECT_EQ(f.Image1[41].Left.get(), 285.0f);
  EXPECT_EQ(dist_loads(41).pos, 0);
  key(38, 40);  // grows to the right end and stops there
  EXPECT_LE(f.Image1[41].Left.get() + f.Image1[41].Width.get(), 10285.0f);
  EXPECT_EQ(dist_loads(41).pos + dist_loads(41).span, 10000);
}

// A key moves a node object by the end zones alone, never back onto an end its icon still covers: a
// support on the left end held to the right at step 4 leaves it once its icon's Left passes 200.
TEST_F(Canvas, AKeyStepLeavesABeamEndByItsZone) {
  struct Case {
    const char* name;
    int k, step, presses;
    int place;  // placeOf after the release
  } cases[] = {
      {"support, Left 165", 1, 4, 1, kOnLeftEnd},
      {"support, Left 225", 1, 4, 2, 120},
      {"support, Left 285", 1, 4, 3, 180},
      {"fixed end, Left 195", 6, 2, 1, kOnLeftEnd},
      {"fixed end, Left 210: a key step from the end", 6, 3, 1, 15},
      {"hinge, Left 210", 11, 4, 1, 15},
  };
  for (const Case& c : cases) {
    SetUp();
    Form20& f = start();
    dropAt(c.k, fraction(0));
    dropAt(2, fraction(1));
    dropAt(21, fraction(0.5));
    ASSERT_EQ(placeOf(c.k), kOnLeftEnd) << c.name;
    Form10Form->Slider2.Value = c.step;
    f.image1_MouseMove(c.k, 0, 0, 0, 0);
    key(39, c.presses);
    EXPECT_EQ(placeOf(c.k), c.place) << c.name;
    for (int e = 1; e <= n_elem; ++e) EXPECT_GE(elem(e).length, 15.0f) << c.name << " element " << e;
    TearDown();
  }
}

TEST_F(Canvas, AReleaseWithoutAPressInThisWindowDoesNothing) {
  Form20& f = start();
  dropAt(1, fraction(0));
  dropAt(11, fraction(1));  // a hinge on the right end acts as a pin
  ASSERT_EQ(mechanism, False);
  svc.messages.clear();
  Form10Form->Slider2.Value = 20;
  f.image1_MouseMove(11, 0, 0, 0, 0);
  key(37, 2);  // the hinge leaves the end: a free end beside a hinge is a mechanism
  ASSERT_EQ(svc.messages.size(), 1u);
  EXPECT_EQ(mechanism, True);
  // The Enter that closes the message is released here without its press: nothing is repeated.
  int enter = 13;
  f.Form_KeyUp(enter, 0);
  f.Form_KeyUp(enter, 0);
  EXPECT_EQ(svc.messages.size(), 1u);
}

}  // namespace

namespace {

using Canvas = Workspace;

// Every node of the list in order, and no element shorter than a twip.
void expectSoundNodes(const char* what) {
  EXPECT_EQ(node_list(0).x, 0) << what;
  EXPECT_EQ(node_list(n_elem).x, 10000) << what;
  for (int e = 1; e <= n_elem; ++e) EXPECT_GE(node_list(e).x - node_list(e - 1).x, 1) << what << " element " << e;
}

struct TakenPlacesCase {
  const char* name;
  std::vector<std::pair<int, float>> drops;  // object, icon Left
};

const TakenPlacesCase kTakenPlacesCases[] = {
    {"right end, then two supports at the pushed-in place", {{1, 10000}, {2, 10015}, {3, 10015}}},
    {"right end taken, then three into its zone", {{1, 10000}, {2, 9990}, {3, 9990}, {4, 9990}}},
    {"left end taken, then three into its zone", {{6, 50}, {1, 50}, {2, 50}, {3, 120}}},
    {"hinges on one place", {{1, 50}, {2, 10000}, {11, 5000}, {12, 5000}, {13, 5000}, {14, 5100}}},
};

struct CanvasTakenPlaces : Workspace, ::testing::WithParamInterface<TakenPlacesCase> {};

TEST_P(CanvasTakenPlaces, NodesDroppedOnTakenPlacesAllBecomeNodes) {
  const TakenPlacesCase& c = GetParam();
  Form20& f = start();
  for (auto [k, left] : c.drops) drop(k, left, k <= 5 ? 1800.0f : 1500.0f);
  int placed = 0;
  for (int i = 0; i <= n_elem; ++i) placed += node_list(i).obj != 0;
  EXPECT_EQ(placed, int(c.drops.size()));
  expectSoundNodes(c.name);
  for (auto [k, left] : c.drops) EXPECT_LE(f.Image1[k].Left.get(), 10285.0f);
}
INSTANTIATE_TEST_SUITE_P(Canvas, CanvasTakenPlaces, ::testing::ValuesIn(kTakenPlacesCases), caseName<TakenPlacesCase>);

// A node object whose icon covers a beam end as it is dropped stands on that end: a fixed end so dropped
// makes a cantilever of one element, whose tip turns by M L / EI = 1 under a unit end moment (L = EI = 1).
struct EndDrop {
  const char* name;
  int k;
  float left;        // the icon's Left as dropped
  float momentLeft;  // a unit moment at the other end (-1: none)
};
struct DropOverAnEnd : Workspace, ::testing::WithParamInterface<EndDrop> {};

TEST_P(DropOverAnEnd, StandsOnTheEnd) {
  const EndDrop& c = GetParam();
  Form20& f = start();
  drop(c.k, c.left, 1500);
  if (c.momentLeft >= 0) drop(31, c.momentLeft, 1500);
  EXPECT_EQ(n_elem, 1);
  EXPECT_TRUE(node_list(0).obj == c.k || node_list(1).obj == c.k);
  if (c.momentLeft >= 0) {
    ASSERT_TRUE(f.solution_current);
    EXPECT_NEAR(std::abs(P(2)), 1.0, 1e-6);
  }
}

INSTANTIATE_TEST_SUITE_P(Canvas, DropOverAnEnd,
                         ::testing::Values(EndDrop{"fixed end just past the left end zone", 6, 201, 10150},
                                           EndDrop{"fixed end a little over 200", 6, 215, 10150},
                                           EndDrop{"fixed end reaching over the left end", 6, 240, 10150},
                                           EndDrop{"fixed end starting on the left end", 6, 285, 10150},
                                           EndDrop{"fixed end ending on the right end", 6, 10135, 150},
                                           EndDrop{"support reaching over the right end", 1, 9930, -1}),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           for (char& ch : name)
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return name;
                         });

// With the end taken, a node dropped next to it leaves an element at least one key step (15 twips) long.
TEST_F(Canvas, ANodeDroppedBesideATakenEndLeavesAnElementAKeyStepLong) {
  start();
  for (auto [k, left] : std::vector<std::pair<int, float>>{{6, 240}, {11, 215}, {7, 10200}, {12, 10130}, {1, 9930}})
    drop(k, left, 1500);
  EXPECT_EQ(n_elem, 4);
  for (int e = 1; e <= n_elem; ++e) EXPECT_GE(elem(e).length, 15.0f) << "element " << e;
}

TEST_F(Canvas, ASingularStructureLeavesNothingOfTheLastSolution) {
  Form20& f = start();
  simplySupported(5000);
  ASSERT_TRUE(f.solution_current);
  ASSERT_FALSE(f.Text2[1].Text.get().empty());
  drop(2, 4000, 100);  // a mechanism now
  EXPECT_FALSE(f.solution_current);
  EXPECT_TRUE(f.Picture3.drawn().empty());
  for (int g = 0; g <= 2; ++g) EXPECT_EQ(f.Text2[g].Text.get(), "") << g;
  // Scales and cursor draw and show nothing until a solve succeeds again.
  f.Slider2[1].Value = 15;
  f.Slider1.Value = 5000;
  EXPECT_TRUE(f.Picture3.drawn().empty());
  EXPECT_EQ(f.Text2[1].Text.get(), "");
  dropAt(2, fraction(1));
  EXPECT_TRUE(f.solution_current);
  EXPECT_EQ(f.Text2[1].Text.get(), "-0.250");  // PL/4, sagging
}

TEST_F(Canvas, AWidenedDistributedLoadShowsItsWholeSpan) {
  Form20& f = start();
  dropAt(1, fraction(0));
  dropAt(2, fraction(1));
  drop(41, 2000, 1500);
  f.image1_MouseMove(41, 0, 0, 0, 0);
  key(38, 10);
  ui::Image& icon = f.Image1[41];
  EXPECT_EQ(icon.Width.get(), 500.0f + 10 * 60);
  EXPECT_EQ(dist_loads(41).span, icon.Width.get());
  EXPECT_TRUE(icon.Stretch.get());  // its picture covers the width that catches the pointer
  // Hovering another icon gives this one its normal picture at the same width.
  f.image1_MouseMove(1, 0, 0, 0, 0);
  EXPECT_EQ(icon.Width.get(), 1100.0f);
}

// A distributed load reads as one at every width: a line over a row of arrows spread evenly from one
// end of its span to the other, drawn at that width rather than a small picture stretched.
TEST_F(Canvas, ADistributedLoadShowsArrowsEvenlyOverItsWholeSpan) {
  Form20& f = start();
  ui::Image& icon = f.Image1[41];
  for (bool hot : {false, true})
    for (float width : {150.0f, 500.0f, 1115.0f, 4000.0f, 10000.0f}) {
      icon.Width = width;
      if (hot) f.image1_MouseMove(41, 0, 0, 0, 0);
      else f.Picture7_MouseDown(1, 0, 0, 0);
      const int w = int(width / 15), h = int(icon.Height.get() / 15);
      const ui::Picture shown = icon.Picture_.get().fittedTo(w, h);
      ASSERT_EQ(shown.widthPixels(), w) << width;
      // The arrows' shafts, read across the middle of the picture.
      std::vector<int> shafts;
      for (int x = 0, inside = 0; x < w; ++x) {
        const bool ink = shown.pixel(x, h / 2) >> 24 > 128;
        if (ink && !inside) shafts.push_back(x);
        inside = ink;
      }
      ASSERT_GE(shafts.size(), 2u) << width;
      EXPECT_LE(shafts.front(), 3) << width;
      EXPECT_GE(shafts.back(), w - 5) << width;
      for (std::size_t i = 2; i < shafts.size(); ++i)
        EXPECT_NEAR(shafts[i] - shafts[i - 1], shafts[1] - shafts[0], 1) << width << ", arrow " << i;
      EXPECT_LE(shafts[1] - shafts[0], 10) << width;
    }
}

TEST_F(Canvas, TheDataPanelFollowsDropsHoversAndKeysWhenAsked) {
  Form20& f = start();
  Form10& t = *Form10Form;
  dropAt(1, fraction(0));
  dropAt(2, fraction(1));
  drop(21, 2000, 1200);  // the drop refreshes the panel
  EXPECT_EQ(t.Label10.Caption.get(), "F( 1 )");
  EXPECT_EQ(t.Text2[0].Text.get(), "0.1775");
  key(39);  // so does the release
  EXPECT_EQ(t.Text2[0].Text.get(), "0.1835");
  f.image1_MouseMove(2, 0, 0, 0, 0);  // and passing over an icon
  EXPECT_EQ(t.Label10.Caption.get(), "( 2 )סמך ");
  f.ffc.choose();  // unticked: the panel stays as it is
  f.image1_MouseMove(21, 0, 0, 0, 0);
  EXPECT_EQ(t.Label10.Caption.get(), "( 2 )סמך ");
}

}  // namespace
