#include "beam/workspace/Form20.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "beam/workspace/Form10.h"
#include "beam/workspace/Module1.h"
#include "beam/workspace/Module2.h"
#include "beam/workspace/frmSplash.h"
#include "beam/workspace/frmTip.h"
#include "beam/workspace/pictures.h"
#include "beam/workspace/properties.h"
#include "ui/programs.h"
#include "ui/keys.h"
#include "ui/services.h"
#include "ui/vbtext.h"

using namespace Module20;

namespace {

const char* const kStartHint = "הוסף לקורה אובייקטים   ";
const char* const kNodeHint = "גרור את האובייקט ומקמו בקורה ";
const char* const kLoadHint = "באפשרותך לשנות מקומים של אובייקטים כירצונך כמו כן להשתמש בכל האפשרויות בסרגל כלים";

const char* kindName(int i) {
  switch (kind_of(i)) {
    case Kind::support: return "סמך";
    case Kind::fixed_end: return "ריתום";
    case Kind::hinge: return "מפרק";
    case Kind::release: return "שחרור גזירה";
    case Kind::force: return "כח";
    case Kind::moment: return "מומנט";
    default: return "כח רציף";
  }
}

// A load of magnitude 0 has no direction of its own; its icon keeps its kind's picture so that it
// stays where the pointer can reach it.
int shown_icon(int k) {
  const Integer code = object_icon(Byte(k));
  return code != 0 ? code : kind_icon(Byte(k));
}

// Scale of a graph from its slider (10..30) and its multiplier 10^k.
Single graphScale(int v, int k) {
  const double m = std::pow(10.0, std::max(0, k));
  return v > 19 ? Single(1 / (m * (v - 19))) : Single(m * (21 - v));
}

}  // namespace

