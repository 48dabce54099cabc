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
constexpr float kCanvas = 30000;
}  // namespace

Form1::Form1() : ui::Form("Form1") {
  Caption = kCaption;
  KeyPreview = true;
  setClientSize(11700, 8100);
  design_menus();
  design_canvas();
  design_markers();
  design_help();
  design_tool_panel();
  design_elements_tab();
  design_properties_tab();
  design_displacements_tab();
}

// The options start checked as designed; every item runs its handler.
void Form1::design_menus() {
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
}

// The viewport with the canvas, its scroll bars and the strip that brings the tool panel back.
void Form1::design_canvas() {
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
  // The canvas keeps the face colour of picture boxes, on which a white bar (no stress, or the bar
  // picked in the bar mode) still shows.
  Picture1.BorderStyle = 0;
  Picture1.Move(0, 0, kCanvas, kCanvas);
  Picture1.MouseUp = [this](int b, int s, float x, float y) { Picture1_MouseUp(b, s, x, y); };
  Picture1.MouseMove = [this](int b, int s, float x, float y) { Picture1_MouseMove(b, s, x, y); };
  Picture1.DragOver = [this](ui::Control& src, float x, float y, int st) { Picture1_DragOver(src, x, y, st); };
  Picture7.BorderStyle = 0;
  Picture7.Width = 435;
  Picture7.BackColor = ui::RGB(200, 200, 200);
  Picture7.MouseMove = [this](int b, int s, float x, float y) { Picture7_MouseMove(b, s, x, y); };
}

