#include "truss/workspace/Form1.h"

#include <algorithm>
#include <cmath>

#include "truss/solver/Form2.h"
#include "truss/solver/common1.h"
#include "truss/workspace/Form3.h"
#include "truss/workspace/frmTrussSplash.h"
#include "truss/workspace/pictures.h"
#include "ui/programs.h"
#include "ui/services.h"
#include "ui/vbtext.h"

using namespace common1;

namespace {
const char* const kCaption = "Kesvo - מסבכים";
constexpr float kCanvas = 30000;
constexpr int kHourglass = 11;

// Highlighted arrow templates (1000..1003: down, right, left, up) and their normal forms (1040 down,
// 1041 left, 1042 right, 1043 up).
int normalOf(int highlighted) {
  switch (highlighted) {
    case 1000: return 1040;
    case 1001: return 1042;
    case 1002: return 1041;
    default: return 1043;
  }
}
int highlightedOf(int normal) {
  switch (normal) {
    case 1040: return 1000;
    case 1042: return 1001;
    case 1041: return 1002;
    default: return 1003;
  }
}
}  // namespace

Form1::Form1() : ui::Form("Form1") {
  Caption = kCaption;
  KeyPreview = true;
  setClientSize(11700, 8100);

  dd6.Checked = true;
  dd3.Checked = true;
  dd4.Checked = true;
  dd5.Checked = true;
  aa2.Click = [this] { aa2_Click(); };
  aa3.Click = [this] { aa3_Click(); };
  aa4.Click = [this] { aa4_Click(); };
  aa5.Click = [this] { aa5_Click(); };
  bb1.Click = [this] { bb1_Click(); };
  cc1.Click = [this] { cc1_Click(); };
  dd2.Click = [this] { dd2_Click(); };
  dd3.Click = [this] { dd3_Click(); };
  dd4.Click = [this] { dd4_Click(); };
  dd5.Click = [this] { dd5_Click(); };
  dd6.Click = [this] { dd6_Click(); };

  // Viewport and canvas.
  VScroll1.Width = 255;
  HScroll1.Height = 255;
  for (ui::ScrollBar* s : {&VScroll1, &HScroll1}) {
    s->SmallChange = 200;
    s->LargeChange = 300;
    s->Min = 0;
    s->Max = 0;
  }
  VScroll1.Change = [this] { VScroll1_Change(); };
  HScroll1.Change = [this] { HScroll1_Change(); };
  Picture5.BorderStyle = 0;
  Picture5.Move(255, 0, 9000, 7000);
  Picture1.BorderStyle = 0;
  Picture1.BackColor = ui::RGB(255, 255, 255);
  Picture1.Move(0, 0, kCanvas, kCanvas);
  Picture1.MouseUp = [this](int b, int s, float x, float y) { Picture1_MouseUp(b, s, x, y); };
  Picture1.MouseMove = [this](int b, int s, float x, float y) { Picture1_MouseMove(b, s, x, y); };
  Picture1.DragOver = [this](ui::Control& src, float x, float y, int st) { Picture1_DragOver(src, x, y, st); };
  Picture7.BorderStyle = 0;
  Picture7.Width = 435;
  Picture7.BackColor = ui::RGB(200, 200, 200);
  Picture7.MouseMove = [this](int b, int s, float x, float y) { Picture7_MouseMove(b, s, x, y); };

  // Pictures of markers, supports and arrows.
  for (int v = 1; v <= 3; ++v) {
    Image2.Load(v);
    Image2[v].Picture_ = truss::markerPicture(v, false);
    Image2[v].Visible = false;
    Image3.Load(v);
    Image3[v].Picture_ = truss::markerPicture(v, true);
    Image3[v].Visible = false;
  }
  for (int k = 0; k < 3; ++k) {
    Image4.Load(k);
    Image4[k].Picture_ = truss::supportPicture(k, false);
    Image4[k].Visible = false;
    Image4.Load(k + 10);
    Image4[k + 10].Picture_ = truss::supportPicture(k, true);
    Image4[k + 10].Visible = false;
  }
  const int normalTypes[] = {1, 3, 2, 4};       // 1040 down, 1041 left, 1042 right, 1043 up
  const int highlightedTypes[] = {1, 2, 3, 4};  // 1000 down, 1001 right, 1002 left, 1003 up
  for (int k = 0; k < 4; ++k) {
    for (int base : {1040, 1000}) {
      int i = base + k;
      Picture2.Load(i);
      Picture2[i].BorderStyle = 0;
      Picture2[i].AutoSize = true;
      Picture2[i].Picture_ = truss::arrowPicture(base == 1040 ? normalTypes[k] : highlightedTypes[k], base == 1000);
      Picture2[i].Visible = false;
    }
  }
  for (int k = 0; k < 40; ++k) {
    Picture2.Load(k);
    Picture2[k].BorderStyle = 0;
    Picture2[k].AutoSize = true;
    Picture2[k].BackColor = ui::RGB(255, 255, 255);
    Picture2[k].Picture_ = Picture2[1040].Picture_.get();
    Picture2[k].Visible = false;
  }
  Picture2.MouseMove = [this](int i, int b, int s, float x, float y) { Picture2_MouseMove(i, b, s, x, y); };

  // Point markers (0..50), made with the window; bars and supports are made by the first reset.
  for (int i = 0; i <= 50; ++i) {
    Image1.Load(i);
    Image1[i].Picture_ = Image2[2].Picture_.get();
    Image1[i].Visible = false;
    Image1[i].DragMode = 1;
  }
  Image1.Click = [this](int i) { Image1_Click(i); };
  Image1.MouseDown = [this](int i, int b, int s, float x, float y) { Image1_MouseDown(i, b, s, x, y); };
  Image1.MouseMove = [this](int i, int b, int s, float x, float y) { Image1_MouseMove(i, b, s, x, y); };
  Line1.Load(0);
  Line1[0].Visible = false;
  Label6.MouseMove = [this](int i, int b, int s, float x, float y) { Label6_MouseMove(i, b, s, x, y); };
  for (int k = 0; k <= 5; ++k) {
    Line11.Load(k);
    Line11[k].BorderColor = ui::RGB(0, 0, 160);
  }
  Label3.Caption = "x";
  Label4.Caption = "y";
  for (ui::Label* l : {&Label3, &Label4}) {
    l->Width = 240;
    l->Height = 240;
    l->ForeColor = ui::RGB(0, 0, 160);
  }

  // Help panel.
  Picture3.Move(255 + 60, 60, 3600, 560);
  Picture3.BackColor = ui::RGB(255, 255, 225);
  Label8.Move(60, 30, 3400, 240);
  Label7.Move(60, 280, 3400, 240);
  Label8.Caption = "הוספת צומת";
  for (ui::Label* l : {&Label7, &Label8}) {
    l->FontName = "Miriam";
    l->Alignment = 1;
  }

  // Tool panel: elements, properties, displacements.
  SSTab2.setTabCaption(0, "אלמנטים");
  SSTab2.setTabCaption(1, "מאפינים");
  SSTab2.setTabCaption(2, "תזוזות");
  SSTab2.FontName = "Miriam";
  SSTab2.Move(0, 0, 3300, 7000);
  SSTab2.Click = [this] { SSTab2_Click(); };
  auto onTab = [this](ui::Control& c, int tab, float l, float t, float w, float h, const char* caption) {
    c.TabPage = tab;
    c.Move(l, t, w, h);
    c.FontName = "Miriam";
    if (auto* f = dynamic_cast<ui::Frame*>(&c)) f->Caption = caption;
  };
  onTab(FrameTools, 0, 90, 420, 3120, 1700, "הוספת אלמנטים");
  const char* const tools[] = {"מוט", "סמך נייח", "סמך נייד ל X", "סמך נייד ל Y",
                               "כח למטה ", "כח למעלה", "כח ימינה", "כח שמאלה"};
  for (int k = 0; k < 8; ++k) {
    Option4.Load(k);
    Option4[k].Caption = tools[k];
    Option4[k].FontName = "Miriam";
    Option4[k].RightToLeft = true;
    Option4[k].Move(k < 4 ? 1560 : 60, 240 + float(k % 4) * 340, 1500, 300);
  }
  Option4[0].Value = true;
  onTab(FrameSelect, 0, 90, 2160, 3120, 1150, " בחירת אלמנטים (למחיקה או הזזה)");
  const char* const modes[] = {"ללא", "צומת", "כח", "מוט", "סמך"};
  for (int k = 0; k < 5; ++k) {
    Option3.Load(k);
    Option3[k].Caption = modes[k];
    Option3[k].FontName = "Miriam";
    Option3[k].RightToLeft = true;
    Option3[k].Move(k < 3 ? 2040 - float(k) * 990 : 2040 - float(k - 3) * 990, k < 3 ? 260 : 660, 960, 300);
  }
  Option3[1].Value = true;
  Option3.Click = [this](int i) { Option3_Click(i); };
  onTab(FrameIndex, 0, 1680, 3350, 1530, 650, "אינדקס הצומת");
  Text5.Move(120, 260, 1290, 300);
  onTab(FrameCoords, 0, 90, 3350, 1530, 1000, "קואורדינטות [mm]");
  LabelX.Caption = "x";
  LabelY.Caption = "y";
  LabelX.Move(1260, 270, 200, 240);
  LabelY.Move(1260, 620, 200, 240);
  Text3.Move(90, 240, 1140, 300);
  Text4.Move(90, 590, 1140, 300);
  onTab(FrameSpectrum, 0, 90, 4400, 3120, 1500, "ספקטרום מאמצים");
  Picture4.BorderStyle = 0;
  Picture4.AutoRedraw = true;
  Picture4.Move(300, 260, 2475, 375);
  Option1.Load(0);
  Option1.Load(1);
  Option1[0].Caption = "יחסית למאמץ מקס'";
  Option1[1].Caption = "יחסית ל";
  Option1[0].Move(900, 700, 2160, 300);
  Option1[1].Move(1560, 1040, 1500, 300);
  for (int k = 0; k < 2; ++k) {
    Option1[k].FontName = "Miriam";
    Option1[k].RightToLeft = true;
  }
  Option1[0].Value = true;
  LabelMax.Caption = "=max";
  LabelMax.Move(2700, 300, 420, 240);
  Combo2.Move(120, 1040, 1380, 300);
  Combo2.AddItem("10 Mpa");
  for (int v = 100; v <= 900; v += 100) Combo2.AddItem(ui::CStr(v) + " Mpa");

  onTab(FrameBarWidth, 1, 90, 420, 3120, 800, "עובי מוט");
  onTab(FramePointSize, 1, 90, 1300, 3120, 800, "עובי נקודת צומת");
  Slider1.LoadIn(0, &FrameBarWidth);
  Slider1.LoadIn(1, &FramePointSize);
  for (int k = 0; k < 2; ++k) {
    Slider1[k].Move(120, 260, 2880, 420);
    Slider1[k].Min = 1;
    Slider1[k].Max = 3;
    Slider1[k].Value = 2;
    Slider1[k].LargeChange = 1;
  }
  Slider1[1].Tag = "2";
  Slider1.Change = [this](int i) { Slider1_Change(i); };
  onTab(FrameScale, 1, 90, 2180, 3120, 700, "גודל אורכי המוטות היחסים");
  Combo1.Move(120, 280, 2880, 300);
  Combo1.AddItem("");
  Combo1.AddItem("15 mm/picsel");
  Combo1.AddItem("30 mm/picsel");
  Combo1.AddItem("45 mm/picsel");
  Combo1.Text = "15 mm/picsel";
  Combo1.Click = [this] { Combo1_Click(); };
  onTab(FrameLength, 1, 90, 2960, 3120, 900, "אורך יחסי");
  Line3.X1 = 180;
  Line3.X2 = 2180;
  Line3.Y1 = 300;
  Line3.Y2 = 300;
  Line3.BorderWidth = 2;
  Text1.Move(600, 460, 1800, 300);
  Text1.Text = " 2  [מטר]";

  onTab(FrameMagnify, 2, 90, 420, 3120, 1500, "הכפלת קוי התזוזות במקדם");
  Slider2.Move(120, 260, 2880, 420);
  Slider2.Min = 1;
  Slider2.Max = 30000;
  Slider2.SmallChange = 1;
  Slider2.LargeChange = 100;
  Slider2.TickFrequency = 3000;
  Slider2.Value = 1;
  Label12.Caption = "ערך  =";
  Label12.Move(2100, 720, 900, 240);
  Label11.Move(900, 720, 1100, 240);
  Label10.Caption = "שינויים קטנים ע\"י מקשי חצים";
  Label10.Move(120, 1060, 2880, 240);
  Slider2.Scroll = [this] { Slider2_Scroll(); };
  Slider2.MouseUp = [this](int b, int s, float x, float y) { Slider2_MouseUp(b, s, x, y); };
  Slider2.KeyUp = [this](int& k, int s) { Slider2_KeyUp(k, s); };
  Slider2.GotFocus = [this] { Slider2_GotFocus(); };
  Slider2.LostFocus = [this] { Slider2_LostFocus(); };
  onTab(FramePen, 2, 90, 2000, 3120, 1700, "מאפייני גרף התזוזות");
  const char* const pens[] = {"DrawMode", "Drawstyle", "DrawWide"};
  const int lo[] = {1, 0, 1}, hi[] = {16, 6, 5}, start[] = {13, 2, 1};
  for (int k = 0; k < 3; ++k) {
    Slider3.Load(k);
    Slider3[k].Move(120, 240 + float(k) * 480, 1900, 420);
    Slider3[k].Min = lo[k];
    Slider3[k].Max = hi[k];
    Slider3[k].Value = start[k];
    Slider3[k].LargeChange = 1;
    LabelPen.Load(k);
    LabelPen[k].Caption = pens[k];
    LabelPen[k].Move(2080, 300 + float(k) * 480, 1000, 240);
  }
  Slider3.Change = [this](int i) { Slider3_Change(i); };
  Picture1.DrawMode = 13;
  Picture1.DrawStyle = 2;
  Picture1.DrawWidth = 1;
  Command1.TabPage = 2;
  Command1.Caption = "ניקוי תזוזות";
  Command1.Move(90, 3800, 3120, 400);
  Command1.Click = [this] { Command1_Click(); };
  Command2.TabPage = 2;
  Command2.Caption = "הפוך מוטות ללתיצה/מתיחה";
  Command2.Move(90, 4300, 3120, 400);
  Command2.Click = [this] { Command2_Click(); };
  LabelTension.TabPage = 2;
  LabelTension.Caption = "מתיחה";
  LabelTension.ForeColor = ui::RGB(0, 160, 0);
  LabelTension.Move(1800, 4780, 1000, 240);
  LabelCompression.TabPage = 2;
  LabelCompression.Caption = "לחיצה";
  LabelCompression.ForeColor = ui::RGB(200, 0, 0);
  LabelCompression.Move(400, 4780, 1000, 240);
  for (ui::Control* c : std::initializer_list<ui::Control*>{&Command1, &Command2, &LabelTension, &LabelCompression,
                                                           &Label10, &Label11, &Label12, &LabelMax})
    c->FontName = "Miriam";
}

