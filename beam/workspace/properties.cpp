#include "beam/workspace/properties.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>

#include "beam/workspace/Form20.h"
#include "ui/vbtext.h"

using namespace Module20;

namespace {

// The unit captions by unit system (1 metric, 2 inch), each beside the rows of its table that it
// names; no units leaves them all empty.
struct UnitCaption {
  ui::Label properties::*label;
  float top;
  const char* metric;
  const char* inch;
};
const UnitCaption kUnitCaptions[] = {
    {&properties::Label11, 900, "L[m]       :יחידות", "L[ft]        :יחידות"},
    {&properties::Label12, 1140, "EI[N*m^2]", "EI[lbf*ft^2]"},
    {&properties::Label14, 4600, "F[kN]      :יחידות", "F[klbf]      :יחידות"},
    {&properties::Label13, 5080, "M[kN*m]   ", "M[klbf*ft]    "},
    {&properties::Label15, 5640, "F[kN]      :יחידות", "F[klbf]      :יחידות"},
    {&properties::Label16, 6120, "M[kN*m]   ", "M[klbf*ft]    "},
    {&properties::Label18, 1100, "[kN] יחידות:     כוח", "[klbf] יחידות:     כוח"},
    {&properties::Label17, 1360, "[kN*m] מומנט", "[klbf*ft] מומנט"},
    {&properties::Label19, 4620, "[rad/10^2]  יחידות:   סבוב", "[rad/144]  יחידות:     סבוב"},
    {&properties::Label20, 4880, "[cm/10^4]   שקיעה  ", "[in/1728]   שקיעה   "},
};

// Why the solution tables and graphs are empty.
const char* const kNoSolutionMechanism = "אין פתרון: המבנה הוא מנגנון. טבלאות הפתרון והגרפים ריקים עד שהמבנה יתוקן.";
const char* const kNoSolutionSingular =
    "אין פתרון: מערכת המשוואות סינגולרית (יש דרגת חופש ללא קשיחות), ולכן אין הזזות ואין כוחות קצה.";
const char* const kNoSolutionSolveOff =
    "אין פתרון עדכני: \"פתור בכל גרירה\" כבוי. לחץ \"פתור\" ואחר כך \"עדכן\".";
const char* const kNoSolutionYet =
    "אין פתרון עדכני: הקורה השתנתה מאז הפתרון האחרון או שאין עליה עומסים. לחץ \"פתור\" ואחר כך \"עדכן\".";

constexpr ui::Color kGraphColor[3] = {ui::RGB(0, 255, 0), ui::RGB(255, 0, 0), ui::RGB(0, 0, 255)};
// The largest shear, moment and deflection of the full solution are drawn this far from the zero line.
constexpr Single kGraphReach[3] = {1000, 1200, 900};
constexpr int kGraphStep = 15;

// A graph line, cut to a band far beyond any picture so that no drawing gets a coordinate of absurd
// size; a line with an end that is not a number is not drawn at all.
void graphLine(ui::PictureBox& box, double x1, double y1, double x2, double y2, ui::Color color) {
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return;
  constexpr double lo = -1e6, hi = 1e6;
  double t0 = 0, t1 = 1;
  const double dy = y2 - y1;
  if (dy == 0) {
    if (y1 < lo || y1 > hi) return;
  } else {
    double ta = (lo - y1) / dy, tb = (hi - y1) / dy;
    if (ta > tb) std::swap(ta, tb);
    t0 = std::max(t0, ta);
    t1 = std::min(t1, tb);
    if (t0 > t1) return;
  }
  const double dx = x2 - x1;
  box.Line(float(x1 + t0 * dx), float(y1 + t0 * dy), float(x1 + t1 * dx), float(y1 + t1 * dy), color);
}

// A Hebrew caption reads from the right, its stops and Latin words where a Hebrew reader expects them,
// the explanations too, line by line as their runs of blanks break them; in a right-to-left label
// alignment 0 is the right edge. The unit captions, stored to be read from the right of a left-to-right
// line, stay left to right.
void sentence(ui::Label& l) {
  l.RightToLeft = true;
  l.Alignment = 0;
}

// An explanation as its author laid it out: the author ended a line by padding it with blanks to the
// label's edge in a font of his own, which in another font falls short or runs over, so the lines are
// ended here instead: a run of six blanks or more ends one, and a numbered item ("1.") starts its own.
// Shorter runs of blanks inside a line stay.
std::string authorLines(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] != ' ') {
      out += text[i++];
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && text[end] == ' ') ++end;
    std::size_t digits = end;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') ++digits;
    const bool numbered = digits > end && digits < text.size() && text[digits] == '.';
    if (out.empty() || out.back() == '\n' || end == text.size()) {
      // Blanks at the start or end of a line are the layout's, not the text's.
    } else if (end - i >= 6 || numbered) {
      out += '\n';
    } else {
      out.append(text, i, end - i);
    }
    i = end;
  }
  return out;
}

