#include "truss/solver/Form2.h"

#include <algorithm>

#include "truss/solver/cells.h"
#include "truss/workspace/Form1.h"
#include "ui/services.h"
#include "ui/vbtext.h"

using namespace common1;

namespace {
// The equations are set in a fixed-pitch font, so the transposition mark can stand right after its
// matrix: a character of it is this wide.
constexpr float kEquationChar = 120;
const char* const kEquationFont = "Miriam Mono CLM";

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
  lay_out();
  make_formulas();
  make_tables();
}

void Form2::lay_out() {
  const char* const panels[] = {"נוסחאות חישוב", "נתוני תכנות  נוספים", "ללא"};
  const float panelLeft[] = {9480, 7080, 6180}, panelWidth[] = {1800, 2280, 780};
  for (int k = 0; k < 3; ++k) {
    Option3.Load(k);
    Option3[k].Caption = panels[k];
    Option3[k].FontName = "Miriam";
    Option3[k].RightToLeft = true;
    Option3[k].Move(panelLeft[k], 90, panelWidth[k], 300);
  }
  Option3[kNoPanel].Value = true;
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
      {Frame8, "מטריצת הקשיחות  K  ", 120, 480, 5520, 2700},
      {Frame7, "מטריצת הכיוונים  Q  ", 5760, 480, 5520, 2700},
      {Frame6, "מטריצת התזוזות של הצמטים u [במיקרונים]", 120, 3300, 4200, 2340},
      // S and t have one row each, under their heading row and over a scroll bar.
      {Frame5, "מטריצת S   ", 4440, 3300, 6840, 1140},
      {Frame4, "   [N]  כוחות במוטות   -  t      ", 4440, 4500, 6840, 1140},
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
    g.Move(90, 210, on.Width - 180, on.Height - 300);
    g.setRows(rows);
    g.setCols(cols);
    g.LeftToRight = true;
  };
  grid(MSFlexGrid1, kKGrid, Frame8, 2, 2);
  grid(MSFlexGrid1, kQGrid, Frame7, 2, 2);
  grid(MSFlexGrid1, kUGrid, Frame6, 2, 2);
  grid(MSFlexGrid1, kSGrid, Frame5, 2, 2);
  grid(MSFlexGrid1, kTGrid, Frame4, 2, 2);
  grid(MSFlexGrid2, kEAGrid, Frame3, 3, 2);
  grid(MSFlexGrid2, kPGrid, Frame2, 2, 2);
  MSFlexGrid2[kEAGrid].Move(120, 700, 4680, 1260);
  MSFlexGrid2[kPGrid].Move(120, 700, 2760, 1260);
  MSFlexGrid2[kEAGrid].setTextMatrix(1, 0, "E=");
  MSFlexGrid2[kEAGrid].setTextMatrix(2, 0, "A=");
  MSFlexGrid2[kEAGrid].Visible = false;
  MSFlexGrid2[kPGrid].Visible = false;
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

void Form2::make_formulas() {
  ui::Frame& panel = Frame1[0];
  panel.Caption = "נוסחאות (מטריצות)";
  panel.Move(120, 480, 11160, kPanelHeight);
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
  // The note stands below the box, clear of its border.
  text(&panel, "הסבר לדרך הפתרון בצורה מפורטת - ראה ניספח תאורטי", 5400, 4740, 5520, true);
  FrameCase.Caption = " פתרון אפשרי למקרה מסויים ";
  FrameCase.FontName = "Miriam";
  FrameCase.Move(120, 3600, 6480, 960);
  equation(&FrameCase, "[Q][t]=[P]", 0, 4080, 480);
  text(&FrameCase, "  [ n x m] [ m x1]   [ n x 1]", 120, 480, 3840, false).FontSize = 8.0f;
}

void Form2::Form_Load() {
  // The main window places this window at its first showing (Form1::place_data_window).
  // Choosing the option shows its box or grid; the other of the pair goes off with it.
  Option2[option_state(2) != 0 ? 1 : 0].Value = true;
  Option1[option_state(1) != 0 ? 1 : 0].Value = true;
  show_uniform_values();
  size_edit_grids(true);
}

void Form2::Command1_Click() { Hide(); }

void Form2::Form_Unload(int& Cancel) {
  if (Form1Form.exists()) Form1Form->dd2.Checked = false;
}

void Form2::Option1_Click(int Index) {
  option_state(1) = Option1[1].Value.get() ? -1 : 0;
  const bool uniform = Option1[0].Value.get();
  MSFlexGrid2[kEAGrid].Visible = !uniform;
  for (int k = 0; k < 2; ++k) {
    Text2[k].Visible = uniform;
    LabelUnit[k].Visible = uniform;
  }
  if (!uniform) size_edit_grids(true);
}

void Form2::Option2_Click(int Index) {
  option_state(2) = Option2[1].Value.get() ? -1 : 0;
  const bool uniform = Option2[0].Value.get();
  MSFlexGrid2[kPGrid].Visible = !uniform;
  Text3.Visible = uniform;
  LabelN.Visible = uniform;
  if (!uniform) size_edit_grids(true);
}

void Form2::Option3_Click(int Index) {
  Frame1[kFormulas].Visible = Option3[kFormulas].Value.get();
  Frame1[kTables].Visible = Option3[kTables].Value.get();
}