// ---- start-up, reset, layout, shutdown ----

void Form1::Form_Load() {
  frmTrussSplashForm->Show(ui::vbModal, this);
  uint8_t mode = 1;
  start1(mode);
  scale_mm = 1;
  Form_Resize();
  VScroll1.Value = VScroll1.Max.get();
  Picture1.Left = 0;
  Picture1.Top = Picture5.ScaleHeight() - Picture1.Height;
  Picture5.Top = 0;
  Picture5.Left = VScroll1.Width.get();
  paintSpectrum();
  uniform_values(1) = 210;
  uniform_values(2) = 1000;
  uniform_values(3) = 1000;
}

void Form1::start1(uint8_t& mode) {
  const int size = std::clamp(Slider1.exists(1) ? Slider1[1].Value.get() : 2, 1, 3);
  for (int i = 0; i <= 200; ++i) {
    if (i != 0 && mode != 0) Line1.Load(i);
    if (mode == 1 && Label6.Load(i)) {
      Label6[i].Caption = ui::Str(i);
      Label6[i].Visible = false;
      Label6[i].Move(0, 0, 330, 210);
      Label6[i].ForeColor = ui::RGB(0, 0, 160);
    }
    if (i != 0) f_value(i) = 1000;
    line_E(i) = 210;
    line_A(i) = 1000;
    for (int p = 0; p <= 50; ++p) {
      P_L_index(i, p, 0) = 0;
      P_L_index(i, p, 1) = 0;
    }
    if (i < 40) {
      F_data(i) = force_rec{};
      Picture2[i].Visible = false;
    }
    if (i <= 50) {
      Image1[i].Picture_ = Image2[size].Picture_.get();
      Image1[i].Visible = false;
      Image1[i].ToolTipText = "Point(" + ui::Str(i) + " )";
      P_data(i).Enabled = false;
      P_data(i).F_type_x = 0;
      P_data(i).F_type_y = 0;
      P_data(i).R_type = 0;
    }
    if (Line1.exists(i)) {
      ui::LineControl& l = Line1[i];
      l.Visible = false;
      l.BorderWidth = Slider1[0].Value.get();
      if (Label6.exists(i)) Label6[i].Visible = false;
      // A hidden line is black again, so a reused line never shows an old stress colour.
      l.BorderColor = ui::RGB(0, 0, 0);
    }
  }
  for (int i = 201; i <= 300; ++i) {
    if (mode == 1) Image1.Load(i);
    if (!Image1.exists(i)) continue;
    Image1[i].Visible = false;
    Image1[i].Tag = "0";
    Image1[i].ToolTipText = "סמך";
  }
  supports_count = 201;
  points_count = 0;
  forces_count = 0;
  lines_count = 0;
  bar_pending = 0;
  bar_first_point = 0;
  first_point();
  // The axes go to point 0's centre, which is where the point itself stands.
  ui::Image& origin = Image1[0];
  Picture1_DragOver(origin, origin.Left + origin.Width / 2, origin.Top + origin.Height / 2, 0);
}

