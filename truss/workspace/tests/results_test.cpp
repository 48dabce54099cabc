// A solution stays on the canvas only while the truss it belongs to stands: every edit takes the
// displaced shape and the bar colours away.
#include <functional>

#include "beam/solver/tests/beam_cases.h"
#include "truss/solver/tests/truss_fixture.h"

namespace {

using namespace truss_test;
using namespace common1;

struct Results : TrussFixture {
  int p1 = -1, p2 = -1;
  // A triangle on a fixed support and a roller, loaded at its top, solved with the shape drawn.
  void solved() {
    p1 = point(2000, 0);
    p2 = point(1000, 1000);
    tool(p1, kRollerX);
    tool(p2, kDown);
    bar(0, p2);
    bar(p1, p2);
    bar(0, p1);
    if (!f().dd3.Checked.get()) f().dd3_Click();
    if (!f().dd4.Checked.get()) f().dd4_Click();
    f().bb1_Click();  // the data window shown, and solved
    ASSERT_FALSE(f().Picture1.drawn().empty());
    ASSERT_TRUE(coloured());
    ASSERT_TRUE(dataShown());
  }
  bool coloured() {
    for (int j = 0; j < lines_count; ++j)
      if (f().Line1[j].Visible.get() && f().Line1[j].BorderColor.get() != ui::RGB(0, 0, 0)) return true;
    return false;
  }
  // The data window's grids, its largest stress, the bars' tooltips and the colouring by sign belong to
  // the solve too; a "0" where there is no result would read as one.
  // A solve that fails may leave Q, S and K of the truss it was given (`matrices` false).
  bool dataShown(bool matrices = true) {
    for (int g : {Form2::kQGrid, Form2::kSGrid, Form2::kKGrid, Form2::kUGrid, Form2::kTGrid}) {
      if (!matrices && g != Form2::kUGrid && g != Form2::kTGrid) continue;
      const ui::Grid& grid = f2().MSFlexGrid1[g];
      for (int r = 1; r < grid.Rows(); ++r)
        for (int c = 1; c < grid.Cols(); ++c)
          if (!grid.TextMatrix(r, c).empty()) return true;
    }
    for (int j = 0; j < lines_count; ++j) {
      f().Label6_MouseMove(j, 0, 0, 0, 0);
      if (f().Label6[j].ToolTipText.get().find("=" + ui::Str(line_t(j))) != std::string::npos) return true;
    }
    return !f2().Text4[0].Text.get().empty() || !f2().Text4[1].Text.get().empty() || signsShown();
  }
  // The colouring by sign shows a force: a bar in tension (green) or in compression (red).
  bool signsShown() {
    f().Command2.Value = true;
    for (int j = 0; j < lines_count; ++j) {
      const ui::Color c = f().Line1[j].BorderColor.get();
      if (c == ui::RGB(0, 254, 0) || c == ui::RGB(254, 0, 0)) return true;
    }
    return false;
  }
  // What the magnification and the pen sliders draw.
  bool redrawn() {
    f().Slider2_MouseUp(1, 0, 0, 0);
    f().Slider3[1].Value = f().Slider3[1].Value.get() == 2 ? 3 : 2;
    return !f().Picture1.drawn().empty();
  }
  bool resultShown(bool matrices = true) {
    return !f().Picture1.drawn().empty() || coloured() || dataShown(matrices) || redrawn();
  }
};

struct EditCase {
  const char* name;
  std::function<void(Results&)> edit;
  bool matrices = true;  // Q, S and K show nothing either
};
const EditCase kEditCases[] = {
    {"a point moved by a key", [](Results& t) {
       t.select(kPoints);
       t.f().Image1_MouseMove(t.p2, 0, 0, 0, 0);
       t.key(39);
     }},
    {"a point dragged", [](Results& t) { t.f().Picture1_DragOver(t.f().Image1[t.p2], kX0 + 1500, kY0 - 1200, 0); }},
    {"a bar added", [](Results& t) {
       int p3 = t.point(3000, 1000);
       t.bar(t.p2, p3);
     }},
    {"a load added", [](Results& t) { t.tool(t.p2, kRight); }},
    {"a support added", [](Results& t) { t.tool(t.p2, kRollerY); }},
    {"a point deleted", [](Results& t) {
       t.select(kPoints);
       t.f().Image1_MouseMove(t.p2, 0, 0, 0, 0);
       t.key(46);
     }},
    {"a bar deleted", [](Results& t) {
       t.select(kBars);
       t.f().Label6_MouseMove(1, 0, 0, 0, 0);
       t.key(46);
     }},
    {"another scale", [](Results& t) { t.f().Combo1.ListIndex = 2; }},
    {"another E for all bars, confirmed in the data window", [](Results& t) {
       t.f2().Option1[0].Value = true;
       t.f2().Text2[0].Text = "70";
       t.f2().Command6_Click();
     }},
    {"another load for all directions, confirmed in the data window", [](Results& t) {
       t.f2().Option2[0].Value = true;
       t.f2().Text3.Text = "500";
       t.f2().Command5_Click();
     }},
    {"New", [](Results& t) { t.f().aa2.choose(); }},
    {"a solve that finds the truss singular", [](Results& t) {
       t.f().Picture1_DragOver(t.f().Image1[t.p2], kX0 + 1000, kY0, 0);
       t.solve();
       ASSERT_EQ(t.svc.messages.back(), " singular ");
     },
     false},
    {"a solve refused for too few bars", [](Results& t) {
       t.select(kBars);
       t.f().Label6_MouseMove(2, 0, 0, 0, 0);
       t.key(46);
       t.solve();
       ASSERT_EQ(t.svc.messages.size(), 1u);
     },
     false},
};

struct SolvedTrussEdit : Results, ::testing::WithParamInterface<EditCase> {};

TEST_P(SolvedTrussEdit, TakesItsSolutionAway) {
  const EditCase& c = GetParam();
  solved();
  c.edit(*this);
  EXPECT_FALSE(resultShown(c.matrices));
}
INSTANTIATE_TEST_SUITE_P(Results, SolvedTrussEdit, ::testing::ValuesIn(kEditCases), caseName<EditCase>);

TEST_F(Results, ConfirmingTheSameValuesKeepsTheSolution) {
  solved();
  f2().Option1[0].Value = true;
  f2().Text2[0].Text = ui::CStr(line_E(0));
  f2().Text2[1].Text = ui::CStr(line_A(0));
  f2().Command6_Click();
  EXPECT_TRUE(resultShown());
}

TEST_F(Results, NewLeavesTheDataWindowNoBarOrDirectionOfTheOldTruss) {
  solved();
  f().aa2.choose();
  for (int g : {Form2::kQGrid, Form2::kSGrid, Form2::kTGrid}) EXPECT_EQ(f2().MSFlexGrid1[g].Cols(), 1) << g;
  for (int g : {Form2::kQGrid, Form2::kKGrid, Form2::kUGrid}) EXPECT_EQ(f2().MSFlexGrid1[g].Rows(), 1) << g;
  EXPECT_EQ(f2().MSFlexGrid2[Form2::kEAGrid].Cols(), 1);
}

}  // namespace
