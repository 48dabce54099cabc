#include "truss/solver/Form2.h"

#include <algorithm>
#include <cmath>

#include "truss/solver/cells.h"
#include "truss/solver/solve1.h"
#include "truss/workspace/Form1.h"
#include "ui/services.h"
#include "ui/vbtext.h"

using namespace common1;
using truss::setCell;

namespace {
const char* const kTooFewBars = "מצב זה אינו מסמך - מס כיוניי התנועה גדול ממס האלמנטים";
const char* const kBadEA = "E ו-A חייבים להיות מספרים חיוביים - נשמר הערך הקודם";
const char* const kBadLoad = "ערך הכח אינו מספר תקין - נשמר הערך הקודם";
constexpr int kHourglass = 11;
// The displaced shape is kept within this distance of the canvas, so no pixel is ever out of range.
constexpr float kFarAway = 1e6f;
// The equations are set in a fixed-pitch font, so the transposition mark can stand right after its
// matrix: a character of it is this wide.
constexpr float kEquationChar = 120;
const char* const kEquationFont = "Miriam Mono CLM";

// The internal tables and how many rows and columns they hold: every F_data slot, every support index
// 201..299, every bar and point slot, and every bar end a point can list.
constexpr int kForceRows = 41 + 1, kSupportRows = 99 + 1, kBarRows = 201 + 1, kPointCols = 51 + 1;
constexpr int kDirectionRows = kMaxBarsAtPoint + 2, kDirectionCols = 3 * 51 + 1;

std::string barHeading(int bar) { return "L(" + ui::Str(bar) + " )"; }
std::string truth(bool b) { return b ? "True" : "False"; }

// E and A make a bar's stiffness: only a positive finite number is one.
bool goodEA(float v) { return std::isfinite(v) && v > 0; }

// Empties every cell below the headings (row 0 and column 0, and the rows above `first`).
void clearBody(ui::Grid& g, int first = 1) {
  for (int r = first; r < g.Rows(); ++r)
    for (int c = 1; c < g.Cols(); ++c)
      if (!g.TextMatrix(r, c).empty()) g.setTextMatrix(r, c, "");
}

// The pair of options "one value for all" (0, chosen at first) and "change the values" (1).
void uniformOrEach(ui::ControlArray<ui::OptionButton>& o, float uniformLeft, float eachLeft, float width) {
  o.Load(0);
  o.Load(1);
  o[0].Caption = "ערך אחיד";
  o[1].Caption = "שנה ערכים";
  o[0].Move(uniformLeft, 300, width, 300);
  o[1].Move(eachLeft, 300, width, 300);
  o[0].Value = true;
}
}  // namespace

Form2::Form2() : ui::Form("Form2") {
  Caption = "נתונים ונוסחאות";
  setClientSize(11400, 8400);
  layOut();
  makeFormulas();
  makeTables();
}