void Form1::first_point() {
  Picture1_MouseUp(ui::vbLeftButton, 0, 2168, 29100);
  Option4[1].Value = true;
  Image1_MouseDown(0, 0, 0, 0, 0);
  Option4[0].Value = true;
}

void Form1::Form_Resize() {
  const float SW = ScaleWidth(), SH = ScaleHeight();
  // A window smaller than its fixed strips (minimised, or dragged very small) keeps its last layout.
  if (SW <= Picture7.Width + VScroll1.Width + 15 || SH <= HScroll1.Height + 15) return;
  Picture5.Width = SW - Picture7.Width - VScroll1.Width;
  Picture5.Height = SH - HScroll1.Height;
  Picture7.Height = SH - HScroll1.Height;
  Picture7.Left = VScroll1.Width + Picture5.Width;
  Picture7.Top = 0;
  HScroll1.Height = VScroll1.Width.get();
  VScroll1.Left = 0;
  VScroll1.Top = 0;
  VScroll1.Height = SH - HScroll1.Height;
  HScroll1.Left = VScroll1.Width.get();
  HScroll1.Width = std::max(0.0f, Picture5.ScaleWidth() - VScroll1.Width);
  HScroll1.Top = SH - HScroll1.Height;
  // On a screen larger than the canvas there is nothing to scroll: the range stays 0..0.
  VScroll1.Min = 0;
  VScroll1.Max = std::max<int>(0, ui::CInt(Picture1.ScaleHeight() - Picture5.Height));
  HScroll1.Min = 0;
  HScroll1.Max = std::max<int>(0, ui::CInt(Picture1.ScaleWidth() - Picture5.Width));
  SSTab2.Left = SW - SSTab2.Width;
}