// The pictures of markers, supports and arrows; the point markers, the first bar, the axes.
void Form1::design_markers() {
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
  const int normalTypes[] = {kLoadDown, kLoadLeft, kLoadRight, kLoadUp};       // 1040, 1041, 1042, 1043
  const int highlightedTypes[] = {kLoadDown, kLoadRight, kLoadLeft, kLoadUp};  // 1000, 1001, 1002, 1003
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
  for (int k = 0; k < kMaxLoads; ++k) {
    Picture2.Load(k);
    Picture2[k].BorderStyle = 0;
    Picture2[k].AutoSize = true;
    Picture2[k].Picture_ = Picture2[1040].Picture_.get();
    Picture2[k].Visible = false;
  }
  Picture2.MouseMove = [this](int i, int b, int s, float x, float y) { Picture2_MouseMove(i, b, s, x, y); };

  // Point markers (0..50), made with the window; bars and supports are made by the first reset.
  for (int i = 0; i <= kMaxPoints; ++i) {
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
}

// The help panel with its two hint lines.
void Form1::design_help() {
  Picture3.Move(255 + 60, 60, 3600, 560);
  Picture3.BackColor = ui::RGB(255, 255, 225);
  Label8.Move(60, 30, 3400, 240);
  Label7.Move(60, 280, 3400, 240);
  Label8.Caption = "הוספת צומת";
  for (ui::Label* l : {&Label7, &Label8}) {
    l->FontName = "Miriam";
    l->Alignment = 1;
  }
}

// The tool panel: elements, properties, displacements.
void Form1::design_tool_panel() {
  SSTab2.setTabCaption(0, "אלמנטים");
  SSTab2.setTabCaption(1, "מאפינים");
  SSTab2.setTabCaption(2, "תזוזות");
  SSTab2.FontName = "Miriam";
  SSTab2.Move(0, 0, 3300, 7000);
  SSTab2.Click = [this] { SSTab2_Click(); };
}

void Form1::on_tab(ui::Control& c, int tab, float l, float t, float w, float h, const char* caption) {
  c.TabPage = tab;
  c.Move(l, t, w, h);
  c.FontName = "Miriam";
  if (auto* f = dynamic_cast<ui::Frame*>(&c)) f->Caption = caption;
}

// The elements tab: the tools, the selection modes, the picked index, the coordinates, the spectrum.
void Form1::design_elements_tab() {
  on_tab(FrameTools, 0, 90, 420, 3120, 1700, "הוספת אלמנטים");
  const char* const tools[] = {"מוט", "סמך נייח", "סמך נייד ל X", "סמך נייד ל Y",
                               "כח למטה ", "כח למעלה", "כח ימינה", "כח שמאלה"};
  for (int k = 0; k < 8; ++k) {
    Option4.Load(k);
    Option4[k].Caption = tools[k];
    Option4[k].FontName = "Miriam";
    Option4[k].RightToLeft = true;
    Option4[k].Move(k < 4 ? 1560 : 60, 240 + float(k % 4) * 340, 1500, 300);
  }
  Option4[kBar].Value = true;
  on_tab(FrameSelect, 0, 90, 2160, 3120, 1150, " בחירת אלמנטים (למחיקה או הזזה)");
  const char* const modes[] = {"ללא", "צומת", "כח", "מוט", "סמך"};
  for (int k = 0; k < 5; ++k) {
    Option3.Load(k);
    Option3[k].Caption = modes[k];
    Option3[k].FontName = "Miriam";
    Option3[k].RightToLeft = true;
    Option3[k].Move(k < 3 ? 2040 - float(k) * 990 : 2040 - float(k - 3) * 990, k < 3 ? 260 : 660, 960, 300);
  }
  Option3[kPoints].Value = true;
  Option3.Click = [this](int i) { Option3_Click(i); };
  on_tab(FrameIndex, 0, 1680, 3350, 1530, 650, "אינדקס הצומת");
  Text5.Move(120, 260, 1290, 300);
  on_tab(FrameCoords, 0, 90, 3350, 1530, 1000, "קואורדינטות [mm]");
  LabelX.Caption = "x";
  LabelY.Caption = "y";
  LabelX.Move(1260, 270, 200, 240);
  LabelY.Move(1260, 620, 200, 240);
  Text3.Move(90, 240, 1140, 300);
  Text4.Move(90, 590, 1140, 300);
  on_tab(FrameSpectrum, 0, 90, 4400, 3120, 1500, "ספקטרום מאמצים");
  Picture4.BorderStyle = 0;
  Picture4.AutoRedraw = true;
  // The strip ends before the label "=max" begins.
  Picture4.Move(150, 260, 2475, 375);
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
  LabelMax.Move(2655, 300, 420, 240);
  Combo2.Move(120, 1040, 1380, 300);
  Combo2.AddItem("10 Mpa");
  for (int v = 100; v <= 900; v += 100) Combo2.AddItem(ui::CStr(v) + " Mpa");
  LabelMax.FontName = "Miriam";
}

// The properties tab: bar width, point size, the scale list and the relative length.
void Form1::design_properties_tab() {
  on_tab(FrameBarWidth, 1, 90, 420, 3120, 800, "עובי מוט");
  on_tab(FramePointSize, 1, 90, 1300, 3120, 800, "עובי נקודת צומת");
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
  on_tab(FrameScale, 1, 90, 2180, 3120, 700, "גודל אורכי המוטות היחסים");
  Combo1.Move(120, 280, 2880, 300);
  Combo1.AddItem("");
  Combo1.AddItem("15 mm/picsel");
  Combo1.AddItem("30 mm/picsel");
  Combo1.AddItem("45 mm/picsel");
  Combo1.Text = "15 mm/picsel";
  Combo1.Click = [this] { Combo1_Click(); };
  on_tab(FrameLength, 1, 90, 2960, 3120, 900, "אורך יחסי");
  Line3.X1 = 180;
  Line3.X2 = 2180;
  Line3.Y1 = 300;
  Line3.Y2 = 300;
  Line3.BorderWidth = 2;
  Text1.Move(600, 460, 1800, 300);
  Text1.Text = " 2  [מטר]";
  // Keys on a slider with the focus act on the slider only.
  Slider1.GotFocus = [this](int) { slider_focus = true; };
  Slider1.LostFocus = [this](int) { slider_focus = false; };
}

// The displacements tab: magnification, pen, clearing, colouring by sign and its legend.
void Form1::design_displacements_tab() {
  on_tab(FrameMagnify, 2, 90, 420, 3120, 1500, "הכפלת קוי התזוזות במקדם");
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
  Slider2.Change = [this] { Slider2_Change(); };
  Slider2.MouseUp = [this](int b, int s, float x, float y) { Slider2_MouseUp(b, s, x, y); };
  Slider2.KeyUp = [this](int& k, int s) { Slider2_KeyUp(k, s); };
  Slider2.GotFocus = [this] { Slider2_GotFocus(); };
  Slider2.LostFocus = [this] { Slider2_LostFocus(); };
  on_tab(FramePen, 2, 90, 2000, 3120, 1700, "מאפייני גרף התזוזות");
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
  // The canvas pen is what its sliders say, from the start.
  Picture1.DrawMode = Slider3[0].Value.get();
  Picture1.DrawStyle = Slider3[1].Value.get();
  Picture1.DrawWidth = Slider3[2].Value.get();
  // Keys on a slider with the focus act on the slider only.
  Slider3.GotFocus = [this](int) { slider_focus = true; };
  Slider3.LostFocus = [this](int) { slider_focus = false; };
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
                                                           &Label10, &Label11, &Label12})
    c->FontName = "Miriam";
}