void Form2::layOut() {
  const char* const panels[] = {"נוסחאות חישוב", "נתוני תכנות  נוספים", "ללא"};
  const float panelLeft[] = {9480, 7080, 6180}, panelWidth[] = {1800, 2280, 780};
  for (int k = 0; k < 3; ++k) {
    Option3.Load(k);
    Option3[k].Caption = panels[k];
    Option3[k].FontName = "Miriam";
    Option3[k].RightToLeft = true;
    Option3[k].Move(panelLeft[k], 90, panelWidth[k], 300);
  }
  Option3[2].Value = true;
  Option3.Click = [this](int i) { Option3_Click(i); };
  Command3.Caption = "פתור";
  Command1.Caption = "סגור";
  Command3.Move(120, 60, 1300, 360);
  Command1.Move(1540, 60, 1300, 360);
  Command3.Click = [this] { Command3_Click(); };
  Command1.Click = [this] { Command1_Click(); };

  struct Box {
    ui::Frame& frame;
    const char* caption;
    float l, t, w, h;
  };
  const Box boxes[] = {
      {Frame8, "מטריצת הקשיחות  K  ", 120, 480, 5520, 2880},
      {Frame7, "מטריצת הכיוונים  Q  ", 5760, 480, 5520, 2880},
      {Frame6, "מטריצת התזוזות של הצמטים u [במיקרונים]", 120, 3480, 4200, 2100},
      {Frame5, "מטריצת S   ", 4440, 3480, 6840, 1020},
      {Frame4, "   [N]  כוחות במוטות   -  t      ", 4440, 4560, 6840, 1020},
      {Frame3, "מודל האלסטיות E , ושטח חתך A", 3240, 5700, 4920, 2580},
      {Frame2, " מטריצת הכוחות בצמתים P ", 8280, 5700, 3000, 2580},
      {Frame9, "מאמץ מקסימאלי במוט i ", 120, 5700, 3000, 2580},
  };
  for (const Box& b : boxes) {
    b.frame.Caption = b.caption;
    b.frame.Move(b.l, b.t, b.w, b.h);
  }
  auto grid = [](ui::ControlArray<ui::Grid>& a, int index, ui::Frame& on, int rows, int cols) {
    a.LoadIn(index, &on);
    ui::Grid& g = a[index];
    g.Move(90, 240, on.Width - 180, on.Height - 330);
    g.setRows(rows);
    g.setCols(cols);
    g.LeftToRight = true;
  };
  grid(MSFlexGrid1, 10, Frame8, 2, 2);
  grid(MSFlexGrid1, 6, Frame7, 2, 2);
  grid(MSFlexGrid1, 11, Frame6, 2, 2);
  grid(MSFlexGrid1, 8, Frame5, 2, 2);
  grid(MSFlexGrid1, 12, Frame4, 2, 2);
  grid(MSFlexGrid2, 9, Frame3, 3, 2);
  grid(MSFlexGrid2, 7, Frame2, 2, 2);
  MSFlexGrid2[9].Move(120, 700, 4680, 1260);
  MSFlexGrid2[7].Move(120, 700, 2760, 1260);
  MSFlexGrid2[9].setTextMatrix(1, 0, "E=");
  MSFlexGrid2[9].setTextMatrix(2, 0, "A=");
  MSFlexGrid2[9].Visible = false;
  MSFlexGrid2[7].Visible = false;
  MSFlexGrid2.EnterCell = [this](int i) { MSFlexGrid2_EnterCell(i); };
  MSFlexGrid2.KeyDown = [this](int i, int& k, int s) { MSFlexGrid2_KeyDown(i, k, s); };
  MSFlexGrid2.KeyPress = [this](int i, int& k) { MSFlexGrid2_KeyPress(i, k); };

  // E and A.
  uniformOrEach(Option1, 2880, 960, 1800);
  Option1.Click = [this](int i) { Option1_Click(i); };
  const char* const units[] = {"Gpa", "mm^2"};
  const char* const start[] = {"210", "1000"};
  for (int k = 0; k < 2; ++k) {
    Text2.Load(k);
    Text2[k].Text = start[k];
    Text2[k].Move(1800, 800 + float(k) * 480, 1500, 300);
    LabelUnit.Load(k);
    LabelUnit[k].Caption = units[k];
    LabelUnit[k].Move(3420, 830 + float(k) * 480, 700, 240);
  }
  Command6.Caption = "אשר שינוי";
  Command6.Move(1680, 2060, 1560, 380);
  Command6.Click = [this] { Command6_Click(); };

  // Loads.
  uniformOrEach(Option2, 1560, 120, 1380);
  Option2.Click = [this](int i) { Option2_Click(i); };
  Text3.Text = "1000";
  Text3.Move(840, 800, 1300, 300);
  LabelN.Caption = "N";
  LabelN.Move(2220, 830, 400, 240);
  Command5.Caption = "אשר שינוי";
  Command5.Move(720, 2060, 1560, 380);
  Command5.Click = [this] { Command5_Click(); };

  // The largest stress.
  Text4.Load(0);
  Text4.Load(1);
  LabelSigma.Caption = "Sigma=";
  LabelIndex.Caption = "L(index)";
  Text4[0].Move(120, 500, 1700, 300);
  Text4[1].Move(120, 1100, 1700, 300);
  LabelSigma.Move(1920, 530, 1000, 240);
  LabelIndex.Move(1920, 1130, 1000, 240);

  for (ui::Control* c : allControls()) c->FontName = "Miriam";
}

