#include "beam/workspace/Form10.h"

#include <algorithm>
#include <cmath>

#include "ui/services.h"
#include "ui/vbtext.h"

#include "beam/solver/Module20.h"
#include "beam/workspace/Form20.h"
#include "beam/workspace/pictures.h"

Form10::Form10() : ui::Form("Form10") {
  Caption = "סרגל הכלים";
  BorderStyle = 1;
  setClientSize(3465, 6855);
  SSTab1.Move(-60, -60, 3705, 6915);
  SSTab1.setTabCaption(0, "     אובייקטים     ");
  SSTab1.setTabCaption(1, "   נתונים  ");
  SSTab1.setTabCaption(2, "סימולציה");
  SSTab1.setTabCaption(3, "    מאפייני גרף     ");
  SSTab1.setTabCaption(4, "ערכי קיצון ומאמצים");

  // Objects tab.
  Frame2.Caption = "הוסף אובייקטים לקורה";
  Frame2.Move(120, 840, 3375, 3495);
  struct Add {
    ui::CommandButton& b;
    const char* caption;
    float left, top, height;
    int code;
  } adds[] = {{Command7, "ריתום", 2520, 360, 915, 2},   {Command5, " סמך", 1740, 360, 915, 1},
              {Command13, "מפרק", 960, 360, 915, 3},    {Command14, "שחרור גזירה", 180, 360, 915, 4},
              {Command1, "כח", 2160, 1560, 915, 6},     {Command2, "מומנט", 1320, 1560, 915, 10},
              {Command3, "כח רציף", 480, 1560, 915, 8}, {Command16, "", 2160, 2700, 615, 9},
              {Command18, "", 1320, 2700, 615, 7},      {Command19, "", 480, 2700, 615, 11}};
  for (Add& a : adds) {
    a.b.Caption = a.caption;
    a.b.Move(a.left, a.top, 675, a.height);
    a.b.Picture_ = beam::objectPicture(a.code);
  }
  command8.Caption = "הצג/הסתר צירים לקורה";
  command8.Move(180, 4500, 915, 1155);
  Command4.Caption = "נקה הכל";
  Command4.Move(1260, 4500, 795, 1155);
  Command4.Enabled = false;
  Command4.Picture_ = beam::clearPicture();
  Command6.Caption = "פתור";
  Command6.Move(2220, 4500, 1215, 1155);
  Command6.Picture_ = beam::objectPicture(6);
  Command1.Click = [this] { Command1_Click(); };
  Command2.Click = [this] { Command2_Click(); };
  Command3.Click = [this] { Command3_Click(); };
  Command5.Click = [this] { Command5_Click(); };
  Command7.Click = [this] { Command7_Click(); };
  Command13.Click = [this] { Command13_Click(); };
  Command14.Click = [this] { Command14_Click(); };
  Command16.Click = [this] { Command16_Click(); };
  Command18.Click = [this] { Command18_Click(); };
  Command19.Click = [this] { Command19_Click(); };
  Command6.Click = [this] { Command6_Click(); };
  command8.Click = [this] { command8_Click(); };

  buildDataTab();
  buildSimulationTab();
  buildGraphTab();
  buildExtremesTab();
  SSTab1.Tab = 3;
}

namespace {
void place(ui::Control& c, float left, float top, float width, float height) { c.Move(left, top, width, height); }
const ui::Color kGrey = ui::RGB(192, 192, 192);
}  // namespace

