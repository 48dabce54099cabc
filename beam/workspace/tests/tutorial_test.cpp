// The tutorial window: the tables are the solver's own figures of the beam as it now stands, the
// solution tables stay empty (with the reason) whenever there is no solution of it, and the graphs of
// the two steps add up to the full solution without a number that is not finite.
#include <cmath>
#include <functional>
#include <vector>

#include "ui/vbtext.h"
#include "beam/solver/tests/beam_cases.h"
#include "workspace_fixture.h"

using namespace Module20;

namespace {

struct Tutorial : Workspace {
  // A fixed end on the left, a support in the middle and a free right end (a span and an overhang,
  // each 5000 twips), under a uniform load over the whole beam.
  Form20& overhangBeam(float P = 1, float L = 1, float E = 1, float I = 1) {
    Form20& f = start();
    unit_F = P, beam_length = L, unit_L = L / 10000, unit_E = E, unit_I = I;
    dropAt(6, fraction(0));
    dropAt(1, fraction(0.5));
    f.Image1[41].Width = 10000;
    f.Image1[41].Tag = "5000";
    dropAt(41, fraction(0));
    return f;
  }
  properties& open() {
    Form20Form->ffd_Click();
    return *propertiesForm;
  }
  static std::vector<std::string> row(ui::Grid& g, int r) {
    std::vector<std::string> cells;
    for (int c = 1; c < g.Cols(); ++c) cells.push_back(g.TextMatrix(r, c));
    return cells;
  }
  static bool dataEmpty(ui::Grid& g) {
    for (int r = 1; r < g.Rows(); ++r)
      for (int c = 1; c < g.Cols(); ++c)
        if (!g.TextMatrix(r, c).empty()) return false;
    return true;
  }
  static bool allFinite(const ui::PictureBox& p) {
    for (const ui::Segment& s : p.drawn())
      if (!std::isfinite(s.x1) || !std::isfinite(s.y1) || !std::isfinite(s.x2) || !std::isfinite(s.y2)) return false;
    return true;
  }
  using S = std::vector<std::string>;
};

// Worked by hand for P = 2, L = 2 (each element 1 long, the load w = 2 on both), EI = 6. K from
// 4EI/l + 4EI/l = 48, 6EI/l^2 = 36, 12EI/l^3 = 72, 2EI/l = 12 and 4EI/l = 24; the fixed-end reactions
// wl/2 = 1 and wl^2/12 = 1/6 give P = (0, -1, 1/6), the two moments at the middle support cancelling.
// K d = P: the first row gives d3 = 3 d2 - 4 d1, which leaves 108 d1 - 36 d2 = -1 and
// -84 d1 + 36 d2 = 1/6, so 24 d1 = -5/6 and d = (-5, -11, -13) / 144.
TEST_F(Tutorial, TheTablesAreTheSolversFiguresOfAHandWorkedBeam) {
  overhangBeam(2, 2, 2, 3);
  ASSERT_TRUE(Form20Form->solution_current);
  properties& t = open();
  EXPECT_TRUE(t.Visible.get());
  EXPECT_EQ(t.owner(), nullptr);
  EXPECT_EQ(t.MSFlexGrid1.Cols(), 3);
  EXPECT_EQ(row(t.MSFlexGrid1, 0), (S{"1", "2"}));
  EXPECT_EQ(row(t.MSFlexGrid1, 1), (S{"1", "1"}));
  EXPECT_EQ(row(t.MSFlexGrid1, 2), (S{"6", "6"}));
  auto column = [](ui::Grid& g, int c) {
    S cells;
    for (int r = 1; r < g.Rows(); ++r) cells.push_back(g.TextMatrix(r, c));
    return cells;
  };
  EXPECT_EQ(column(t.MSFlexGrid2, 1), (S{"0", "0", "0", "1"}));
  EXPECT_EQ(column(t.MSFlexGrid2, 2), (S{"0", "2", "1", "3"}));
  EXPECT_EQ(column(t.MSFlexGrid3, 1), (S{"1.000", "1.000", "0.167", "-0.167"}));
  EXPECT_EQ(column(t.MSFlexGrid3, 2), (S{"1.000", "1.000", "0.167", "-0.167"}));
  EXPECT_EQ(t.MSFlexGrid4.Cols(), 4);
  EXPECT_EQ(row(t.MSFlexGrid4, 0), (S{"1", "2", "3"}));
  EXPECT_EQ(row(t.MSFlexGrid4, 1), (S{"0.0000", "-1.0000", "0.1667"}));
  ASSERT_EQ(t.MSFlexGrid5.Rows(), 4);
  EXPECT_EQ(t.MSFlexGrid5.TextMatrix(0, 0), "מס.דר.חופש");
  EXPECT_EQ(column(t.MSFlexGrid5, 0).size(), 3u);
  EXPECT_EQ(row(t.MSFlexGrid5, 1), (S{"48.0000", "-36.0000", "12.0000"}));
  EXPECT_EQ(row(t.MSFlexGrid5, 2), (S{"-36.0000", "72.0000", "-36.0000"}));
  EXPECT_EQ(row(t.MSFlexGrid5, 3), (S{"12.0000", "-36.0000", "24.0000"}));
  EXPECT_EQ(row(t.MSFlexGrid6, 1), (S{"-0.0347", "-0.0764", "-0.0903"}));
  EXPECT_EQ(column(t.MSFlexGrid7, 1), (S{"-1.250", "1.250", "-0.417", "-0.833"}));
  EXPECT_EQ(column(t.MSFlexGrid7, 2), (S{"1.000", "-1.000", "0.833", "0.167"}));
  for (ui::Grid* g : {&t.MSFlexGrid1, &t.MSFlexGrid4, &t.MSFlexGrid7}) EXPECT_TRUE(g->LeftToRight.get());
  EXPECT_EQ(t.MSFlexGrid5.ColWidth(0), 1000);
  EXPECT_FALSE(t.Label21.Visible.get());
  EXPECT_TRUE(t.bb_1.Enabled.get());
}

struct UnitSystemCase {
  Byte system;
  const char *ei, *ei1, *length, *deflection;
};

const UnitSystemCase kUnitSystemCases[] = {
    {0, "6", "1", "", ""},
    {1, "60", "10", "L[m]       :יחידות", "[cm/10^4]   שקיעה  "},
    {2, "41.66666", "6.944444", "L[ft]        :יחידות", "[in/1728]   שקיעה   "},
};

struct TutorialUnitSystems : Tutorial, ::testing::WithParamInterface<UnitSystemCase> {};

TEST_P(TutorialUnitSystems, TheUnitSystemSetsTheCaptionsAndTheStiffnessRowOnly) {
  const UnitSystemCase& c = GetParam();
  overhangBeam(2, 2, 2, 3);
  unit_system = c.system;
  properties& t = open();
  EXPECT_EQ(t.MSFlexGrid1.TextMatrix(2, 1), c.ei) << int(c.system);
  EXPECT_EQ(t.MSFlexGrid1.TextMatrix(1, 1), "1") << int(c.system);
  EXPECT_EQ(t.MSFlexGrid3.TextMatrix(1, 1), "1.000") << int(c.system);
  EXPECT_EQ(t.MSFlexGrid5.TextMatrix(1, 1), "48.0000") << int(c.system);
  EXPECT_EQ(t.Label11.Caption.get(), c.length) << int(c.system);
  EXPECT_EQ(t.Label20.Caption.get(), c.deflection) << int(c.system);
  if (c.system == 0) {
    for (ui::Label* l : {&t.Label12, &t.Label13, &t.Label14, &t.Label15, &t.Label16, &t.Label17, &t.Label18, &t.Label19})
      EXPECT_EQ(l->Caption.get(), "");
  }
  // With EI = 1 the stiffness row shows the factor itself.
  unit_E = unit_I = 0.5f;
  elem(1).E_rel = 2, elem(1).I_rel = 2;
  t.aa2.choose();
  EXPECT_EQ(t.MSFlexGrid1.TextMatrix(2, 1), c.ei1) << int(c.system);
}
INSTANTIATE_TEST_SUITE_P(Tutorial, TutorialUnitSystems, ::testing::ValuesIn(kUnitSystemCases));

struct NoSolutionCase {
  const char* name;
  std::function<void(Tutorial&)> make;
  bool loads;  // the load vector of this beam was formed
  const char* reason;
};

const NoSolutionCase kNoSolutionCases[] = {
    // The empty beam, with its two free ends, is a mechanism from the start.
    {"before any solve", [](Tutorial& s) { s.start(); }, false, "אין פתרון: המבנה הוא מנגנון"},
    {"after a mechanism",
     [](Tutorial& s) {
       s.overhangBeam(2, 2, 2, 3);
       s.drop(6, 3000, 100);  // the fixed end taken off: a beam on one support
     },
     false, "אין פתרון: המבנה הוא מנגנון"},
    {"after singular",
     [](Tutorial& s) {
       s.overhangBeam(2, 2, 2, 3);
       elem(2).E_rel = 0;  // the overhang's two freedoms have no stiffness
       Form20Form->asamb_K();
       Form20Form->solution();
     },
     true, "אין פתרון: מערכת המשוואות סינגולרית"},
    {"while solving is off, after a drag",
     [](Tutorial& s) {
       Form20& f = s.overhangBeam(2, 2, 2, 3);
       f.ffe.choose();
       s.dropAt(41, fraction(0));
     },
     false, "אין פתרון עדכני: \"פתור בכל גרירה\" כבוי"},
};

struct TutorialWithoutSolution : Tutorial, ::testing::WithParamInterface<NoSolutionCase> {};

TEST_P(TutorialWithoutSolution, WithoutACurrentSolutionTheSolutionTablesAreEmptyAndSayWhy) {
  const NoSolutionCase& c = GetParam();
  c.make(*this);
  properties& t = open();
  EXPECT_TRUE(dataEmpty(t.MSFlexGrid6));
  EXPECT_TRUE(dataEmpty(t.MSFlexGrid7));
  EXPECT_EQ(dataEmpty(t.MSFlexGrid4), !c.loads);
  EXPECT_TRUE(t.Label21.Visible.get());
  EXPECT_EQ(t.Label21.Caption.get().rfind(c.reason, 0), 0u) << ": " << t.Label21.Caption.get();
  EXPECT_EQ(t.Label22.Caption.get(), t.Label21.Caption.get());
  EXPECT_TRUE(t.Picture1.drawn().empty());
  EXPECT_TRUE(t.Picture2.drawn().empty());
  EXPECT_FALSE(t.bb_1.Enabled.get());
  // The model tables are those of the beam as it stands: K of its current equations.
  EXPECT_EQ(t.MSFlexGrid5.Rows(), free_dof + 1);
  EXPECT_EQ(t.MSFlexGrid2.Cols(), n_elem + 1);
}
INSTANTIATE_TEST_SUITE_P(Tutorial, TutorialWithoutSolution, ::testing::ValuesIn(kNoSolutionCases), caseName<NoSolutionCase>);

TEST_F(Tutorial, AfterAMechanismTheOldSolutionIsGoneFromTheWindowAndTheFitDrawsNothing) {
  Form20& f = overhangBeam(2, 2, 2, 3);
  properties& t = open();
  ASSERT_FALSE(dataEmpty(t.MSFlexGrid7));
  drop(6, 3000, 100);
  ASSERT_EQ(mechanism, True);
  // The window does not follow by itself; the fit, finding no solution, fills it again instead.
  EXPECT_EQ(t.MSFlexGrid6.TextMatrix(1, 1), "-0.0347");
  t.bb_1.choose();
  EXPECT_TRUE(f.Picture3.drawn().empty());
  EXPECT_TRUE(dataEmpty(t.MSFlexGrid6));
  EXPECT_TRUE(dataEmpty(t.MSFlexGrid7));
  EXPECT_TRUE(t.Picture1.drawn().empty());
  EXPECT_EQ(t.MSFlexGrid5.Rows(), free_dof + 1);
}

TEST_F(Tutorial, AStiffnessBeyondSinglePrecisionShowsNoNumberRatherThanAFalseOne) {
  overhangBeam(1, 1, 1e30f, 1e30f);  // EI overflows: K has no finite entry and the solve finds it singular
  properties& t = open();
  EXPECT_EQ(t.MSFlexGrid1.TextMatrix(2, 1), "");
  EXPECT_EQ(t.MSFlexGrid1.TextMatrix(1, 1), ".5");
  EXPECT_EQ(t.MSFlexGrid5.TextMatrix(1, 1), "");
  EXPECT_EQ(t.MSFlexGrid3.TextMatrix(1, 1), "0.250");  // wl/2 of a span of 0.5
  EXPECT_TRUE(t.Label21.Visible.get());
}

TEST_F(Tutorial, UpdateShowsTheBeamAfterADrag) {
  overhangBeam();
  properties& t = open();
  EXPECT_EQ(row(t.MSFlexGrid1, 1), (S{".5", ".5"}));
  dropAt(1, twips(4000));
  EXPECT_EQ(row(t.MSFlexGrid1, 1), (S{".5", ".5"}));  // until asked
  t.aa2.choose();
  EXPECT_EQ(row(t.MSFlexGrid1, 1), (S{".4", ".6"}));
  EXPECT_EQ(t.MSFlexGrid5.TextMatrix(1, 1), ui::Format(K(1, 1), "0.0000"));
  EXPECT_EQ(t.MSFlexGrid6.TextMatrix(1, 2), ui::Format(P(2), "0.0000"));
}

TEST_F(Tutorial, ABeamWithoutFreeFreedomsHasHeaderOnlyEquationTables) {
  start();
  dropAt(6, fraction(0));
  dropAt(7, fraction(1));
  dropAt(21, fraction(0.5));
  ASSERT_EQ(free_dof, 0);
  properties& t = open();
  for (ui::Grid* g : {&t.MSFlexGrid4, &t.MSFlexGrid5, &t.MSFlexGrid6}) EXPECT_EQ(g->Cols(), 1);
  EXPECT_EQ(t.MSFlexGrid5.Rows(), 1);
  EXPECT_EQ(t.MSFlexGrid3.TextMatrix(1, 1), "0.500");
  // All displacements restrained: step two is flat and step one is the whole solution.
  for (const ui::Segment& s : t.Picture2.drawn()) EXPECT_EQ(s.y1, 1500) << s.x1;
  EXPECT_FALSE(t.Picture1.drawn().empty());
}

// Per graph colour, the values drawn on a canvas with its zero line at H/2, in drawing order.
std::vector<std::pair<float, float>> values(const ui::PictureBox& p, ui::Color c, float H) {
  std::vector<std::pair<float, float>> v;
  for (const ui::Segment& s : p.drawn())
    if (s.color == c) v.push_back({H / 2 - s.y1, H / 2 - s.y2});
  return v;
}

// The larger of the two steps of graph g, drawn `largestStep` from the zero line, is drawn at the full
// solution's scale, or, where it would leave its picture at that scale, at the scale that takes it just
// inside (half the picture less the pen).
void expectStepsAtFullScale(const properties& t, int g, float largestStep) {
  if (t.step_scale(g) == t.tut_scale(g)) {
    EXPECT_LE(largestStep, 1470.01f) << g;
  } else {
    EXPECT_LT(t.step_scale(g), t.tut_scale(g)) << g;
    EXPECT_NEAR(largestStep, 1470, 0.5) << g;
  }
}

// Step one of a simply supported beam under a central force is the clamped beam's, whose largest
// moment PL/8 is half the full solution's PL/4: drawn at the full solution's scale it reaches half as
// far, 601 twips where the full graph reaches 1200 (the samples nearest the middle lie 5 twips off).
TEST_F(Tutorial, TheStepsAreDrawnAtTheFullSolutionsScaleWhereTheyFit) {
  Form20& f = start();
  simplySupported(5000);
  properties& t = open();
  for (int g = 0; g <= 2; ++g) EXPECT_EQ(t.step_scale(g), t.tut_scale(g)) << g;
  auto largest = [](const std::vector<std::pair<float, float>>& v) {
    float m = 0;
    for (auto [a, b] : v) m = std::max({m, std::abs(a), std::abs(b)});
    return m;
  };
  const ui::Color red = ui::RGB(255, 0, 0);
  EXPECT_NEAR(largest(values(t.Picture1, red, 3000)), 601, 1);
  EXPECT_NEAR(largest(values(t.Picture2, red, 3000)), 601, 1);
  t.bb_1.choose();
  EXPECT_NEAR(largest(values(f.Picture3, red, f.Picture3.Height)), 1200, 0.01);
}

TEST_F(Tutorial, TheTwoStepsAddUpToTheFullSolutionFittedOnTheMainCanvas) {
  Form20& f = overhangBeam(2, 2, 2, 3);
  properties& t = open();
  // The fit draws all three graphs in their own colours whatever the main window's switches say.
  Form10Form->Check2[0].Value = 0;
  graf_color(1) = {0, 0, 0};
  t.bb_1.choose();
  const float H3 = f.Picture3.Height;
  const ui::Color colours[3] = {ui::RGB(0, 255, 0), ui::RGB(255, 0, 0), ui::RGB(0, 0, 255)};
  const float reach[3] = {1000, 1200, 900};
  for (int g = 0; g <= 2; ++g) {
    const auto one = values(t.Picture1, colours[g], 3000), two = values(t.Picture2, colours[g], 3000),
               full = values(f.Picture3, colours[g], H3);
    ASSERT_EQ(one.size(), full.size()) << g;
    ASSERT_EQ(two.size(), full.size()) << g;
    // The steps share one scale, the full solution's or less where a step would leave its picture:
    // compared in the full one's.
    const float r = t.tut_scale(g) / t.step_scale(g);
    float largest = 0, largestStep = 0;
    for (std::size_t i = 0; i < full.size(); ++i) {
      EXPECT_NEAR((one[i].first + two[i].first) * r, full[i].first, 0.05 * std::max(1.0f, r)) << g << " " << i;
      EXPECT_NEAR((one[i].second + two[i].second) * r, full[i].second, 0.05 * std::max(1.0f, r)) << g << " " << i;
      largest = std::max(largest, std::abs(full[i].second));
      largestStep = std::max({largestStep, std::abs(one[i].second), std::abs(two[i].second)});
    }
    EXPECT_NEAR(largest, reach[g], 0.01) << g;
    expectStepsAtFullScale(t, g, largestStep);
    EXPECT_NEAR(t.tut_scale(g), std::abs(reach[g] / t.tut_max(g)), 1e-3 * t.tut_scale(g)) << g;
  }
  // Element 1 starts at its own first point; element 2 joins element 1's last one.
  for (const ui::PictureBox* p : {&t.Picture1, &t.Picture2, &f.Picture3}) {
    ASSERT_FALSE(p->drawn().empty());
    float last_y = NAN;
    for (const ui::Segment& s : p->drawn()) {
      EXPECT_GE(s.x1, 0) << p->Name();
      if (s.color != colours[1]) continue;
      if (s.x2 == 5000) {
        EXPECT_EQ(s.y1, last_y) << p->Name();
      }
      if (s.x2 == 4995) last_y = s.y2;
    }
    EXPECT_EQ(p->drawn().front().x1, 0) << p->Name();
    EXPECT_EQ(p->drawn().front().x2, 15) << p->Name();
    EXPECT_EQ(p->drawn().front().width, 2) << p->Name();
  }
}

struct FitCase {
  const char* name;
  std::function<void(Tutorial&)> make;
  bool deflection2;  // element 2 has a deflection line
};

const FitCase kFitCases[] = {
    {"one very stiff element",
     [](Tutorial& s) {
       s.overhangBeam();
       elem(1).E_rel = 1e12f;
       Form20Form->asamb_K();
       Form20Form->solution();
     },
     true},
    {"an element without stiffness between held ends",
     [](Tutorial& s) {
       s.start();
       s.dropAt(1, fraction(0));
       s.dropAt(2, fraction(0.5));
       s.dropAt(6, fraction(1));
       Form20Form->Image1[41].Width = 10000;
       Form20Form->Image1[41].Tag = "5000";
       s.dropAt(41, fraction(0));
       elem(2).E_rel = 0;
       Form20Form->asamb_K();
       Form20Form->solution();
     },
     false},
};

struct TutorialFits : Tutorial, ::testing::WithParamInterface<FitCase> {};

TEST_P(TutorialFits, TheFitKeepsEveryDrawingFinite) {
  const FitCase& c = GetParam();
  c.make(*this);
  ASSERT_TRUE(Form20Form->solution_current);
  properties& t = open();
  t.bb_1.choose();
  for (int g = 0; g <= 2; ++g) {
    EXPECT_TRUE(std::isfinite(t.tut_max(g)));
    EXPECT_TRUE(std::isfinite(t.tut_scale(g)));
  }
  for (const ui::PictureBox* p : {&t.Picture1, &t.Picture2, &Form20Form->Picture3}) {
    EXPECT_FALSE(p->drawn().empty());
    EXPECT_TRUE(allFinite(*p)) << p->Name();
    bool blue2 = false;
    for (const ui::Segment& s : p->drawn())
      if (s.color == ui::RGB(0, 0, 255) && s.x1 >= 5000) blue2 = true;
    EXPECT_EQ(blue2, c.deflection2) << p->Name();
  }
}
INSTANTIATE_TEST_SUITE_P(Tutorial, TutorialFits, ::testing::ValuesIn(kFitCases), caseName<FitCase>);

TEST_F(Tutorial, ABeamWithoutLoadsGivesFlatGraphsAtScaleTen) {
  start();
  dropAt(6, fraction(0));
  dropAt(1, fraction(1));
  Form10Form->Command6.Value = true;
  ASSERT_TRUE(Form20Form->solution_current);
  properties& t = open();
  for (int g = 0; g <= 2; ++g) EXPECT_EQ(t.tut_scale(g), 10);
  ASSERT_FALSE(t.Picture1.drawn().empty());
  for (const ui::PictureBox* p : {&t.Picture1, &t.Picture2})
    for (const ui::Segment& s : p->drawn()) {
      EXPECT_EQ(s.y1, 1500);
      EXPECT_EQ(s.y2, 1500);
    }
}

TEST_F(Tutorial, CloseAndReopenFillsAfreshAndTheMainWindowClosesIt) {
  overhangBeam();
  properties& t = open();
  const std::size_t drawn = t.Picture1.drawn().size();
  t.aa1.choose();
  EXPECT_FALSE(t.loaded());
  open();
  EXPECT_TRUE(t.loaded());
  EXPECT_EQ(t.Picture1.drawn().size(), drawn);
  EXPECT_FALSE(dataEmpty(t.MSFlexGrid7));
  Form20Form->Unload();
  EXPECT_FALSE(t.loaded());
}

}  // namespace

