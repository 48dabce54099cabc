// The tool window's data tab: the selected object's panel, the reference values and units, and the
// relative stiffness grid.
#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTableView>
#include <tuple>
#include <utility>
#include <vector>

#include "workspace_fixture.h"
#include "ui/qt_services.h"
#include "ui/vbtext.h"
#include "ui/views.h"

using namespace Module20;

namespace {

using Data = Workspace;

void enter(Form10& t, int box, const std::string& text) {
  t.Text2[box].Text = text;
  int k = 13;
  t.Text2[box].raiseKeyPress(k);
}

TEST_F(Data, ThePanelShowsEachKindOfObject) {
  Form20& f = start();
  Form10& t = *Form10Form;
  struct Case {
    int k;
    const char* name;
    const char* state;
    const char* labels[5];  // Label12(0), Label13, Label12(1), Label12(5), Label12(4)
    const char* values[3];
  } cases[] = {
      {1, "( 1 )סמך ", "True", {"L( 1)/L=", "=כוח תגובה", "R( 1)=", "=מומנט תגובה", "M( 1)="}, {"0.0000", "-0.7500", "0.0000"}},
      {16, "( 1 )שיחרור גזירה ", "False", {"L( 1)/L=", "=כוח תגובה", "R( 1)=", "=מומנט תגובה", "M( 1)="}, {"0.0000", "0.0000", "0.0000"}},
      {21, "F( 1 )", "True", {"L( 1)/L=", "=גודל יחסי", "F( 1)/P=", "", ""}, {"0.7500", " 1", ""}},
      {22, "F( 2 )", "False", {"L( 2)/L=", "=גודל יחסי", "F( 2)/P=", "", ""}, {"0.0000", " 1", ""}},
      {31, "m( 1 )", "True", {"L( 1)/L=", "=גודל יחסי", "M( 1)/P=", "", ""}, {"0.5000", "-1.0000", ""}},
      {41, "W( 1 )", "False", {"L1( 1)/L=", "=גודל יחסי", "W( 1)/P=", "=רוחב", "(L2-L1)/L="}, {"0.0000", "1.0000", "0.0000"}},
  };
  dropAt(1, fraction(0));
  dropAt(2, fraction(1));
  dropAt(21, fraction(0.75));  // R1 = 1/4 of the force, less 1 of the moment below
  t.Command18.Value = true;  // a moment of opposite sign
  dropAt(31, fraction(0.5));
  for (const Case& c : cases) {
    f.image1_MouseMove(c.k, 0, 0, 0, 0);
    EXPECT_EQ(t.Label10.Caption.get(), c.name) << c.k;
    EXPECT_EQ(t.Label17.Caption.get(), c.name) << c.k;
    EXPECT_EQ(t.Label12[2].Caption.get(), c.state) << c.k;
    const std::string labels[5] = {t.Label12[0].Caption, t.Label13.Caption, t.Label12[1].Caption, t.Label12[5].Caption, t.Label12[4].Caption};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(labels[i], c.labels[i]) << c.k << " label " << i;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(t.Text2[i].Text.get(), c.values[i]) << c.k << " box " << i;
    EXPECT_EQ(t.Text2[2].Visible.get(), c.k <= 20 || c.k > 40) << c.k;
  }
  // Reactions are shown only of a current solution.
  f.ffe.choose();  // solving on every drag off
  drop(21, 2000, 1200);
  f.image1_MouseMove(1, 0, 0, 0, 0);
  EXPECT_EQ(t.Text2[0].Text.get(), "0.0000");
  EXPECT_EQ(t.Text2[1].Text.get(), "");
}

TEST_F(Data, TypedPositionsAreRangeCheckedAndDropTheObject) {
  Form20& f = start();
  Form10& t = *Form10Form;
  simplySupported(2000 + 60 - 285);
  f.image1_MouseMove(21, 0, 0, 33, 0);  // the pointer grabbed the icon off its corner
  struct Case {
    const char* typed;
    bool refused;
    float pos;
  } cases[] = {{"0.4", false, 4000}, {"1", false, 10000}, {"1.0001", true, 10000}, {"-0.1", true, 10000}, {"", false, 0}, {"0", false, 0}};
  for (const Case& c : cases) {
    svc.messages.clear();
    t.Text2[1].Text = " 1";
    enter(t, 0, c.typed);
    EXPECT_EQ(svc.messages.size(), c.refused ? 1u : 0u) << c.typed;
    if (c.refused) {
      EXPECT_EQ(svc.messages[0], "ערך לא בתחום") << c.typed;
    }
    EXPECT_EQ(forces(21).pos, c.pos) << c.typed;
  }
  // A new magnitude; zero keeps the icon where the pointer can find it.
  t.Text2[0].Text = "0.5";
  enter(t, 1, "2");
  EXPECT_EQ(forces(21).value, 2);
  EXPECT_EQ(t.Text2[1].Text.get(), " 2");
  EXPECT_NEAR(reactions(1).R, 1, 1e-5);
  enter(t, 1, "0");
  EXPECT_FALSE(f.Image1[21].Picture_.get().isNull());
  // A support typed to 0.5 moves to the middle of the beam.
  f.image1_MouseMove(2, 0, 0, 0, 0);
  enter(t, 0, "0.5");
  EXPECT_EQ(node_list(1).obj, 2);
  EXPECT_EQ(node_list(1).x, 5000);
}

// A typed position stands where it was typed, or where the end zones put it: no icon covering an end
// pulls it there, and no element beside an end is shorter than a key step.
TEST_F(Data, ATypedNodePositionStandsWhereTyped) {
  struct Case {
    const char* name;
    int k;
    const char* typed;
    int place;  // placeOf
  } cases[] = {
      {"support at 0.015", 1, "0.015", 150},
      {"support at 0.983", 1, "0.983", 9830},
      {"support at 0.005: in the end zone", 1, "0.005", kOnLeftEnd},
      {"fixed end at 0.983: in the end zone", 6, "0.983", kOnRightEnd},
      {"fixed end at 0", 6, "0", kOnLeftEnd},
      {"fixed end at 0.001: a key step from the end", 6, "0.001", 15},
      {"hinge at 0.015", 11, "0.015", 150},
  };
  for (const Case& c : cases) {
    SetUp();
    Form20& f = start();
    Form10& t = *Form10Form;
    dropAt(c.k, fraction(0.5));
    dropAt(3, fraction(0.3));
    f.image1_MouseMove(c.k, 0, 0, 40, 0);  // grabbed off its corner: typing does not use the grab
    enter(t, 0, c.typed);
    EXPECT_EQ(placeOf(c.k), c.place) << c.name;
    for (int e = 1; e <= n_elem; ++e) EXPECT_GE(elem(e).length, 15.0f) << c.name << " element " << e;
    TearDown();
  }
}

// A load whose results a Single cannot hold is refused with the reference values' message, and the
// beam keeps its solution of the load as it was: no readout, reaction or graph turns to zero.
TEST_F(Data, ALoadTooLargeToComputeIsRefused) {
  struct Case {
    const char* name;
    const char* P;
    const char* L;
    int k;
    const char* value;
    bool refused;
  } cases[] = {
      {"a force of 1e38 at P 100000", "100000", "1", 21, "1e38", true},
      {"a force of 1e33 at P 100000 on a beam 1e10 long", "100000", "1e10", 21, "1e33", true},
      {"a distributed load of 1e38 at P 100000", "100000", "1", 41, "1e38", true},
      {"a force of 1e30 at P 100000", "100000", "1", 21, "1e30", false},
  };
  for (const Case& c : cases) {
    SetUp();
    Form20& f = start();
    Form10& t = *Form10Form;
    dropAt(1, fraction(0));
    dropAt(2, fraction(1));
    dropAt(c.k, fraction(0.4));
    t.Text10.Text = c.P;
    t.Text13.Text = c.L;
    t.Command15.Value = true;
    ASSERT_TRUE(f.solution_current) << c.name;
    const Single R = reactions(1).R;
    ASSERT_NE(R, 0) << c.name;
    f.image1_MouseMove(c.k, 0, 0, 0, 0);
    svc.messages.clear();
    enter(t, 1, c.value);
    const Single value = c.k == 21 ? forces(21).value : dist_loads(41).value;
    EXPECT_TRUE(f.solution_current) << c.name;
    if (c.refused) {
      ASSERT_EQ(svc.messages.size(), 1u) << c.name;
      EXPECT_EQ(svc.messages[0], "ערך לא בתחום") << c.name;
      EXPECT_EQ(value, 1) << c.name;
      EXPECT_EQ(reactions(1).R, R) << c.name;
    } else {
      EXPECT_TRUE(svc.messages.empty()) << c.name;
      EXPECT_EQ(value, Single(std::stod(c.value))) << c.name;
      EXPECT_NEAR(reactions(1).R, R * value, std::abs(R * value) * 1e-5) << c.name;
    }
    EXPECT_FALSE(f.Picture3.drawn().empty()) << c.name;
    TearDown();
  }
}

// Reference values that make the results too large to compute are refused as those out of range.
TEST_F(Data, AReferenceForceTooLargeToComputeIsRefused) {
  Form20& f = start();
  Form10& t = *Form10Form;
  dropAt(1, fraction(0));
  dropAt(2, fraction(1));
  dropAt(21, fraction(0.4));
  f.image1_MouseMove(21, 0, 0, 0, 0);
  enter(t, 1, "100000");
  ASSERT_NEAR(reactions(1).R, 60000, 0.01);
  svc.messages.clear();
  t.Text10.Text = "1e38";
  t.Command15.Value = true;
  ASSERT_EQ(svc.messages.size(), 1u);
  EXPECT_EQ(svc.messages[0], "ערך לא בתחום");
  EXPECT_EQ(unit_F, 1);
  EXPECT_EQ(t.Text10.Text.get(), "1");
  EXPECT_TRUE(f.solution_current);
  EXPECT_NEAR(reactions(1).R, 60000, 0.01);
}

TEST_F(Data, ATypedWidthStaysOnTheBeamAndReachable) {
  Form20& f = start();
  Form10& t = *Form10Form;
  dropAt(1, fraction(0));
  dropAt(2, fraction(1));
  drop(41, 2000, 1500);
  f.image1_MouseMove(41, 0, 0, 0, 0);
  struct Case {
    const char* start;
    const char* width;
    bool refused;
    float pos, span;
  } cases[] = {{"0.7", "0.2", false, 7000, 2000}, {"0.7", "0.31", true, 7000, 2000}, {"0.1", "0", true, 1000, 2000}, {"0.1", "0.5", false, 1000, 5000}};
  for (const Case& c : cases) {
    svc.messages.clear();
    t.Text2[0].Text = c.start;
    t.Text2[1].Text = "1";
    enter(t, 2, c.width);
    EXPECT_EQ(svc.messages.size(), c.refused ? 1u : 0u) << c.start << " " << c.width;
    if (c.refused) {
      EXPECT_EQ(svc.messages[0], "ערך לא בתחום ");
    }
    EXPECT_EQ(dist_loads(41).pos, c.pos) << c.start << " " << c.width;
    EXPECT_EQ(dist_loads(41).span, c.span) << c.start << " " << c.width;
    EXPECT_EQ(f.Image1[41].Width.get(), c.span);
  }
}

TEST_F(Data, ReferenceValuesAndUnits) {
  Form20& f = start();
  Form10& t = *Form10Form;
  simplySupported(5000);
  f.image1_MouseMove(21, 40, 0, 40, 0);  // a grab offset that a re-drop must not use
  t.Text10.Text = "2";
  t.Text13.Text = "2";
  int k = 13;
  t.Text7.raiseKeyPress(k);  // Enter in any box confirms
  EXPECT_FLOAT_EQ(unit_L, 0.0002f);
  EXPECT_FLOAT_EQ(elem(1).length, 10000);
  EXPECT_EQ(node_list(0).obj, 1);
  EXPECT_NEAR(reactions(1).R, 1, 1e-5);  // P doubles the reactions
  EXPECT_EQ(f.Image1[1].Left.get(), 105.0f);
  f.Slider1.Value = 5000;
  EXPECT_EQ(f.Text2[1].Text.get(), "-1.000");  // PL/4 with P 2, L 2
  // Zero, negative or overflowing L, E, I are refused, the old values kept.
  for (const char* bad : {"0", "-1", "1e999"}) {
    svc.messages.clear();
    t.Text6.Text = bad;
    t.Command15.Value = true;
    EXPECT_EQ(svc.messages, std::vector<std::string>{"ערך לא בתחום"}) << bad;
    EXPECT_EQ(unit_E, 1) << bad;
    EXPECT_EQ(t.Text6.Text.get(), "1") << bad;
  }
  t.Text10.Text = "-1";  // a negative P is a direction and is kept
  t.Command15.Value = true;
  EXPECT_EQ(unit_F, -1);
  // Unit systems set the captions and the deflection factor, nothing else.
  struct Case {
    int option;
    Single def;
    std::vector<std::string> captions;
  } cases[] = {
      {1, 10000, {"[kN]", "[m]", "[Gpa]", "[cm^4]", "[kN]", "[kN*m]", "[cm]", "[m]", "[kN]", "[kN*m]", "[cm]"}},
      {2, 1728, {"[klbf]", "[ft]", "[kpsi]", "[inch^4]", "[klbf]", "[klbf*ft]", "[in]", "[ft]", "[klbf]", "[klbf*ft]", "[in]"}},
      {0, 1, {"", "", "", "", "", "", "", "", "", "", ""}},
  };
  for (const Case& c : cases) {
    t.Option4[c.option].Value = true;
    EXPECT_EQ(unit_system, c.option);
    EXPECT_EQ(unit_def, c.def);
    const std::vector<std::string> captions = {t.Label24.Caption, t.Label26.Caption, t.Label27.Caption, t.Label28.Caption,
                                               t.Label22[0].Caption, t.Label22[1].Caption, t.Label22[2].Caption, t.Label29.Caption,
                                               f.Label8.Caption, f.Label7.Caption, f.Label6.Caption};
    EXPECT_EQ(captions, c.captions) << c.option;
  }
  t.Option4[1].Value = true;
  const double metric = ui::Val(f.Text2[2].Text.get());
  t.Option4[0].Value = true;
  EXPECT_NEAR(ui::Val(f.Text2[2].Text.get()) * 10000, metric, 0.1);  // the readout follows the factor
}

// Keys as the grid hands them over: the user's cell moves raise EnterCell.
struct GridKeys {
  Form10& t;
  void to(int row, int col) { t.MSFlexGrid1.userSelect(row, col); }
  void type(const std::string& s) {
    for (char ch : s) {
      int k = ch;
      t.MSFlexGrid1.raiseKeyPress(k);
    }
  }
  void backspace() {
    int k = 8;
    t.MSFlexGrid1.raiseKeyPress(k);
  }
  void del() {
    int k = 46;
    t.MSFlexGrid1.raiseKeyDown(k, 0);
  }
};

TEST_F(Data, TheStiffnessGridEditedByKeysResolves) {
  Form20& f = start();
  Form10& t = *Form10Form;
  dropAt(1, fraction(0));
  dropAt(2, fraction(0.5));
  dropAt(3, fraction(1));
  dropAt(21, fraction(0.25));
  EXPECT_NEAR(reactions(1).R, 13.0 / 32, 1e-5);
  EXPECT_FALSE(t.MSFlexGrid1.Visible.get());
  EXPECT_FALSE(t.Command20.Visible.get());
  t.Check4.Value = 1;
  ASSERT_EQ(t.MSFlexGrid1.Rows(), 3);
  EXPECT_EQ(t.MSFlexGrid1.TextMatrix(2, 0), "2");
  EXPECT_EQ(t.MSFlexGrid1.TextMatrix(1, 2), "1");
  GridKeys g{t};
  g.to(2, 1);
  g.type("7");
  g.to(1, 2);
  g.backspace();  // the buffer is this cell's, empty: nothing of the other cell comes over
  EXPECT_EQ(t.MSFlexGrid1.TextMatrix(1, 2), "1");
  g.type("5");
  g.backspace();
  g.type("3");
  int enter = 13;
  t.MSFlexGrid1.raiseKeyPress(enter);
  g.to(2, 1);
  g.del();
  g.type("1");
  EXPECT_EQ(t.MSFlexGrid1.TextMatrix(1, 2), "3");
  t.Command20.Value = true;
  EXPECT_EQ(elem(1).I_rel, 3);
  EXPECT_EQ(elem(2).E_rel, 1);
  // Three moments: M_B = 3PL / (16 (1 + I1/I2)), so R_A = P/2 - M_B / L.
  EXPECT_NEAR(reactions(1).R, 0.5 - 3.0 / 64, 1e-5);
  EXPECT_FALSE(t.MSFlexGrid1.Visible.get());
  EXPECT_EQ(t.Check4.Value.get(), 0);
  (void)f;
}

TEST_F(Data, TheGridTakesItsKeysThroughItsWidget) {
  start();
  Form10& t = *Form10Form;
  dropAt(1, fraction(0));
  dropAt(2, fraction(0.5));
  dropAt(3, fraction(1));
  dropAt(21, fraction(0.25));
  t.Check4.Value = 1;
  {
    ui::QtServices qt{"t"};
    t.SSTab1.Tab = 1;
    ui::FormWindow* w = ui::realize(t);
    w->applyGeometry();
    w->show();
    auto* table = qobject_cast<QTableView*>(ui::childHost(t.MSFlexGrid1));
    ASSERT_TRUE(table);
    table->setFocus();
    auto type = [table](int key, quint32 scan, const QString& text) {
      QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, scan, 0, 0, text);
      QApplication::sendEvent(table, &down);
      QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, scan, 0, 0, text);
      QApplication::sendEvent(table, &up);
    };
    t.MSFlexGrid1.setRow(1);
    t.MSFlexGrid1.setCol(1);
    type(Qt::Key_Tab, 23, "\t");  // to the I of element 1
    type(Qt::Key_5, 14, "5");
    type(Qt::Key_Backspace, 22, "\b");
    type(Qt::Key_3, 12, "3");
    type(Qt::Key_Return, 36, "\r");
    type(Qt::Key_Down, 116, "");
    EXPECT_EQ(t.MSFlexGrid1.Row(), 2);
    type(Qt::Key_Backspace, 22, "\b");  // a fresh cell: nothing of the one before comes over
    EXPECT_EQ(t.MSFlexGrid1.TextMatrix(1, 2), "3");
    EXPECT_EQ(t.MSFlexGrid1.TextMatrix(2, 2), "1");
    t.Command20.Value = true;
    ui::settleKeys();
    ui::unrealize(t);
  }
  EXPECT_EQ(elem(1).I_rel, 3);
  EXPECT_NEAR(reactions(1).R, 0.5 - 3.0 / 64, 1e-5);
  EXPECT_EQ(svc.messages.size(), 1u);  // only the beam on its first support alone, none from the grid
}

