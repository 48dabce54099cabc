// The simulation tab: a run drops the selected object at the start and moves it one key step a tick.
#include <functional>

#include "workspace_fixture.h"

using namespace Module20;

namespace {

using Simulation = Workspace;

// Records whether the simulation clock was still running when each message box came up.
struct WatchingServices : ui::ScriptedServices {
  std::vector<bool> timerOnAtMessage;
  int msgBox(const std::string& prompt, const std::string& title) override {
    timerOnAtMessage.push_back(Form10Form->Timer1.Enabled.get());
    return ScriptedServices::msgBox(prompt, title);
  }
};

TEST_F(Simulation, AForceTravelsAcrossASimplySupportedBeam) {
  Form20& f = start();
  Form10& t = *Form10Form;
  simplySupported(1000 + 60 - 285);
  f.image1_MouseMove(21, 0, 0, 50, 0);  // a grab offset the start drop must not use
  ASSERT_TRUE(f.ffc.Checked.get());
  t.Slider1.Value = 20;
  t.Command11.Value = true;
  EXPECT_EQ(t.Timer1.Interval.get(), 10);
  EXPECT_TRUE(t.Timer1.Enabled.get());
  EXPECT_EQ(forces(21).pos, 2000);
  EXPECT_FALSE(f.ffc.Checked.get());
  EXPECT_EQ(t.Check3.Value.get(), 0);  // the value scale is switched off for the run
  EXPECT_FALSE(f.Frame4.Visible.get());
  t.Command11.Value = true;  // Run again during the run keeps the saved mark
  int ticks = 0;
  while (t.Timer1.Enabled && ticks < 1000) {
    t.Timer1.tick();
    ++ticks;
    // The left end force of the first element is the left reaction P (1 - a/L) at every step.
    const double a = forces(21).pos / 10000.0;
    EXPECT_NEAR(elem(1).fer(1) + elem(1).kd(1), 1 - a, 1e-4) << ticks;
  }
  EXPECT_FALSE(t.Timer1.Enabled.get());
  EXPECT_LT(ticks, 1000);
  EXPECT_GT(forces(21).pos, 7800 - 2 * 60 - 1);
  EXPECT_LT(forces(21).pos, 8000);
  EXPECT_TRUE(f.ffc.Checked.get());
  // The reactions, skipped while the object moved, belong to where it stopped.
  const double a = forces(21).pos / 10000.0;
  EXPECT_NEAR(reactions(1).R, 1 - a, 1e-4);
  EXPECT_NEAR(reactions(2).R, a, 1e-4);
}

TEST_F(Simulation, StopWhileIdleKeepsTheMarkAndARunNeedsAnObjectOnTheBeam) {
  Form20& f = start();
  Form10& t = *Form10Form;
  t.Command12.Value = true;
  EXPECT_TRUE(f.ffc.Checked.get());
  t.Command11.Value = true;  // nothing selected
  EXPECT_FALSE(t.Timer1.Enabled.get());
  EXPECT_EQ(svc.messages.size(), 1u);
  f.image1_MouseMove(21, 0, 0, 0, 0);  // a force still in the strip
  t.Command11.Value = true;
  EXPECT_FALSE(t.Timer1.Enabled.get());
  EXPECT_TRUE(f.ffc.Checked.get());
}

TEST_F(Simulation, ARunThatCannotMoveEndsAndTargetsAreClamped) {
  Form20& f = start();
  Form10& t = *Form10Form;
  dropAt(1, fraction(0));
  dropAt(2, fraction(1));
  drop(41, 1000, 1500);
  t.Text4[0].Text = "0.9";
  t.Text4[1].Text = "7";  // beyond the beam: the right end, which the load's middle never reaches
  t.Command11.Value = true;
  int ticks = 0;
  while (t.Timer1.Enabled && ticks < 1000) {
    t.Timer1.tick();
    ++ticks;
  }
  EXPECT_LT(ticks, 1000);
  EXPECT_EQ(dist_loads(41).pos + dist_loads(41).span, 10000);
  drop(21, 1000, 1200);
  f.image1_MouseMove(21, 0, 0, 0, 0);
  // A target left of the start stops at the first tick without moving.
  t.Text4[0].Text = "0.8";
  t.Text4[1].Text = "0.2";
  t.Command11.Value = true;
  t.Timer1.tick();
  EXPECT_FALSE(t.Timer1.Enabled.get());
  EXPECT_EQ(forces(21).pos, 8000);
  (void)f;
}

TEST_F(Simulation, AMechanismStopsTheRunBeforeItsOneMessage) {
  WatchingServices watch;
  Form20& f = start();
  Form10& t = *Form10Form;
  dropAt(6, fraction(0));                       // fixed left end
  dropAt(1, fraction(0.5));         // a support in the middle
  dropAt(21, twips(4000));
  dropAt(11, twips(2000));         // a hinge left of the support
  ASSERT_EQ(mechanism, False);
  f.image1_MouseMove(11, 0, 0, 0, 0);
  t.Text4[0].Text = "0.2";
  t.Text4[1].Text = "0.9";
  t.Command11.Value = true;
  ASSERT_TRUE(t.Timer1.Enabled.get());
  const std::size_t before = watch.messages.size();
  for (int i = 0; i < 500 && t.Timer1.Enabled; ++i) t.Timer1.tick();
  EXPECT_FALSE(t.Timer1.Enabled.get());
  ASSERT_EQ(watch.messages.size(), before + 1);  // past the support the hinge leaves a free end hanging
  EXPECT_FALSE(watch.timerOnAtMessage.back());
  EXPECT_TRUE(f.ffc.Checked.get());
  EXPECT_FALSE(f.solution_current);
}

TEST_F(Simulation, ASupportStartingAtAFreeLeftEndIsWarnedAboutTheSnappingZone) {
  Form20& f = start();
  Form10& t = *Form10Form;
  dropAt(1, fraction(1));
  dropAt(2, fraction(0.5));
  drop(21, 7000, 1200);
  f.image1_MouseMove(2, 0, 0, 0, 0);
  t.Text4[0].Text = "0";
  svc.messages.clear();
  t.Command11.Value = true;
  ASSERT_EQ(svc.messages.size(), 1u);
  EXPECT_EQ(svc.messages[0],
            "בקצה קיים אזור משיכה כדי לאפשר תנועה הגדל את הפסיעה - לאחר תחילת התנועה הינך יכול לחזור לפסיעה נמוכה");
  EXPECT_TRUE(t.Timer1.Enabled.get());  // the warning does not stop the start
  EXPECT_EQ(node_list(0).obj, 2);
  // A step of 4 keeps the support in the end's zone: the first tick moves nothing and ends the run.
  t.Timer1.tick();
  EXPECT_FALSE(t.Timer1.Enabled.get());
  EXPECT_EQ(node_list(0).obj, 2);
  // A force needs no warning, whatever the step.
  f.image1_MouseMove(21, 0, 0, 0, 0);
  svc.messages.clear();
  t.Command11.Value = true;
  EXPECT_TRUE(svc.messages.empty());
  t.Command12.Value = true;
}

// A run from the left end agrees with its warning: at the least step it lets pass the object leaves the
// end at the first tick; one step less is warned, and the object stays on the end.
TEST_F(Simulation, ARunFromTheLeftEndLeavesItAtEveryStepWithoutAWarning) {
  struct Case {
    const char* name;
    int k;
    int least;  // the least step without a warning
  } cases[] = {{"support", 1, 7}, {"fixed end", 6, 3}, {"hinge", 11, 4}};
  for (const Case& c : cases)
    for (int step : {c.least - 1, c.least, 20}) {
      SetUp();
      Form20& f = start();
      Form10& t = *Form10Form;
      dropAt(c.k, fraction(0));
      dropAt(2, fraction(1));
      dropAt(21, fraction(0.7));
      ASSERT_EQ(placeOf(c.k), kOnLeftEnd) << c.name;
      f.image1_MouseMove(c.k, 0, 0, 0, 0);
      t.Text4[0].Text = "0";
      t.Text4[1].Text = "0.5";
      t.Slider2.Value = step;
      svc.messages.clear();
      t.Command11.Value = true;
      const bool warned = step < c.least;
      EXPECT_EQ(svc.messages.size(), warned ? 1u : 0u) << c.name << " at step " << step;
      EXPECT_EQ(placeOf(c.k), kOnLeftEnd) << c.name << " at step " << step;  // the run starts on the end
      t.Timer1.tick();
      if (warned) {
        EXPECT_EQ(placeOf(c.k), kOnLeftEnd) << c.name << " at step " << step;
        EXPECT_FALSE(t.Timer1.Enabled.get()) << c.name << " at step " << step;
      } else {
        EXPECT_GE(placeOf(c.k), 15) << c.name << " at step " << step;  // (a hinge off the end is a mechanism)
      }
      t.Command12.Value = true;
      TearDown();
    }
}

TEST_F(Simulation, TracesStayUntilCleared) {
  Form20& f = start();
  Form10& t = *Form10Form;
  simplySupported(1000 + 60 - 285);
  t.Check1.Value = 1;
  t.Text4[1].Text = "0.3";
  t.Command11.Value = true;
  const std::size_t one = f.Picture3.drawn().size();
  for (int i = 0; i < 5 && t.Timer1.Enabled; ++i) t.Timer1.tick();
  EXPECT_GE(f.Picture3.drawn().size(), 5 * one);
  t.Command10.Value = true;
  EXPECT_TRUE(f.Picture3.drawn().empty());
}

// The traces are the history of one run on one beam: any edit of the beam but the run's own step
// starts them anew, so the graph canvas never shows a beam that no longer stands.
TEST_F(Simulation, AnEditDuringATracedRunClearsTheTraces) {
  struct Case {
    const char* name;
    std::function<void(Workspace&)> edit;
    bool solved;  // the beam as edited has a solution
  } cases[] = {
      {"another support dropped on the beam", [](Workspace& w) { w.dropAt(3, fraction(0.9)); }, true},
      {"a support dropped off the beam", [](Workspace& w) { w.drop(2, 4000, 100); }, false},
      {"new reference values", [](Workspace&) {
         Form10Form->Text10.Text = "2";
         Form10Form->Command15.Value = true;
       }, true},
      {"a key of the user", [](Workspace& w) {
         Form20Form->image1_MouseMove(21, 0, 0, 0, 0);
         w.key(39);
       }, true},
      {"a step of the run with solving on every drag off", [](Workspace&) {
         Form20Form->ffe.choose();
         Form10Form->Timer1.tick();
       }, false},
  };
  for (const Case& c : cases) {
    SetUp();
    Form20& f = start();
    Form10& t = *Form10Form;
    simplySupported(1000 + 60 - 285);
    t.Check1.Value = 1;
    t.Text4[1].Text = "0.6";
    t.Command11.Value = true;
    for (int i = 0; i < 5 && t.Timer1.Enabled; ++i) t.Timer1.tick();
    ASSERT_TRUE(t.Timer1.Enabled.get()) << c.name;
    c.edit(*this);
    EXPECT_EQ(f.solution_current, c.solved) << c.name;
    const std::size_t shown = f.Picture3.drawn().size();
    f.redraw_graphs();  // the current solution alone, if there is one
    EXPECT_EQ(shown, f.Picture3.drawn().size()) << c.name;
    t.Command12.Value = true;
    TearDown();
  }
}

}  // namespace