void Form1::paintSpectrum() {
  const float W = Picture4.Width, H = Picture4.Height;
  for (float x = 1; x <= W; x += 15) {
    float r = x / W;
    Picture4.Line(x, 0, x, H, ui::RGB(color_r(r), color_g(r), color_b(r)));
  }
}

void Form1::Form_Unload(int& Cancel) {
  if (Form2Form.exists()) Form2Form->Unload();
  if (Form3Form.exists()) Form3Form->Unload();
  if (frmTrussSplashForm.exists()) frmTrussSplashForm->Unload();
  ui::services().startProgram(ui::appFile(ui::kLauncherProgram));
}

// ---- canvas editor ----

int Form1::pointSize() { return std::clamp(int(ui::Val(Slider1[1].Tag.get())), 1, 3); }

float Form1::halfSize(int size) { return size <= 1 ? 45.0f : size == 2 ? 60.0f : 75.0f; }

bool Form1::livePoint(int p) {
  return p >= 0 && p <= 49 && Image1.exists(p) && Image1[p].Visible.get() && P_data(p).Enabled;
}

int Form1::tool() {
  int t = 0;
  for (int k = 1; k <= 7; ++k)
    if (Option4[k].Value.get()) t = k;
  return t;
}

void Form1::Picture1_MouseUp(int Button, int Shift, float X, float Y) {
  if (Button != ui::vbLeftButton || points_count > 50) return;
  int v = 0;
  while (v <= points_count && v <= 50 && Image1[v].Visible.get()) ++v;
  if (v >= 50) return;
  ui::Image& m = Image1[v];
  // A fresh slot has the picture of the last reset; a new point takes the size now chosen.
  m.Picture_ = Image2[pointSize()].Picture_.get();
  m.Visible = true;
  m.Left = X - m.Width / 2;
  m.Top = Y - m.Height / 2;
  P_data(v).Enabled = true;
  P_data(v).x = X;
  P_data(v).y = Y;
  if (v == points_count) ++points_count;
}

void Form1::Picture1_MouseMove(int Button, int Shift, float X, float Y) {
  Label8.Caption = "הוספת צומת";
  if (bar_pending == 0) Label7.Caption = "";
  if (dd6.Checked.get() && SSTab2.Visible.get()) SSTab2.Visible = false;
  Picture1.MousePointer = ui::vbDefault;
  if (bar_pending == 1 && Line1.exists(bar_index)) {
    Line1[bar_index].X2 = X;
    Line1[bar_index].Y2 = Y;
  }
}