// One step of the method: its explanation at the right, its table at the left.
void step(ui::Label& l, const char* caption, ui::Grid& g, int rows, float top, float height, float width = 5700) {
  l.Caption = authorLines(caption);
  sentence(l);
  l.Move(7770, top, 2640, height);
  g.setRows(rows);
  g.setCols(2);
  g.Move(150, top, width, height);
}

// The line that says why a tab shows no solution; hidden while there is one.
void reasonLine(ui::Label& l, float left, float top, float width) {
  sentence(l);
  l.ForeColor = ui::RGB(192, 0, 0);
  l.WordWrap = false;
  l.Move(left, top, width, 255);
  l.Visible = false;
}

// Keeps the header column and empties every other cell, so that nothing of an earlier fill stays.
void clearGrid(ui::Grid& g, int cols) {
  g.setCols(1);
  g.setCols(cols);
}

}  // namespace

properties::properties() : ui::Form("properties") {
  Caption = "עזרה לימודית";
  BorderStyle = 1;
  StartUpPosition = 2;
  setClientSize(10440, 7380);
  SSTab1.Move(0, 0, 10440, 7380);
  SSTab1.setTabCaption(0, " פתרון גרפי");
  SSTab1.setTabCaption(1, "הסבר על פתרון גרפי");
  SSTab1.setTabCaption(2, "שלב שני");
  SSTab1.setTabCaption(3, "שלב ראשון");

  // Tab 0: each picture is exactly as wide as the beam, x being the twips from its left end.
  for (ui::Control* c : std::initializer_list<ui::Control*>{&Label8, &Picture1, &Label9, &Picture2})
    c->TabPage = 0;
  Label8.Caption = "  גרף שלב ראשון  (FER):";
  sentence(Label8);
  Label8.Move(5240, 480, 4980, 255);
  Label9.Caption = "  גרף שלב שני (תיקון כתוצאה מהזזות קיימות):";
  sentence(Label9);
  Label9.Move(5240, 3860, 4980, 255);
  reasonLine(Label22, 200, 1100, 9600);
  Label22.Alignment = 2;
  for (ui::PictureBox* p : {&Picture1, &Picture2}) {
    p->BorderStyle = 0;
    p->BackColor = ui::RGB(255, 255, 255);
    p->AutoRedraw = true;
  }
  Picture1.Move(220, 760, 10000, 3000);
  Picture2.Move(220, 4140, 10000, 3000);
  for (ui::LineControl* l : {&Line1, &Line2}) {
    l->X1 = 0, l->Y1 = 1500, l->X2 = 9960, l->Y2 = 1500;
  }

  // Tab 1.
  Label10.TabPage = 1;
  Label10.Caption = authorLines(
      " בגליון פתרון גרפי ניתן לראות את הגרפים של שני חלקי     הפתרון:  1.  פתרון FER                         "
      "                                       2.  תיקון כתוצאה מהזזות                                   חיבור שני "
      "הגרפים נותן את פתרון הקורה שמופיע גם במסך העבודה של התוכנה.                                              צבעי "
      "הגרפים: ירוק-גזירה  אדום-מומנט  כחול-שקיעה.               ");
  sentence(Label10);
  Label10.Move(2220, 1200, 6000, 3000);

  // Tab 2: the load vector, K, the displacements and the end forces due to them.
  for (ui::Control* c : std::initializer_list<ui::Control*>{&Label21, &Label4, &MSFlexGrid4, &Label18, &Label17,
                                                            &Label5, &MSFlexGrid5, &Label6, &MSFlexGrid6, &Label19,
                                                            &Label20, &Label7, &MSFlexGrid7, &Label15, &Label16})
    c->TabPage = 2;
  reasonLine(Label21, 150, 480, 10140);
  step(Label4, "4.  ווקטור עומסים בדרגות החופש      הפעילות  (P).", MSFlexGrid4, 2, 800, 900);
  step(Label5, "5.  מטריצת הקשיחות של המבנה [K].", MSFlexGrid5, 2, 1820, 2380, 7600);
  step(Label6,
       "6.  הזזות בדרגות חופש פעילות             פתרון מערכת המשוואות:                                "
       "                 {K]*{d}={P]   ",
       MSFlexGrid6, 2, 4320, 900);
  step(Label7, "7. פתרון התיקון כתוצאה מקיום הזזות        עבור כל  אלמנט.        ", MSFlexGrid7, 5, 5340, 1700);

  // Tab 3: the elements, their equation numbers and their fixed-end reactions.
  for (ui::Control* c : std::initializer_list<ui::Control*>{&Label1, &MSFlexGrid1, &Label11, &Label12, &Label2,
                                                            &MSFlexGrid2, &Label3, &MSFlexGrid3, &Label14, &Label13})
    c->TabPage = 3;
  step(Label1, "1.  חלוקת הקורה לאלמנטים:        אורך וקשיחות. ", MSFlexGrid1, 3, 600, 1300);
  step(Label2,
       "2.  מספור דרגות החופש הפעילות        בסדר עולה מימין לשמאל עבור      כל אלמנט (0 עבור דרגות חופש    "
       "תפוסות).",
       MSFlexGrid2, 5, 2200, 1800);
  step(Label3, "3.  פתרון תגובות קיר (FER)              עבור כל אלמנט.", MSFlexGrid3, 5, 4300, 1800);
  for (ui::Grid* g : {&MSFlexGrid1, &MSFlexGrid2, &MSFlexGrid3, &MSFlexGrid7}) g->setColWidth(0, 1100);
  for (const UnitCaption& u : kUnitCaptions) {
    (this->*u.label).WordWrap = false;
    (this->*u.label).Move(5900, u.top, 1940, 255);
  }

  aa1.Click = [this] { aa1_Click(); };
  aa2.Click = [this] { aa2_Click(); };
  bb_1.Click = [this] { bb_1_Click(); };
}

