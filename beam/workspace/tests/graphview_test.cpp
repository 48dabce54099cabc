// The graph view of the main window (scales, cursor readout) and the tool window's graph-properties
// and extreme-value tabs.
#include "workspace_fixture.h"
#include "ui/vbtext.h"

using namespace Module20;

namespace {

using GraphView = Workspace;

int segmentsOfColour(const ui::PictureBox& p, ui::Color c) {
  int n = 0;
  for (const ui::Segment& s : p.drawn()) n += s.color == c;
  return n;
}

TEST_F(GraphView, TheScaleRuleOfSliderAndMultiplier) {
  Form20& f = start();
  // Start-up: shear 26 "X1", moment 20 "X1", deflection 12 "X10".
  EXPECT_FLOAT_EQ(graf_scale(0), 1.0f / 7);
  EXPECT_FLOAT_EQ(graf_scale(1), 1.0f);
  EXPECT_FLOAT_EQ(graf_scale(2), 90.0f);
  struct Case {
    int v, k;
    float scale;
  } cases[] = {{10, 0, 11}, {19, 0, 2}, {20, 0, 1}, {21, 0, 0.5f}, {30, 0, 1.0f / 11}, {19, 2, 200}, {20, 2, 0.01f}, {30, 3, 1.0f / 11000}};
  for (const Case& c : cases) {
    f.Combo2[1].ListIndex = c.k;
    f.Slider2[1].Value = c.v;
    EXPECT_FLOAT_EQ(graf_scale(1), c.scale) << c.v << " X" << c.k;
  }
  f.Check1[0].Value = 1;  // one common scale
  EXPECT_TRUE(f.Slider2[3].Visible.get());
  EXPECT_FALSE(f.Picture1.Visible.get());
  f.Slider2[3].Value = 19;
  f.Slider2[3].Value = 18;
  for (int g = 0; g <= 2; ++g) EXPECT_FLOAT_EQ(graf_scale(g), 3.0f) << g;
  f.Slider2[3].Value = 25;
  f.Combo1.ListIndex = 3;
  for (int g = 0; g <= 2; ++g) EXPECT_FLOAT_EQ(graf_scale(g), 1.0f / 6000) << g;
}

TEST_F(GraphView, TheReadoutAtANodeAtTheRightEndAndAfterAFailedSolve) {
  Form20& f = start();
  dropAt(1, fraction(0));
  dropAt(2, fraction(0.5));  // a support in the middle: two spans
  dropAt(3, fraction(1));
  dropAt(21, fraction(0.25));
  // Loads added from the tool window alone (the Solve menu item still disabled) are read out too.
  ASSERT_FALSE(f.ffa.Enabled.get());
  f.Slider1.Value = 5000;  // on the node: the element to its right, just right of the support
  EXPECT_EQ(cur_elem, 2);
  EXPECT_EQ(f.Text1.Text.get(), "0.500");
  EXPECT_EQ(f.Text2[1].Text.get(), "0.047");  // the three-moment answer 3PL/32 over the support, hogging
  f.Slider1.Value = 10000;  // the right end belongs to the last element
  EXPECT_EQ(cur_elem, 2);
  EXPECT_EQ(f.Text2[1].Text.get(), "0.000");
  EXPECT_NEAR(ui::Val(f.Text2[2].Text.get()), 0, 1e-5);
  drop(3, 10000, 100);  // a free end beside a support: still stable, the overhang is read
  drop(2, 5000, 100);   // one support left: a mechanism
  f.Slider1.Value = 2000;
  for (int g = 0; g <= 2; ++g) EXPECT_EQ(f.Text2[g].Text.get(), "") << g;
}

TEST_F(GraphView, TheReadoutAfterTheFirstSolveShowsWhereTheCursorStands) {
  Form20& f = start();
  simplySupported(5000);
  ASSERT_EQ(f.Line4.X1.get(), 3495.0f);
  ASSERT_NE(f.Text2[1].Text.get(), "");
  const std::string shown = f.Text1.Text;
  EXPECT_EQ(shown, "0.350");  // 3495 twips of a 1 m beam, rounded: not 0.349
  f.Slider1.Value = 3495;  // the slider brought to the same place reads the same
  EXPECT_EQ(f.Text1.Text.get(), shown);
}

// A box that shows a position follows the change that moved it: new reference values move the cursor's
// place along the beam.
TEST_F(GraphView, TheCursorsPositionFollowsANewLength) {
  Form20& f = start();
  simplySupported(5000);
  f.Slider1.Value = 4990;
  ASSERT_EQ(f.Text1.Text.get(), "0.499");
  Form10& t = *Form10Form;
  t.Text13.Text = "2";
  t.Command15_Click();
  EXPECT_EQ(f.Text1.Text.get(), "0.998");
}

}  // namespace