void Form1::Picture1_DragOver(ui::Control& Source, float X, float Y, int State) {
  Label8.Caption = "גרור";
  // Keep the dragged marker in view: scroll by 100 twips when it nears an edge of the viewport.
  const float v = float(VScroll1.Value.get()), h = float(HScroll1.Value.get());
  if (Source.Top < v + 200 && VScroll1.Value >= VScroll1.Min + 100)
    VScroll1.Value = VScroll1.Value - 100;
  else if (Source.Top > v + Picture5.Height - VScroll1.Width - 350 && VScroll1.Value <= VScroll1.Max - 100)
    VScroll1.Value = VScroll1.Value + 100;
  if (Source.Left < h + 350 && HScroll1.Value >= HScroll1.Min + 100)
    HScroll1.Value = HScroll1.Value - 100;
  else if (Source.Left > h + Picture5.Width - VScroll1.Width - 100 && HScroll1.Value <= HScroll1.Max - 100)
    HScroll1.Value = HScroll1.Value + 100;

  auto* marker = dynamic_cast<ui::Image*>(&Source);
  if (!marker || Source.Name() != "Image1") return;
  const int i = Source.Index();
  if (i >= 0 && i < 200 && P_data.contains(i)) {
    marker->Left = X - marker->Width / 2;
    marker->Top = Y - marker->Height / 2;
    for (int l = 0; l <= lines_count && l <= 200; ++l) {
      if (P_L_index(l, i, 0) != -1) continue;
      ui::LineControl& line = Line1[l];
      if (P_L_index(l, i, 1) == -1) {
        line.X2 = X;
        line.Y2 = Y;
      } else {
        line.X1 = X;
        line.Y1 = Y;
      }
      Label6[l].Left = (line.X1 + line.X2) / 2;
      Label6[l].Top = (line.Y1 + line.Y2) / 2;
    }
    for (int f = 0; f < forces_count && f < 40; ++f) {
      if (!F_data(f).Enabled || F_data(f).point_index != i) continue;
      ui::PictureBox& arrow = Picture2[f];
      if (F_data(f).type_f == 4 || F_data(f).type_f == 1) {
        arrow.Left = X - 52;
        arrow.Top = Y - marker->Height / 2 - 435;
      } else {
        arrow.Left = X + marker->Height / 2;
        arrow.Top = Y - 52;
      }
    }
    P_data(i).x = X;
    P_data(i).y = Y;
    Text3.Text = ui::CStr((P_data(i).x - origin_x) * scale_mm);
    Text4.Text = ui::CStr((origin_y - P_data(i).y) * scale_mm);
  }
  for (int s = 201; s < supports_count && s <= 299; ++s) {
    if (!R_data(s).Enabled || R_data(s).point_index != i) continue;
    ui::Image& support = Image1[s];
    if (R_data(s).type_f == 3) {
      support.Left = X + marker->Height / 2;
      support.Top = Y - 180;
    } else {
      support.Left = X - 180;
      support.Top = Y + marker->Height / 2;
    }
  }
  if (i == 0) {
    move_line(X, Y);
    origin_x = X;
    origin_y = Y;
    Text3.Text = "0";
    Text4.Text = "0";
  }
}

void Form1::move_line(float X, float Y) {
  auto set = [this](int k, float x1, float y1, float x2, float y2) {
    ui::LineControl& l = Line11[k];
    l.X1 = x1;
    l.Y1 = y1;
    l.X2 = x2;
    l.Y2 = y2;
  };
  set(1, X - 660, Y, X + 2032, Y);
  set(0, X, Y - 1740, X, Y + 660);
  set(5, X + 2032, Y, X + 2032 - 135, Y + 135);
  set(4, X + 2032, Y, X + 2032 - 135, Y - 135);
  set(2, X, Y - 1740, X + 135, Y - 1740 + 135);
  set(3, X, Y - 1740, X - 135, Y - 1740 + 135);
  Label3.Move(X + 2032, Y);
  Label4.Move(X - 360, Y - 1740);
}

void Form1::Image1_Click(int Index) {
  if (!Option4[0].Value.get() || lines_count > 200 || Index >= 200 || !livePoint(Index)) return;
  ui::Image& m = Image1[Index];
  const float cx = m.Left + m.Width / 2, cy = m.Top + m.Height / 2;
  if (bar_pending == 0) {
    int v = 0;
    while (v <= lines_count && v < 200 && Line1[v].Visible.get()) ++v;
    if (v >= 200) return;
    bar_index = int16_t(v);
    ui::LineControl& l = Line1[bar_index];
    l.Visible = true;
    P_L_index(bar_index, Index, 0) = -1;
    bar_pending = 1;
    bar_first_point = int16_t(Index);
    l.X1 = cx;
    l.Y1 = cy;
    l.X2 = cx;
    l.Y2 = cy;
    Label8.Caption = "הוסף צומת";
    Label7.Caption = "חבר קצה שני";
    return;
  }
  if (Index == bar_first_point) return;
  Image1[bar_first_point].BorderStyle = 0;
  m.BorderStyle = 0;
  ui::LineControl& l = Line1[bar_index];
  l.X2 = cx;
  l.Y2 = cy;
  P_L_index(bar_index, Index, 0) = -1;
  P_L_index(bar_index, Index, 1) = -1;
  Label6[bar_index].Visible = true;
  Label6[bar_index].Left = (l.X1 + l.X2) / 2;
  Label6[bar_index].Top = (l.Y1 + l.Y2) / 2;
  if (bar_index == lines_count) ++lines_count;
  bar_pending = 0;
}