void properties::Form_Load() { aa2_Click(); }

void properties::aa1_Click() { Unload(); }

void properties::show_units() {
  const bool metric = unit_system == 1, inch = unit_system == 2;
  for (const UnitCaption& u : kUnitCaptions) (this->*u.label).Caption = metric ? u.metric : inch ? u.inch : "";
}

void properties::show_reason(bool solved) {
  const char* why = solved                                         ? ""
                    : mechanism == True || solve_failure == kRefused ? kNoSolutionMechanism
                    : solve_failure == kSingular                     ? kNoSolutionSingular
                    : solve_on != True                               ? kNoSolutionSolveOff
                                                                     : kNoSolutionYet;
  for (ui::Label* l : {&Label21, &Label22}) {
    l->Caption = why;
    l->Visible = !solved;
  }
}

void properties::fill_tables(bool loads, bool solved) {
  // The stiffness row alone follows the unit system: metric 10, inch 1000/144 to seven figures.
  const Single ei_factor = unit_system == 1 ? 10.0f : unit_system == 2 ? 6.944444f : 1.0f;
  for (ui::Grid* g : {&MSFlexGrid1, &MSFlexGrid2, &MSFlexGrid3, &MSFlexGrid4, &MSFlexGrid5, &MSFlexGrid6, &MSFlexGrid7})
    g->LeftToRight = true;
  const int elems = std::min<int>(n_elem, 21), eqs = std::min<int>(free_dof, 40);
  for (ui::Grid* g : {&MSFlexGrid1, &MSFlexGrid2, &MSFlexGrid3, &MSFlexGrid7}) clearGrid(*g, elems + 1);
  for (ui::Grid* g : {&MSFlexGrid4, &MSFlexGrid5, &MSFlexGrid6}) {
    clearGrid(*g, eqs + 1);
    g->setColWidth(0, 1000);
  }
  MSFlexGrid5.setRows(1);
  MSFlexGrid5.setRows(eqs + 1);

  MSFlexGrid1.setTextMatrix(0, 0, "מס. אלמנט");
  MSFlexGrid1.setTextMatrix(1, 0, "אורך L");
  MSFlexGrid1.setTextMatrix(2, 0, "קשיחות EI");
  const char* const dofHeads[5] = {"מס. אלמנט", "d1", "d2", "teta3", "teta4"};
  const char* const forceHeads[5] = {"מס. אלמנט", "F1", "F2", "M3", "M4"};
  for (int r = 0; r < 5; ++r) {
    MSFlexGrid2.setTextMatrix(r, 0, dofHeads[r]);
    MSFlexGrid3.setTextMatrix(r, 0, forceHeads[r]);
    MSFlexGrid7.setTextMatrix(r, 0, forceHeads[r]);
  }
  MSFlexGrid4.setTextMatrix(0, 0, "מס.דר.חופש");
  MSFlexGrid4.setTextMatrix(1, 0, "עומס");
  MSFlexGrid5.setTextMatrix(0, 0, "מס.דר.חופש");
  for (i_loop = 1; i_loop <= eqs; ++i_loop) {
    MSFlexGrid5.setTextMatrix(i_loop, 0, ui::CStr(int(i_loop)));
    MSFlexGrid5.setTextMatrix(0, i_loop, ui::CStr(int(i_loop)));
  }
  MSFlexGrid6.setTextMatrix(0, 0, "מס.דר.חופש");
  MSFlexGrid6.setTextMatrix(1, 0, "גודל הזזה");

  for (i_loop = 1; i_loop <= elems; ++i_loop) {
    const elem_rec& el = elem(i_loop);
    for (ui::Grid* g : {&MSFlexGrid1, &MSFlexGrid2, &MSFlexGrid3, &MSFlexGrid7}) g->setTextMatrix(0, i_loop, ui::CStr(int(i_loop)));
    MSFlexGrid1.setTextMatrix(1, i_loop, ui::finiteCStr(Single(unit_L * el.length)));
    const Single ei = el.E_rel * el.I_rel * unit_E * unit_I * ei_factor;
    MSFlexGrid1.setTextMatrix(2, i_loop, ui::finiteCStr(ei));
    for (j_loop = 1; j_loop <= 4; ++j_loop) {
      MSFlexGrid2.setTextMatrix(j_loop, i_loop, ui::CStr(int(el.dof(j_loop))));
      MSFlexGrid3.setTextMatrix(j_loop, i_loop, ui::finiteFormat(double(unit_F) * el.fer(j_loop), "0.000"));
      if (solved) MSFlexGrid7.setTextMatrix(j_loop, i_loop, ui::finiteFormat(double(unit_F) * el.kd(j_loop), "0.000"));
    }
  }
  for (i_loop = 1; i_loop <= eqs; ++i_loop) {
    MSFlexGrid4.setTextMatrix(0, i_loop, ui::CStr(int(i_loop)));
    MSFlexGrid6.setTextMatrix(0, i_loop, ui::CStr(int(i_loop)));
    if (loads) MSFlexGrid4.setTextMatrix(1, i_loop, ui::finiteFormat(double(unit_F) * P0(i_loop), "0.0000"));
    if (solved) MSFlexGrid6.setTextMatrix(1, i_loop, ui::finiteFormat(double(unit_F) * P(i_loop), "0.0000"));
    for (j_loop = 1; j_loop <= eqs; ++j_loop) MSFlexGrid5.setTextMatrix(j_loop, i_loop, ui::finiteFormat(K(j_loop, i_loop), "0.0000"));
  }
}

