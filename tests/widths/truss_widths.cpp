// Every text of the truss program's windows after a solve of the largest truss shows whole.
#include <gtest/gtest.h>

#include "truss/solver/Form2.h"
#include "truss/solver/tests/two_row_truss.h"
#include "truss/workspace/Form1.h"
#include "truss/workspace/Form3.h"
#include "truss/workspace/frmTrussSplash.h"
#include "tests/widths/widths.h"

namespace {

TEST(Widths, EveryTrussTextShowsWholeAfterASolveOfTheLargestTruss) {
  widths::Services svc;
  Form1& f = *Form1Form;
  f.Show();
  truss_test::buildTwoRowTruss(f, 50, 200);
  f.bb1_Click();  // the data window, which solves
  ASSERT_TRUE(Form2Form->solution_current);
  // The windows the program shows modally are read shown beside the others.
  Form3Form->Show(ui::vbModeless, &f);
  frmTrussSplashForm->Show(ui::vbModeless, &f);
  int measured = 0;
  const std::string offenders = widths::report(widths::check(&measured), {});
  EXPECT_GE(measured, 270) << "the texts of the main, data, file and opening windows";
  EXPECT_EQ(offenders, "") << "texts cut by their controls:\n" << offenders;
  frmTrussSplashForm.reset();
  Form3Form.reset();
  Form2Form.reset();
  Form1Form.reset();
}

}  // namespace