Form20::Form20() : ui::Form("Form20") {
  Caption = ui::kFamilyTitle;
  KeyPreview = true;
  Width = 10800;
  Height = 9000;

  // The beam canvas: the palette strip (Top 0..200) above the beam (x 285..10285).
  Picture7.Move(0, 0, 10545, 2730);
  Picture7.BackColor = ui::RGB(255, 255, 255);
  Picture7.BorderStyle = 0;
  Shape9.Move(285, 1560, 10005, 270);
  Shape9.FillStyle = 0;
  Shape9.FillColor = ui::RGB(190, 190, 190);
  Shape9.Visible = false;
  for (int i = 0; i <= 5; ++i) {
    Line1.Load(i);
    Line1[i].BorderColor = ui::RGB(255, 0, 0);
  }
  auto line = [](ui::LineControl& l, float x1, float y1, float x2, float y2) { l.X1 = x1, l.Y1 = y1, l.X2 = x2, l.Y2 = y2; };
  line(Line1[0], 60, 1680, 10500, 1680);
  line(Line1[1], 270, 2280, 270, 480);
  line(Line1[2], 10500, 1680, 10380, 1620);
  line(Line1[5], 10500, 1680, 10380, 1740);
  line(Line1[3], 270, 480, 210, 600);
  line(Line1[4], 270, 480, 330, 600);
  Label1.Caption = "y";
  Label1.Move(360, 420, 200, 240);
  Label2.Caption = "x";
  Label2.Move(10380, 1740, 200, 240);
  for (int i = 1; i <= kObjects; ++i) {
    Image1.Load(i);
    ui::Image& icon = Image1[i];
    icon.Picture_ = beam::objectPicture(kind_icon(Byte(i)));
    if (kind_of(i) == Kind::dist) {
      // A distributed load's icon spans the load: its picture is drawn at the width it is given.
      icon.Width = 500;
      icon.Tag = "250";
      icon.Stretch = true;
    }
    icon.Visible = false;
    icon.DragMode = 1;
    icon.ToolTipText = kindName(i);
  }
  Image1.MouseMove = [this](int i, int b, int s, float x, float y) { image1_MouseMove(i, b, s, x, y); };
  Picture7.MouseDown = [this](int b, int s, float x, float y) { Picture7_MouseDown(b, s, x, y); };
  Picture7.MouseMove = [this](int b, int s, float x, float y) { Picture7_MouseMove(b, s, x, y); };
  Picture7.DragDrop = [this](ui::Control& src, float x, float y) { picture7_DragDrop(src, x, y); };

  // The graph area: the graph canvas is 10000 twips wide, x being the position along the beam.
  Picture6.Move(0, 2730, 10545, 5160);
  Picture6.BorderStyle = 0;
  Picture6.Visible = false;
  Frame1.Caption = "סקלה";
  Frame1.Move(120, 0, 4200, 900);
  Check1.Load(0);
  Check1[0].Caption = "כללי";
  // The common-scale switch stands inside the frame beside the scales, not on its border line.
  Check1[0].Move(3420, 300, 720, 220);
  Picture1.Move(60, 240, 3300, 650);
  Picture1.BorderStyle = 0;
  const char* names[3] = {"גזירה", "מומנט", "שקיעה"};
  for (int g = 0; g <= 2; ++g) {
    Label5.Load(g);
    Label5[g].Caption = names[g];
    Label5[g].Move(60 + 1100.0f * g, 30, 480, 240);
    Slider2.Load(g);
    Slider2[g].Move(540 + 1100.0f * g, 0, 540, 300);
    Combo2.Load(g);
    Combo2[g].Move(60 + 1100.0f * g, 330, 1020, 315);
    for (const char* item : {"X1", "X10", "X100", "X1000"}) Combo2[g].AddItem(item);
  }
  Combo2[2].AddItem("X10000");
  Slider2.LoadIn(3, &Frame1);
  Slider2[3].Move(120, 240, 2160, 300);
  for (int g = 0; g <= 3; ++g) {
    Slider2[g].Min = 10;
    Slider2[g].Max = 30;
  }
  Slider2[0].Value = 26, Slider2[1].Value = 20, Slider2[2].Value = 12, Slider2[3].Value = 18;
  Slider2[3].Visible = false;
  for (const char* item : {"x1", "x10", "x100", "X1000"}) Combo1.AddItem(item);
  Combo1.Move(2400, 240, 960, 315);
  Combo1.Visible = false;
  Frame2.Caption = "מקרא";
  Frame2.Move(4440, 0, 1620, 900);
  for (int g = 0; g <= 2; ++g) {
    Frame3.Load(g);
    Frame3[g].BorderStyle = 0;
    Frame3[g].Move(60, 210 + 220.0f * g, 1500, 220);
    Line3.LoadIn(g, &Frame3[g]);
    line(Line3[g], 840, 110, 1440, 110);
    Line3[g].BorderWidth = 2;
    Label4.LoadIn(g, &Frame3[g]);
    Label4[g].Caption = names[g];
    Label4[g].Move(0, 0, 780, 220);
  }
  // The readout: the cursor's position, then per graph its name, its unit and its value.
  Frame4.Caption = "ערכי הגרפים הפעילים";
  Frame4.Move(6180, 0, 4300, 900);
  Text1.Move(120, 480, 900, 300);
  Text1.Locked = true;  // the readout shows; nothing typed there would be read
  ui::Label* units[3] = {&Label8, &Label7, &Label6};
  for (int g = 0; g <= 2; ++g) {
    Text2.Load(g);
    Text2[g].Move(1140 + 1040.0f * g, 480, 980, 300);
    Text2[g].Locked = true;
    Label3.Load(g);
    Label3[g].Caption = names[g];
    // Each graph's name, then a gap, then its unit in a smaller type, so that the widest name ("שקיעה")
    // and the widest unit ("[klbf*ft]") fit the column of the box below them.
    Label3[g].Move(1140 + 1040.0f * g, 220, 480, 240);
    units[g]->Move(1680 + 1040.0f * g, 240, 480, 220);
    units[g]->FontSize = 7;
  }
  Slider1.Min = 0;
  Slider1.Max = 10000;
  Slider1.Value = 0;
  Slider1.Move(135, 900, 10300, 270);
  Picture3.Move(285, 1185, 10000, 3960);
  Picture3.BackColor = ui::RGB(255, 255, 255);
  line(Line2, 0, 1980, 10140, 1980);
  line(Line4, 3495, -120, 3495, 4080);
  Slider2.Change = [this](int i) { Slider2_Change(i); };
  Combo1.Click = [this] { Combo1_Click(); };
  Combo2.Click = [this](int i) { Combo2_Click(i); };
  Check1.Click = [this](int i) { Check1_Click(i); };
  Slider1.Change = [this] { Slider1_Change(); };
  Picture3.MouseMove = [this](int b, int s, float x, float y) { Picture3_MouseMove(b, s, x, y); };

  StatusBar2.Move(0, 7920, 10680, 330);

  bb1.Enabled = false;
  for (int i = 0; i <= 2; ++i) ee4[i].Enabled = false;
  ffa.Enabled = false;
  ffb.Enabled = false;
  ffe.Checked = true;
  ffc.Checked = true;
  ffd.Enabled = false;
  aa1.Click = [this] { aa1_Click(); };
  ee1.Click = [this](int i) { ee1_Click(i); };
  ee4.Click = [this](int i) { ee4_Click(i); };
  ffa.Click = [this] { ffa_Click(); };
  ffb.Click = [this] { ffb_Click(); };
  ffc.Click = [this] { ffc_Click(); };
  ffd.Click = [this] { ffd_Click(); };
  ffe.Click = [this] { ffe_Click(); };
  ii1.Click = [this] { ii1_Click(); };
  ii2.Click = [this] { ii2_Click(); };
}