#include "ui/views.h"

namespace {

// The graph canvas keeps no drawing while hidden (it has no AutoRedraw): shown again by the switch of
// the tool window, it shows the graphs of the solution again.
TEST_F(GraphView, TheGraphsShowAgainWhenTheirPanelDoes) {
  Form20& f = start();
  simplySupported(5000);
  ui::realize(f)->show();
  QWidget* canvas = ui::childHost(f.Picture3);
  ASSERT_NE(canvas, nullptr);
  canvas->grab();  // painted once: on the screen
  ASSERT_TRUE(f.Picture6.Visible.get());
  ASSERT_FALSE(f.Picture3.drawn().empty());
  Form10& t = *Form10Form;
  t.Command9_Click();
  EXPECT_FALSE(f.Picture6.Visible.get());
  t.Command9_Click();
  EXPECT_TRUE(f.Picture6.Visible.get());
  EXPECT_FALSE(f.Picture3.drawn().empty());
  ui::unrealize(f);
}

// A beam that stands and carries no load has zero for every extreme (a graph switched off shows none);
// a mechanism has no answer at all.
TEST_F(GraphView, TheExtremesOfAnUnloadedBeamAreZero) {
  Form20& f = start();
  dropAt(1, fraction(0));
  dropAt(2, fraction(1));
  Form10& t = *Form10Form;
  t.Check2[1].Value = 0;
  t.Command17_Click();
  const char* values[3] = {"0.000", "", "0.0000"};
  for (int g = 0; g <= 2; ++g) {
    EXPECT_EQ(t.Text1[g].Text.get(), values[g]) << g;
    EXPECT_EQ(t.Text8[g].Text.get(), g == 1 ? "" : "0.00") << g;
  }
  drop(2, 10000, 100);  // one support: a mechanism
  t.Command17_Click();
  for (int g = 0; g <= 2; ++g) EXPECT_EQ(t.Text1[g].Text.get(), "") << g;
  (void)f;
}

TEST_F(GraphView, DraggingOverTheGraphsWithTheButtonUpChangesOnlyThePointer) {
  Form20& f = start();
  simplySupported(5000);
  const std::string before = f.Text2[0].Text;
  f.Picture3_MouseMove(0, 0, 1000, 500);
  EXPECT_EQ(f.Picture3.MousePointer.get(), ui::vbArrow);
  EXPECT_EQ(f.Text2[0].Text.get(), before);
  EXPECT_EQ(f.Line4.X1.get(), 3495.0f);  // the cursor starts where it was designed
  f.Picture3_MouseMove(1, 0, 1000, 500);
  EXPECT_EQ(f.Line4.X1.get(), 1000.0f);
  EXPECT_EQ(f.Slider1.Value.get(), 1000);
  EXPECT_EQ(f.Text2[0].Text.get(), "0.500");
}

TEST_F(GraphView, TheExtremesOfATextbookBeam) {
  start();
  Form10& t = *Form10Form;
  simplySupported(3000);  // a force at 0.3 of the span: on a sample of the step of 30 twips
  t.Command17.Value = true;
  EXPECT_EQ(t.Text1[0].Text.get(), "0.700");   // shear: the larger reaction, Pb/L
  EXPECT_EQ(t.Text8[0].Text.get(), "0.00");
  EXPECT_EQ(t.Text1[1].Text.get(), "-0.210");  // moment Pab/L under the force, sagging
  EXPECT_EQ(t.Text8[1].Text.get(), "0.30");
  // Deflection P a (L^2 - a^2)^1.5 / (9 sqrt 3 L EI) at sqrt((L^2 - a^2) / 3) from the far end.
  EXPECT_EQ(t.Text1[2].Text.get(), "-0.0167");
  EXPECT_EQ(t.Text8[2].Text.get(), "0.45");
  t.Option4[1].Value = true;  // metric: the deflection in cm, the forces unscaled
  EXPECT_EQ(t.Text1[2].Text.get(), "-167.0625");
  EXPECT_EQ(t.Text1[1].Text.get(), "-0.210");
  // A graph switched off has no extreme; after a mechanism none has.
  t.Check2[1].Value = 0;
  t.Command17.Value = true;
  EXPECT_EQ(t.Text1[1].Text.get(), "");
  EXPECT_EQ(t.Text8[1].Text.get(), "");
  EXPECT_EQ(t.Text1[0].Text.get(), "0.700");
  drop(2, 5000, 100);
  for (int g = 0; g <= 2; ++g) EXPECT_EQ(t.Text1[g].Text.get(), "") << g;
  t.Command17.Value = true;
  for (int g = 0; g <= 2; ++g) EXPECT_EQ(t.Text1[g].Text.get(), "") << g;
}

TEST_F(GraphView, EachGraphHasItsSwitchAndItsColour) {
  Form20& f = start();
  Form10& t = *Form10Form;
  simplySupported(5000);
  const ui::Color green = ui::RGB(0, 255, 0);
  ASSERT_GT(segmentsOfColour(f.Picture3, green), 0);
  t.Check2[0].Value = 0;  // shear off, by mouse or keyboard alike
  EXPECT_EQ(segmentsOfColour(f.Picture3, green), 0);
  EXPECT_GT(segmentsOfColour(f.Picture3, ui::RGB(255, 0, 0)), 0);
  for (ui::Control* c : std::initializer_list<ui::Control*>{&f.Frame3[0], &f.Text2[0], &f.Label3[0], &f.Slider2[0], &f.Combo2[0], &f.Label5[0], &f.Label8})
    EXPECT_FALSE(c->Visible.get()) << c->Name();
  EXPECT_TRUE(f.Frame3[1].Visible.get());
  t.Check2[0].Value = 1;
  EXPECT_TRUE(f.Label8.Visible.get());
  // The moment's colour: the sliders show it, a move changes it and its legend line only.
  t.Option3[1].Value = true;
  EXPECT_EQ(t.Slider4[0].Value.get(), 255);
  EXPECT_EQ(t.Slider4[1].Value.get(), 0);
  EXPECT_EQ(graf_color(0).green, 255);  // showing the moment's colour wrote nothing into the shear's
  EXPECT_EQ(graf_color(1).red, 255);
  t.Slider4[2].Value = 200;
  EXPECT_EQ(graf_color(1).blue, 200);
  EXPECT_EQ(f.Line3[1].BorderColor.get(), ui::RGB(255, 0, 200));
  EXPECT_GT(segmentsOfColour(f.Picture3, ui::RGB(255, 0, 200)), 0);
  EXPECT_EQ(f.Line3[0].BorderColor.get(), green);
  t.Option3[2].Value = true;
  EXPECT_EQ(t.Slider4[2].Value.get(), 255);
  EXPECT_EQ(t.Slider4[0].Value.get(), 0);
  EXPECT_EQ(graf_color(1).blue, 200);
  // Width and step redraw every graph.
  t.Slider5.Value = 6;
  for (const ui::Segment& s : f.Picture3.drawn()) EXPECT_EQ(s.width, 6);
  t.Slider6.Value = 10;
  EXPECT_EQ(f.Picture3.drawn().front().x2 - f.Picture3.drawn().front().x1, 150.0f);
}

// Where the moment is zero (the overhang beyond the last support) its graph lies on the zero line at
// any reference force and scale: the rounding residue of a large P is not drawn as a scatter about it.
TEST_F(GraphView, TheMomentOfAnUnloadedOverhangLiesOnTheZeroLineAtALargeForce) {
  Form20& f = start();
  Form10& t = *Form10Form;
  dropAt(1, fraction(0));
  dropAt(2, fraction(0.5));
  dropAt(21, fraction(0.3));
  t.Text10.Text = "100000";
  t.Command15.Value = true;
  ASSERT_EQ(unit_F, 100000);
  f.Combo2[1].ListIndex = 3;  // "X1000"
  f.Slider2[1].Value = 10;
  ASSERT_TRUE(f.solution_current);
  const float H = f.Picture3.Height;
  int overhang = 0;
  for (const ui::Segment& s : f.Picture3.drawn())
    if (s.color == ui::RGB(255, 0, 0) && s.x1 >= 5300) {
      ++overhang;
      EXPECT_EQ(s.y1, H / 2) << s.x1;
      EXPECT_EQ(s.y2, H / 2) << s.x2;
    }
  EXPECT_GT(overhang, 100);
}

TEST_F(GraphView, TheValueScaleSwitchKeepsPanelAndCursorInStep) {
  Form20& f = start();
  Form10& t = *Form10Form;
  t.Check3.Value = 0;
  EXPECT_FALSE(f.Frame4.Visible.get());
  EXPECT_FALSE(f.Line4.Visible.get());
  t.Check3_Click();  // a second click event for the same state changes nothing
  EXPECT_FALSE(f.Frame4.Visible.get());
  t.Check3.Value = 1;
  EXPECT_TRUE(f.Frame4.Visible.get());
  EXPECT_TRUE(f.Line4.Visible.get());
}

}  // namespace