void Form2::makeFormulas() {
  ui::Frame& panel = Frame1[0];
  panel.Caption = "נוסחאות (מטריצות)";
  panel.Move(120, 480, 11160, 5100);
  panel.Visible = false;
  int next = 0;
  auto text = [&](ui::Control* on, const char* caption, float l, float t, float w, bool hebrew) -> ui::Label& {
    LabelFormula.LoadIn(next, on);
    ui::Label& lab = LabelFormula[next++];
    lab.Caption = caption;
    lab.Move(l, t, w, 300);
    lab.FontName = hebrew ? "Miriam" : kEquationFont;
    lab.FontSize = hebrew ? 0.0f : 10.0f;
    lab.RightToLeft = hebrew;
    lab.Alignment = hebrew ? 1 : 0;
    lab.WordWrap = false;
    return lab;
  };
  // An equation with the transposition mark after its first `marked` characters (0: none).
  auto equation = [&](ui::Control* on, const char* eq, int marked, float l, float t) {
    text(on, eq, l, t, 3600, false);
    if (marked > 0) {
      ui::Label& mark = text(on, "T", l + float(marked) * kEquationChar - 15, t - 120, 240, false);
      mark.FontSize = 7.0f;
    }
  };
  struct Step {
    const char* number;
    const char* what;
    const char* eq;
    int marked;
    const char* size;
  };
  const Step steps[] = {
      {"1.", "חישוב S", "s(i,i)=(E(i)*A(i))/L(i)", 0, ""},
      {"2.", "חישוב K", "[Q][S][Q]=[K]", 9, " [n x m] [m x m] [m x n]   [n x n]"},
      {"3.", "פתרון מערכת משוואות  למציאת u", "[K][u]=[P]", 0, " [n x n] [n x 1]    [n x 1]"},
      {"4.", "חישוב t", "[S][Q][u]=[t]", 6, " [m x m] [m x n] [n x 1]   [m x 1]"},
      {"5.", "חישוב S לכל אלמנט", "sigma(i)=t(i)/A(i)", 0, ""},
      {"6.", "חישוב התארכות אלמנטים  - אופציונאלי", "[Q][u]=[e]", 3, "  [m x n] [n x 1]    [m x 1]"},
  };
  for (int k = 0; k < 6; ++k) {
    const Step& s = steps[k];
    const float y = 420 + float(k) * 520;
    text(&panel, s.number, 10500, y, 480, true);
    text(&panel, s.what, 7320, y, 3120, true);
    equation(&panel, s.eq, s.marked, 4200, y);
    if (*s.size) text(&panel, s.size, 120, y, 3900, false).FontSize = 8.0f;
  }
  text(&panel, "n  -  מספר דרגות החופש   ", 6960, 3720, 3960, true);
  text(&panel, "m  -  מספר האלמנטים        ", 6960, 4080, 3960, true);
  text(&panel, "הסבר לדרך הפתרון בצורה מפורטת - ראה ניספח תאורטי", 5400, 4620, 5520, true);
  FrameCase.Caption = " פתרון אפשרי למקרה מסויים ";
  FrameCase.FontName = "Miriam";
  FrameCase.Move(120, 3600, 6480, 1080);
  equation(&FrameCase, "[Q][t]=[P]", 0, 4080, 480);
  text(&FrameCase, "  [ n x m] [ m x1]   [ n x 1]", 120, 480, 3840, false).FontSize = 8.0f;
}

void Form2::makeTables() {
  ui::Frame& panel = Frame1[1];
  panel.Caption = "נתוני חישוב";
  panel.Move(120, 480, 11160, 5100);
  panel.Visible = false;
  struct Table {
    int index;
    const char* heading;
    float l, t, w, h;
    int rows, cols;
  };
  const Table tables[] = {
      {0, "P_L_index", 480, 780, 3300, 1800, kBarRows, kPointCols},
      {1, "F_data", 3900, 540, 3000, 2040, kForceRows, 4},
      {2, "R_data", 7020, 540, 3000, 2040, kSupportRows, 4},
      {3, "P_data", 120, 2880, 3600, 2100, 7, kPointCols},
      {4, "Line", 3840, 2880, 3600, 2100, 5, kBarRows},
      {5, "כיוונים", 7560, 2880, 3480, 2100, kDirectionRows, kDirectionCols},
  };
  for (const Table& t : tables) {
    MSFlexGrid1.LoadIn(t.index, &panel);
    ui::Grid& g = MSFlexGrid1[t.index];
    g.Move(t.l, t.t, t.w, t.h);
    g.setRows(t.rows);
    g.setCols(t.cols);
    g.LeftToRight = true;
    LabelTable.LoadIn(t.index, &panel);
    LabelTable[t.index].Caption = t.heading;
    LabelTable[t.index].Move(t.l, t.t - 270, 1500, 240);
  }
  LabelTable[0].Move(120, 270, 1500, 240);
  LabelTable.LoadIn(6, &panel);
  LabelTable[6].Caption = "נקודות";
  LabelTable[6].Move(1680, 510, 1200, 240);
  LabelTable.LoadIn(7, &panel);
  LabelTable[7].Caption = "קו";
  LabelTable[7].Move(120, 1560, 330, 240);
  Command2.Caption = "עדכן";
  Command2.Move(10140, 540, 900, 420);
  Command2.Click = [this] { Command2_Click(); };
  LabelTable.forEach([](int, ui::Label& l) { l.FontName = "Miriam"; });
}

void Form2::Form_Load() {
  // Beside the main window, or over its right-hand part where the screen has no room beside it: the
  // truss grows from the bottom left of the canvas.
  const float sw = ui::services().screenWidthTwips(), sh = ui::services().screenHeightTwips();
  float left = 0, top = 0;
  if (Form1Form.exists()) {
    const Form1& f = *Form1Form;
    left = f.Left + f.Width;
    top = f.Top;
  }
  if (left + Width > sw) left = sw - Width;
  if (top + Height > sh) top = sh - Height;
  Move(std::max(0.0f, left), std::max(0.0f, top));

  // Choosing the option shows its box or grid; the other of the pair goes off with it.
  Option2[option_state(2) != 0 ? 1 : 0].Value = true;
  Option1[option_state(1) != 0 ? 1 : 0].Value = true;
  Text2[0].Text = ui::CStr(uniform_values(1));
  Text2[1].Text = ui::CStr(uniform_values(2));
  Text3.Text = ui::CStr(uniform_values(3));
  sizeEditGrids(true);
}