void Form1::cancel_bar() {
  if (bar_pending == 0) return;
  bar_pending = 0;
  if (Line1.exists(bar_index)) {
    Line1[bar_index].Visible = false;
    Line1[bar_index].BorderColor = ui::RGB(0, 0, 0);
  }
  for (int q = 0; q <= 50; ++q) {
    P_L_index(bar_index, q, 0) = 0;
    P_L_index(bar_index, q, 1) = 0;
  }
  Label7.Caption = "";
}

void Form1::Image1_MouseDown(int Index, int Button, int Shift, float X, float Y) {
  if (Index > 199 || Shift != 0 || !livePoint(Index)) return;
  const int t = tool();
  point_rec& p = P_data(Index);
  ui::Image& m = Image1[Index];
  if (t >= 1 && t <= 3) {
    if (supports_count > 299 || p.R_type != 0) return;
    const bool allowed = t == 1 ? (p.F_type_x == 0 && p.F_type_y == 0) : t == 2 ? p.F_type_y == 0 : p.F_type_x == 0;
    if (!allowed) return;
    const int s = supports_count;
    ui::Image& support = Image1[s];
    support.Picture_ = Image4[t - 1].Picture_.get();
    support.Tag = "0";
    if (t == 3) {
      support.Left = m.Left + m.Width;
      support.Top = m.Top + m.Height / 2 - 180;
    } else {
      support.Left = m.Left + m.Width / 2 - 180;
      support.Top = m.Top + m.Height;
    }
    R_data(s) = support_rec{true, int16_t(Index), uint8_t(t)};
    p.R_type = uint8_t(t);
    support.Visible = true;
    ++supports_count;
    return;
  }
  if (t < 4 || p.R_type == 1 || forces_count > 39) return;
  const int f = forces_count;
  ui::PictureBox& arrow = Picture2[f];
  uint8_t type_f;
  if (t == 4 || t == 5) {
    if (p.F_type_y != 0 || p.R_type == 2) return;
    const bool down = t == 4;
    arrow.Picture_ = Picture2[down ? 1040 : 1043].Picture_.get();
    type_f = down ? 1 : 4;
    p.F_type_y = down ? -1 : 1;
    arrow.Left = m.Left + m.Width / 2 - 53;
    arrow.Top = m.Top - 435;
  } else {
    if (p.F_type_x != 0 || p.R_type == 3) return;
    const bool right = t == 6;
    arrow.Picture_ = Picture2[right ? 1042 : 1041].Picture_.get();
    type_f = right ? 2 : 3;
    p.F_type_x = right ? 1 : -1;
    arrow.Left = m.Left + m.Height;
    arrow.Top = m.Top + m.Height / 2 - 52;
  }
  F_data(f) = force_rec{true, int16_t(Index), type_f};
  arrow.Visible = true;
  ++forces_count;
}

void Form1::Image1_MouseMove(int Index, int Button, int Shift, float X, float Y) {
  if (bar_pending == 0 && Index < 200) {
    Label8.Caption = "גרור";
    const int t = tool();
    Label7.Caption = t == 0 ? "הוספת מוט" : t <= 3 ? "הוספת סמך" : "הוספת כח";
  }
  if (Option3[4].Value.get() && Index >= 201 && Index <= 299 && Image1.exists(Index)) {
    ui::Image& support = Image1[Index];
    const int type = std::clamp(int(R_data(Index).type_f), 1, 3);
    support.Tag = "1";
    support.Picture_ = Image4[type + 9].Picture_.get();
    for (int s = 201; s < supports_count && s <= 299; ++s) {
      if (s == Index || Image1[s].Tag.get() != "1") continue;
      Image1[s].Tag = "0";
      Image1[s].Picture_ = Image4[std::clamp(int(R_data(s).type_f), 1, 3) - 1].Picture_.get();
      break;
    }
    selected_index = int16_t(Index);
  }
  if (Index >= 0 && Index < 200 && Image1.exists(Index)) {
    if (Option3[1].Value.get()) {
      const int size = std::clamp(Slider1[1].Value.get(), 1, 3);
      for (int v = 0; v <= points_count && v <= 50; ++v)
        if (Image1[v].Picture_.get() == Image3[size].Picture_.get()) Image1[v].Picture_ = Image2[size].Picture_.get();
      Image1[Index].Picture_ = Image3[size].Picture_.get();
      selected_kind = 1;
      selected_index = int16_t(Index);
      Text3.Text = ui::CStr((P_data(Index).x - origin_x) * scale_mm);
      Text4.Text = ui::CStr((origin_y - P_data(Index).y) * scale_mm);
    }
    Image1[Index].MousePointer = bar_pending == 1 ? ui::vbCrosshair : ui::vbSizeAll;
  }
  Text5.Text = ui::CStr(int(selected_index));
}

