// The main window's answers to the solver, with the real windows: its messages in message boxes, the
// run it stops, the graph canvas it draws on and the readout it fills.
#include "workspace_fixture.h"
#include "ui/vbtext.h"

using namespace Module20;

namespace {

using SolverAnswers = Workspace;

TEST_F(SolverAnswers, AMechanismStopsTheRunRestoresItsMarkClearsTheGraphsAndIsTold) {
  Form20& f = start();
  Form10Form->Timer1.Enabled = true;
  update_drag = False;  // the run saved "update data on every drag" unticked
  f.Picture3.Line(0, 0, 100, 100, 0);
  svc.messages.clear();
  f.number_dof();  // an empty beam
  f.check_mechanism();
  EXPECT_FALSE(Form10Form->Timer1.Enabled.get());
  EXPECT_FALSE(f.ffc.Checked.get());
  EXPECT_TRUE(f.Picture3.drawn().empty());
  EXPECT_EQ(svc.messages, std::vector<std::string>{kMechanismMessageA});
}

TEST_F(SolverAnswers, ASingularSolveIsToldAndLeavesTheCanvasEmpty) {
  Form20& f = start();
  simplySupported(5000);
  ASSERT_TRUE(f.solution_current);
  ASSERT_FALSE(f.Picture3.drawn().empty());
  elem(1).E_rel = 0;  // no stiffness at all
  f.asamb_K();
  svc.messages.clear();
  f.solution();
  EXPECT_EQ(svc.messages, std::vector<std::string>{" singular "});
  EXPECT_TRUE(f.Picture3.drawn().empty());
}

TEST_F(SolverAnswers, GraphsFollowTheirSwitchesInTheirColoursAndTheReadoutShowsTheValues) {
  Form20& f = start();
  Form10Form->Check2[0].Value = 0;  // shear off
  Form10Form->Check2[2].Value = 0;  // deflection off
  simplySupported(5000);
  ASSERT_TRUE(f.solution_current);
  ASSERT_FALSE(f.Picture3.drawn().empty());
  for (const ui::Segment& s : f.Picture3.drawn()) EXPECT_EQ(s.color, ui::RGB(255, 0, 0));
  f.point_graf(3495);
  EXPECT_EQ(f.Text2[1].Text.get(), ui::Format(-0.5 * 0.3495, "0.000"));
}

}  // namespace