void properties::aa2_Click() {
  for (j_loop = 0; j_loop <= 2; ++j_loop) tut_max(j_loop) = 0;
  show_units();
  Picture1.Cls();
  Picture2.Cls();
  Picture1.DrawWidth = 2;
  Picture2.DrawWidth = 2;
  tut_height = Picture1.Height;

  // The tables and graphs show only figures of the beam as it now stands: K, the equation numbers and
  // the fixed-end reactions always are; the load vector once a solve has formed it; the displacements
  // and end forces only after a solve that succeeded.
  const bool solved = Form20Form->solution_current && mechanism != True;
  const bool loads = solved || solve_failure == kSingular;
  fill_tables(loads, solved);
  show_reason(solved);
  bb_1.Enabled = solved;
  if (!solved) return;

  fit_scales({3}, tut_max, tut_scale);
  fit_scales({1, 2}, step_max, step_scale);
  for (tut_elem = 1; tut_elem <= n_elem && elem.contains(tut_elem); ++tut_elem) fun31();
  for (tut_elem = 1; tut_elem <= n_elem && elem.contains(tut_elem); ++tut_elem) fun32();
}

namespace {

// A graph whose largest value is below this is flat: what is left is rounding residue of the beam's own
// figures (fixed-end forces of loads taken off, say), which a scale of its own would blow up to a graph
// of noise. It is a hundred-thousandth of what a unit load gives on this beam: P for the shear, P L for
// the moment, P L^3 / EI for the deflection with the stiffest element's EI.
Single residue(int k) {
  const double F = std::abs(double(unit_F)), L = std::abs(double(beam_length));
  double stiffest = 0;
  for (int e = 1; e <= n_elem && elem.contains(e); ++e)
    stiffest = std::max(stiffest, std::abs(double(elem(e).E_rel) * elem(e).I_rel * unit_E * unit_I));
  const double unit = k == 0 ? F : k == 1 ? F * L : F * L * L * L / stiffest;
  return std::isfinite(unit) ? Single(1e-5 * unit) : 0.0f;
}

}  // namespace

