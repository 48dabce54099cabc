// The tool window's data tab: the data of the selected object, typed values placing it.
#include "beam/workspace/Form10.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "ui/keys.h"
#include "ui/services.h"
#include "ui/vbtext.h"

#include "beam/solver/Module20.h"
#include "beam/workspace/Form20.h"
#include "beam/workspace/pictures.h"

using namespace Module20;

namespace {

const ui::Color kGrey = ui::RGB(192, 192, 192);

const char* trueFalse(Integer on) { return on != 0 ? "True" : "False"; }

// The narrowest distributed load a typed width may give, about what the down arrow leaves at the
// smallest step: a narrower icon is too thin for the pointer to catch.
constexpr float kNarrowestLoad = 30;

}  // namespace

// Each result is bounded by the sum of the magnitudes of its terms, from the element's left-end values
// and its loads.
bool Form10::results_finite() {
  const double most = std::numeric_limits<Single>::max() / 2;  // a reaction adds two end forces
  auto fits = [most](double v) { return std::abs(v) <= most; };   // false also for a nan
  for (int e = 1; e <= n_elem && elem.contains(e); ++e) {
    const elem_rec& el = elem(e);
    const double L = double(el.length) * unit_L, L2 = L * L, L3 = L2 * L;
    const double V0 = std::abs(el.fer(1) + el.kd(1)), M0 = std::abs(el.fer(3) + el.kd(3));
    double V = V0, M = M0 + V0 * L, v = V0 * L3 / 6 + M0 * L2 / 2;  // v: the deflection times EI
    for (int j = 1; j <= 10; ++j) {
      if (el.p_load(j).on == True) {
        const double p = std::abs(el.p_load(j).value);
        V += p, M += p * L, v += p * L3 / 6;
      }
      if (el.m_load(j).on == True) {
        const double m = std::abs(el.m_load(j).value);
        M += m, v += m * L2 / 2;
      }
      if (el.w_load(j).on == True) {
        const double w = std::abs(el.w_load(j).value);
        V += w * L, M += w * L2 / 2, v += w * L2 * L2 / 24;
      }
    }
    const double EI = double(unit_E) * unit_I * el.E_rel * el.I_rel;
    double d = 0;
    for (int i : {1, 3})
      if (el.dof(i) != 0 && P.contains(el.dof(i))) d += std::abs(P(el.dof(i))) * (i == 3 ? L : 1);
    if (!fits(V * unit_F) || !fits(M * unit_F)) return false;
    if (EI != 0 && !fits((v / EI + d) * unit_F * unit_def)) return false;
  }
  return true;
}

float Form10::node_left_at(int k, double p) {
  ui::Image& icon = Form20Form->Image1[k];
  const float left = float(p * kBeamTwips + canvas::kBeamLeft - icon.Width / 2);
  // A fixed end's or hinge's icon stands on the left end left of its centre: the left end is asked for
  // inside its zone, where every node object's icon stands on it.
  return p == 0 ? std::min(left, canvas::kLeftZone) : left;
}

bool Form10::icon_on_beam(int k) {
  Form20& main = *Form20Form;
  return main.Image1.exists(k) && main.Image1[k].Top > canvas::kOnBeamTop;
}

