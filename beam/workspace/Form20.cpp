// The beam program's main window: its design state, start-up, menus and shutdown; the canvas and the
// graph view are in Form20_canvas.cpp and Form20_graphs.cpp, the answers to the solver in Form20_solver.cpp.
#include "beam/workspace/Form20.h"

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
  Picture7.DragDrop = [this](ui::Control& src, float x, float y) { picture7_DragDrop(src, x, y, Placing::by_mouse); };

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
  Combo2[kDeflectionGraph].AddItem("X10000");
  Slider2.LoadIn(kCommonScale, &Frame1);
  Slider2[kCommonScale].Move(120, 240, 2160, 300);
  for (int g = kShearGraph; g <= kCommonScale; ++g) {
    Slider2[g].Min = 10;
    Slider2[g].Max = 30;
  }
  Slider2[kShearGraph].Value = 26, Slider2[kMomentGraph].Value = 20, Slider2[kDeflectionGraph].Value = 12;
  Slider2[kCommonScale].Value = 18;
  Slider2[kCommonScale].Visible = false;
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
  Slider1.Max = kBeamTwips;
  Slider1.Value = 0;
  Slider1.Move(135, 900, 10300, 270);
  Picture3.Move(285, 1185, kBeamTwips, 3960);
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
  // Below the menu bar, which runs from the right: over a window maximised to the screen's width the
  // tool window leaves its menus free.
  tools.Top = Top + (Height - ScaleHeight());
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
  graf_color(kShearGraph).green = 255;
  if (tools.Slider4.exists(1)) tools.Slider4[1].Value = 255;
  graf_color(kMomentGraph).red = 255;
  graf_color(kDeflectionGraph).blue = 255;
  Line3[kShearGraph].BorderColor = ui::RGB(0, 255, 0);
  Line3[kMomentGraph].BorderColor = ui::RGB(255, 0, 0);
  Line3[kDeflectionGraph].BorderColor = ui::RGB(0, 0, 255);
  Combo1.ListIndex = 0;
  Combo2[kShearGraph].ListIndex = 0;
  Combo2[kMomentGraph].ListIndex = 0;
  Combo2[kDeflectionGraph].ListIndex = 1;
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