void Form10::buildDataTab() {
  for (ui::Control* c : std::initializer_list<ui::Control*>{&Frame3, &Frame4, &Check4, &MSFlexGrid1, &Command20})
    c->TabPage = 1;
  // The selected object: rows of caption (right), value, symbol (left).
  Frame3.Caption = "ערכי המשתנה הפעיל";
  place(Frame3, 120, 720, 3375, 2655);
  Label1.Caption = "גע באובייקט לשינוי המשתנה הפעיל ";
  Label1.ForeColor = ui::RGB(255, 0, 0);
  Label1.FontName = "David";
  place(Label1, 240, 240, 3015, 240);
  Label5.Caption = "שם המשתנה=";
  place(Label5, 2280, 480, 1000, 240);
  Label10.Caption = "1111111";
  place(Label10, 120, 480, 2085, 240);
  Label11.Caption = "מיקום יחסי=";
  place(Label11, 2040, 900, 1260, 285);
  Label13.Caption = "גודל יחסי=";
  place(Label13, 2040, 1380, 1260, 285);
  for (int i = 0; i <= 5; ++i) Label12.Load(i);
  Label12[5].Caption = "אחר";
  place(Label12[5], 2040, 1860, 1260, 285);
  Label12[3].Caption = "בפעולה:";
  place(Label12[3], 2040, 2280, 1000, 285);
  place(Label12[0], 90, 900, 960, 285);
  place(Label12[1], 30, 1380, 1020, 285);
  place(Label12[4], 30, 1860, 1020, 285);
  place(Label12[2], 960, 2280, 1000, 285);
  Label12[2].Caption = "1111111111";
  for (int i : {0, 1, 4}) Label12[i].Caption = "111111111";
  for (ui::Label* l : {&Label10, &Label12[0], &Label12[1], &Label12[2], &Label12[4]}) {
    l->BackStyle = 1;
    l->BackColor = kGrey;
  }
  Label10.ForeColor = ui::RGB(0, 0, 128);
  for (int i = 0; i <= 2; ++i) {
    Text2.Load(i);
    place(Text2[i], 1080, 900 + 480.0f * i, 855, 285);
  }
  Text2.KeyPress = [this](int i, int& k) { Text2_KeyPress(i, k); };
  Text2.MouseDown = [this](int i, int b, int sh, float x, float y) { Text2_MouseDown(i, b, sh, x, y); };

  // Reference values: caption at the left edge, box, unit.
  Frame4.Caption = "ערכי היחוס";
  place(Frame4, 120, 3360, 3375, 2415);
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
    place(r.caption, 60, top + 30, 1700, 255);
    r.box.Text = "1";
    place(r.box, 1800, top, 735, 285);
    place(r.unit, 2640, top + 60, 700, 255);
    r.box.KeyPress = [this](int& k) {
      if (k != 13) return;
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
    place(Option4[i], 1740, optionTops[i], 1560, 220);
  }
  Option4[0].Value = true;
  Option4.Click = [this](int i) { Option4_Click(i); };
  Command15.Caption = "אשר שינוי";
  Command15.Picture_ = beam::confirmPicture();
  place(Command15, 240, 1680, 1215, 675);
  Command15.Click = [this] { Command15_Click(); };

  // Relative stiffness per element.
  Check4.Caption = "ערכי קשיחות יחסיים לקטעי הקורה";
  place(Check4, 240, 5760, 3135, 255);
  Check4.Click = [this] { Check4_Click(); };
  place(MSFlexGrid1, 120, 6000, 2415, 975);
  MSFlexGrid1.setCols(3);
  MSFlexGrid1.setRows(22);
  MSFlexGrid1.Visible = false;
  MSFlexGrid1.EnterCell = [this] { MSFlexGrid1_EnterCell(); };
  MSFlexGrid1.KeyDown = [this](int& k, int sh) { MSFlexGrid1_KeyDown(k, sh); };
  MSFlexGrid1.KeyPress = [this](int& k) { MSFlexGrid1_KeyPress(k); };
  Command20.Caption = "אישור";
  place(Command20, 2640, 6360, 855, 375);
  Command20.Visible = false;
  Command20.Click = [this] { Command20_Click(); };
}

void Form10::buildSimulationTab() {
  Frame6.TabPage = 2;
  Frame6.Caption = "סימולוציה  ";
  place(Frame6, 120, 720, 3375, 3900);
  Label7.Caption = "האובייקט שבתנועה";
  place(Label7, 1860, 300, 1400, 255);
  Label17.Caption = "Label17";
  place(Label17, 120, 300, 1680, 255);
  Label9.Caption = "טווח תנועה      L(i)/L ";
  place(Label9, 120, 700, 3135, 255);
  Label15.Caption = "מ-";
  place(Label15, 2900, 1110, 355, 255);
  Label16.Caption = "עד-";
  place(Label16, 1260, 1110, 400, 255);
  for (int i = 0; i <= 1; ++i) Text4.Load(i);
  Text4[0].Text = "0.2";
  place(Text4[0], 1900, 1080, 900, 300);
  Text4[1].Text = "0.8";
  place(Text4[1], 240, 1080, 900, 300);
  Label14.Caption = "מהירות תנועה";
  place(Label14, 1980, 1620, 1275, 255);
  place(Slider1, 120, 1560, 1800, 420);
  Slider1.Min = 1;
  Slider1.Max = 20;
  Slider1.Value = 20;
  Slider1.SmallChange = 1;
  Slider1.LargeChange = 5;
  Label18.Caption = "פסיעה";
  place(Label18, 1980, 2180, 1275, 255);
  place(Slider2, 120, 2120, 1800, 420);
  Slider2.Min = 1;
  Slider2.Max = 20;
  Slider2.Value = 4;
  Slider2.SmallChange = 1;
  Slider2.LargeChange = 5;
  Check1.Caption = "עם עקבות";
  Check1.Value = 0;
  place(Check1, 120, 2700, 3135, 300);
  Command11.Caption = "בצע";
  place(Command11, 1800, 3240, 1320, 420);
  Command12.Caption = "עצור";
  place(Command12, 240, 3240, 1320, 420);
  Timer1.Enabled = false;
  Command11.Click = [this] { Command11_Click(); };
  Command12.Click = [this] { Command12_Click(); };
  Timer1.Tick = [this] { Timer1_Timer(); };
}