// ---- start-up, shutdown, menus ----

void Form20::Form_Load() {
  n_elem = 1;
  left_end = False;
  right_end = False;
  solve_on = True;
  const float sw = ui::services().screenWidthTwips(), sh = ui::services().screenHeightTwips();
  if (sw < 12000 || sh < 9000) {
    ui::MsgBox("מומלץ להשתמש ברזולוצית מסך 800 על 600  או גבוה יותר" + std::string(35, ' ') +
               "רזולוצית מסך כעת היא " + ui::Str(Single(sw / 15)) + " על" + ui::Str(Single(sh / 15)));
    Width = 0.999f * sw;
    Height = 0.999f * sh;
  } else {
    Width = 10800;
    Height = 9000;
  }
  Left = 0;
  Top = 0;
  frmSplashForm->Show(ui::vbModal, this);
  Form10& tools = *Form10Form;
  tools.Load();
  tools.Left = sw - tools.Width;
  Picture3.DrawWidth = 2;
  show_tip_at_start();
  new_beam();
  StatusBar2.Panels(4).Text = kStartHint;
  tools.Command9.Value = true;
  Shape9.Visible = true;
  tools.MSFlexGrid1.setCols(3);
  tools.MSFlexGrid1.setColWidth(0, 500);
  tools.MSFlexGrid1.setColWidth(1, 700);
  tools.MSFlexGrid1.setColWidth(2, 700);
  tools.MSFlexGrid1.setTextMatrix(0, 1, "E");
  tools.MSFlexGrid1.setTextMatrix(0, 2, "I");
  graf_color(0).green = 255;
  if (tools.Slider4.exists(1)) tools.Slider4[1].Value = 255;
  graf_color(1).red = 255;
  graf_color(2).blue = 255;
  Line3[0].BorderColor = ui::RGB(0, 255, 0);
  Line3[1].BorderColor = ui::RGB(255, 0, 0);
  Line3[2].BorderColor = ui::RGB(0, 0, 255);
  Combo1.ListIndex = 0;
  Combo2[0].ListIndex = 0;
  Combo2[1].ListIndex = 0;
  Combo2[2].ListIndex = 1;
}

void Form20::Form_Unload(int& Cancel) {
  Form10Form->Unload();
  frmSplashForm->Unload();
  frmTipForm->Unload();
  propertiesForm->Unload();
  ui::services().startProgram(ui::appFile(ui::kLauncherProgram));
}

void Form20::aa1_Click() {
  int cancel = 0;
  Form_Unload(cancel);
  ui::services().endProgram();
}

void Form20::ee1_Click(int Index) {
  if (!ee4[0].Enabled) {
    for (int i = 0; i <= 2; ++i) ee4[i].Enabled = true;
  }
  StatusBar2.Panels(4).Text = kNodeHint;
  Form10& tools = *Form10Form;
  switch (Index) {
    case 1: tools.Command7.Value = true; break;
    case 2: tools.Command5.Value = true; break;
    case 3: tools.Command13.Value = true; break;
    case 4: tools.Command14.Value = true; break;
    default: break;
  }
}