TEST_F(Data, AZeroFactorIsRefusedWholeAndNegativeOnesKept) {
  start();
  Form10& t = *Form10Form;
  dropAt(1, fraction(0));
  dropAt(2, fraction(0.5));
  dropAt(3, fraction(1));
  dropAt(21, fraction(0.25));
  t.Check4.Value = 1;
  GridKeys g{t};
  g.to(1, 1);
  g.type("-0.5");
  g.to(2, 2);
  g.type(".");  // reads as 0
  t.Command20.Value = true;
  EXPECT_EQ(svc.messages.back(), "ערך אפס אינו אפשרי");
  EXPECT_EQ(elem(1).E_rel, 1);  // nothing of this accept was stored
  EXPECT_EQ(t.MSFlexGrid1.TextMatrix(2, 2), "1");
  EXPECT_TRUE(t.MSFlexGrid1.Visible.get());
  g.to(2, 2);
  g.type("1/2");  // the leading number
  t.Command20.Value = true;
  EXPECT_EQ(elem(1).E_rel, -0.5f);
  EXPECT_EQ(elem(2).I_rel, 1);
}

TEST_F(Data, TheGridFollowsTheElementCount) {
  start();
  Form10& t = *Form10Form;
  simplySupported(2000 + 60 - 285);
  t.Check4.Value = 1;
  ASSERT_EQ(t.MSFlexGrid1.Rows(), 2);
  GridKeys g{t};
  g.to(1, 2);
  g.type("4");
  drop(3, 5000, 1800);  // a third support splits the element while the grid is open
  EXPECT_EQ(t.MSFlexGrid1.Rows(), 3);
  EXPECT_EQ(t.MSFlexGrid1.TextMatrix(1, 2), "1");
  t.Command20.Value = true;
  EXPECT_EQ(elem(1).I_rel, 1);
  EXPECT_EQ(elem(2).I_rel, 1);
}

}  // namespace