void Form2::Command1_Click() { Hide(); }

void Form2::Form_Unload(int& Cancel) {
  if (Form1Form.exists()) Form1Form->dd2.Checked = false;
}

void Form2::Option1_Click(int Index) {
  option_state(1) = Option1[1].Value.get() ? -1 : 0;
  const bool uniform = Option1[0].Value.get();
  MSFlexGrid2[9].Visible = !uniform;
  for (int k = 0; k < 2; ++k) {
    Text2[k].Visible = uniform;
    LabelUnit[k].Visible = uniform;
  }
  if (!uniform) sizeEditGrids(true);
}

void Form2::Option2_Click(int Index) {
  option_state(2) = Option2[1].Value.get() ? -1 : 0;
  const bool uniform = Option2[0].Value.get();
  MSFlexGrid2[7].Visible = !uniform;
  Text3.Visible = uniform;
  LabelN.Visible = uniform;
  if (!uniform) sizeEditGrids(true);
}

void Form2::Option3_Click(int Index) {
  Frame1[0].Visible = Option3[0].Value.get();
  Frame1[1].Visible = Option3[1].Value.get();
}

std::string Form2::dofLabel(int i) {
  const dof_rec& d = dof_list(i);
  return "Point(" + ui::Str(int(d.point)) + " )" + (d.is_x == -1 ? "[x]" : "[y]");
}

void Form2::sizeEditGrids(bool refill) {
  ui::Grid& ea = MSFlexGrid2[9];
  const int before = refill ? 1 : ea.Cols();
  ea.setCols(lines_count + 1);
  for (int j = 1; j <= lines_count; ++j) {
    ea.setTextMatrix(0, j, barHeading(j - 1));
    if (j < before) continue;
    ea.setTextMatrix(1, j, ui::finiteCStr(line_E(j - 1)));
    ea.setTextMatrix(2, j, ui::finiteCStr(line_A(j - 1)));
  }
  ui::Grid& p = MSFlexGrid2[7];
  const int rows = refill ? 1 : p.Rows();
  const int n = std::clamp(int(dof_count), 0, 100);
  p.setRows(n + 1);
  p.setTextMatrix(0, 1, "P");
  // A load belongs to a direction number, so each row says which point and axis that number is now.
  for (int i = 1; i <= n; ++i) {
    p.setTextMatrix(i, 0, dofLabel(i));
    if (i >= rows) p.setTextMatrix(i, 1, ui::finiteCStr(f_value(i)));
  }
  // The current cell is one that can be typed in.
  for (ui::Grid* g : {&ea, &p}) {
    if (g->Row() < 1 && g->Rows() > 1) g->setRow(1);
    if (g->Col() < 1 && g->Cols() > 1) g->setCol(1);
    truss::fitColumns(*g);
  }
}

void Form2::Command6_Click() {
  const auto E0 = line_E, A0 = line_A;
  bool refused = false;
  const float E = float(ui::Val(Text2[0].Text.get())), A = float(ui::Val(Text2[1].Text.get()));
  const bool uniform = Option1[0].Value.get();
  option_state(1) = Option1[1].Value.get() ? -1 : 0;
  if (goodEA(E)) uniform_values(1) = E;
  if (goodEA(A)) uniform_values(2) = A;
  if (uniform) {
    refused = !goodEA(E) || !goodEA(A);
    for (int j = 0; j <= 200; ++j) {
      if (goodEA(E)) line_E(j) = E;
      if (goodEA(A)) line_A(j) = A;
    }
    Text2[0].Text = ui::CStr(uniform_values(1));
    Text2[1].Text = ui::CStr(uniform_values(2));
    sizeEditGrids(true);
  } else {
    sizeEditGrids(false);
    ui::Grid& g = MSFlexGrid2[9];
    for (int j = 1; j <= lines_count; ++j) {
      const float e = float(ui::Val(g.TextMatrix(1, j))), a = float(ui::Val(g.TextMatrix(2, j)));
      if (goodEA(e)) line_E(j - 1) = e; else refused = true;
      if (goodEA(a)) line_A(j - 1) = a; else refused = true;
      g.setTextMatrix(1, j, ui::finiteCStr(line_E(j - 1)));
      g.setTextMatrix(2, j, ui::finiteCStr(line_A(j - 1)));
    }
    truss::fitColumns(g);
  }
  // Other bars make the solution on the canvas one of another truss.
  if (!std::equal(E0.begin(), E0.end(), line_E.begin()) || !std::equal(A0.begin(), A0.end(), line_A.begin()))
    Form1Form->resultsGone();
  if (refused) ui::MsgBox(kBadEA);
}