void Form20::ee4_Click(int Index) {
  Form10& tools = *Form10Form;
  switch (Index) {
    case 0: tools.Command1.Value = true; break;
    case 1: tools.Command2.Value = true; break;
    case 2: tools.Command3.Value = true; break;
    default: break;
  }
  if (!ffa.Enabled) {
    ffa.Enabled = true;
    ffb.Enabled = true;
    ffd.Enabled = true;
  }
  StatusBar2.Panels(4).Text = kLoadHint;
}

void Form20::ffa_Click() { Form10Form->Command6.Value = true; }

void Form20::ffb_Click() { switch_tools(true); }

void Form20::switch_tools(bool activate) {
  Form10& tools = *Form10Form;
  if (tools.loaded() && tools.Visible) tools.Hide();
  else if (activate) tools.Show(ui::vbModeless, this);
  else tools.ShowInactive(this);
  ffb.Checked = tools.loaded() && tools.Visible;
}

void Form20::ffc_Click() { ffc.Checked = !ffc.Checked; }

void Form20::ffd_Click() { propertiesForm->Show(ui::vbModeless, nullptr); }

void Form20::ffe_Click() {
  ffe.Checked = !ffe.Checked;
  solve_on = ffe.Checked ? True : False;
}

void Form20::ii1_Click() {
  frmTipForm->Show(ui::vbModeless, nullptr);
  frmTipForm->chkLoadTipsAtStartup.Visible = false;
}

void Form20::ii2_Click() { frmSplashForm->Show(ui::vbModal, this); }

// ---- the beam canvas ----

bool Form20::on_the_beam(int k) const {
  if (is_node(k)) {
    for (int i = 0; i <= n_elem && node_list.contains(i); ++i)
      if (node_list(i).obj == k) return true;
    return false;
  }
  if (kind_of(k) == Kind::force) return forces(k).on == True;
  if (kind_of(k) == Kind::moment) return moments(k).on == True;
  if (kind_of(k) == Kind::dist) return dist_loads(k).on == True;
  return false;
}

void Form20::normal_picture(int k) {
  if (!Image1.exists(k)) return;
  Image1[k].Picture_ = beam::objectPicture(shown_icon(k));
  if (kind_of(k) == Kind::dist) Image1[k].Width = 2 * float(ui::Val(Image1[k].Tag.get()));
}

void Form20::refresh_data() {
  if (ffc.Checked) Form10Form->re_load_text();
}

void Form20::image1_MouseMove(int Index, int Button, int Shift, float X, float Y) {
  if (!Image1.exists(Index)) return;
  Picture7.SetFocus();
  drag_dx = ui::CInt(X);
  if (hot_icon == 0) hot_icon = Byte(Index);
  sel_obj = Byte(Index);
  Image1[Index].Picture_ = beam::objectPicture(shown_icon(Index) + 20);
  if (kind_of(Index) == Kind::dist) Image1[Index].Width = 2 * float(ui::Val(Image1[Index].Tag.get()));
  if (hot_icon != Index) {
    normal_picture(hot_icon);
    hot_icon = Byte(Index);
  }
  MousePointer = ui::vbSizeAll;
  refresh_data();
}

void Form20::Picture7_MouseDown(int Button, int Shift, float X, float Y) {
  if (hot_icon != 0) {
    normal_picture(hot_icon);
    hot_icon = 0;
  }
}

void Form20::Picture7_MouseMove(int Button, int Shift, float X, float Y) {
  MousePointer = ui::vbDefault;
  StatusBar2.Panels(1).Text = "X=" + ui::Format(double(X - canvas::kBeamLeft) * beam_length / 10000, "00.00");
}