void Form10::buildGraphTab() {
  Frame7.TabPage = 3;
  Frame7.Caption = "תיאור הגרף כולל";
  place(Frame7, 120, 720, 3375, 4860);
  const char* names[3] = {"גזירה", "מומנט", "שקיעה"};
  for (int g = 0; g <= 2; ++g) {
    Check2.Load(g);
    Check2[g].Caption = names[g];
    Check2[g].Value = 1;
    place(Check2[g], 2040, 300 + 300.0f * g, 1200, 285);
  }
  Check2.Click = [this](int i) { Check2_Click(i); };
  Frame5.Caption = "פסיעת הגרף";
  place(Frame5, 120, 240, 1800, 900);
  place(Slider6, 60, 300, 1680, 420);
  Slider6.Min = 1;
  Slider6.Max = 10;
  Slider6.Value = 2;
  Slider6.SmallChange = 1;
  Slider6.LargeChange = 2;
  Slider6.Change = [this] { Slider6_Change(); };

  Frame10.Caption = " צבע קו";
  place(Frame10, 120, 1260, 2235, 2640);
  Frame11.Caption = "      צבע   ";
  place(Frame11, 60, 240, 1140, 2280);
  ui::Label* letters[3] = {&Label2, &Label6, &Label19};
  const char* rgb[3] = {"R", "G", "B"};
  for (int c = 0; c <= 2; ++c) {
    Slider4.Load(c);
    Slider4[c].Orientation = 1;
    Slider4[c].Min = 0;
    Slider4[c].Max = 255;
    Slider4[c].SmallChange = 1;
    Slider4[c].LargeChange = 5;
    place(Slider4[c], 40 + 370.0f * c, 540, 340, 1620);
    letters[c]->Caption = rgb[c];
    letters[c]->Alignment = 2;
    place(*letters[c], 40 + 370.0f * c, 270, 340, 240);
  }
  Slider4[1].Value = 255;
  Slider4.Change = [this](int i) { Slider4_Change(i); };
  for (int g = 0; g <= 2; ++g) {
    Option3.Load(g);
    Option3[g].Caption = names[g];
    place(Option3[g], 1230, 480 + 420.0f * g, 960, 300);
  }
  Option3[0].Value = true;
  Option3[0].Tag = "0";
  Option3.Click = [this](int i) { Option3_Click(i); };

  Frame1.Caption = " עובי קו";
  place(Frame1, 2415, 1260, 840, 2640);
  Slider5.Orientation = 1;
  Slider5.Min = 1;
  Slider5.Max = 6;
  Slider5.Value = 2;
  Slider5.SmallChange = 1;
  Slider5.LargeChange = 5;
  place(Slider5, 210, 300, 420, 2220);
  Slider5.Change = [this] { Slider5_Change(); };

  Command9.TabPage = 3;
  Command9.Caption = "הצג/הסתר גרף";
  place(Command9, 1800, 5760, 1575, 480);
  Command10.TabPage = 3;
  Command10.Caption = "נקה גרף";
  place(Command10, 120, 5760, 1575, 480);
  Command9.Click = [this] { Command9_Click(); };
  Command10.Click = [this] { Command10_Click(); };
}

