// The main window: start-up with its splash, the model reset, the layout and scrolling, the stress
// spectrum, the menus the solve relies on, and shutdown.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include <unistd.h>

#include "beam/solver/tests/beam_cases.h"
#include "truss/solver/tests/truss_fixture.h"

namespace {

using namespace truss_test;
using namespace common1;

struct MainWindow : TrussFixture {};

TEST_F(MainWindow, StartsWithTheSplashAndPointZeroOnItsFixedSupport) {
  EXPECT_EQ(svc.modalShown, std::vector<std::string>{"frmTrussSplash"});
  EXPECT_EQ(f().Caption.get(), "Kesvo - מסבכים");
  EXPECT_EQ(points_count, 1);
  EXPECT_EQ(supports_count, 202);
  EXPECT_TRUE(P_data(0).Enabled);
  EXPECT_EQ(P_data(0).x, kX0);
  EXPECT_EQ(P_data(0).y, kY0);
  EXPECT_EQ(P_data(0).R_type, 1);
  EXPECT_TRUE(f().Image1[201].Visible.get());
  EXPECT_EQ(origin_x, kX0);
  EXPECT_EQ(origin_y, kY0);
  EXPECT_EQ(f().Line11[1].Y1.get(), kY0);
  EXPECT_EQ(f().Line11[0].X1.get(), kX0);
  EXPECT_TRUE(f().Option4[kBar].Value.get());
  EXPECT_TRUE(f().Option3[kPoints].Value.get());
  EXPECT_EQ(f().Label6[5].Caption.get(), " 5");
  EXPECT_EQ(f().Image1[7].ToolTipText.get(), "Point( 7 )");
  EXPECT_EQ(f().Image1[250].ToolTipText.get(), "סמך");
  EXPECT_EQ(line_E(200), 210);
  EXPECT_EQ(line_A(17), 1000);
  EXPECT_EQ(f_value(200), 1000);
  EXPECT_EQ(uniform_values(1), 210);
  EXPECT_EQ(scale_mm, 1);
  // Scrolled to the bottom of the canvas, where point 0 stands.
  EXPECT_EQ(f().VScroll1.Value.get(), f().VScroll1.Max.get());
  EXPECT_GT(f().VScroll1.Max.get(), 0);
  EXPECT_EQ(f().Picture1.Top.get(), f().Picture5.ScaleHeight() - 30000);
  EXPECT_EQ(f().Picture1.Width.get(), 30000);
  EXPECT_LT(f().Picture1.Top + kY0, f().Picture5.Height.get());
}

TEST_F(MainWindow, EveryResetPutsPointZeroExactlyAtItsPlace) {
  f().Slider1[1].Value = 3;
  for (int round = 0; round < 3; ++round) {
    int p = point(1000, 1000);
    bar(0, p);
    tool(p, kDown);
    f().Picture1_DragOver(f().Image1[0], kX0 + 333, kY0 - 77, 0);
    f().aa2_Click();
    EXPECT_EQ(P_data(0).x, kX0) << round;
    EXPECT_EQ(P_data(0).y, kY0) << round;
    const ui::Image& m = f().Image1[0];
    EXPECT_EQ(m.Left + m.Width / 2, kX0);
    EXPECT_EQ(m.Top + m.Height / 2, kY0);
    EXPECT_EQ(origin_x, kX0);
    EXPECT_EQ(origin_y, kY0);
  }
}

TEST_F(MainWindow, NewAfterASolvedTrussLeavesOnlyPointZero) {
  int p1 = point(2000, 0), p2 = point(1000, 1000);
  tool(p1, kFixed);
  tool(p2, kDown);
  bar(0, p2);
  bar(p1, p2);
  solve();
  ASSERT_FALSE(f().Picture1.drawn().empty());
  f().aa2_Click();
  EXPECT_EQ(f().Caption.get(), "Kesvo - מסבכים   -   חדש");
  EXPECT_TRUE(f().Picture1.drawn().empty());
  for (int j = 0; j <= 200; ++j) {
    EXPECT_FALSE(f().Line1[j].Visible.get());
    EXPECT_EQ(f().Line1[j].BorderColor.get(), ui::RGB(0, 0, 0));
  }
  EXPECT_FALSE(f().Image1[p1].Visible.get());
  EXPECT_FALSE(f().Image1[202].Visible.get());
  EXPECT_FALSE(f().Picture2[0].Visible.get());
  EXPECT_TRUE(f().Image1[0].Visible.get());
  EXPECT_TRUE(f().Image1[201].Visible.get());
  EXPECT_EQ(points_count, 1);
  EXPECT_EQ(lines_count, 0);
  EXPECT_EQ(forces_count, 0);
  EXPECT_EQ(supports_count, 202);
  EXPECT_NE(line_t(0), 0);  // the last results are kept
}

TEST_F(MainWindow, TheSpectrumRunsFromWhiteToBlack) {
  const auto& lines = f().Picture4.drawn();
  ASSERT_EQ(lines.size(), std::size_t((2475 - 1) / 15 + 1));
  EXPECT_EQ(lines.front().color, ui::RGB(255, 255, 255));
  EXPECT_EQ(lines.front().y2, 375);
  for (const ui::Segment& s : lines) {
    const float x = s.x1 / 2475;
    ASSERT_EQ(s.color, ui::RGB(color_r(x), color_g(x), color_b(x))) << s.x1;
  }
  EXPECT_LT(ui::redOf(lines.back().color), 10);
  EXPECT_EQ(ui::greenOf(lines.back().color), 0);
}

TEST_F(MainWindow, TheLayoutFollowsTheWindowAndNeverScrollsBelowZero) {
  const float before = f().Picture5.Width, maxBefore = float(f().HScroll1.Max.get());
  f().Width = f().Width + 1500;
  f().Form_Resize();
  EXPECT_EQ(f().Picture5.Width.get(), before + 1500);
  EXPECT_EQ(float(f().HScroll1.Max.get()), maxBefore - 1500);
  EXPECT_EQ(f().SSTab2.Left + f().SSTab2.Width, f().ScaleWidth());
  EXPECT_EQ(f().Picture7.Left.get(), f().VScroll1.Width + f().Picture5.Width);

  // Taller than the canvas: nothing to scroll.
  f().Height = 40000;
  f().Width = 40000;
  f().Form_Resize();
  EXPECT_EQ(f().VScroll1.Max.get(), 0);
  EXPECT_EQ(f().HScroll1.Max.get(), 0);
  EXPECT_EQ(f().VScroll1.Value.get(), 0);

  // Smaller than the fixed strips: the layout stands still rather than going negative.
  f().Width = 300;
  f().Height = 300;
  f().Form_Resize();
  EXPECT_GE(f().Picture5.Width.get(), 0);
  EXPECT_GE(f().Picture5.Height.get(), 0);
}

TEST_F(MainWindow, ScrollBarsMoveTheCanvasInsideTheViewport) {
  f().HScroll1.Value = 1200;
  EXPECT_EQ(f().Picture1.Left.get(), -1200);
  f().VScroll1.Value = 0;
  EXPECT_EQ(f().Picture1.Top.get(), 0);
  // A point dragged near the top edge of the viewport scrolls it up by 100 twips.
  f().VScroll1.Value = 20000;
  int p = point(0, kY0 - 20050);
  f().Picture1_DragOver(f().Image1[p], kX0, 20050, ui::vbOver);
  EXPECT_EQ(f().VScroll1.Value.get(), 19900);
}

TEST_F(MainWindow, SolveFromTheMenuRunsWithoutShowingTheDataWindow) {
  int p1 = point(2000, 0), p2 = point(1000, 1000);
  tool(p1, kFixed);
  tool(p2, kDown);
  bar(0, p2);
  bar(p1, p2);
  f().cc1.choose();
  EXPECT_NE(line_t(0), 0);
  EXPECT_FALSE(f2().Visible.get());
  EXPECT_FALSE(f().Picture1.drawn().empty());
  EXPECT_EQ(f().MousePointer.get(), ui::vbDefault);
  f().bb1.choose();
  EXPECT_TRUE(f().dd2.Checked.get());
  EXPECT_TRUE(f2().Visible.get());
  EXPECT_EQ(f2().MSFlexGrid1[Form2::kTGrid].Cols(), 3);
  f2().Command1.Value = true;  // closing hides and keeps the grids filled
  EXPECT_FALSE(f2().Visible.get());
  EXPECT_TRUE(f().dd2.Checked.get());
  f2().Unload();
  EXPECT_FALSE(f().dd2.Checked.get());
}

// Where the data window stands, on the screen: its rectangle and whether a point lies in it.
struct Rect {
  float l, t, r, b;
  bool holds(float x, float y) const { return x >= l && x <= r && y >= t && y <= b; }
};
Rect rectOf(const ui::Form& w) { return {w.Left, w.Top, w.Left + w.Width, w.Top + w.Height}; }

struct ScreenCase {
  const char* name;
  float screenW, screenH;
  // The main window's place and size (0 keeps its size).
  float left, top, width, height;
};
const ScreenCase kScreenCases[] = {
    {"room at the right", 30000, 16000, 0, 0, 0, 0},
    {"room at the left only", 30000, 16000, 17000, 2000, 0, 0},
    {"maximised", 30000, 16000, 0, 0, 30000, 16000},
    {"maximised on a wide low screen", 38400, 10800, 0, 0, 38400, 10800},
    {"800 x 600", 12000, 9000, 0, 0, 0, 0},
};

struct DataWindowPlace : TrussFixture, ::testing::WithParamInterface<ScreenCase> {};

TEST_P(DataWindowPlace, OpensWhereTheMenusThePanelAndTheDrawingStayUsable) {
  const ScreenCase& c = GetParam();
  svc.screenW = c.screenW;
  svc.screenH = c.screenH;
  if (c.width > 0) {
    f().Move(c.left, c.top, c.width, c.height);
    f().Form_Resize();
  } else {
    f().Move(c.left, c.top);
  }
  f().bb1.choose();
  const Rect data = rectOf(f2()), main = rectOf(f());
  EXPECT_GE(data.l, 0);
  EXPECT_GE(data.t, 0);
  EXPECT_LE(data.r, c.screenW);
  EXPECT_LE(data.b, c.screenH);
  const bool beside = c.screenW - main.r >= f2().Width || main.l >= f2().Width;
  if (beside) {
    EXPECT_TRUE(data.l >= main.r || data.r <= main.l) << "beside the main window";
    EXPECT_EQ(data.t, main.t);
  } else if (c.screenW > 12000) {
    // Nothing of the menu bar, the tool panel or the truss's corner of the canvas is under it.
    const float clientL = main.l + ui::kFrameSideTwips, clientT = main.t + ui::kFrameSideTwips + ui::kCaptionTwips;
    EXPECT_GE(data.t, clientT + ui::kMenuBarTwips);
    EXPECT_LE(data.r, clientL + f().SSTab2.Left);
    const float x0 = clientL + f().Picture5.Left + f().Picture1.Left + kX0;
    const float y0 = clientT + ui::kMenuBarTwips + f().Picture5.Top + f().Picture1.Top + kY0;
    EXPECT_FALSE(data.holds(x0, y0)) << "point 0 stays in sight";
  }
}
INSTANTIATE_TEST_SUITE_P(MainWindow, DataWindowPlace, ::testing::ValuesIn(kScreenCases), caseName<ScreenCase>);

TEST_F(MainWindow, TheDataWindowShownAgainStandsWhereItStoodHoweverItWasClosed) {
  svc.screenW = 30000;
  svc.screenH = 16000;
  f().bb1.choose();
  const float left = f2().Left, top = f2().Top;
  f2().Command1.Value = true;  // its own close button
  f().bb1.choose();
  EXPECT_EQ(f2().Left.get(), left);
  EXPECT_EQ(f2().Top.get(), top);
  f2().userClose();  // the close box
  f().bb1.choose();
  EXPECT_EQ(f2().Left.get(), left);
  EXPECT_EQ(f2().Top.get(), top);
  // Where the user moved it, it comes back, by either way of closing.
  f2().Move(500, 500);
  f2().Command1.Value = true;
  f().bb1.choose();
  EXPECT_EQ(f2().Left.get(), 500);
  EXPECT_EQ(f2().Top.get(), 500);
  f2().Move(700, 900);
  f2().userClose();
  f().bb1.choose();
  EXPECT_EQ(f2().Left.get(), 700);
  EXPECT_EQ(f2().Top.get(), 900);
}

TEST_F(MainWindow, ColouringBySignUsesTheLastForces) {
  int p1 = point(2000, 0), p2 = point(1000, 1000), p3 = point(1000, -1000);
  tool(p1, kFixed);
  tool(p2, kDown);
  bar(0, p2);
  bar(p1, p2);
  bar(p2, p3);
  const ui::Color olive = ui::RGB(127, 127, 0);
  // Before any solve no bar has a force: every slot is olive.
  EXPECT_TRUE(f().Command2.Enabled.get());
  f().Command2.Value = true;
  for (int j = 0; j < lines_count; ++j) EXPECT_EQ(f().Line1[j].BorderColor.get(), olive) << j;
  // An edit takes the olive away as it takes a solution's colours: no bar stands black among olive ones.
  bar(p1, p3);
  for (int j = 0; j < lines_count; ++j) EXPECT_EQ(f().Line1[j].BorderColor.get(), ui::RGB(0, 0, 0)) << j;
  tool(p3, kFixed);
  solve();
  EXPECT_TRUE(f().Command2.Enabled.get());
  f().Command2.Value = true;
  EXPECT_EQ(f().Line1[2].BorderColor.get(), line_t(2) > 0 ? ui::RGB(0, 254, 0) : ui::RGB(254, 0, 0));
  // A point moved: the forces the model keeps belong to no truss on the canvas.
  ASSERT_NE(line_t(2), 0);
  f().Picture1_DragOver(f().Image1[p3], kX0 + 1100, kY0 + 1000, 0);
  f().Command2.Value = true;
  for (int j = 0; j < lines_count; ++j) EXPECT_EQ(f().Line1[j].BorderColor.get(), olive) << j;
}

TEST_F(MainWindow, ClosingTheWindowStartsTheLauncherAndExitDoesNot) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("kesvo-truss-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::ofstream(dir / "kesvo") << "#!/bin/sh\n";
  svc.folder = dir.string();
  f().aa3_Click();
  EXPECT_TRUE(svc.ended);
  EXPECT_TRUE(svc.started.empty());
  f2().Show();
  f().userClose();
  EXPECT_FALSE(f().loaded());
  EXPECT_FALSE(f2().loaded());
  EXPECT_EQ(svc.started, std::vector<std::string>{(dir / "kesvo").string()});
  fs::remove_all(dir);
}

// ---- splash ----

struct Splash : ::testing::Test {
  ui::ScriptedServices svc;
  void SetUp() override {
    frmTrussSplashForm.reset();
    Form1Form.reset();
  }
  void TearDown() override {
    frmTrussSplashForm.reset();
    Form1Form.reset();
  }
};

TEST_F(Splash, StaysUntilAKeyOrAClick) {
  frmTrussSplash& s = *frmTrussSplashForm;
  EXPECT_EQ(s.Label1.Caption.get(), "מ ס ב כ י ם");
  EXPECT_EQ(s.Label3.Caption.get(), "ג י ר ס ה    0 . 1    9 9 9 1");
  EXPECT_EQ(s.Label1.FontName.get(), "Miriam");
  struct Case {
    const char* name;
    std::function<void(frmTrussSplash&)> act;
  } cases[] = {
      {"a key", [](frmTrussSplash& w) { w.dispatchKeyPress(nullptr, 'a'); }},
      {"a click on the frame", [](frmTrussSplash& w) { w.Frame1.raiseClick(); }},
      {"a click on the picture", [](frmTrussSplash& w) { w.imgLogo.raiseClick(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bool stayed = false, closed = false;
    svc.onModal = [&](ui::Form& form) {
      auto& w = static_cast<frmTrussSplash&>(form);
      stayed = w.loaded();
      c.act(w);
      closed = !w.loaded();
    };
    frmTrussSplashForm->Show(ui::vbModal);
    EXPECT_TRUE(stayed);
    EXPECT_TRUE(closed);
  }
}

}  // namespace