namespace {

// The tool window on the screen at its data tab, and the widget of its stiffness grid.
QTableView* stiffnessGridOnScreen(Form10& t) {
  t.SSTab1.Tab = 1;
  ui::realize(t)->show();
  return qobject_cast<QTableView*>(ui::childHost(t.MSFlexGrid1));
}

// In the relative-stiffness grid the element number reads as a heading, apart from the values: on the
// screen the ink of the number and that of the first value of its row stand well apart.
TEST_F(Data, TheStiffnessGridsElementNumberStandsApartFromItsValues) {
  start();
  Form10& t = *Form10Form;
  simplySupported(5000);
  t.Check4.Value = 1;
  ui::QtServices qt{"t"};
  QTableView* table = stiffnessGridOnScreen(t);
  ASSERT_TRUE(table);
  table->clearSelection();  // the current cell's highlight aside, the texts as they read
  table->selectionModel()->clearCurrentIndex();
  const QImage shot = table->grab().toImage();
  const int y0 = table->horizontalHeader()->height(), y1 = y0 + table->rowHeight(0);
  std::vector<int> ink;  // columns holding dark pixels in the first data row
  for (int x = 0; x < shot.width(); ++x)
    for (int y = y0 + 2; y < y1 - 2; ++y)
      if (qGray(shot.pixel(x, y)) < 100) {
        ink.push_back(x);
        break;
      }
  // The texts of the row ("1", its E, its I), each a run of inked columns, and the gaps between them.
  std::vector<int> gaps;
  for (std::size_t i = 1; i < ink.size(); ++i)
    if (ink[i] - ink[i - 1] > 4) gaps.push_back(ink[i] - ink[i - 1]);
  ASSERT_EQ(gaps.size(), 2u) << "three texts";
  for (int gap : gaps) EXPECT_GE(gap, 15) << "each text apart from the next";
  ui::unrealize(t);
}

// The stiffness grid shows the row of every element whole, up to five; more scroll by whole rows.
TEST_F(Data, TheStiffnessGridShowsEveryElementsRowWhole) {
  start();
  Form10& t = *Form10Form;
  simplySupported(5000);
  ui::QtServices qt{"t"};
  QTableView* table = stiffnessGridOnScreen(t);
  ASSERT_TRUE(table);
  for (auto [k, x] : {std::pair{3, 3000}, std::pair{4, 7000}, std::pair{5, 2000}, std::pair{11, 6000}, std::pair{12, 8500}}) {
    dropAt(k, twips(float(x)));
    t.Check4.Value = 0;
    t.Check4.Value = 1;
    QApplication::processEvents();
    const int shown = std::min(int(n_elem), 5);
    ASSERT_EQ(table->model()->rowCount(), int(n_elem));
    EXPECT_GE(table->viewport()->height(), table->rowViewportPosition(shown - 1) + table->rowHeight(shown - 1))
        << n_elem << " elements";
    EXPECT_LE(t.MSFlexGrid1.Top + t.MSFlexGrid1.Height, t.ScaleHeight());
  }
  ui::unrealize(t);
}

// A value box is an ordinary box: every key but Enter edits it, letters and blanks too, whichever box
// of the data tab or the simulation it is; what it holds is judged on Enter.
TEST_F(Data, EveryKeyButEnterEditsAValueBoxAndEnterJudgesTheValue) {
  start();
  simplySupported(5000);
  Form10& t = *Form10Form;
  std::vector<ui::TextBox*> boxes = {&t.Text10, &t.Text13, &t.Text6, &t.Text7, &t.Text2[0], &t.Text2[1], &t.Text2[2],
                                     &t.Text4[0], &t.Text4[1]};
  {
    ui::QtServices qt{"t"};
    t.SSTab1.Tab = 1;
    ui::FormWindow* w = ui::realize(t);
    w->show();
    for (ui::TextBox* b : boxes) {
      b->Text = "";
      auto* edit = qobject_cast<QLineEdit*>(ui::childHost(*b));
      ASSERT_TRUE(edit) << b->Name();
      edit->setFocus();
      for (auto [key, scan, text] : {std::tuple{int(Qt::Key_2), 11u, "2"}, std::tuple{int(Qt::Key_T), 28u, "t"},
                                     std::tuple{int(Qt::Key_Space), 65u, " "}, std::tuple{int(Qt::Key_X), 53u, "X"}}) {
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, scan, 0, 0, QString::fromLatin1(text));
        QApplication::sendEvent(edit, &down);
        QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, scan, 0, 0, QString::fromLatin1(text));
        QApplication::sendEvent(edit, &up);
      }
      EXPECT_EQ(b->Text.get(), "2t X") << b->Name() << (b->Index() >= 0 ? "(" + std::to_string(b->Index()) + ")" : "");
    }
    ui::settleKeys();
    ui::unrealize(t);
  }
  // A box the user did not click into takes no key: turning to the data tab leaves the keys with the
  // tab strip, also when the window is activated.
  {
    ui::QtServices qt{"t"};
    t.SSTab1.Tab = 3;  // as the window starts: the graph properties
    ui::FormWindow* w = ui::realize(t);
    w->show();
    w->activateWindow();
    QApplication::processEvents();
    QWidget* strip = ui::childHost(t.SSTab1);
    const QPoint at = ui::tabRect(t.SSTab1, 1).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QMouseEvent e(type, at, strip->mapToGlobal(at), Qt::LeftButton,
                    type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(strip, &e);
    }
    QApplication::processEvents();
    EXPECT_EQ(t.SSTab1.Tab.get(), 1);
    EXPECT_EQ(qobject_cast<QLineEdit*>(QApplication::focusWidget()), nullptr);
    ui::unrealize(t);
  }
  // Enter: a length that reads as no number is refused with its message and shown as it was.
  t.Text13.Text = "x";
  int k = 13;
  t.Text13.raiseKeyPress(k);
  EXPECT_EQ(k, 0);
  ASSERT_FALSE(svc.messages.empty());
  EXPECT_EQ(svc.messages.back(), "ערך לא בתחום");
  EXPECT_EQ(t.Text13.Text.get(), "1");
  // A position read as 2 from "2t X" is out of the beam.
  const std::size_t before = svc.messages.size();
  enter(t, 0, "2t X");
  ASSERT_EQ(svc.messages.size(), before + 1);
  EXPECT_EQ(svc.messages.back(), "ערך לא בתחום");
}

}  // namespace