void Form20::picture7_DragDrop(ui::Control& Source, float X, float Y) {
  using namespace canvas;
  const int k = Source.Index();
  if (!Image1.exists(k) || &Image1[k] != &Source) return;
  ui::Image& icon = Image1[k];
  X = X - float(drag_dx);
  auto inBand = [](float y) { return y >= kBandTop && y <= kBandBottom; };
  Integer obj = Integer(k);
  if (is_node(k)) {
    if (inBand(Y)) {
      icon.Move(X, kind_of(k) == Kind::support ? kSupportTop : kNodeTop);
      sort_p(obj);
    } else {
      reactions(k) = {};
      icon.Move(X, kParkTop);
      remove_p(obj);
    }
    number_dof();
    check_mechanism();
    if (load_count(1) + load_count(2) + load_count(3) > 0) fer_all();
    else forget_solution();
  } else if (icon.Move(X, Y), inBand(icon.Top)) {
    if (kind_of(k) == Kind::force) {
      if (X < 350) X = 225;
      if (X > 10100) X = 10225;
      icon.Move(X, kForceTop);
      forces(k).pos = icon.Left - kBeamLeft + 60;
      if (forces(k).on == False) {
        forces(k).on = True;
        ++load_count(1);
      }
      fer_force(obj);
    } else if (kind_of(k) == Kind::moment) {
      if (X < 350) X = 150;
      if (X > 10035) X = 10150;
      icon.Move(X, kMomentTop);
      moments(k).pos = icon.Left - kBeamLeft + 135;
      if (moments(k).on == False) {
        moments(k).on = True;
        ++load_count(2);
      }
      fer_moment(obj);
    } else {
      if (X < kBeamLeft) X = kBeamLeft;
      if (X > kBeamRight - icon.Width) X = kBeamRight - icon.Width;
      icon.Move(X, kDistTop);
      dist_loads(k).pos = icon.Left - kBeamLeft;
      dist_loads(k).span = icon.Width;
      if (dist_loads(k).on == False) {
        dist_loads(k).on = True;
        ++load_count(3);
      }
      fer_dist(obj);
    }
  } else {
    icon.Move(X, kParkTop);
    const Kind kind = kind_of(k);
    const int count = kind == Kind::force ? 1 : kind == Kind::moment ? 2 : 3;  // its load_count entry
    Integer& on = kind == Kind::force ? forces(k).on : kind == Kind::moment ? moments(k).on : dist_loads(k).on;
    if (on == True) {
      on = False;
      if (kind == Kind::force) forces(k).pos = 10785;
      else if (kind == Kind::moment) moments(k).pos = 10785;
      else dist_loads(k).pos = 10785;
      if (load_count(count) > 0) --load_count(count);
      if (kind == Kind::force) fer_force(obj);
      else if (kind == Kind::moment) fer_moment(obj);
      else fer_dist(obj);
    }
  }
  refresh_data();
}

void Form20::Form_KeyDown(int& KeyCode, int Shift) {
  using namespace canvas;
  key_down = true;
  const int k = sel_obj;
  // Only an object standing on the beam is moved: one in the palette strip or parked has no place
  // in the model that a move could change.
  if (k == 0 || !Image1.exists(k) || !on_the_beam(k)) return;
  ui::Image& icon = Image1[k];
  const float step = 15.0f * float(Form10Form->Slider2.Value);
  const float W = icon.Width;
  if (icon.Top > 795 && is_node(k)) {
    if (KeyCode == ui::vbKeyRight && icon.Left + W <= kBeamRight) icon.Left = icon.Left + step;
    if (KeyCode == ui::vbKeyLeft && icon.Left >= kBeamLeft) icon.Left = icon.Left - step;
  } else if (icon.Top > 705 && is_load(k)) {
    // A step stops at the beam end: a load never leaves the beam by the keyboard.
    const bool dist = kind_of(k) == Kind::dist;
    const float rightmost = dist ? kBeamRight - W : kBeamRight - W / 2;
    const float leftmost = dist ? kBeamLeft : kBeamLeft - W / 2;
    if (KeyCode == ui::vbKeyRight) {
      const bool room = dist ? icon.Left + W + 60 <= kBeamRight : icon.Left + W / 2 + 60 <= kBeamRight;
      icon.Left = room ? std::min(icon.Left + step, rightmost) : rightmost;
    }
    if (KeyCode == ui::vbKeyLeft) {
      const bool room = dist ? icon.Left - 47 >= kBeamLeft : icon.Left + W / 2 - 60 >= kBeamLeft;
      icon.Left = room ? std::max(icon.Left - step, leftmost) : leftmost;
    }
  }
  if (k <= last_of(Kind::release)) key_moved(3) = True;
  if (k <= last_of(Kind::force)) key_moved(0) = True;
  if (k <= last_of(Kind::moment)) key_moved(1) = True;
  if (k <= last_of(Kind::dist)) key_moved(2) = True;
  if (kind_of(k) == Kind::dist) {
    if (KeyCode == ui::vbKeyUp && icon.Left + icon.Width < kBeamRight)
      icon.Width = std::min(icon.Width + step, kBeamRight - icon.Left);
    if (KeyCode == ui::vbKeyDown && icon.Width > 2 * step) icon.Width = icon.Width - step;
    icon.Tag = ui::CStr(icon.Width / 2);
    key_moved(2) = True;
  }
}