namespace {

// Every segment of a drawing lies inside its picture.
void expectInside(const ui::PictureBox& p, const std::string& what) {
  for (const ui::Segment& s : p.drawn()) {
    EXPECT_GE(std::min(s.y1, s.y2), 0) << what << " " << p.Name() << " at x " << s.x1;
    EXPECT_LE(std::max(s.y1, s.y2), p.Height.get()) << what << " " << p.Name() << " at x " << s.x1;
  }
}

// A step graph fits its picture even where it is far larger than the full solution (a step-one moment
// over a support that the continuity takes back).
struct StepBeam {
  const char* name;
  float L;
  std::vector<std::pair<int, int>> nodes;  // object, x
  float forceAt;
};
struct StepGraphs : Tutorial, ::testing::WithParamInterface<StepBeam> {};

TEST_P(StepGraphs, FitTheirPictures) {
  const StepBeam& c = GetParam();
  Form20& f = start();
  beam_length = c.L, unit_L = c.L / 10000;
  for (auto [k, x] : c.nodes) {
    const float half = k <= 5 ? 180 : 75;
    drop(k, x == 0 ? 50 : x == 10000 ? 10000 : x + 285 - half, k <= 5 ? 1800 : 1500);
  }
  dropAt(21, twips(c.forceAt));
  ASSERT_TRUE(f.solution_current);
  properties& t = open();
  ASSERT_FALSE(t.Picture1.drawn().empty());
  expectInside(t.Picture1, c.name);
  expectInside(t.Picture2, c.name);
  const ui::Color colours[3] = {ui::RGB(0, 255, 0), ui::RGB(255, 0, 0), ui::RGB(0, 0, 255)};
  for (int g = 0; g <= 2; ++g) {
    float largestStep = 0;
    for (const ui::PictureBox* p : {&t.Picture1, &t.Picture2})
      for (auto [a, b] : values(*p, colours[g], 3000)) largestStep = std::max({largestStep, std::abs(a), std::abs(b)});
    expectStepsAtFullScale(t, g, largestStep);
  }
  t.bb_1.choose();
  expectInside(f.Picture3, c.name);
}

INSTANTIATE_TEST_SUITE_P(
    Tutorial, StepGraphs,
    ::testing::Values(StepBeam{"two equal spans, a force beside the middle support", 10, {{1, 0}, {2, 5000}, {3, 10000}}, 4500},
                      StepBeam{"three spans, a force near an end", 3, {{1, 0}, {2, 3000}, {3, 6000}, {4, 10000}}, 500},
                      StepBeam{"fixed ends and a hinge", 1, {{6, 0}, {11, 2000}, {7, 10000}}, 1000}));

// The fit draws the solution as it now stands at its own scales, also after a solve since the last
// fill ("עדכן" not chosen).
TEST_F(Tutorial, TheFitAfterANewSolveDrawsAtTheNewSolutionsScales) {
  Form20& f = overhangBeam();
  properties& t = open();
  dist_loads(41).value = 50;
  Integer w = 41;
  f.fer_dist(w);
  ASSERT_TRUE(f.solution_current);
  t.bb_1.choose();
  ASSERT_FALSE(f.Picture3.drawn().empty());
  expectInside(f.Picture3, "fifty times the load");
  float largest = 0;
  for (const ui::Segment& s : f.Picture3.drawn()) largest = std::max(largest, std::abs(f.Picture3.Height.get() / 2 - s.y2));
  EXPECT_NEAR(largest, 1200, 1);  // the moment at its reach
}

// Rounding residue is no graph: a value far below what a unit load gives on this beam counts as zero
// and leaves its graph flat, whatever the reference values.
TEST_F(Tutorial, ResidueOfTheFixedEndForcesDrawsFlat) {
  Form20& f = overhangBeam(1000);
  dist_loads(41).value = 0;
  Integer w = 41;
  f.fer_dist(w);
  ASSERT_TRUE(f.solution_current);
  for (int e = 1; e <= n_elem; ++e) elem(e).fer(3) = 2.27e-13;
  properties& t = open();
  for (int g = 0; g <= 2; ++g) {
    EXPECT_EQ(t.tut_scale(g), 10) << g;
    EXPECT_EQ(t.step_scale(g), 10) << g;
  }
  for (const ui::PictureBox* p : {&t.Picture1, &t.Picture2})
    for (const ui::Segment& s : p->drawn()) EXPECT_NEAR(s.y2, 1500, 0.01) << p->Name() << " at x " << s.x2;
}

}  // namespace

