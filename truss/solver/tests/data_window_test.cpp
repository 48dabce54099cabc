// The data-and-formulas window: typing in its cells, E and A and the loads for all bars and directions at
// once or one by one, the refusals of values that are no stiffness, the grids after a refused solve and
// after bars were added, the internal tables, its panels and where it opens.
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "truss/solver/tests/truss_fixture.h"
#include "truss/workspace/Form3.h"
#include "ui/keys.h"

namespace {

using namespace truss_test;
using namespace common1;

const char* const kBadEA = "E ו-A חייבים להיות מספרים חיוביים - נשמר הערך הקודם";
const char* const kBadLoad = "ערך הכח אינו מספר תקין - נשמר הערך הקודם";

struct DataWindow : TrussFixture {
  int p3 = -1;
  ui::Grid& P() { return f2().MSFlexGrid2[Form2::kPGrid]; }
  ui::Grid& EA() { return f2().MSFlexGrid2[Form2::kEAGrid]; }

  // Three bars meeting at a point loaded upwards, fixed at their feet: statically indeterminate. Bar 1 is
  // the vertical one.
  void threeBars() {
    p1 = point(1000, 0);
    p2 = point(2000, 0);
    p3 = point(1000, 1000);
    tool(p1, kFixed);
    tool(p2, kFixed);
    tool(p3, kUp);
    bar(0, p3);
    bar(p1, p3);
    bar(p2, p3);
  }
  void open() { f().bb1.choose(); }
  // The keys as the user gives them to a grid that has the focus.
  void press(ui::Grid& g, int code) { f2().dispatchKeyDown(&g, code, 0); }
  void type(ui::Grid& g, const std::string& chars) {
    for (char c : chars) {
      if (c == '\b') f2().dispatchKeyDown(&g, 8, 0);
      f2().dispatchKeyPress(&g, static_cast<unsigned char>(c));
    }
  }
  // A click on a cell: when it is already the current one, first on another.
  void enter(ui::Grid& g, int r, int c) {
    if (g.Row() == r && g.Col() == c) g.userSelect(r == 1 ? 2 : 1, c);
    g.userSelect(r, c);
  }
  void perBar() { f2().Option1[1].Value = true; }
  void perDirection() { f2().Option2[1].Value = true; }
};

TEST_F(DataWindow, TypingInACellFollowsTheEditingRules) {
  threeBars();
  open();
  perBar();
  ui::Grid& g = EA();
  enter(g, 1, 1);
  type(g, "210");
  EXPECT_EQ(g.TextMatrix(1, 1), "210");
  enter(g, 1, 1);
  type(g, "5");
  EXPECT_EQ(g.TextMatrix(1, 1), "5");
  press(g, 46);
  EXPECT_EQ(g.TextMatrix(1, 1), "");
  type(g, "7");
  EXPECT_EQ(g.TextMatrix(1, 1), "7");
  enter(g, 2, 2);
  type(g, "210\b");
  EXPECT_EQ(g.TextMatrix(2, 2), "21");
  enter(g, 2, 3);
  const std::string before = g.TextMatrix(2, 3);
  type(g, "\b");
  EXPECT_EQ(g.TextMatrix(2, 3), before) << "nothing typed since the cell was entered";
  type(g, "1ab-2");
  EXPECT_EQ(g.TextMatrix(2, 3), "1-2");
  EXPECT_EQ(ui::Val(g.TextMatrix(2, 3)), 1);

  // The other grid's current cell was not entered again: its number starts afresh all the same.
  perDirection();
  enter(g, 1, 2);
  type(g, "12");
  type(P(), "3");
  EXPECT_EQ(P().Text(), "3");
  EXPECT_EQ(g.TextMatrix(1, 2), "12");
}

TEST_F(DataWindow, EAndAPerBarChangeOneBarsForce) {
  threeBars();
  open();
  const double k45 = 210.0 * 1000 / std::sqrt(2.0e6);  // a 45-degree bar, N per micrometre
  EXPECT_NEAR(line_t(1), 1000 * 210 / (210 + k45), 0.05);
  perBar();
  enter(EA(), 2, 2);
  type(EA(), "2000");
  f2().Command6.Value = true;
  EXPECT_TRUE(svc.messages.empty());
  EXPECT_EQ(line_A(1), 2000);
  EXPECT_EQ(line_A(0), 1000);
  EXPECT_EQ(line_E(1), 210);
  EXPECT_EQ(EA().TextMatrix(2, 2), "2000");
  f2().Command3.Value = true;
  const double t1 = 1000 * 420 / (420 + k45);
  EXPECT_NEAR(line_t(1), t1, 0.05);
  EXPECT_NEAR(line_t(0), (1000 - t1) / std::sqrt(2.0), 0.05);
  EXPECT_NEAR(line_t(2), line_t(0), 0.01);
  EXPECT_EQ(f2().MSFlexGrid1[Form2::kTGrid].TextMatrix(1, 2), ui::CStr(line_t(1)));
  EXPECT_EQ(f2().Text4[1].Text.get(), " 1");
}

TEST_F(DataWindow, UniformValuesGoToEveryBarAndDirection) {
  threeBars();
  open();
  f2().Text3.Text = "-500";
  f2().Command5.Value = true;
  for (int i = 1; i <= 200; ++i) ASSERT_EQ(f_value(i), 500) << i;
  EXPECT_EQ(uniform_values(3), -500);
  EXPECT_EQ(P().TextMatrix(1, 1), "500");
  EXPECT_EQ(P().Col(), 1);
  f2().Text2[0].Text = "70";
  f2().Text2[1].Text = "250.5mm";
  f2().Command6.Value = true;
  for (int j = 0; j <= 200; ++j) {
    ASSERT_EQ(line_E(j), 70) << j;
    ASSERT_EQ(line_A(j), 250.5f) << j;
  }
  EXPECT_EQ(f2().Text2[1].Text.get(), "250.5");
  f2().Command3.Value = true;
  EXPECT_NEAR(line_t(1), 500 * 70 * 250.5 / 1000 / (70 * 250.5 / 1000 + 70 * 250.5 / std::sqrt(2.0e6)), 0.05);
}

TEST_F(DataWindow, ValuesThatAreNoStiffnessAreRefusedAndTheOldOnesKept) {
  threeBars();
  open();
  // Uniform: each of E and A on its own.
  struct Case {
    const char* E;
    const char* A;
    float storedE, storedA;
  } cases[] = {{"0", "500", 210, 500}, {"-3", "abc", 210, 500}, {"1e99", "1e-50", 210, 500}, {"100", "20", 100, 20}};
  for (const Case& c : cases) {
    svc.messages.clear();
    f2().Text2[0].Text = c.E;
    f2().Text2[1].Text = c.A;
    f2().Command6.Value = true;
    EXPECT_EQ(line_E(7), c.storedE) << c.E;
    EXPECT_EQ(line_A(7), c.storedA) << c.A;
    EXPECT_EQ(f2().Text2[0].Text.get(), ui::CStr(c.storedE));
    const bool refused = c.storedE != ui::Val(c.E) || c.storedA != float(ui::Val(c.A));
    EXPECT_EQ(svc.messages, refused ? std::vector<std::string>{kBadEA} : std::vector<std::string>{}) << c.E;
  }
  // Per bar: the bad cell keeps its bar's value and shows it again; the good one is stored.
  perBar();
  svc.messages.clear();
  EA().setTextMatrix(1, 1, "-210");
  EA().setTextMatrix(2, 1, "300");
  EA().setTextMatrix(1, 2, "");
  f2().Command6.Value = true;
  EXPECT_EQ(svc.messages, std::vector<std::string>{kBadEA});
  EXPECT_EQ(line_E(0), 100);
  EXPECT_EQ(line_A(0), 300);
  EXPECT_EQ(line_E(1), 100);
  EXPECT_EQ(EA().TextMatrix(1, 1), "100");
  EXPECT_EQ(EA().TextMatrix(1, 2), "100");
  // Loads: 0 is a load, a number too large for a load is not.
  perDirection();
  svc.messages.clear();
  P().setTextMatrix(1, 1, "0");
  P().setTextMatrix(2, 1, "1e60");
  f2().Command5.Value = true;
  EXPECT_EQ(svc.messages, std::vector<std::string>{kBadLoad});
  EXPECT_EQ(f_value(1), 0);
  EXPECT_EQ(f_value(2), 1000);
  EXPECT_EQ(P().TextMatrix(2, 1), "1000");
}

TEST_F(DataWindow, GridsFollowTheModelAfterBarsWereAddedAndAfterARefusal) {
  threeBars();
  open();
  perBar();
  perDirection();
  ASSERT_EQ(EA().Cols(), 4);
  // Bars added without a solve: the confirm button sizes the grid and reads only cells that exist.
  int p4 = point(3000, 1000);
  bar(p3, p4);
  bar(p2, p4);
  f2().Command6.Value = true;
  EXPECT_EQ(EA().Cols(), lines_count + 1);
  EXPECT_EQ(EA().TextMatrix(0, 5), "L( 4 )");
  EXPECT_EQ(EA().TextMatrix(2, 5), "1000");
  EXPECT_TRUE(svc.messages.empty());

  // Two points with one bar each: more free directions than bars, refused. Nothing of the solved truss
  // shows.
  f2().Command3.Value = true;
  ASSERT_TRUE(svc.messages.empty());
  ASSERT_NE(line_t(1), 0);
  f().Slider2.Value = 50;
  int p5 = point(4000, 2000), p6 = point(4000, 0);
  bar(p4, p5);
  bar(p4, p6);
  f2().Command3.Value = true;
  ASSERT_EQ(svc.messages.size(), 1u);
  EXPECT_EQ(dof_count, 8);
  for (int i = 1; i <= 100; ++i) ASSERT_EQ(dof_u(i, 1), 0) << i;
  for (int j = 0; j <= 200; ++j) ASSERT_EQ(line_t(j), 0) << j;
  EXPECT_EQ(f2().Text4[0].Text.get(), "");
  EXPECT_TRUE(f().Picture1.drawn().empty());
  for (int j = 0; j < lines_count; ++j) EXPECT_EQ(f().Line1[j].BorderColor.get(), ui::RGB(0, 0, 0)) << j;
  ui::Grid& K = f2().MSFlexGrid1[Form2::kKGrid];
  EXPECT_EQ(K.Rows(), 9);
  EXPECT_EQ(K.TextMatrix(1, 1), "");
  EXPECT_EQ(f2().MSFlexGrid1[Form2::kUGrid].TextMatrix(1, 1), "");
  // The load grid has a row for each direction, saying which it is, and its button reads them all.
  ASSERT_EQ(P().Rows(), 9);
  EXPECT_EQ(P().TextMatrix(8, 0), "Point( " + std::to_string(p6) + " )[y]");
  EXPECT_EQ(P().TextMatrix(8, 1), "1000");
  P().setTextMatrix(8, 1, "250");
  f2().Command5.Value = true;
  EXPECT_EQ(f_value(8), 250);
  // A redraw of the shape (the magnification slider released) shows no old displacement.
  f().Slider2_MouseUp(1, 0, 0, 0);
  for (const ui::Segment& s : f().Picture1.drawn()) {
    bool onABar = false;
    for (int j = 0; j < lines_count; ++j) {
      const ui::LineControl& l = f().Line1[j];
      onABar |= (s.x1 == l.X1.get() && s.y1 == l.Y1.get() && s.x2 == l.X2.get() && s.y2 == l.Y2.get()) ||
                (s.x1 == l.X2.get() && s.y1 == l.Y2.get() && s.x2 == l.X1.get() && s.y2 == l.Y1.get());
    }
    EXPECT_TRUE(onABar) << s.x1 << "," << s.y1 << " " << s.x2 << "," << s.y2;
  }
}

// A solve in a window that showed an earlier result shows what a fresh window shows: cell by cell and
// column width by column width, after a point moved, after the truss grew and after only its numbers
// changed.
TEST_F(DataWindow, ASolveAgainShowsWhatAFreshWindowShows) {
  using Shown = std::vector<std::string>;
  auto shown = [this] {
    Shown s;
    for (int index : {6, 8, 10, 11, 12}) {
      const ui::Grid& g = f2().MSFlexGrid1[index];
      s.push_back(std::to_string(g.Rows()) + "x" + std::to_string(g.Cols()));
      for (int c = 0; c < g.Cols(); ++c) {
        s.push_back(std::to_string(g.ColWidth(c)));
        for (int r = 0; r < g.Rows(); ++r) s.push_back(g.TextMatrix(r, c));
      }
    }
    return s;
  };
  auto expectAsFresh = [&](const char* what) {
    SCOPED_TRACE(what);
    f().dd2.Checked = true;
    solve();
    ASSERT_TRUE(svc.messages.empty()) << svc.messages[0];
    const Shown again = shown();
    Form2Form.reset();
    f().dd2.Checked = true;
    solve();
    EXPECT_EQ(again, shown());
  };
  threeBars();
  f().Picture1_DragOver(f().Image1[p3], kX0 + 1013, kY0 - 977, 0);
  f().dd2.Checked = true;
  solve();
  // Back above its support: the vertical bar's x component, not zero before, is zero now.
  f().Picture1_DragOver(f().Image1[p3], kX0 + 1000, kY0 - 1000, 0);
  expectAsFresh("a point moved");
  int p4 = point(3000, 1000);
  bar(p3, p4);
  bar(p2, p4);
  expectAsFresh("two bars and a free point more");
  for (int j = 0; j < lines_count; ++j) line_E(j) = 70 + 5 * float(j);
  expectAsFresh("other E for each bar");
}

TEST_F(DataWindow, EveryNumberFitsItsColumn) {
  threeBars();
  f().Picture1_DragOver(f().Image1[p3], kX0 + 1013, kY0 - 977, 0);
  open();
  for (int index : {6, 8, 10, 11, 12}) {
    ui::Grid& g = f2().MSFlexGrid1[index];
    for (int c = 0; c < g.Cols(); ++c)
      for (int r = 0; r < g.Rows(); ++r)
        EXPECT_GE(g.ColWidth(c), float(g.TextMatrix(r, c).size()) * 90) << index << " " << g.TextMatrix(r, c);
  }
}

TEST_F(DataWindow, TheInternalTablesHoldEverySupportBarEndAndPoint) {
  // 44 points on fixed supports beside point 0's: 45 supports; then point 1's support is taken off and
  // put back until the last support index is used.
  for (int k = 1; k <= 44; ++k) tool(point(200.0f * float(k), 300), kFixed);
  ASSERT_EQ(supports_count, 246);
  for (int s = 202; supports_count < 300; s = supports_count - 1) {
    select(kSupports);
    f().Image1_MouseMove(s, 0, 0, 0, 0);
    key(46);
    select(kPoints);
    tool(1, kFixed);
  }
  ASSERT_EQ(R_data(299).point_index, 1);
  // Thirty bars end at point 1.
  for (int k = 0; k < 30; ++k) bar(0, 1);
  open();
  f2().Option3[1].Value = true;
  EXPECT_TRUE(f2().Frame1[1].Visible.get());
  f2().Command2.Value = true;
  ui::Grid& R = f2().MSFlexGrid1[2];
  EXPECT_EQ(R.TextMatrix(0, 2), "point_index");
  EXPECT_EQ(R.TextMatrix(2, 1), "False");
  EXPECT_EQ(R.TextMatrix(2, 2), "1");
  // Point 44 had no bar, so the solve deleted it with its support.
  EXPECT_EQ(R.TextMatrix(45, 1), "False");
  EXPECT_EQ(R.TextMatrix(45, 2), "44");
  EXPECT_EQ(R.TextMatrix(99, 0), "98");
  EXPECT_EQ(R.TextMatrix(99, 1), "True");
  EXPECT_EQ(R.TextMatrix(99, 2), "1");
  EXPECT_EQ(R.TextMatrix(99, 3), "1");
  ui::Grid& F = f2().MSFlexGrid1[1];
  EXPECT_EQ(F.Rows(), 42);
  EXPECT_EQ(F.TextMatrix(41, 0), "40");
  ui::Grid& dir = f2().MSFlexGrid1[5];
  EXPECT_EQ(dir.Cols(), 3 * 51 + 1);
  EXPECT_EQ(dir.TextMatrix(0, 3 * 50 + 1), "P( 50)");
  EXPECT_EQ(dir.TextMatrix(1, 3 * 1 + 2), "dir_x");
  EXPECT_EQ(dir.TextMatrix(31, 3 * 1 + 1), "29");
  ui::Grid& PL = f2().MSFlexGrid1[0];
  EXPECT_EQ(PL.Rows(), 202);
  EXPECT_EQ(PL.Cols(), 52);
  EXPECT_EQ(PL.TextMatrix(30, 2), "1");
  EXPECT_EQ(PL.TextMatrix(30, 3), "");
  ui::Grid& Pd = f2().MSFlexGrid1[3];
  EXPECT_EQ(Pd.TextMatrix(6, 0), "Enabeld");
  EXPECT_EQ(Pd.TextMatrix(6, 1), "True");
  EXPECT_EQ(Pd.TextMatrix(4, 1), ui::CStr(kX0));
  EXPECT_EQ(f2().MSFlexGrid1[4].TextMatrix(1, 1), ui::Str(kX0));
  // A point deleted since leaves nothing of itself in the tables.
  select(kPoints);
  f().Image1_MouseMove(1, 0, 0, 0, 0);
  key(46);
  f2().Command2.Value = true;
  EXPECT_EQ(PL.TextMatrix(30, 2), "");
  EXPECT_EQ(PL.TextMatrix(30, 1), "");
  EXPECT_EQ(Pd.TextMatrix(6, 2), "False");
}

TEST_F(DataWindow, PanelsShowTheirTextsAndTheWindowRemembersItsChoices) {
  open();
  EXPECT_TRUE(f2().Option3[2].Value.get());
  EXPECT_FALSE(f2().Frame1[0].Visible.get());
  EXPECT_FALSE(f2().Frame1[1].Visible.get());
  f2().Option3[0].Value = true;
  EXPECT_TRUE(f2().Frame1[0].Visible.get());
  EXPECT_FALSE(f2().Frame1[1].Visible.get());
  bool found = false;
  f2().LabelFormula.forEach([&](int, ui::Label& l) { found |= l.Caption.get() == "[Q][S][Q]=[K]"; });
  EXPECT_TRUE(found);
  EXPECT_EQ(f2().FrameCase.Caption.get(), " פתרון אפשרי למקרה מסויים ");

  perBar();
  EXPECT_TRUE(EA().Visible.get());
  EXPECT_FALSE(f2().Text2[0].Visible.get());
  f2().Text3.Text = "750";
  f2().Command5.Value = true;
  f2().Unload();
  EXPECT_FALSE(f().dd2.Checked.get());
  EXPECT_EQ(option_state(1), -1);
  EXPECT_EQ(option_state(2), 0);
  open();
  EXPECT_TRUE(f2().Option1[1].Value.get());
  EXPECT_TRUE(EA().Visible.get());
  EXPECT_FALSE(P().Visible.get());
  EXPECT_EQ(f2().Text3.Text.get(), "750");
}

// ---- nothing of the truss before after New and Open ----

// A truss file: three bars from fixed points to point 3, which is loaded downwards; E 200 and loads of
// 2000 N for the two directions of point 3.
const char* const kFile =
    "\"321499410\"\r\n3\r\n4\r\n2\r\n1,0,0,1,0\r\n0,1,0,1,1\r\n0,0,1,1,2\r\n"
    "#TRUE#,0,0,1,2168,29100\r\n#TRUE#,0,0,1,4168,29100\r\n#TRUE#,0,0,1,6168,29100\r\n"
    "#TRUE#,0,-1,0,4168,27100\r\n200,200,200,\"E\"\r\n1000,1000,1000,\"A\"\r\n2000,1,2000,2,\"F\"\r\n50\r\n";

struct NewAndOpen : DataWindow {
  std::filesystem::path dir;
  void SetUp() override {
    Form3Form.reset();
    DataWindow::SetUp();
    dir = std::filesystem::temp_directory_path() /
          ("kesvo-new-open-" + std::to_string(getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "t.trs", std::ios::binary) << kFile;
  }
  void TearDown() override {
    svc.onModal = nullptr;
    Form3Form.reset();
    DataWindow::TearDown();
    std::filesystem::remove_all(dir);
  }
  void openFile() {
    svc.onModal = [this](ui::Form& form) {
      auto& w = dynamic_cast<Form3&>(form);
      w.Dir1.Path = dir.string();
      w.Text2.Text = "t.trs";
      w.Command2.Value = true;
    };
    f().aa5.choose();
    svc.onModal = nullptr;
    ASSERT_EQ(line_E(0), 200);
    ASSERT_EQ(f_value(2), 2000);
  }
  // New, the truss before discarded unsaved.
  void newTruss() {
    f().aa2.choose();
    svc.messages.clear();
  }
  // Solves twoBars(): the loaded point's two directions, 1000 N down, carried by both bars alike.
  void expectLoadUsed() {
    solve();
    ASSERT_TRUE(svc.messages.empty()) << svc.messages[0];
    EXPECT_NEAR(line_t(0), -1000 / std::sqrt(2.0), 0.01);
    EXPECT_NEAR(line_t(1), -1000 / std::sqrt(2.0), 0.01);
  }
};

TEST_F(NewAndOpen, AfterNewNoGridHoldsARowOfTheTrussBeforeAndADrawnLoadIsUsed) {
  open();
  perDirection();
  openFile();
  ASSERT_EQ(P().Rows(), 3);
  ASSERT_EQ(P().TextMatrix(2, 1), "-2000");
  f2().Option3[Form2::kTables].Value = true;
  f2().Command2.Value = true;
  newTruss();
  EXPECT_EQ(P().Rows(), 1);
  EXPECT_EQ(EA().Cols(), 1);
  for (int g : {Form2::kQGrid, Form2::kUGrid, Form2::kKGrid}) EXPECT_EQ(f2().MSFlexGrid1[g].Rows(), 1) << g;
  for (int t = 0; t <= 5; ++t) {
    const ui::Grid& g = f2().MSFlexGrid1[t];
    for (int r = t == 5 ? 2 : 1; r < g.Rows(); ++r)
      for (int c = 1; c < g.Cols(); ++c) ASSERT_EQ(g.TextMatrix(r, c), "") << t << " " << r << " " << c;
  }
  // The student draws a loaded pair of bars and confirms the loads' grid before solving.
  twoBars();
  f2().Command5.Value = true;
  expectLoadUsed();
}

TEST_F(NewAndOpen, ConfirmingTheLoadGridTakesOnlyWhatWasTyped) {
  open();
  perDirection();
  twoBars(kRight);
  solve();
  // The point's downward direction shows 0: it has no arrow yet.
  ASSERT_EQ(P().TextMatrix(2, 1), "0");
  tool(p2, kDown);
  f2().Command5.Value = true;
  EXPECT_EQ(f_value(2), 1000);
  solve();
  EXPECT_NEAR(line_t(0), 0, 0.01);
  EXPECT_NEAR(line_t(1), -1000 * std::sqrt(2.0), 0.01);
  // Typing the text the cell shows is typing: the student's 0 is a load of 0.
  select(kLoads);
  f().Picture2_MouseMove(1, 0, 0, 0, 0);
  key(46);
  solve();
  ASSERT_EQ(P().TextMatrix(2, 1), "0");
  enter(P(), 2, 1);
  type(P(), "0");
  f2().Command5.Value = true;
  EXPECT_EQ(f_value(2), 0);
}

TEST_F(NewAndOpen, TheUniformBoxesShowWhatTheTrussUsesOrNothing) {
  open();
  f2().Text2[0].Text = "200";
  f2().Command6.Value = true;
  newTruss();
  // New bars get 210 again, whatever was typed for the truss before.
  EXPECT_EQ(f2().Text2[0].Text.get(), "210");
  EXPECT_EQ(f2().Text2[1].Text.get(), "1000");
  EXPECT_EQ(f2().Text3.Text.get(), "1000");
  openFile();
  // The file's bars have 200 and new bars get 210; its two directions 2000 and the others 1000.
  EXPECT_EQ(f2().Text2[0].Text.get(), "");
  EXPECT_EQ(f2().Text2[1].Text.get(), "1000");
  EXPECT_EQ(f2().Text3.Text.get(), "");
  // Confirming the boxes as they stand rewrites nothing of the opened truss.
  svc.messages.clear();
  f2().Command6.Value = true;
  f2().Command5.Value = true;
  EXPECT_EQ(line_E(0), 200);
  EXPECT_EQ(line_A(0), 1000);
  EXPECT_EQ(f_value(1), 2000);
  EXPECT_EQ(f_value(3), 1000);
  EXPECT_EQ(svc.messages, (std::vector<std::string>{kBadEA, kBadLoad}));
}

TEST_F(NewAndOpen, TheLargestStressNamesABarOfThisTrussOrNone) {
  // The most stressed bar is bar 3.
  p1 = point(1000, 0);
  p2 = point(2000, 0);
  p3 = point(1000, 1000);
  tool(p1, kFixed);
  tool(p2, kFixed);
  tool(p3, kUp);
  bar(0, p3);
  bar(p2, p3);
  bar(0, p1);
  bar(p1, p3);
  solve();
  ASSERT_EQ(max_sigma_line, 3);
  newTruss();
  // Three bars and no load: no bar is stressed.
  int a = point(2000, 0), b = point(1000, 1000);
  tool(a, kRollerX);
  bar(0, a);
  bar(a, b);
  bar(b, 0);
  open();
  ASSERT_TRUE(svc.messages.empty());
  EXPECT_EQ(max_sigma, 0);
  EXPECT_EQ(f2().Text4[0].Text.get(), " 0");
  EXPECT_EQ(f2().Text4[1].Text.get(), "");
}

// The tables show the truss as it stands: emptied by an edit, and the bar directions found anew by "עדכן".
TEST_F(DataWindow, TheInternalTablesShowTheTrussAsItStands) {
  twoBars();
  open();
  ui::Grid& dir = f2().MSFlexGrid1[5];
  auto dirX = [&] { return dir.TextMatrix(2, 3 * p2 + 2); };  // point p2's first bar end
  f2().Command2.Value = true;
  ASSERT_NEAR(ui::Val(dirX()), 1 / std::sqrt(2.0), 1e-6);
  f().Picture1_DragOver(f().Image1[p2], kX0, kY0 - 1000, 0);  // now above point 0: bar 0 is vertical
  EXPECT_EQ(dirX(), "");
  f2().Command2.Value = true;
  EXPECT_EQ(dirX(), "0");
  select(kPoints);
  f().Image1_MouseMove(p2, 0, 0, 0, 0);
  key(ui::vbKeyRight);  // a key move
  EXPECT_EQ(dirX(), "");
}

TEST_F(DataWindow, ARefusedSolveKeepsNoLabelOfTheOldNumbering) {
  twoBars();
  open();
  ASSERT_EQ(f2().MSFlexGrid1[Form2::kQGrid].TextMatrix(1, 0), "Point( 2 )[x]");
  // Point 0 loses its support: four directions, two bars.
  select(kSupports);
  f().Image1_MouseMove(201, 0, 0, 0, 0);
  key(46);
  solve();
  ASSERT_EQ(svc.messages.size(), 1u);
  ASSERT_EQ(dof_count, 4);
  for (int g : {Form2::kQGrid, Form2::kUGrid}) {
    const ui::Grid& grid = f2().MSFlexGrid1[g];
    ASSERT_EQ(grid.Rows(), 5);
    for (int i = 1; i <= 4; ++i) {
      const dof_rec& d = f2().dof_list(i);
      const std::string now = "Point(" + ui::Str(int(d.point)) + " )" + (d.is_x == -1 ? "[x]" : "[y]");
      const std::string shown = grid.TextMatrix(i, 0);
      EXPECT_TRUE(shown.empty() || shown == now) << g << " " << i << " " << shown;
    }
  }
}

}  // namespace

namespace {

using namespace truss_test;

// ---- nothing covers a row, a caption or a note ----

TEST_F(DataWindow, TheSpectrumStripEndsBeforeItsLabelAndTheNoteStandsBelowItsBox) {
  EXPECT_LE(f().Picture4.Left + f().Picture4.Width, f().LabelMax.Left.get());
  EXPECT_LE(f().LabelMax.Left + f().LabelMax.Width, f().FrameSpectrum.Width.get());
  const ui::Label* note = nullptr;
  f2().LabelFormula.forEach([&note](int, ui::Label& l) {
    if (l.Caption.get().rfind("הסבר לדרך הפתרון", 0) == 0) note = &l;
  });
  ASSERT_NE(note, nullptr);
  EXPECT_GE(note->Top.get(), f2().FrameCase.Top + f2().FrameCase.Height);
  EXPECT_LE(note->Top + note->Height, f2().Frame1[Form2::kFormulas].Height.get());
}

}  // namespace

#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

#include "ui/qt_services.h"
#include "ui/views.h"

// With more bars than fit, the S and t grids scroll across: their one row still shows whole above the
// scroll bar.
TEST(DataWindowOnScreen, TheOneRowOfSAndTShowsAboveTheScrollBar) {
  ui::QtServices svc("truss");
  Form2Form.reset();
  Form2& w = *Form2Form;
  for (int g : {Form2::kSGrid, Form2::kTGrid}) {
    ui::Grid& grid = w.MSFlexGrid1[g];
    grid.setCols(41);
    for (int j = 1; j <= 40; ++j) grid.setTextMatrix(1, j, "-1234.567");
  }
  ui::realize(w)->show();
  for (int g : {Form2::kSGrid, Form2::kTGrid}) {
    auto* view = qobject_cast<QTableView*>(ui::childHost(w.MSFlexGrid1[g]));
    ASSERT_NE(view, nullptr);
    view->horizontalScrollBar()->setVisible(true);
    EXPECT_GE(view->height() - 2 * view->frameWidth() - view->horizontalHeader()->height() -
                  view->horizontalScrollBar()->sizeHint().height(),
              view->rowHeight(0))
        << g;
  }
  ui::unrealize(w);
  Form2Form.reset();
}