void Form10::buildExtremesTab() {
  Frame8.TabPage = 4;
  Frame8.Caption = "מיקום ערכי קיצון בקורה";
  place(Frame8, 120, 720, 3375, 3240);
  Command17.Caption = "מצא ערכי קיצון";
  Command17.Picture_ = beam::searchPicture();
  place(Command17, 120, 300, 3135, 600);
  Command17.Click = [this] { Command17_Click(); };
  for (int i = 0; i <= 1; ++i) Label25.Load(i);
  Label25[1].Caption = "ערך";
  place(Label25[1], 1380, 1080, 1000, 255);
  Label25[0].Caption = "מיקום";
  place(Label25[0], 120, 1080, 500, 255);
  place(Label29, 620, 1080, 600, 255);
  const char* rows[3] = {"גזירה=", "מומנט=", "שקיעה="};
  for (int g = 0; g <= 2; ++g) {
    const float top = 1400 + 480.0f * g;
    Label21.Load(g);
    Label21[g].Caption = rows[g];
    place(Label21[g], 2460, top + 30, 800, 255);
    Text1.Load(g);
    place(Text1[g], 1380, top, 1040, 300);
    Text1[g].Locked = true;
    Label22.Load(g);
    place(Label22[g], 780, top + 30, 580, 255);
    Text8.Load(g);
    place(Text8[g], 120, top, 640, 300);
    Text8[g].Locked = true;
  }
  Check3.TabPage = 4;
  Check3.Caption = " כבה / הפעל סקלת ערך הגרף";
  Check3.Value = 1;
  place(Check3, 120, 4200, 3375, 300);
  Check3.Click = [this] { Check3_Click(); };
  Command21.TabPage = 4;
  Command21.Caption = "מצא מאמץ מקסימאלי";
  Command21.Enabled = false;
  place(Command21, 120, 4680, 3375, 480);
}

namespace {

// Shows icon `counter` of a kind whose last index is `last`, and counts it.
void addObject(Byte& counter, int last) {
  if (counter > last) return;
  Form20& main = *Form20Form;
  if (main.Image1.exists(counter)) main.Image1[counter].Visible = true;
  ++counter;
}

}  // namespace

void Form10::Command1_Click() {
  Form20Form->StatusBar2.Panels(4).Text = " באפשרותך לגרור כל אובייקט למיקום חדש";
  addObject(next_force, 30);
}
void Form10::Command2_Click() { addObject(next_moment, 40); }
void Form10::Command3_Click() { addObject(next_dist, 50); }
void Form10::Command5_Click() { addObject(next_support, 5); }
void Form10::Command7_Click() { addObject(next_fixed, 10); }
void Form10::Command13_Click() { addObject(next_hinge, 15); }
void Form10::Command14_Click() { addObject(next_release, 20); }

void Form10::Command16_Click() {
  if (next_force > 30) return;
  forces(next_force).value = -forces(next_force).value;
  Command1_Click();
  Form20Form->image1_MouseMove(next_force - 1, 0, 0, 0, 0);
}

void Form10::Command18_Click() {
  if (next_moment > 40) return;
  moments(next_moment).value = -moments(next_moment).value;
  Command2_Click();
  Form20Form->image1_MouseMove(next_moment - 1, 0, 0, 0, 0);
}

void Form10::Command19_Click() {
  if (next_dist > 50) return;
  dist_loads(next_dist).value = -dist_loads(next_dist).value;
  Command3_Click();
  Form20Form->image1_MouseMove(next_dist - 1, 0, 0, 0, 0);
}

void Form10::Command6_Click() {
  solve_on = True;
  Form20Form->solution();
  solve_on = Form20Form->ffe.Checked ? True : False;
}

void Form10::command8_Click() {
  Form20& main = *Form20Form;
  const bool show = !main.Line1[0].Visible;
  for (int i = 0; i <= 5; ++i) main.Line1[i].Visible = show;
  main.Label1.Visible = show;
  main.Label2.Visible = show;
}


// ---- data of the selected object ----

namespace {

bool iconOnBeam(int k) {
  Form20& main = *Form20Form;
  return main.Image1.exists(k) && main.Image1[k].Top > canvas::kOnBeamTop;
}

const char* trueFalse(Integer on) { return on != 0 ? "True" : "False"; }

// The narrowest distributed load a typed width may give, about what the down arrow leaves at the
// smallest step: a narrower icon is too thin for the pointer to catch.
constexpr float kNarrowestLoad = 30;

}  // namespace