void Form1::Label6_MouseMove(int Index, int Button, int Shift, float X, float Y) {
  if (!Label6.exists(Index) || !line_t.contains(Index)) return;
  if (Option3[3].Value.get()) {
    for (int l = 0; l <= lines_count && l <= 200; ++l)
      if (Line1[l].BorderColor.get() != ui::RGB(0, 0, 0)) Line1[l].BorderColor = ui::RGB(0, 0, 0);
    Line1[Index].BorderColor = ui::RGB(255, 255, 255);
    selected_index = int16_t(Index);
    selected_kind = 3;
  }
  const float t = line_t(Index), A = line_A(Index), E = line_E(Index);
  const float sigma = t / A;
  // A bar without a cross-section has no stress to show.
  const std::string sigmaText = A != 0 && std::isfinite(sigma) ? ui::Str(sigma) : "";
  const std::string i = ui::Str(Index);
  Label6[Index].ToolTipText = "Sigma (" + i + " ) =" + sigmaText + " [Mpa]    ,   t (" + i + " ) =" + ui::Str(t) +
                              " [N]" + "   ,   A (" + i + " ) =" + ui::Str(A) + " [mm^2]" + "  ,   E (" + i +
                              " ) =" + ui::Str(E) + " [GPa]";
}

void Form1::Option3_Click(int Index) {
  const int size = std::clamp(Slider1[1].Value.get(), 1, 3);
  for (int v = 0; v <= 200; ++v) {
    if (v < lines_count) Line1[v].BorderColor = ui::RGB(0, 0, 0);
    if (v < points_count && v <= 50 && Image1[v].Picture_.get() == Image3[size].Picture_.get())
      Image1[v].Picture_ = Image2[size].Picture_.get();
    if (v < forces_count && v < 40)
      for (int h = 1000; h <= 1003; ++h)
        if (Picture2[v].Picture_.get() == Picture2[h].Picture_.get()) {
          Picture2[v].Picture_ = Picture2[normalOf(h)].Picture_.get();
          break;
        }
  }
  for (int s = 201; s < supports_count && s <= 299; ++s) {
    if (Image1[s].Tag.get() != "1") continue;
    Image1[s].Tag = "0";
    Image1[s].Picture_ = Image4[std::clamp(int(R_data(s).type_f), 1, 3) - 1].Picture_.get();
    break;
  }
}

// ---- keyboard ----

void Form1::Form_KeyDown(int& KeyCode, int Shift) {
  Picture1.SetFocus();
  const int sel = selected_index;

  // Point block: moving and deleting the selected point.
  if (Option3[1].Value.get() && selected_kind == 1 && livePoint(sel)) {
    const int p = sel;
    ui::Image& m = Image1[p];
    const float cx = m.Left + m.Width / 2, cy = m.Top + m.Height / 2;
    float dx = 0, dy = 0;
    bool move = true;
    switch (KeyCode) {
      case 68: dx = -1; break;
      case 82: dy = -1; break;
      case 70: dx = 1; break;
      case 67: dy = 1; break;
      case 37: dx = -15; break;
      case 38: dy = -15; break;
      case 39: dx = 15; break;
      case 40: dy = 15; break;
      case 65: dx = -150; break;
      case 87: dy = -150; break;
      case 83: dx = 150; break;
      case 90: dy = 150; break;
      default: move = false;
    }
    if (move) Picture1_DragOver(m, cx + dx, cy + dy, 0);
    if (KeyCode == 46 && p > 0) {
      // A bar waiting to be completed from this point goes with it.
      if (bar_pending == 1 && bar_first_point == p) cancel_bar();
      m.Visible = false;
      P_data(p).Enabled = false;
      P_data(p).F_type_x = 0;
      P_data(p).F_type_y = 0;
      P_data(p).R_type = 0;
      for (int l = 0; l <= lines_count && l <= 200; ++l) {
        if (P_L_index(l, p, 0) != -1) continue;
        P_L_index(l, p, 0) = 0;
        Line1[l].Visible = false;
        Line1[l].BorderColor = ui::RGB(0, 0, 0);
        Label6[l].Visible = false;
        for (int q = 0; q < points_count && q <= 50; ++q) {
          P_L_index(l, q, 0) = 0;
          P_L_index(l, q, 1) = 0;
        }
      }
      for (int k = 0; k < forces_count && k < 40; ++k) {
        if (F_data(k).Enabled && F_data(k).point_index == p) {
          F_data(k).Enabled = false;
          Picture2[k].Visible = false;
        }
      }
      for (int s = 201; s < supports_count && s <= 299; ++s) {
        if (R_data(s).Enabled && R_data(s).point_index == p) {
          R_data(s).Enabled = false;
          Image1[s].Visible = false;
          P_data(p).R_type = 0;
        }
      }
    }
  }

  // Bar block: only a bar that exists.
  if (Option3[3].Value.get() && KeyCode == 46 && selected_kind == 3 && sel >= 0 && sel < lines_count &&
      Line1.exists(sel) && Line1[sel].Visible.get()) {
    Line1[sel].Visible = false;
    Line1[sel].BorderColor = ui::RGB(0, 0, 0);
    Label6[sel].Visible = false;
    for (int q = 0; q < points_count && q <= 50; ++q) {
      P_L_index(sel, q, 0) = 0;
      P_L_index(sel, q, 1) = 0;
    }
  }

  // Load block: only a load still in use.
  if (Option3[2].Value.get() && KeyCode == 46 && selected_kind == 2 && sel >= 0 && sel < forces_count && sel < 40 &&
      F_data(sel).Enabled) {
    force_rec& f = F_data(sel);
    Picture2[sel].Visible = false;
    f.Enabled = false;
    if (P_data.contains(f.point_index)) {
      if (f.type_f == 1 || f.type_f == 4) P_data(f.point_index).F_type_y = 0;
      if (f.type_f == 2 || f.type_f == 3) P_data(f.point_index).F_type_x = 0;
    }
  }

  // Support block: only a support still standing.
  if (Option3[4].Value.get() && KeyCode == 46 && sel >= 201 && sel < supports_count && sel <= 299 &&
      R_data(sel).Enabled) {
    Image1[sel].Visible = false;
    R_data(sel).Enabled = false;
    if (P_data.contains(R_data(sel).point_index)) P_data(R_data(sel).point_index).R_type = 0;
  }

  // Space applies the current tool to the selected point, when a point is what is selected.
  if (KeyCode == 32 && selected_kind == 1 && sel < 200 && livePoint(sel)) {
    Image1_Click(sel);
    Image1_MouseDown(sel, 0, 0, 0, 0);
  }
}