void Form20::Form_KeyUp(int& KeyCode, int Shift) {
  // A release whose press went elsewhere (the Enter that closed a message box) is not a move here.
  if (!key_down) return;
  key_down = false;
  const int k = sel_obj;
  if (k != 0 && Image1.exists(k) && on_the_beam(k)) {
    ui::Image& icon = Image1[k];
    Integer obj = Integer(k);
    if (key_moved(2) && k > last_of(Kind::moment)) {
      dist_loads(k).span = icon.Width;
      dist_loads(k).pos = icon.Left - canvas::kBeamLeft;
      fer_dist(obj);
      key_moved(2) = False;
    } else if (key_moved(1) && k > last_of(Kind::force)) {
      moments(k).pos = icon.Width / 2 + icon.Left - canvas::kBeamLeft;
      fer_moment(obj);
      key_moved(1) = False;
    } else if (key_moved(0) && k > last_of(Kind::release)) {
      forces(k).pos = icon.Width / 2 + icon.Left - canvas::kBeamLeft;
      fer_force(obj);
      key_moved(0) = False;
    } else if (key_moved(3)) {
      sort_p(obj);
      number_dof();
      check_mechanism();
      // The loads follow the new elements also into a mechanism (fer_all then leaves out the solve),
      // so that no load stays in an element that no longer holds it.
      if (load_count(1) + load_count(2) + load_count(3) > 0) fer_all();
      else forget_solution();
      // After a mechanism the node flag stays set, so the next release re-places the node again.
      if (mechanism != True) key_moved(3) = False;
    }
  }
  if (k != 0) refresh_data();
  // The key was typed here: the tool window shows beside the beam, and the keys stay with the beam, so
  // the next T is a command again rather than a letter in a box of the tool window.
  if (KeyCode == 'T') switch_tools(false);
}

// ---- the graph view ----

void Form20::forget_solution() {
  solution_current = false;
  Form10& tools = *Form10Form;
  if (!(tools.Timer1.Enabled && tools.Check1.Value == 1)) Picture3.Cls();
  for (int g = 0; g <= 2; ++g)
    if (Text2.exists(g)) Text2[g].Text = "";
  tools.clear_extremes();
  tools.elements_changed();
}

void Form20::redraw_graphs() {
  Picture3.Cls();
  if (!solution_current) return;
  for (cur_elem = 1; cur_elem <= n_elem; ++cur_elem) fun3();
}

void Form20::Slider2_Change(int Index) {
  if (Check1.exists(0) && Check1[0].Value == 1) {
    for (i_loop = 0; i_loop <= 2; ++i_loop) graf_scale(i_loop) = graphScale(Slider2[3].Value, Combo1.ListIndex);
  } else {
    for (i_loop = 0; i_loop <= 2; ++i_loop)
      graf_scale(i_loop) = graphScale(Slider2[i_loop].Value, Combo2[i_loop].ListIndex);
  }
  redraw_graphs();
}

void Form20::Combo1_Click() { Slider2_Change(3); }
void Form20::Combo2_Click(int Index) { Slider2_Change(Index); }

void Form20::Check1_Click(int Index) {
  const bool common = Check1[0].Value == 1;
  Slider2[3].Visible = common;
  Combo1.Visible = common;
  Picture1.Visible = !common;
}

void Form20::show_cursor_position() { Text1.Text = ui::Format(double(Line4.X1) * unit_L, "0.000"); }

void Form20::Slider1_Change() {
  Line4.X1 = Line4.X2 = float(Slider1.Value);
  show_cursor_position();
  point_graf(ui::CInt(Line4.X1));
}

void Form20::Picture3_MouseMove(int Button, int Shift, float X, float Y) {
  if (Picture3.MousePointer != ui::vbArrow) Picture3.MousePointer = ui::vbArrow;
  if (Button != 1 || X < 0 || X > 10000) return;
  MousePointer = ui::vbDefault;
  if (Frame4.Visible) {
    Line4.X1 = Line4.X2 = X;
    Slider1.Value = ui::CInt(X);
    Text1.Text = ui::Format(double(unit_L) * X, "0.000");
  }
  point_graf(ui::CInt(X));
}