// ---- start-up, reset, layout, shutdown ----

void Form1::Form_Load() {
  frmTrussSplashForm->Show(ui::vbModal, this);
  Byte mode = 1;
  start1(mode);
  scale_mm = 1;
  Form_Resize();
  VScroll1.Value = VScroll1.Max.get();
  Picture1.Left = 0;
  Picture1.Top = Picture5.ScaleHeight() - Picture1.Height;
  Picture5.Top = 0;
  Picture5.Left = VScroll1.Width.get();
  paint_spectrum();
  uniform_values(1) = 210;
  uniform_values(2) = 1000;
  uniform_values(3) = 1000;
  // Point 0 was put there by the program, not drawn.
  truss_changed = false;
}

void Form1::start1(Byte& mode) {
  const int size = std::clamp(Slider1.exists(1) ? Slider1[1].Value.get() : 2, 1, 3);
  for (int i = 0; i <= kMaxBars; ++i) {
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
    clear_bar_ends(i);
    if (i < kMaxLoads) {
      F_data(i) = force_rec{};
      Picture2[i].Visible = false;
    }
    if (i <= kMaxPoints) {
      Image1[i].Picture_ = Image2[size].Picture_.get();
      Image1[i].Visible = false;
      Image1[i].ToolTipText = "Point(" + ui::Str(i) + " )";
      P_data(i).Enabled = false;
      P_data(i).F_type_x = 0;
      P_data(i).F_type_y = 0;
      P_data(i).R_type = kNoSupport;
    }
    if (Line1.exists(i)) {
      Line1[i].BorderWidth = Slider1[0].Value.get();
      hide_bar(i);
    }
  }
  for (int i = kFirstSupport; i <= kSupportSlotsEnd; ++i) {
    if (mode == 1) Image1.Load(i);
    if (!Image1.exists(i)) continue;
    Image1[i].Visible = false;
    Image1[i].Tag = "0";
    Image1[i].ToolTipText = "סמך";
  }
  supports_count = kFirstSupport;
  points_count = 0;
  forces_count = 0;
  lines_count = 0;
  bar_pending = 0;
  bar_first_point = 0;
  // A bar that waited for its second end went with the old truss, and so does the hint asking for it.
  Label7.Caption = "";
  first_point();
  // The axes go to point 0's centre, which is where the point itself stands.
  ui::Image& origin = Image1[0];
  Picture1_DragOver(origin, origin.Left + origin.Width / 2, origin.Top + origin.Height / 2, 0);
}

void Form1::first_point() {
  Picture1_MouseUp(ui::vbLeftButton, 0, kOriginX, kOriginY);
  Option4[kFixed].Value = true;
  Image1_MouseDown(0, 0, 0, 0, 0);
  Option4[kBar].Value = true;
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

void Form1::paint_spectrum() {
  const float W = Picture4.Width, H = Picture4.Height;
  for (float x = 1; x <= W; x += 15) {
    float r = x / W;
    Picture4.Line(x, 0, x, H, ui::RGB(color_r(r), color_g(r), color_b(r)));
  }
}

void Form1::Form_Unload(int& Cancel) {
  if (!may_discard_truss()) {
    Cancel = 1;
    return;
  }
  if (Form2Form.exists()) Form2Form->Unload();
  if (Form3Form.exists()) Form3Form->Unload();
  if (frmTrussSplashForm.exists()) frmTrussSplashForm->Unload();
  ui::services().startProgram(ui::appFile(ui::kLauncherProgram));
}