void Form1::Picture2_MouseMove(int Index, int Button, int Shift, float X, float Y) {
  if (Option3[2].Value.get() && Index >= 0 && Index < 40) {
    for (int k = 0; k < forces_count && k < 40; ++k)
      for (int h = 1000; h <= 1003; ++h)
        if (Picture2[k].Picture_.get() == Picture2[h].Picture_.get()) {
          Picture2[k].Picture_ = Picture2[normalOf(h)].Picture_.get();
          break;
        }
    for (int n = 1040; n <= 1043; ++n)
      if (Picture2[Index].Picture_.get() == Picture2[n].Picture_.get()) {
        Picture2[Index].Picture_ = Picture2[highlightedOf(n)].Picture_.get();
        break;
      }
    selected_index = int16_t(Index);
    selected_kind = 2;
  }
  Text5.Text = ui::CStr(int(selected_index));
}

// ---- menus and the tool panel ----

void Form1::aa2_Click() {
  uint8_t mode = 0;
  start1(mode);
  Picture1.Cls();
  Caption = std::string(kCaption) + "   -   " + "חדש";
}

void Form1::aa3_Click() {
  if (Form2Form.exists()) Form2Form->Unload();
  if (Form3Form.exists()) Form3Form->Unload();
  ui::services().endProgram();
}

// The open/save window reads its mode from these check marks and clears them when it closes.
void Form1::aa4_Click() {
  aa4.Checked = true;
  Form3Form->Show(ui::vbModal, this);
}

void Form1::aa5_Click() {
  aa5.Checked = true;
  Form3Form->Show(ui::vbModal, this);
}

void Form1::bb1_Click() {
  dd2.Checked = true;
  Form2Form->Show(ui::vbModeless, this);
  Form2Form->Command3.Value = true;
}

void Form1::cc1_Click() { Form2Form->Command3.Value = true; }

void Form1::dd2_Click() { dd2.Checked = !dd2.Checked.get(); }

void Form1::dd3_Click() {
  dd3.Checked = !dd3.Checked.get();
  Picture1.Cls();
  Picture1.AutoRedraw = dd3.Checked.get();
}

void Form1::dd4_Click() { dd4.Checked = !dd4.Checked.get(); }

void Form1::dd5_Click() {
  dd5.Checked = !dd5.Checked.get();
  Picture3.Visible = dd5.Checked.get();
}

void Form1::dd6_Click() {
  dd6.Checked = !dd6.Checked.get();
  if (!SSTab2.Visible.get()) SSTab2.Visible = true;
}

void Form1::Combo1_Click() {
  const int i = Combo1.ListIndex;
  if (i <= 0) return;
  scale_mm = float(i);
  Text1.Text = ui::Str(scale_mm * 2) + " [מטר]";
}

void Form1::Command1_Click() { Picture1.Cls(); }

void Form1::Command2_Click() {
  for (int j = 0; j < lines_count && j <= 200; ++j) {
    const float t = line_t(j);
    const int s = t > 0 ? 1 : t < 0 ? -1 : 0;
    Line1[j].BorderColor = ui::RGB(127 - 127 * s, 127 + 127 * s, 0);
  }
}

// ---- scales, sliders, scrolling ----

void Form1::HScroll1_Change() { Picture1.Left = -float(HScroll1.Value.get()); }
void Form1::VScroll1_Change() { Picture1.Top = -float(VScroll1.Value.get()); }

void Form1::Slider1_Change(int Index) {
  const int v = std::clamp(Slider1[Index].Value.get(), 1, 3);
  if (Index == 0) {
    Line1.forEach([v](int, ui::LineControl& l) { l.BorderWidth = v; });
    return;
  }
  const int o = pointSize();
  const float shift = halfSize(o) - halfSize(v);
  for (int i = 0; i <= 50 && i < points_count; ++i) {
    ui::Image& m = Image1[i];
    const bool selected = m.Picture_.get() == Image3[o].Picture_.get();
    m.Picture_ = (selected ? Image3[v] : Image2[v]).Picture_.get();
    m.Left = m.Left + shift;
    m.Top = m.Top + shift;
  }
  Slider1[1].Tag = ui::CStr(v);
}

void Form1::Slider2_Scroll() { Label11.Caption = ui::Str(Slider2.Value.get()); }
void Form1::Slider2_MouseUp(int, int, float, float) { Form2Form->line_dx_dy(); }
void Form1::Slider2_KeyUp(int&, int) { Form2Form->line_dx_dy(); }
void Form1::Slider2_GotFocus() { Slider2.BorderStyle = 1; }
void Form1::Slider2_LostFocus() { Slider2.BorderStyle = 0; }

void Form1::Slider3_Change(int Index) {
  Picture1.Cls();
  Picture1.DrawMode = Slider3[0].Value.get();
  Picture1.DrawStyle = Slider3[1].Value.get();
  Picture1.DrawWidth = Slider3[2].Value.get();
  Form2Form->line_dx_dy();
}

void Form1::SSTab2_Click() { Picture1.SetFocus(); }

void Form1::Picture7_MouseMove(int, int, float, float) {
  if (dd6.Checked.get() && !SSTab2.Visible.get()) SSTab2.Visible = true;
}