#include <QFontMetrics>

#include "ui/views.h"

namespace {

// On the screen, in the window's own font: every unit caption shows whole in its label, and every
// explanation keeps its caption as stored, blanks and all, and shows line by line as its author laid it
// out: each line he ended by a run of blanks starts a new line (it may wrap further in the label), and
// all of them fit the label.
TEST_F(Tutorial, EveryCaptionAndExplanationLineOfTheTutorialReadsWhole) {
  overhangBeam();
  properties& t = open();
  ui::realize(t)->show();
  for (Byte system : {Byte(1), Byte(2)}) {
    unit_system = system;
    t.aa2.choose();
    for (ui::Label* l : {&t.Label11, &t.Label12, &t.Label13, &t.Label14, &t.Label15, &t.Label16, &t.Label17, &t.Label18,
                         &t.Label19, &t.Label20}) {
      QWidget* w = ui::childHost(*l);
      ASSERT_NE(w, nullptr) << l->Name();
      EXPECT_LE(w->fontMetrics().horizontalAdvance(QString::fromStdString(l->Caption.get())), w->width())
          << l->Name() << " in system " << int(system);
    }
  }
  struct Explanation {
    ui::Label* label;
    const char* caption;
    std::vector<const char*> lines;  // the author's lines
  } explanations[] = {
      {&t.Label10,
       " בגליון פתרון גרפי ניתן לראות את הגרפים של שני חלקי     הפתרון:  1.  פתרון FER                                   "
       "                             2.  תיקון כתוצאה מהזזות                                   חיבור שני הגרפים נותן את "
       "פתרון הקורה שמופיע גם במסך העבודה של התוכנה.                                              צבעי הגרפים: ירוק-גזירה  "
       "אדום-מומנט  כחול-שקיעה.               ",
       {"בגליון פתרון גרפי ניתן לראות את הגרפים של שני חלקי", "הפתרון:  1.  פתרון FER", "2.  תיקון כתוצאה מהזזות",
        "חיבור שני הגרפים נותן את פתרון הקורה שמופיע גם במסך העבודה של התוכנה.",
        "צבעי הגרפים: ירוק-גזירה  אדום-מומנט  כחול-שקיעה."}},
      {&t.Label1, "1.  חלוקת הקורה לאלמנטים:        אורך וקשיחות. ", {"1.  חלוקת הקורה לאלמנטים:", "אורך וקשיחות."}},
      {&t.Label2,
       "2.  מספור דרגות החופש הפעילות        בסדר עולה מימין לשמאל עבור      כל אלמנט (0 עבור דרגות חופש    תפוסות).",
       {"2.  מספור דרגות החופש הפעילות", "בסדר עולה מימין לשמאל עבור", "כל אלמנט (0 עבור דרגות חופש", "תפוסות)."}},
      {&t.Label3, "3.  פתרון תגובות קיר (FER)              עבור כל אלמנט.", {"3.  פתרון תגובות קיר (FER)", "עבור כל אלמנט."}},
      {&t.Label4, "4.  ווקטור עומסים בדרגות החופש      הפעילות  (P).", {"4.  ווקטור עומסים בדרגות החופש", "הפעילות  (P)."}},
      {&t.Label5, "5.  מטריצת הקשיחות של המבנה [K].", {"5.  מטריצת הקשיחות של המבנה [K]."}},
      {&t.Label6,
       "6.  הזזות בדרגות חופש פעילות             פתרון מערכת המשוואות:                                                 "
       "{K]*{d}={P]   ",
       {"6.  הזזות בדרגות חופש פעילות", "פתרון מערכת המשוואות:", "{K]*{d}={P]"}},
      {&t.Label7, "7. פתרון התיקון כתוצאה מקיום הזזות        עבור כל  אלמנט.        ",
       {"7. פתרון התיקון כתוצאה מקיום הזזות", "עבור כל  אלמנט."}},
  };
  for (const Explanation& e : explanations) {
    EXPECT_EQ(e.label->Caption.get(), e.caption) << e.label->Name();
    QWidget* w = ui::childHost(*e.label);
    ASSERT_NE(w, nullptr) << e.label->Name();
    const QFontMetrics fm = w->fontMetrics();
    const QStringList lines = ui::labelLines(fm, *e.label, w->width());
    const std::string shown = lines.join(" | ").toStdString();
    // Each of the author's lines is one or more whole lines of the label.
    qsizetype next = 0;
    for (const char* author : e.lines) {
      const QString want = QString::fromUtf8(author).simplified();
      QString got;
      while (next < lines.size() && got.size() < want.size()) got = (got + " " + lines[next++]).simplified();
      EXPECT_EQ(got, want) << e.label->Name() << ": " << shown;
    }
    EXPECT_EQ(next, lines.size()) << e.label->Name() << ": " << shown;
    for (qsizetype i = 0; i < lines.size(); ++i)
      EXPECT_LE(fm.horizontalAdvance(lines[i]), w->width()) << e.label->Name() << " line " << i;
    EXPECT_LE(int(lines.size()) * fm.lineSpacing(), w->height()) << e.label->Name();
  }
  ui::unrealize(t);
}

}  // namespace