#include <QFontMetrics>

namespace {

// On the screen, in every unit system: each graph's name in the readout, a gap, then its unit, whole;
// and the common-scale switch inside its frame, below the frame's border line.
TEST_F(GraphView, TheReadoutsNamesAndUnitsStandApartAndWhole) {
  Form20& f = start();
  simplySupported(5000);
  ui::realize(f)->show();
  ui::Label* units[3] = {&f.Label8, &f.Label7, &f.Label6};
  for (int system : {0, 1, 2}) {
    Form10Form->Option4[system].Value = true;
    for (int g = 0; g <= 2; ++g) {
      QWidget* name = ui::childHost(f.Label3[g]);
      QWidget* unit = ui::childHost(*units[g]);
      ASSERT_NE(name, nullptr) << g;
      ASSERT_NE(unit, nullptr) << g;
      const int nameWidth = name->fontMetrics().horizontalAdvance(QString::fromStdString(f.Label3[g].Caption.get()));
      const int unitWidth = unit->fontMetrics().horizontalAdvance(QString::fromStdString(units[g]->Caption.get()));
      EXPECT_LE(nameWidth, name->width()) << g;
      EXPECT_LE(unitWidth, unit->width()) << g << " in system " << system;
      EXPECT_GE(unit->x() - (name->x() + name->width()), 3) << g;
      if (g < 2) {
        QWidget* next = ui::childHost(f.Label3[g + 1]);
        ASSERT_NE(next, nullptr) << g + 1;
        EXPECT_LE(unit->x() + unitWidth + 3, next->x()) << g << " in system " << system;
      }
    }
  }
  QWidget* box = ui::childHost(f.Check1[0]);
  QWidget* frame = ui::childHost(f.Frame1);
  ASSERT_NE(box, nullptr);
  ASSERT_NE(frame, nullptr);
  EXPECT_GE(box->y(), box->fontMetrics().height()) << "below the frame's border line";
  EXPECT_LE(box->x() + box->width(), frame->width());
  ui::unrealize(f);
}

}  // namespace