void Form2::Command5_Click() {
  const auto f0 = f_value;
  bool refused = false;
  const float typed = float(ui::Val(Text3.Text.get()));
  ui::Grid& g = MSFlexGrid2[7];
  sizeEditGrids(false);
  g.setCol(1);
  const int n = g.Rows() - 1;
  if (Option2[0].Value.get()) {
    if (std::isfinite(typed)) {
      uniform_values(3) = typed;
      for (int i = 1; i <= 200; ++i) f_value(i) = std::fabs(typed);
    } else {
      refused = true;
    }
    Text3.Text = ui::CStr(uniform_values(3));
  } else {
    for (int i = 1; i <= n; ++i) {
      const float v = float(ui::Val(g.TextMatrix(i, 1)));
      if (std::isfinite(v)) f_value(i) = std::fabs(v); else refused = true;
    }
  }
  for (int i = 1; i <= n; ++i) g.setTextMatrix(i, 1, ui::finiteCStr(f_value(i)));
  truss::fitColumns(g);
  // Other loads make the solution on the canvas one of another truss.
  if (!std::equal(f0.begin(), f0.end(), f_value.begin())) Form1Form->resultsGone();
  if (refused) ui::MsgBox(kBadLoad);
}

// ---- in-cell editing ----

void Form2::MSFlexGrid2_EnterCell(int Index) { cell_typing.enterCell(MSFlexGrid2[Index]); }

void Form2::MSFlexGrid2_KeyDown(int Index, int& KeyCode, int Shift) { cell_typing.keyDown(MSFlexGrid2[Index], KeyCode); }

void Form2::MSFlexGrid2_KeyPress(int Index, int& KeyAscii) { cell_typing.keyPress(MSFlexGrid2[Index], KeyAscii); }

// ---- the internal tables ----

void Form2::text_start() {
  ui::Grid& f = MSFlexGrid1[1];
  ui::Grid& r = MSFlexGrid1[2];
  const char* const recHeads[] = {"Enabled", "point_index", "type_f"};
  for (int c = 1; c <= 3; ++c) {
    f.setTextMatrix(0, c, recHeads[c - 1]);
    r.setTextMatrix(0, c, recHeads[c - 1]);
  }
  for (int k = 0; k <= 40; ++k) f.setTextMatrix(k + 1, 0, ui::CStr(k));
  for (int k = 0; k < kSupportRows - 1; ++k) r.setTextMatrix(k + 1, 0, ui::CStr(k));
  ui::Grid& pl = MSFlexGrid1[0];
  for (int l = 0; l <= 200; ++l) pl.setTextMatrix(l + 1, 0, ui::CStr(l));
  for (int p = 0; p <= 50; ++p) pl.setTextMatrix(0, p + 1, ui::CStr(p));
  ui::Grid& line = MSFlexGrid1[4];
  const char* const ends[] = {"X1", "Y1", "X2", "Y2"};
  for (int k = 1; k <= 4; ++k) line.setTextMatrix(k, 0, ends[k - 1]);
  for (int l = 0; l <= 200; ++l) line.setTextMatrix(0, l + 1, ui::CStr(l));
  ui::Grid& pd = MSFlexGrid1[3];
  const char* const fields[] = {"R_type", "F_type_x", "F_type_y", "x", "y", "Enabeld"};
  for (int k = 1; k <= 6; ++k) pd.setTextMatrix(k, 0, fields[k - 1]);
  for (int p = 0; p <= 50; ++p) pd.setTextMatrix(0, p + 1, ui::CStr(p));
  ui::Grid& dir = MSFlexGrid1[5];
  const char* const slot[] = {"line(index)", "dir_x", "dir_y"};
  for (int p = 0; p <= 50; ++p) {
    dir.setTextMatrix(0, 3 * p + 1, "P(" + ui::Str(p) + ")");
    for (int k = 0; k < 3; ++k) dir.setTextMatrix(1, 3 * p + 1 + k, slot[k]);
  }
  for (int s = 1; s <= kMaxBarsAtPoint; ++s) dir.setTextMatrix(s + 1, 0, ui::CStr(s));
  for (int t = 0; t <= 5; ++t) truss::fitColumns(MSFlexGrid1[t], 480);
}