void Form10::re_load_text() {
  for (i_loop = 0; i_loop <= 2; ++i_loop) {
    Label12[i_loop].Caption = "";
    Text2[i_loop].Text = "";
  }
  Label12[4].Caption = "";
  const int k = sel_obj;
  on_beam = iconOnBeam(k) ? "True" : "False";
  Form20& main = *Form20Form;
  if (k >= 1 && k <= 50) {
    const int base = k <= 5 ? 0 : k <= 10 ? 5 : k <= 15 ? 10 : k <= 20 ? 15 : k <= 30 ? 20 : k <= 40 ? 30 : 40;
    const std::string n = ui::Str(k - base);
    const bool node = k <= 20;
    Text2[1].Locked = node;  // a node object's reactions are results, not inputs
    Text2[2].Locked = node;
    // A point force or moment has no third value: neither its box nor its symbol shows.
    Text2[2].Visible = node || k > 40;
    Label12[4].Visible = node || k > 40;
    if (node) {
      const char* word = k <= 5 ? "סמך " : k <= 10 ? "ריתום " : k <= 15 ? "מפרק " : "שיחרור גזירה ";
      Label10.Caption = "(" + n + " )" + word;
      Label12[2].Caption = on_beam;
      // Its place is the node's, which every drop keeps current; off the beam it has none.
      int x = 0;
      bool placed = false;
      for (int i = 0; i <= n_elem && node_list.contains(i); ++i)
        if (node_list(i).obj == k) x = node_list(i).x, placed = true;
      Label12[0].Caption = "L(" + n + ")/L=";
      Text2[0].Text = ui::Format(double(x) / 10000, "0.0000");
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
      const bool force = k <= 30, moment = k > 30 && k <= 40;
      const load_rec* r = force ? &forces(k) : moment ? &moments(k) : nullptr;
      const dist_rec* w = r ? nullptr : &dist_loads(k);
      Label10.Caption = (force ? "F(" : moment ? "m(" : "W(") + n + " )";
      Label12[2].Caption = trueFalse(r ? r->on : w->on);
      Label12[0].Caption = (w ? "L1(" : "L(") + n + ")/L=";
      Text2[0].Text = ui::finiteFormat((r ? r->pos : w->pos) / 10000.0, "0.0000");
      Label13.Caption = std::string("=") + "גודל יחסי";
      Label12[1].Caption = (force ? "F(" : moment ? "M(" : "W(") + n + ")/P=";
      Text2[1].Text = force ? ui::Str(r->value) : ui::finiteFormat(r ? r->value : w->value, "0.0000");
      if (w) {
        Label12[5].Caption = std::string("=") + "רוחב";
        Label12[4].Caption = "(L2-L1)/L=";
        Text2[2].Text = ui::finiteFormat(w->span / 10000.0, "0.0000");
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
  if (k < 1 || k > 50 || !main.Image1.exists(k)) return;
  ui::Image& icon = main.Image1[k];
  if (k <= 20) {
    main.picture7_DragDrop(icon, float(p * 10000 + canvas::kBeamLeft - icon.Width / 2), icon.Top);
    return;
  }
  const Single value = Single(ui::Val(Text2[1].Text.get()));
  if (!std::isfinite(value)) {
    ui::MsgBox("ערך לא בתחום");
    return;
  }
  if (k <= 40) {
    icon.Left = float(p * 10000 + canvas::kBeamLeft - icon.Width / 2);
    (k <= 30 ? forces(k) : moments(k)).value = value;
  } else {
    icon.Left = float(p * 10000 + canvas::kBeamLeft);
    dist_loads(k).value = value;
    const double w = ui::Val(Text2[2].Text.get());
    // The width may not pass the beam's right end, nor be narrower than a key can make it.
    if (w * 10000 >= kNarrowestLoad && Single(w) <= Single(1 - (icon.Left - canvas::kBeamLeft) / 10000)) {
      icon.Width = float(w * 10000);
      icon.Tag = ui::CStr(int(ui::CInt(icon.Width / 2)));
    } else {
      ui::MsgBox("ערך לא בתחום ");
    }
  }
  main.picture7_DragDrop(icon, icon.Left, icon.Top);
}

void Form10::Text2_MouseDown(int Index, int Button, int Shift, float X, float Y) {
  if (!Text2.exists(Index)) return;
  Text2[Index].SelStart = 0;
  Text2[Index].SelLength = ui::Len(Text2[Index].Text.get());
}

void Form10::Text2_KeyPress(int Index, int& KeyAscii) {
  if (KeyAscii != 13) return;
  KeyAscii = 0;
  input_text();
  re_load_text();
  Form20Form->image1_MouseMove(sel_obj, 0, 0, 0, 0);
}

// ---- reference values, units, relative stiffness ----

void Form10::Command15_Click() {
  const Single F = Single(ui::Val(Text10.Text.get())), L = Single(ui::Val(Text13.Text.get()));
  const Single I = Single(ui::Val(Text7.Text.get())), E = Single(ui::Val(Text6.Text.get()));
  // A length, modulus or inertia of zero or less has no stiffness to solve with: the old values stay.
  const bool fine = std::isfinite(F) && std::isfinite(L) && L > 0 && std::isfinite(E) && E > 0 && std::isfinite(I) && I > 0;
  if (!fine) {
    ui::MsgBox("ערך לא בתחום");
    if (!std::isfinite(F)) Text10.Text = ui::CStr(unit_F);
    if (!(std::isfinite(L) && L > 0)) Text13.Text = ui::CStr(beam_length);
    if (!(std::isfinite(E) && E > 0)) Text6.Text = ui::CStr(unit_E);
    if (!(std::isfinite(I) && I > 0)) Text7.Text = ui::CStr(unit_I);
    return;
  }
  unit_F = F;
  beam_length = L;
  unit_L = beam_length / 10000;
  unit_I = I;
  unit_E = E;
  Form20& main = *Form20Form;
  main.forget_solution();
  // The whole placement and solution again with the new values, the object staying where it is.
  Integer obj = node_list(0).obj;
  if (obj == 0) obj = node_list(1).obj;
  if (obj >= 1 && obj <= 20 && main.Image1.exists(obj)) {
    drag_dx = 0;
    ui::Image& icon = main.Image1[obj];
    main.picture7_DragDrop(icon, icon.Left, icon.Top);
  }
  re_load_text();
}

void Form10::Option4_Click(int Index) {
  struct System {
    Single def;
    const char* captions[11];
  } const systems[3] = {
      {1, {"", "", "", "", "", "", "", "", "", "", ""}},
      {10000, {"[kN]", "[m]", "[Gpa]", "[cm^4]", "[kN]", "[kN*m]", "[cm]", "[m]", "[kN]", "[kN*m]", "[cm]"}},
      {1728, {"[klbf]", "[ft]", "[kpsi]", "[inch^4]", "[klbf]", "[klbf*ft]", "[in]", "[ft]", "[klbf]", "[klbf*ft]", "[in]"}}};
  if (Index < 0 || Index > 2) return;
  unit_system = Byte(Index);
  unit_def = systems[Index].def;
  Form20& main = *Form20Form;
  ui::Label* labels[11] = {&Label24,     &Label26,     &Label27,     &Label28,    &Label22[0], &Label22[1],
                           &Label22[2], &Label29,     &main.Label8, &main.Label7, &main.Label6};
  for (int i = 0; i < 11; ++i) labels[i]->Caption = systems[Index].captions[i];
  // What shows a deflection shows it in the new unit.
  if (Check3.Value == 1) main.point_graf(ui::CInt(main.Line4.X1));
  if (extremes_shown) show_extremes();
}

void Form10::fill_grid() {
  MSFlexGrid1.setRows(n_elem + 1);
  for (i_loop = 1; i_loop <= n_elem; ++i_loop) {
    MSFlexGrid1.setTextMatrix(i_loop, 0, ui::CStr(int(i_loop)));
    MSFlexGrid1.setTextMatrix(i_loop, 1, ui::CStr(elem(i_loop).E_rel));
    MSFlexGrid1.setTextMatrix(i_loop, 2, ui::CStr(elem(i_loop).I_rel));
  }
  grid_elements = n_elem;
  cell_typing.enterCell(MSFlexGrid1);
}

void Form10::elements_changed() {
  if (Check4.Value == 1 && grid_elements != n_elem) fill_grid();
}

void Form10::Check4_Click() {
  const bool open = Check4.Value == 1;
  MSFlexGrid1.Visible = open;
  Command20.Visible = open;
  if (!open) return;
  fill_grid();
}

void Form10::Command20_Click() {
  // Rows written for another element count would land on renumbered elements.
  if (grid_elements != n_elem) {
    fill_grid();
    return;
  }
  // Every cell is checked before any is stored: a refused cell leaves the model as it was.
  for (int i = 1; i <= n_elem; ++i)
    for (int c = 1; c <= 2; ++c) {
      const Single v = Single(ui::Val(MSFlexGrid1.TextMatrix(i, c)));
      if (v == 0 || !std::isfinite(v)) {
        MSFlexGrid1.setRow(i);
        MSFlexGrid1.setCol(c);
        ui::MsgBox(v == 0 ? "ערך אפס אינו אפשרי" : "ערך לא בתחום");
        MSFlexGrid1.setText(ui::CStr(c == 1 ? elem(i).E_rel : elem(i).I_rel));
        MSFlexGrid1.Tag = "1";
        return;
      }
    }
  for (i_loop = 1; i_loop <= n_elem; ++i_loop) {
    elem(i_loop).E_rel = Single(ui::Val(MSFlexGrid1.TextMatrix(i_loop, 1)));
    elem(i_loop).I_rel = Single(ui::Val(MSFlexGrid1.TextMatrix(i_loop, 2)));
  }
  Form20& main = *Form20Form;
  main.asamb_K();
  main.solution();
  Check4.Value = 0;
}

void Form10::MSFlexGrid1_EnterCell() { cell_typing.enterCell(MSFlexGrid1); }

void Form10::MSFlexGrid1_KeyDown(int& KeyCode, int Shift) { cell_typing.keyDown(MSFlexGrid1, KeyCode); }

void Form10::MSFlexGrid1_KeyPress(int& KeyAscii) { cell_typing.keyPress(MSFlexGrid1, KeyAscii); }

// ---- simulation ----

namespace {
double fraction(const std::string& text) { return std::clamp(ui::Val(text), 0.0, 1.0); }
}  // namespace

void Form10::Command11_Click() {
  const int s = sel_obj;
  Form20& main = *Form20Form;
  // Only an object standing on the beam can travel along it.
  if (s < 1 || s > 50 || !iconOnBeam(s)) {
    ui::MsgBox(Label1.Caption.get());
    return;
  }
  const double from = fraction(Text4[0].Text.get());
  if (ui::Val(Text4[0].Text.get()) == 0 && s <= 20 && (!left_end || node_list(0).obj == s)) {
    const int least = s <= 5 ? 7 : s <= 10 ? 3 : 4;
    if (Slider2.Value < least)
      ui::MsgBox("בקצה קיים אזור משיכה כדי לאפשר תנועה הגדל את הפסיעה - לאחר תחילת התנועה הינך יכול לחזור לפסיעה נמוכה");
  }
  if (Check3.Value == 1) Check3.Value = 0;
  ui::Image& icon = main.Image1[s];
  main.Picture3.Cls();
  const int h = s <= 40 ? ui::CInt(icon.Width / 2) : 0;
  // The start drop puts the object at the start itself, not off by the last pointer's grab.
  drag_dx = 0;
  main.picture7_DragDrop(icon, float(from * 10000 + canvas::kBeamLeft - h), icon.Top);
  if (mechanism == True || !iconOnBeam(s)) return;
  Timer1.Interval = 1010 - 50 * Slider1.Value;
  // The mark is saved when a run begins, not again by a press during the run (it is off by then).
  if (!Timer1.Enabled) update_drag = main.ffc.Checked ? True : False;
  main.ffc.Checked = false;
  Timer1.Enabled = true;
}

void Form10::stop_run() {
  if (!Timer1.Enabled) return;
  Timer1.Enabled = false;
  Form20& main = *Form20Form;
  main.ffc.Checked = update_drag != 0;
  // The reactions were left alone while the object moved: once now, for where it stopped.
  if (main.solution_current) main.Reaction();
}

void Form10::Timer1_Timer() {
  const int s = sel_obj;
  Form20& main = *Form20Form;
  if (!main.Image1.exists(s)) {
    stop_run();
    return;
  }
  ui::Image& icon = main.Image1[s];
  const double T = fraction(Text4[1].Text.get()) * 10000 + canvas::kBeamLeft;
  const double d = 30.0 * Slider2.Value;
  const float L = icon.Left, W = icon.Width;
  if (Single(T - d - W / 2) >= L) {
    if (Check1.Value != 1) main.Picture3.Cls();
    int key = 39;
    main.Form_KeyDown(key, 0);
    key = 39;
    main.Form_KeyUp(key, 0);
    // A step that moved nothing (the object held at an end) would repeat for ever.
    if (Timer1.Enabled && icon.Left == L && icon.Width == W) stop_run();
  } else {
    stop_run();
    if (main.ffc.Checked) re_load_text();
  }
}

void Form10::Command12_Click() {
  stop_run();
  re_load_text();
}

// ---- graph properties and extreme values ----

void Form10::Check2_Click(int Index) {
  Form20& main = *Form20Form;
  main.redraw_graphs();
  const bool v = Check2[Index].Value != 0;
  for (ui::Control* c : std::initializer_list<ui::Control*>{&main.Frame3[Index], &main.Text2[Index], &main.Label3[Index],
                                                          &main.Slider2[Index], &main.Combo2[Index], &main.Label5[Index]})
    c->Visible = v;
  main.Label8.Visible = Check2[0].Value != 0;
  main.Label7.Visible = Check2[1].Value != 0;
  main.Label6.Visible = Check2[2].Value != 0;
  if (extremes_shown) clear_extremes();
}

void Form10::Check3_Click() {
  Form20& main = *Form20Form;
  // The panel and the cursor follow the box itself, whoever changed it.
  const bool on = Check3.Value == 1;
  main.Frame4.Visible = on;
  main.Line4.Visible = on;
  main.point_graf(ui::CInt(main.Line4.X1));
}

void Form10::Option3_Click(int Index) {
  Option3[0].Tag = ui::CStr(Index);
  const int g = int(ui::Val(Option3[0].Tag.get()));
  if (!graf_color.contains(g)) return;
  // Showing a graph's colour is not choosing one.
  choosing_colour = true;
  Slider4[0].Value = graf_color(g).red;
  Slider4[1].Value = graf_color(g).green;
  Slider4[2].Value = graf_color(g).blue;
  choosing_colour = false;
}

void Form10::Slider4_Change(int Index) {
  if (choosing_colour) return;
  const int g = int(ui::Val(Option3[0].Tag.get()));
  if (!graf_color.contains(g)) return;
  color_rec& c = graf_color(g);
  c.red = Byte(Slider4[0].Value);
  c.green = Byte(Slider4[1].Value);
  c.blue = Byte(Slider4[2].Value);
  Form20& main = *Form20Form;
  main.Line3[g].BorderColor = ui::RGB(c.red, c.green, c.blue);
  main.redraw_graphs();
}

void Form10::Slider5_Change() {
  Form20& main = *Form20Form;
  main.Picture3.DrawWidth = Slider5.Value;
  main.redraw_graphs();
}

void Form10::Slider6_Change() {
  Form20Form->redraw_graphs();
  if (extremes_shown) clear_extremes();
}

void Form10::Command9_Click() { Form20Form->Picture6.Visible = !Form20Form->Picture6.Visible; }

void Form10::Command10_Click() { Form20Form->Picture3.Cls(); }

void Form10::clear_extremes() {
  extremes_shown = false;
  for (int g = 0; g <= 2; ++g) {
    if (Text1.exists(g)) Text1[g].Text = "";
    if (Text8.exists(g)) Text8[g].Text = "";
  }
}

void Form10::show_extremes() {
  for (int g = 0; g <= 2; ++g) {
    // A graph that is not drawn has no extreme to report.
    const bool on = Check2[g].Value == 1;
    const double v = g == 2 ? double(unit_def) * graf_max(g, 0) : double(graf_max(g, 0));
    Text1[g].Text = on ? ui::finiteFormat(v, g == 2 ? "0.0000" : "0.000") : "";
    Text8[g].Text = on ? ui::finiteFormat(graf_max(g, 1), "0.00") : "";
  }
  extremes_shown = true;
}

void Form10::Command17_Click() {
  Form20& main = *Form20Form;
  if (!main.solution_current) {
    clear_extremes();
    return;
  }
  for (i_loop = 0; i_loop <= 2; ++i_loop) {
    graf_max(i_loop, 0) = 0;
    graf_max(i_loop, 1) = 0;
  }
  find_max = True;
  for (cur_elem = 1; cur_elem <= n_elem; ++cur_elem) main.fun3();
  find_max = False;
  show_extremes();
  main.point_graf(ui::CInt(main.Line4.X1));
}