void Form10::build_data_tab() {
  for (ui::Control* c : std::initializer_list<ui::Control*>{&Frame3, &Frame4, &Check4, &MSFlexGrid1, &Command20})
    c->TabPage = 1;
  // The selected object: rows of caption (right), value, symbol (left).
  Frame3.Caption = "ערכי המשתנה הפעיל";
  Frame3.Move(60, 720, 3375, 2655);
  Label1.Caption = "גע באובייקט לשינוי המשתנה הפעיל ";
  Label1.ForeColor = ui::RGB(255, 0, 0);
  Label1.FontName = "David";
  Label1.Move(240, 240, 3015, 240);
  Label5.Caption = "שם המשתנה=";
  Label5.Move(2280, 480, 1000, 240);
  Label10.Caption = "1111111";
  Label10.Move(120, 480, 2085, 240);
  Label11.Caption = "מיקום יחסי=";
  Label11.Move(2040, 900, 1260, 285);
  Label13.Caption = "גודל יחסי=";
  Label13.Move(2040, 1380, 1260, 285);
  for (int i = 0; i <= 5; ++i) Label12.Load(i);
  Label12[5].Caption = "אחר";
  Label12[5].Move(2040, 1860, 1260, 285);
  Label12[3].Caption = "בפעולה:";
  Label12[3].Move(2040, 2280, 1000, 285);
  Label12[0].Move(90, 900, 960, 285);
  Label12[1].Move(30, 1380, 1020, 285);
  Label12[4].Move(30, 1860, 1020, 285);
  Label12[2].Move(960, 2280, 1000, 285);
  Label12[2].Caption = "1111111111";
  for (int i : {0, 1, 4}) Label12[i].Caption = "111111111";
  for (ui::Label* l : {&Label10, &Label12[0], &Label12[1], &Label12[2], &Label12[4]}) {
    l->BackStyle = 1;
    l->BackColor = kGrey;
  }
  Label10.ForeColor = ui::RGB(0, 0, 128);
  for (int i = 0; i <= 2; ++i) {
    Text2.Load(i);
    Text2[i].Move(1080, 900 + 480.0f * i, 855, 285);
  }
  Text2.KeyPress = [this](int i, int& k) { Text2_KeyPress(i, k); };
  Text2.MouseDown = [this](int i, int b, int sh, float x, float y) { Text2_MouseDown(i, b, sh, x, y); };

  // Reference values: caption at the left edge, box, unit.
  Frame4.Caption = "ערכי היחוס";
  Frame4.Move(60, 3360, 3375, 2415);
  struct Row {
    ui::Label& caption;
    const char* text;
    ui::TextBox& box;
    ui::Label& unit;
  } rows[] = {{Label8, "=P   כח", Text10, Label24},
              {Label3, "=L   אורך", Text13, Label26},
              {Label20, "=E  מודל האלסטיות", Text6, Label27},
              {Label23, "=I    מומנט אנרציה", Text7, Label28}};
  float top = 300;
  for (Row& r : rows) {
    r.caption.Caption = r.text;
    r.caption.Move(60, top + 30, 1700, 255);
    r.box.Text = "1";
    r.box.Move(1800, top, 735, 285);
    r.unit.Move(2640, top + 60, 700, 255);
    r.box.KeyPress = [this](int& k) {
      if (k != ui::vbKeyReturn) return;
      k = 0;
      Command15.Value = true;
    };
    top += 360;
  }
  const char* systems[3] = {" ללא יחידות", "מטרי", "אינצי'"};
  const float optionTops[3] = {1700, 1940, 2160};
  for (int i = 0; i <= 2; ++i) {
    Option4.Load(i);
    Option4[i].Caption = systems[i];
    Option4[i].Move(1740, optionTops[i], 1560, 220);
  }
  Option4[0].Value = true;
  Option4.Click = [this](int i) { Option4_Click(i); };
  Command15.Caption = "אשר שינוי";
  Command15.Picture_ = beam::confirmPicture();
  Command15.Move(240, 1680, 1215, 675);
  Command15.Click = [this] { Command15_Click(); };

  // Relative stiffness per element.
  Check4.Caption = "ערכי קשיחות יחסיים לקטעי הקורה";
  Check4.Move(180, 5760, 3135, 255);
  Check4.Click = [this] { Check4_Click(); };
  MSFlexGrid1.Move(60, 6000, 2415, 795);
  MSFlexGrid1.setCols(3);
  MSFlexGrid1.setRows(22);
  // Read from the left, the element number stands in its heading column at the far side from the
  // values, each value at the start of its own cell: a row reads "1   E   I", not "1 1".
  MSFlexGrid1.LeftToRight = true;
  MSFlexGrid1.Visible = false;
  MSFlexGrid1.EnterCell = [this] { MSFlexGrid1_EnterCell(); };
  MSFlexGrid1.KeyDown = [this](int& k, int sh) { MSFlexGrid1_KeyDown(k, sh); };
  MSFlexGrid1.KeyPress = [this](int& k) { MSFlexGrid1_KeyPress(k); };
  Command20.Caption = "אישור";
  Command20.Move(2580, 6360, 855, 375);
  Command20.Visible = false;
  Command20.Click = [this] { Command20_Click(); };
}