void Form2::Command2_Click() {
  // Every table is written whole, so nothing of a deleted element stays in it.
  // The directions table has a second heading row, naming the three fields of each bar end.
  for (int t = 0; t <= 5; ++t) clearBody(MSFlexGrid1[t], t == 5 ? 2 : 1);
  ui::Grid& pl = MSFlexGrid1[0];
  for (int p = 0; p < points_count && p <= 50; ++p)
    for (int l = 0; l < lines_count && l <= 200; ++l)
      if (P_L_index(l, p, 0) == -1) pl.setTextMatrix(l + 1, p + 1, "1");
  ui::Grid& f = MSFlexGrid1[1];
  for (int k = 0; k < forces_count && k <= 40; ++k) {
    f.setTextMatrix(k + 1, 1, truth(F_data(k).Enabled));
    f.setTextMatrix(k + 1, 2, ui::CStr(int(F_data(k).point_index)));
    f.setTextMatrix(k + 1, 3, ui::CStr(int(F_data(k).type_f)));
  }
  ui::Grid& r = MSFlexGrid1[2];
  for (int s = 201; s < supports_count && s <= 299; ++s) {
    r.setTextMatrix(s - 200, 1, truth(R_data(s).Enabled));
    r.setTextMatrix(s - 200, 2, ui::CStr(int(R_data(s).point_index)));
    r.setTextMatrix(s - 200, 3, ui::CStr(int(R_data(s).type_f)));
  }
  ui::Grid& line = MSFlexGrid1[4];
  if (Form1Form.exists()) {
    Form1& m = *Form1Form;
    for (int l = 0; l < lines_count && l <= 200; ++l) {
      if (!m.Line1.exists(l)) continue;
      const ui::LineControl& b = m.Line1[l];
      line.setTextMatrix(1, l + 1, ui::Str(b.X1.get()));
      line.setTextMatrix(2, l + 1, ui::Str(b.Y1.get()));
      line.setTextMatrix(3, l + 1, ui::Str(b.X2.get()));
      line.setTextMatrix(4, l + 1, ui::Str(b.Y2.get()));
    }
  }
  ui::Grid& pd = MSFlexGrid1[3];
  ui::Grid& dir = MSFlexGrid1[5];
  for (int p = 0; p < points_count && p <= 50; ++p) {
    const point_rec& pt = P_data(p);
    pd.setTextMatrix(1, p + 1, ui::CStr(int(pt.R_type)));
    pd.setTextMatrix(2, p + 1, ui::CStr(int(pt.F_type_x)));
    pd.setTextMatrix(3, p + 1, ui::CStr(int(pt.F_type_y)));
    pd.setTextMatrix(4, p + 1, ui::CStr(pt.x));
    pd.setTextMatrix(5, p + 1, ui::CStr(pt.y));
    pd.setTextMatrix(6, p + 1, truth(pt.Enabled));
    for (int s = 1; s <= pt.slots_used && pt.line_slot.contains(s); ++s) {
      const line_slot_rec& e = pt.line_slot(s);
      dir.setTextMatrix(s + 1, 3 * p + 1, ui::CStr(int(e.line)));
      dir.setTextMatrix(s + 1, 3 * p + 2, ui::finiteCStr(e.dir_x));
      dir.setTextMatrix(s + 1, 3 * p + 3, ui::finiteCStr(e.dir_y));
    }
  }
  for (int t = 0; t <= 5; ++t) truss::fitColumns(MSFlexGrid1[t], 480);
}

// ---- the solve ----

void Form2::sizeGrids(int n, bool whole) {
  const int bars = lines_count;
  MSFlexGrid1[6].setRows(n + 1);
  MSFlexGrid1[6].setCols(bars + 1);
  MSFlexGrid1[8].setCols(bars + 1);
  MSFlexGrid1[11].setRows(n + 1);
  MSFlexGrid1[11].setCols(2);
  MSFlexGrid1[10].setRows(n + 1);
  MSFlexGrid1[10].setCols(n + 1);
  MSFlexGrid1[12].setRows(2);
  MSFlexGrid1[12].setCols(bars + 1);
  // What an earlier solve wrote may belong to other directions or bars.
  for (int g : {6, 8, 10, 11, 12})
    if (!whole || g == 11 || g == 12) clearBody(MSFlexGrid1[g]);
  sizeEditGrids(false);
}