void properties::fit_scales(std::initializer_list<int> steps, ui::Array<Single, 0, 2>& largest,
                            ui::Array<Single, 0, 2>& scale) {
  for (int k = 0; k <= 2; ++k) largest(k) = 0;
  for (int step : steps) {
    loads_ = step != 2;
    for (tut_elem = 1; tut_elem <= n_elem && elem.contains(tut_elem); ++tut_elem) {
      left_end_values(step);
      const int n = ui::CInt(elem(tut_elem).length);
      for (i_loop = 0; i_loop <= n; i_loop += kGraphStep) {
        point_values(i_loop);
        const Single v[3] = {V_x, M_x, def_x};
        for (int k = 0; k <= 2; ++k)
          if (ok_[k] && std::abs(v[k]) > std::abs(largest(k))) largest(k) = v[k];
      }
    }
  }
  loads_ = true;
  for (int k = 0; k <= 2; ++k)
    scale(k) = std::abs(largest(k)) > residue(k) ? std::abs(kGraphReach[k] / largest(k)) : 10.0f;
}

Single properties::step1(Single a, Single x, Byte n) {
  const Single d = x - a;
  if (d > 0) return Single(std::pow(double(d * unit_L), double(n)));
  return 0;
}

void properties::left_end_values(int step) {
  const elem_rec& el = elem(tut_elem);
  EI_cur = el.E_rel * el.I_rel * unit_E * unit_I;
  auto d = [&](int k) { return el.dof(k) != 0 && P.contains(el.dof(k)) ? Single(P(el.dof(k))) : 0.0f; };
  if (step == 1) {
    V0 = Single(el.fer(1));
    M0 = Single(el.fer(3));
    def0 = teta0 = 0;
    return;
  }
  V0 = Single(step == 2 ? el.kd(1) : el.fer(1) + el.kd(1));
  M0 = Single(step == 2 ? el.kd(3) : el.fer(3) + el.kd(3));
  def0 = d(1);
  teta0 = d(3);
}

