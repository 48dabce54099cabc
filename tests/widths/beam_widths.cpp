// Every text of the beam program's windows after a solve of the largest beam shows whole.
#include <gtest/gtest.h>

#include "beam/solver/tests/largest_beam.h"
#include "beam/workspace/Form10.h"
#include "beam/workspace/Form20.h"
#include "beam/workspace/frmSplash.h"
#include "beam/workspace/properties.h"
#include "tests/widths/widths.h"

using namespace Module20;

namespace {

TEST(Widths, EveryBeamTextShowsWholeAfterASolveOfTheLargestBeam) {
  widths::Services svc;
  svc.folder = KESVO_BEAM_DIR;
  Form20& f = *Form20Form;
  f.Show();
  buildLargestBeam(f);
  f.asamb_K();
  f.solution();
  ASSERT_TRUE(f.solution_current);
  f.ffd_Click();
  if (!Form10Form->Visible.get()) f.ffb_Click();
  // The data panel shows a node's reactions while the pointer is over it: each node's in turn.
  // Then again under forces of 100000: reactions and moments of six and seven digits.
  int measured = 0;
  std::vector<widths::Offender> found = widths::check(&measured);
  EXPECT_GE(measured, 145) << "the texts of the main, tool and tutorial windows";
  for (float force : {1.0f, 100000.0f}) {
    unit_F = force;
    f.solution();
    ASSERT_TRUE(f.solution_current);
    for (int k = 1; k <= 20; ++k) {
      f.image1_MouseMove(k, 0, 0, 60, 60);
      for (const widths::Offender& o : widths::check()) found.push_back(o);
    }
  }
  // A fixed end at the left and a force at the right end under P = 100000: the fixed end's reaction
  // and moment have six and seven digits.
  Form20Form.reset();
  Form10Form.reset();
  propertiesForm.reset();
  Module20_initialize();
  Form20& g = *Form20Form;
  g.Show();
  unit_F = 100000;
  const auto drop = [&g](int k, float X, float Y) {
    g.image1_MouseMove(k, 0, 0, 0, 0);
    g.picture7_DragDrop(g.Image1[k], X, Y);
  };
  drop(6, 50, 1500);
  drop(21, 9900 - 60 + 285, 1200);
  if (!Form10Form->Visible.get()) g.ffb_Click();
  g.ffd_Click();
  frmSplashForm->Show(ui::vbModeless, &g);  // shown modally by the program; read beside the others
  ASSERT_TRUE(g.solution_current);
  g.image1_MouseMove(6, 0, 0, 60, 60);
  EXPECT_EQ(Form10Form->Text2[1].Text.get().substr(0, 3), "100") << "the fixed end's reaction is shown";
  for (const widths::Offender& o : widths::check(&measured)) found.push_back(o);
  EXPECT_GE(measured, 145) << "the texts of the main, tool, tutorial and opening windows";
  // The cursor readout along the beam, in each unit system.
  for (int system = 0; system <= 2; ++system) {
    Form10Form->Option4[system].Value = true;
    g.solution();
    ASSERT_TRUE(g.solution_current);
    for (int x : {0, 2500, 5000, 9999}) {
      g.point_graf(Integer(x));
      for (const widths::Offender& o : widths::check()) found.push_back(o);
    }
  }
  const std::string offenders = widths::report(found, {});
  EXPECT_EQ(offenders, "") << "texts cut by their controls:\n" << offenders;
  frmSplashForm.reset();
  Form20Form.reset();
  Form10Form.reset();
  propertiesForm.reset();
}

}  // namespace