void Form2::Command3_Click() {
  Load();
  Form1& f = *Form1Form;
  f.MousePointer = kHourglass;
  // A bar still waiting for its second end is not part of the truss.
  f.cancel_bar();
  // Choosing the point mode clears every highlight, also when it is chosen already.
  if (f.Option3[1].Value.get())
    f.Option3_Click(1);
  else
    f.Option3[1].Value = true;
  max_sigma = 0;
  point_lines();

  int n = 0;
  for (int p = 0; p < points_count && p <= 50; ++p) {
    const point_rec& pt = P_data(p);
    if (!pt.Enabled) continue;
    auto add = [&](bool x) {
      if (!dof_list.contains(n + 1)) return;
      ++n;
      dof_list(n) = dof_rec{int16_t(p), int16_t(x ? -1 : 0), int16_t(x ? 0 : -1)};
    };
    if (pt.R_type == 0) {
      add(true);
      add(false);
    } else if (pt.R_type == 2) {
      add(true);
    } else if (pt.R_type == 3) {
      add(false);
    }
  }
  dof_count = int16_t(n);

  int m = 0;
  for (int j = 0; j < lines_count; ++j)
    if (f.Line1.exists(j) && f.Line1[j].Visible.get()) ++m;
  if (m < n) {
    // The directions are numbered anew: nothing solved with the old numbering may still show.
    clearResult(n);
    if (f.dd2.Checked.get()) sizeGrids(n);
    ui::MsgBox(kTooFewBars);
    f.MousePointer = ui::vbDefault;
    return;
  }
  const bool grids = f.dd2.Checked.get();
  const bool solving = m != 0 && n != 0;
  if (grids) sizeGrids(n, solving);

  if (solving) {
    const int bars = lines_count;
    ui::DynArray2<float> Q, SQ;
    ui::DynArray<float> P, S;
    Q.ReDim(1, n, 1, bars);
    P.ReDim(1, n);
    S.ReDim(1, bars);
    SQ.ReDim(1, bars, 1, n);
    for (int i = 1; i <= n; ++i) {
      const point_rec& pt = P_data(dof_list(i).point);
      for (int s = 1; s <= pt.slots_used && pt.line_slot.contains(s); ++s) {
        const line_slot_rec& slot = pt.line_slot(s);
        if (!Q.contains(i, slot.line + 1)) continue;
        if (dof_list(i).is_x == -1)
          Q(i, slot.line + 1) = slot.dir_x;
        else if (dof_list(i).is_y == -1)
          Q(i, slot.line + 1) = slot.dir_y;
      }
    }
    for (int i = 1; i <= n; ++i) {
      const point_rec& pt = P_data(dof_list(i).point);
      if (dof_list(i).is_x == -1)
        P(i) = float(pt.F_type_x) * f_value(i);
      else if (dof_list(i).is_y == -1)
        P(i) = float(pt.F_type_y) * f_value(i);
      if (grids) setCell(MSFlexGrid2[7], i, 1, ui::finiteCStr(P(i)));
    }
    for (int j = 1; j <= bars; ++j) {
      const ui::LineControl& line = f.Line1[j - 1];
      if (line.Visible.get()) {
        const double dx = double(line.X1) - double(line.X2), dy = double(line.Y1) - double(line.Y2);
        const float L = float(std::sqrt(dx * dx + dy * dy));
        const double EA = double(line_E(j - 1)) * double(line_A(j - 1));
        // A bar whose ends coincide has neither a direction nor a stiffness.
        const float s = L > 0 ? float(EA / (double(L) * double(scale_mm))) : 0.0f;
        S(j) = std::isfinite(s) ? s : 0.0f;
      } else {
        S(j) = 0;
      }
      if (grids) {
        ui::Grid& q_grid = MSFlexGrid1[6];
        for (int i = 1; i <= n; ++i) setCell(q_grid, i, j, ui::finiteCStr(Q(i, j)));
        setCell(MSFlexGrid1[8], 1, j, ui::finiteCStr(S(j)));
        setCell(MSFlexGrid1[8], 0, j, barHeading(j - 1));
        setCell(MSFlexGrid2[9], 0, j, barHeading(j - 1));
        setCell(MSFlexGrid2[9], 1, j, ui::finiteCStr(line_E(j - 1)));
        setCell(MSFlexGrid2[9], 2, j, ui::finiteCStr(line_A(j - 1)));
        setCell(MSFlexGrid1[12], 0, j, barHeading(j - 1));
      }
    }
    // Q is zero but where a bar ends at the point of a free direction, and so is S Q^T.
    for (int i = 1; i <= n; ++i) {
      const point_rec& pt = P_data(dof_list(i).point);
      for (int s = 1; s <= pt.slots_used && pt.line_slot.contains(s); ++s) {
        const int j = pt.line_slot(s).line + 1;
        if (Q.contains(i, j)) SQ(j, i) = Q(i, j) * S(j);
      }
    }
    if (solve1::mat_mult(Q, SQ, P, 1)) {
      ui::DynArray2<float> u;
      u.ReDim(1, n, 1, 1);
      for (int i = 1; i <= n; ++i) u(i, 1) = dof_u(i, 1);
      solve1::mat_mult(SQ, u, P, 2);
      if (f.dd3.Checked.get()) line_dx_dy();
      if (f.dd4.Checked.get()) t_output();
      // Without the colouring the forces still belong in their grid.
      if (grids && !f.dd4.Checked.get())
        for (int j = 0; j < lines_count; ++j) setCell(MSFlexGrid1[12], 1, j + 1, ui::finiteCStr(line_t(j)));
    } else {
      clearResult(n);
    }
    Text4[0].Text = ui::Str(max_sigma);
    Text4[1].Text = ui::Str(int(max_sigma_line));
    if (grids) {
      for (int i = 1; i <= n; ++i) {
        if (P_data(dof_list(i).point).slots_used == 0) continue;
        const std::string label = dofLabel(i);
        setCell(MSFlexGrid1[6], i, 0, label);
        setCell(MSFlexGrid2[7], i, 0, label);
        setCell(MSFlexGrid1[11], i, 0, label);
      }
      for (int j = 1; j <= bars; ++j) setCell(MSFlexGrid1[6], 0, j, barHeading(j - 1));
    }
  }
  if (grids) {
    for (int g : {6, 8, 10, 11, 12}) truss::fitColumns(MSFlexGrid1[g]);
    truss::fitColumns(MSFlexGrid2[7]);
    truss::fitColumns(MSFlexGrid2[9]);
  }
  f.MousePointer = ui::vbDefault;
}

