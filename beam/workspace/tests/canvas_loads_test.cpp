// The beam canvas: a moment or distributed load taken off the beam leaves nothing of itself in the
// model, a moment moved by the keys stands where a drop there would put it, and the status bar reads the
// pointer's place along the beam.
#include <vector>

#include "workspace_fixture.h"

using namespace Module20;

namespace {

using CanvasLoads = Workspace;

// What a solved beam holds of its loads: every element's fixed-end reactions and load counts, the
// displacements and the reactions of the supports 1 to 3.
struct Solved {
  std::vector<double> fer, d, R;
  std::vector<int> counts;
};

Solved solved() {
  Solved s;
  for (int e = 1; e <= n_elem; ++e) {
    for (int i = 1; i <= 4; ++i) s.fer.push_back(elem(e).fer(i));
    s.counts.insert(s.counts.end(), {elem(e).p_count, elem(e).m_count, elem(e).w_count});
  }
  for (int i = 1; i <= free_dof; ++i) s.d.push_back(P(i));
  for (int k = 1; k <= 3; ++k) s.R.push_back(reactions(k).R);
  return s;
}

void expectSame(const Solved& got, const Solved& want, const char* what) {
  EXPECT_EQ(got.counts, want.counts) << what;
  ASSERT_EQ(got.fer.size(), want.fer.size()) << what;
  for (std::size_t i = 0; i < want.fer.size(); ++i) EXPECT_NEAR(got.fer[i], want.fer[i], 1e-9) << what << ", fer " << i;
  ASSERT_EQ(got.d.size(), want.d.size()) << what;
  for (std::size_t i = 0; i < want.d.size(); ++i) EXPECT_NEAR(got.d[i], want.d[i], 1e-9) << what << ", d " << i;
  for (std::size_t i = 0; i < want.R.size(); ++i) EXPECT_NEAR(got.R[i], want.R[i], 1e-6) << what << ", R " << i + 1;
}

// Two spans on three supports with a force in the left one; a distributed load from 4000 to 6000 twips
// lies over the middle support, in both elements.
struct TwoSpans : CanvasLoads {
  void build() {
    start();
    dropAt(1, fraction(0));
    dropAt(2, fraction(0.5));
    dropAt(3, fraction(1));
    dropAt(21, fraction(0.25));
  }
  void addDistributed() {
    Form20Form->Image1[41].Tag = "1000";
    Form20Form->Image1[41].Width = 2000;
    dropAt(41, twips(4000));
  }
  void takeOff(int k) { drop(k, 3000, 150); }  // dropped in the palette strip
};

TEST_F(TwoSpans, AMomentOrDistributedLoadTakenOffLeavesTheBeamAsIfNeverPlaced) {
  build();
  ASSERT_TRUE(Form20Form->solution_current);
  const Solved before = solved();
  for (int k : {33, 41}) {
    resetAll();
    build();
    if (k == 41) addDistributed();
    else dropAt(33, fraction(0.75));
    ASSERT_TRUE(Form20Form->solution_current) << k;
    ASSERT_NE(solved().counts, before.counts) << k << " is on the beam";
    takeOff(k);
    EXPECT_TRUE(Form20Form->solution_current) << k;
    const bool on = k == 41 ? dist_loads(k).on == True : moments(k).on == True;
    EXPECT_FALSE(on) << k;
    EXPECT_EQ(Form20Form->Image1[k].Top.get(), 100.0f) << k << " parked";
    expectSame(solved(), before, k == 41 ? "distributed load taken off" : "moment taken off");
    // Its icon dropped back onto the beam places it again, once.
    if (k == 41) addDistributed();
    else dropAt(33, fraction(0.75));
    int count = 0;
    for (int e = 1; e <= n_elem; ++e) count += k == 41 ? elem(e).w_count : elem(e).m_count;
    EXPECT_EQ(count, k == 41 ? 2 : 1) << k;
  }
}

// A moment held to the right by the keys crosses the middle support: on the release it leaves the left
// span's element for the right one, as a moment dropped there.
TEST_F(TwoSpans, AMomentMovedByTheKeysStandsWhereADropThereWouldPutIt) {
  build();
  dropAt(33, twips(5330));
  ASSERT_TRUE(Form20Form->solution_current);
  const Solved dropped = solved();
  const float left = Form20Form->Image1[33].Left;
  resetAll();
  build();
  dropAt(33, twips(4730));
  ASSERT_EQ(elem(1).m_count, 1);
  Form20Form->image1_MouseMove(33, 0, 0, 0, 0);
  key(39, 10);  // held: ten steps of 60 twips, one release
  EXPECT_EQ(Form20Form->Image1[33].Left.get(), left);
  EXPECT_EQ(moments(33).pos, 5330.0f);
  EXPECT_TRUE(Form20Form->solution_current);
  expectSame(solved(), dropped, "moment moved by the keys");
  EXPECT_EQ(elem(1).m_count, 0);
  EXPECT_EQ(elem(2).m_count, 1);
}

// The first status panel reads the pointer's place along the beam in the beam's length unit, from its
// left end: negative left of it, and the whole integer part of a long beam.
TEST_F(CanvasLoads, TheStatusBarReadsThePointersPlaceAlongTheBeam) {
  Form20& f = start();
  const struct {
    float x;       // the pointer's x on the canvas, in twips
    float length;  // the beam's length L
    const char* shown;
  } cases[] = {
      {285, 1, "X=00.00"},   {5285, 1, "X=00.50"},   {10285, 1, "X=01.00"},     {85, 1, "X=-00.02"},
      {2785, 4, "X=01.00"},  {10285, 25, "X=25.00"}, {10285, 150, "X=150.00"},
  };
  for (const auto& c : cases) {
    beam_length = c.length;
    f.Picture7_MouseMove(0, 0, c.x, 1500);
    EXPECT_EQ(f.StatusBar2.Panels(1).Text.get(), c.shown) << c.x << " on a beam of " << c.length;
  }
  // A length set as the reference value L is the one read.
  Form10& t = *Form10Form;
  t.Text13.Text = "2";
  t.Command15_Click();
  f.Picture7_MouseMove(0, 0, 5285, 1500);
  EXPECT_EQ(f.StatusBar2.Panels(1).Text.get(), "X=01.00");
}

}  // namespace