void Form10::re_load_text() {
  for (i_loop = 0; i_loop <= 2; ++i_loop) {
    Label12[i_loop].Caption = "";
    Text2[i_loop].Text = "";
  }
  Label12[4].Caption = "";
  const int k = sel_obj;
  on_beam = icon_on_beam(k) ? "True" : "False";
  Form20& main = *Form20Form;
  const Kind kind = kind_of(k);
  if (kind != Kind::none) {
    const std::string n = ui::Str(k - first_of(kind) + 1);  // its number among its kind
    const bool node = is_node(k);
    Text2[1].Locked = node;  // a node object's reactions are results, not inputs
    Text2[2].Locked = node;
    // A point force or moment has no third value: neither its box nor its symbol shows.
    Text2[2].Visible = node || kind == Kind::dist;
    Label12[4].Visible = node || kind == Kind::dist;
    if (node) {
      const char* word = kind == Kind::support     ? "סמך "
                         : kind == Kind::fixed_end ? "ריתום "
                         : kind == Kind::hinge     ? "מפרק "
                                                   : "שיחרור גזירה ";
      Label10.Caption = "(" + n + " )" + word;
      Label12[2].Caption = on_beam;
      // Its place is the node's, which every drop keeps current; off the beam it has none.
      int x = 0;
      bool placed = false;
      for (int i = 0; i <= n_elem && node_list.contains(i); ++i)
        if (node_list(i).obj == k) x = node_list(i).x, placed = true;
      Label12[0].Caption = "L(" + n + ")/L=";
      Text2[0].Text = ui::Format(double(x) / kBeamTwips, "0.0000");
      Label13.Caption = std::string("=") + "כוח תגובה";
      Label12[1].Caption = "R(" + n + ")=";
      Label12[5].Caption = std::string("=") + "מומנט תגובה";
      Label12[4].Caption = "M(" + n + ")=";
      // Reactions only of the solution that stands; off the beam the object carries none.
      if (!placed || main.solution_current) {
        Text2[1].Text = ui::finiteFormat(placed ? reactions(k).R : 0.0f, "0.0000");
        Text2[2].Text = ui::finiteFormat(placed ? reactions(k).M : 0.0f, "0.0000");
      }
    } else {
      const bool force = kind == Kind::force, moment = kind == Kind::moment;
      const load_rec* r = force ? &forces(k) : moment ? &moments(k) : nullptr;
      const dist_rec* w = r ? nullptr : &dist_loads(k);
      Label10.Caption = (force ? "F(" : moment ? "m(" : "W(") + n + " )";
      Label12[2].Caption = trueFalse(r ? r->on : w->on);
      Label12[0].Caption = (w ? "L1(" : "L(") + n + ")/L=";
      Text2[0].Text = ui::finiteFormat((r ? r->pos : w->pos) / double(kBeamTwips), "0.0000");
      Label13.Caption = std::string("=") + "גודל יחסי";
      Label12[1].Caption = (force ? "F(" : moment ? "M(" : "W(") + n + ")/P=";
      Text2[1].Text = force ? ui::Str(r->value) : ui::finiteFormat(r ? r->value : w->value, "0.0000");
      if (w) {
        Label12[5].Caption = std::string("=") + "רוחב";
        Label12[4].Caption = "(L2-L1)/L=";
        Text2[2].Text = ui::finiteFormat(w->span / double(kBeamTwips), "0.0000");
      } else {
        Label12[5].Caption = "";
      }
    }
  }
  Label17.Caption = Label10.Caption.get();
}

void Form10::input_text() {
  const double p = ui::Val(Text2[0].Text.get());
  if (!(p >= 0 && p <= 1)) {
    ui::MsgBox("ערך לא בתחום");
    Text2[0].Text = "";
    return;
  }
  drag_dx = 0;
  const int k = sel_obj;
  Form20& main = *Form20Form;
  if (kind_of(k) == Kind::none || !main.Image1.exists(k)) return;
  ui::Image& icon = main.Image1[k];
  if (is_node(k)) {
    main.picture7_DragDrop(icon, node_left_at(k, p), icon.Top);
    return;
  }
  const Single value = Single(ui::Val(Text2[1].Text.get()));
  // The load in the user's force unit must be a number too, before any solve.
  if (!std::isfinite(value) || !std::isfinite(Single(double(value) * unit_F))) {
    ui::MsgBox("ערך לא בתחום");
    return;
  }
  // What the load was, to put back when its results are too large to compute.
  Single& stored = kind_of(k) == Kind::force ? forces(k).value : kind_of(k) == Kind::moment ? moments(k).value : dist_loads(k).value;
  const Single before = stored;
  const float left = icon.Left, width = icon.Width;
  const std::string tag = icon.Tag;
  if (kind_of(k) != Kind::dist) {
    icon.Left = float(p * kBeamTwips + canvas::kBeamLeft - icon.Width / 2);
    (kind_of(k) == Kind::force ? forces(k) : moments(k)).value = value;
  } else {
    icon.Left = float(p * kBeamTwips + canvas::kBeamLeft);
    dist_loads(k).value = value;
    const double w = ui::Val(Text2[2].Text.get());
    // The width may not pass the beam's right end, nor be narrower than a key can make it.
    if (w * kBeamTwips >= kNarrowestLoad && Single(w) <= Single(1 - (icon.Left - canvas::kBeamLeft) / kBeamTwips)) {
      icon.Width = float(w * kBeamTwips);
      icon.Tag = ui::CStr(int(ui::CInt(icon.Width / 2)));
    } else {
      ui::MsgBox("ערך לא בתחום ");
    }
  }
  main.picture7_DragDrop(icon, icon.Left, icon.Top);
  if (main.solution_current && !results_finite()) {
    stored = before;
    icon.Width = width;
    icon.Tag = tag;
    main.picture7_DragDrop(icon, left, icon.Top);
    ui::MsgBox("ערך לא בתחום");
  }
}

void Form10::Text2_MouseDown(int Index, int Button, int Shift, float X, float Y) {
  if (!Text2.exists(Index)) return;
  Text2[Index].SelStart = 0;
  Text2[Index].SelLength = ui::Len(Text2[Index].Text.get());
}

void Form10::Text2_KeyPress(int Index, int& KeyAscii) {
  if (KeyAscii != ui::vbKeyReturn) return;
  KeyAscii = 0;
  input_text();
  re_load_text();
  Form20Form->image1_MouseMove(sel_obj, 0, 0, 0, 0);
}