void Form2::clearResult(int n) {
  Form1& f = *Form1Form;
  dof_u.fill(0);
  for (int j = 0; j <= 200; ++j) line_t(j) = 0;
  max_sigma = 0;
  max_sigma_line = 0;
  f.Picture1.Cls();
  for (int j = 0; j < lines_count; ++j) f.Line1[j].BorderColor = ui::RGB(0, 0, 0);
  emptyResult(n);
}

void Form2::emptyResult(int n) {
  if (Form1Form->dd2.Checked.get()) {
    for (int i = 1; i <= n && i < MSFlexGrid1[11].Rows(); ++i) setCell(MSFlexGrid1[11], i, 1, "");
    for (int j = 0; j < lines_count && j + 1 < MSFlexGrid1[12].Cols(); ++j) setCell(MSFlexGrid1[12], 1, j + 1, "0");
  }
  Text4[0].Text = ui::Str(max_sigma);
  Text4[1].Text = ui::Str(int(max_sigma_line));
}

// The model keeps the last results (New and the colours by sign rely on them); only what shows them
// as this truss's goes.
void Form2::forget_result() {
  emptyResult(MSFlexGrid1[11].Rows() - 1);
  Text4[0].Text = "";
  Text4[1].Text = "";
}

void Form2::line_dx_dy() {
  Form1& f = *Form1Form;
  f.Picture1.Cls();
  ui::DynArray2<float> shape_xy;
  shape_xy.ReDim(0, points_count, 1, 2);
  // Every point starts where it stands, so a point the last solve did not number stays in place.
  for (int p = 0; p <= points_count && p <= 50; ++p) {
    shape_xy(p, 1) = P_data(p).x;
    shape_xy(p, 2) = P_data(p).y;
  }
  const float k = float(f.Slider2.Value.get());
  auto d = [&](int i) { return dof_u.contains(i, 1) ? dof_u(i, 1) * k / 1000 : 0.0f; };
  for (int i = 1; i <= dof_count && dof_list.contains(i); ++i) {
    const dof_rec& e = dof_list(i);
    if (!shape_xy.contains(e.point, 1)) continue;
    const point_rec& p = P_data(e.point);
    const float xs = float(ui::RoundHalfEven(p.x)), ys = float(ui::RoundHalfEven(p.y));
    if (p.R_type != 0) {
      if (e.is_x == -1) {
        shape_xy(e.point, 1) = xs + d(i);
        shape_xy(e.point, 2) = ys;
      } else if (e.is_y == -1) {
        shape_xy(e.point, 1) = xs;
        shape_xy(e.point, 2) = ys - d(i);
      }
    } else if (e.is_x == -1) {
      shape_xy(e.point, 1) = xs + d(i);
      shape_xy(e.point, 2) = ys - d(i + 1);
      ++i;
    }
  }
  for (int p = 0; p < points_count && p <= 50; ++p) {
    if (P_data(p).R_type == 1 && P_data(p).Enabled) {
      shape_xy(p, 1) = P_data(p).x;
      shape_xy(p, 2) = P_data(p).y;
    }
  }
  auto fit = [](float v) { return std::isfinite(v) ? std::clamp(v, -kFarAway, kFarAway) : 0.0f; };
  for (int l = 0; l < lines_count; ++l) {
    if (!f.Line1.exists(l) || !f.Line1[l].Visible.get()) continue;
    int a = -1, b = -1;
    for (int p = 0; p < points_count && p <= 50; ++p) {
      if (P_L_index(l, p, 0) != -1) continue;
      if (a < 0) {
        a = p;
      } else {
        b = p;
        break;
      }
    }
    if (a < 0 || b < 0) continue;
    f.Picture1.Line(fit(shape_xy(a, 1)), fit(shape_xy(a, 2)), fit(shape_xy(b, 1)), fit(shape_xy(b, 2)),
                    ui::RGB(0, 0, 255));
  }
}

void Form2::t_output() {
  Form1& f = *Form1Form;
  const bool grids = f.dd2.Checked.get();
  for (int j = 0; j < lines_count; ++j) {
    if (grids) setCell(MSFlexGrid1[12], 1, j + 1, ui::finiteCStr(line_t(j)));
    ui::LineControl& line = f.Line1[j];
    if (!line.Visible.get()) continue;
    if (max_sigma == 0) {
      line.BorderColor = ui::RGB(255, 255, 255);
      continue;
    }
    float reference;
    if (f.Option1[0].Value.get()) {
      reference = std::fabs(max_sigma);
    } else {
      const int li = f.Combo2.ListIndex;
      reference = li != 0 ? float(li) * 100 : 10;
    }
    const float x = std::fabs(line_t(j) / (reference * line_A(j)));
    // A stress that cannot be computed (a bar without area) leaves the bar uncoloured.
    line.BorderColor = std::isfinite(x) ? ui::RGB(color_r(x), color_g(x), color_b(x)) : ui::RGB(0, 0, 0);
  }
}