void properties::point_values(Integer x) {
  V_x = M_x = def_x = 0;
  const Single xs = Single(x), X = xs * unit_L;
  if (elem.contains(tut_elem) && loads_) {
    const elem_rec& el = elem(tut_elem);
    int c = el.p_count + el.m_count + el.w_count;
    for (j_loop = 1; j_loop <= 10 && c > 0; ++j_loop) {
      const load_rec& p = el.p_load(j_loop);
      if (p.on == True) {
        --c;
        V_x += p.value * step1(p.pos, xs, 0);
        M_x += p.value * step1(p.pos, xs, 1);
        def_x -= p.value / 6 * step1(p.pos, xs, 3);
      }
      const load_rec& m = el.m_load(j_loop);
      if (m.on == True) {
        --c;
        M_x += m.value * step1(m.pos, xs, 0);
        def_x -= m.value / 2 * step1(m.pos, xs, 2);
      }
      const dist_rec& w = el.w_load(j_loop);
      if (w.on == True) {
        --c;
        const Single b = w.pos + w.span;
        V_x += w.value * (step1(w.pos, xs, 1) - step1(b, xs, 1));
        M_x += w.value / 2 * (step1(w.pos, xs, 2) - step1(b, xs, 2));
        def_x -= w.value / 24 * (step1(w.pos, xs, 4) - step1(b, xs, 4));
      }
    }
  }
  V_x = (V0 - V_x) * unit_F;
  M_x = (M0 + M_x - X * V0) * unit_F;
  // An element of no stiffness has no deflection line: it is left out rather than drawn from a
  // division by zero.
  ok_[2] = EI_cur != 0;
  def_x = ok_[2] ? (X * X * (X * V0 / 6 - M0 / 2) + (X * teta0 + def0) * EI_cur + def_x) * unit_F / EI_cur : 0.0f;
  Single* v[3] = {&V_x, &M_x, &def_x};
  for (int k = 0; k <= 2; ++k) {
    if (k < 2) ok_[k] = true;
    if (!std::isfinite(*v[k])) {
      *v[k] = 0;
      ok_[k] = false;
    }
  }
}

void properties::sweep(int step, ui::PictureBox& canvas) {
  if (!elem.contains(tut_elem)) return;
  left_end_values(step);
  const elem_rec& el = elem(tut_elem);
  const int n = ui::CInt(el.length);
  // Step two is the same closed form without the element's loads.
  loads_ = step != 2;
  const ui::Array<Single, 0, 2>& scale = step == 3 ? tut_scale : step_scale;
  for (int x = 0; x <= n; x += kGraphStep) {
    const double prev[3] = {double(V_x) * scale(0), double(M_x) * scale(1), double(def_x) * scale(2)};
    const bool prevOk[3] = {ok_[0], ok_[1], ok_[2]};
    point_values(Integer(x));
    // Element 1 has no left neighbour to join: its graph starts at its own first point.
    if (x == 0 && tut_elem == 1) continue;
    const double H = step == 3 ? double(Form20Form->Picture3.Height) : double(tut_height);
    const Single now[3] = {V_x, M_x, def_x};
    for (int g = 0; g <= 2; ++g) {
      if (!prevOk[g] || !ok_[g]) continue;
      graphLine(canvas, el.x_start + x - kGraphStep, H / 2 - prev[g], el.x_start + x, H / 2 - double(now[g]) * scale(g),
                kGraphColor[g]);
    }
  }
  loads_ = true;
}

void properties::fun31() { sweep(1, Picture1); }
void properties::fun32() { sweep(2, Picture2); }
void properties::fun33() { sweep(3, Form20Form->Picture3); }

void properties::bb_1_Click() {
  // Without a solution of the beam as it now stands the window is filled again instead, and says why
  // there is none. The fit draws the solution as it now stands, also one solved since the last fill, so
  // its scales are taken from that solution.
  if (!Form20Form->solution_current || mechanism == True || !bb_1.Enabled) {
    aa2_Click();
    return;
  }
  fit_scales({3}, tut_max, tut_scale);
  Form20& main = *Form20Form;
  main.Picture3.Cls();
  main.Picture3.DrawWidth = 2;
  for (tut_elem = 1; tut_elem <= n_elem && elem.contains(tut_elem); ++tut_elem) fun33();
}
