#include "truss/workspace/Form1.h"

#include <algorithm>
#include <cmath>

#include "truss/solver/Form2.h"
#include "truss/solver/common1.h"
#include "ui/vbtext.h"

using namespace common1;

namespace {
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

// ---- the markers' normal and highlighted pictures ----

ui::Picture Form1::support_picture(int s, bool highlighted) {
  const int type = std::clamp(int(R_data(s).type_f), int(kFixedSupport), int(kRollerInY));
  return Image4[highlighted ? type + 9 : type - 1].Picture_.get();
}

void Form1::restore_points() {
  const int size = std::clamp(Slider1[1].Value.get(), 1, 3);
  for (int v = 0; v <= points_count && v <= kMaxPoints; ++v)
    if (Image1[v].Picture_.get() == Image3[size].Picture_.get()) Image1[v].Picture_ = Image2[size].Picture_.get();
}

void Form1::restore_arrows() {
  for (int k = 0; k < forces_count && k < kMaxLoads; ++k)
    for (int h = 1000; h <= 1003; ++h)
      if (Picture2[k].Picture_.get() == Picture2[h].Picture_.get()) {
        Picture2[k].Picture_ = Picture2[normalOf(h)].Picture_.get();
        break;
      }
}

void Form1::highlight_arrow(int k) {
  for (int n = 1040; n <= 1043; ++n)
    if (Picture2[k].Picture_.get() == Picture2[n].Picture_.get()) {
      Picture2[k].Picture_ = Picture2[highlightedOf(n)].Picture_.get();
      break;
    }
}

void Form1::restore_support(int except) {
  // Only one support is ever highlighted, so the first one found is the one.
  for (int s = kFirstSupport; s < supports_count && s <= kLastSupport; ++s) {
    if (s == except || Image1[s].Tag.get() != "1") continue;
    Image1[s].Tag = "0";
    Image1[s].Picture_ = support_picture(s, false);
    break;
  }
}

void Form1::hide_bar(int l) {
  Line1[l].Visible = false;
  // A hidden line is black again, so a reused line never shows an old stress colour.
  Line1[l].BorderColor = ui::RGB(0, 0, 0);
  if (Label6.exists(l)) Label6[l].Visible = false;
}

void Form1::truss_edited() {
  truss_changed = true;
  // The olive of the colouring by sign without a solution goes with the truss it was pressed on, as a
  // solution's colours do: a bar drawn after it would stand black among olive ones.
  if (unsolved_colours) uncolour_bars();
  // Without the data window there has been no solve to forget.
  if (Form2Form.exists()) Form2Form->forget_solution();
}

void Form1::uncolour_bars() {
  unsolved_colours = false;
  const bool picked = Option3[kBars].Value.get() && selected_kind == kPickedBar;
  for (int l = 0; l < lines_count && l <= kMaxBars; ++l)
    if (!(picked && l == selected_index) && Line1[l].BorderColor.get() != ui::RGB(0, 0, 0))
      Line1[l].BorderColor = ui::RGB(0, 0, 0);
}

void Form1::clear_bar_ends(int l) {
  for (int q = 0; q <= kMaxPoints; ++q) {
    P_L_index(l, q, 0) = 0;
    P_L_index(l, q, 1) = 0;
  }
}

void Form1::show_readout(int p) {
  Text3.Text = ui::CStr((P_data(p).x - origin_x) * scale_mm);
  Text4.Text = ui::CStr((origin_y - P_data(p).y) * scale_mm);
}

// ---- the canvas editor ----

int Form1::point_size() { return std::clamp(int(ui::Val(Slider1[1].Tag.get())), 1, 3); }

float Form1::half_size(int size) { return size <= 1 ? 45.0f : size == 2 ? 60.0f : 75.0f; }

bool Form1::live_point(int p) {
  return p >= 0 && p < kMaxPoints && Image1.exists(p) && Image1[p].Visible.get() && P_data(p).Enabled;
}

int Form1::tool() {
  int t = 0;
  for (int k = kFixed; k <= kLeft; ++k)
    if (Option4[k].Value.get()) t = k;
  return t;
}

void Form1::Picture1_MouseUp(int Button, int Shift, float X, float Y) {
  if (Button != ui::vbLeftButton || points_count > kMaxPoints) return;
  int v = 0;
  while (v <= points_count && v <= kMaxPoints && Image1[v].Visible.get()) ++v;
  if (v >= kMaxPoints) return;
  ui::Image& m = Image1[v];
  // A fresh slot has the picture of the last reset; a new point takes the size now chosen.
  m.Picture_ = Image2[point_size()].Picture_.get();
  m.Visible = true;
  m.Left = X - m.Width / 2;
  m.Top = Y - m.Height / 2;
  P_data(v).Enabled = true;
  P_data(v).x = X;
  P_data(v).y = Y;
  if (v == points_count) ++points_count;
  // A point no bar reaches takes nothing from the solution (the solve removes it), but it is drawn.
  truss_changed = true;
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
  if (i >= 0 && i < kFirstSupport && P_data.contains(i)) {
    truss_edited();
    marker->Left = X - marker->Width / 2;
    marker->Top = Y - marker->Height / 2;
    for (int l = 0; l <= lines_count && l <= kMaxBars; ++l) {
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
    for (int f = 0; f < forces_count && f < kMaxLoads; ++f) {
      if (!F_data(f).Enabled || F_data(f).point_index != i) continue;
      ui::PictureBox& arrow = Picture2[f];
      if (F_data(f).type_f == kLoadUp || F_data(f).type_f == kLoadDown) {
        arrow.Left = X - 52;
        arrow.Top = Y - marker->Height / 2 - 435;
      } else {
        arrow.Left = X + marker->Height / 2;
        arrow.Top = Y - 52;
      }
    }
    P_data(i).x = X;
    P_data(i).y = Y;
    show_readout(i);
  }
  for (int s = kFirstSupport; s < supports_count && s <= kLastSupport; ++s) {
    if (!R_data(s).Enabled || R_data(s).point_index != i) continue;
    ui::Image& support = Image1[s];
    if (R_data(s).type_f == kRollerInY) {
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
  if (!Option4[kBar].Value.get() || lines_count > kMaxBars || Index >= kFirstSupport || !live_point(Index)) return;
  ui::Image& m = Image1[Index];
  const float cx = m.Left + m.Width / 2, cy = m.Top + m.Height / 2;
  if (bar_pending == 0) {
    int v = 0;
    while (v <= lines_count && v < kMaxBars && Line1[v].Visible.get()) ++v;
    if (v >= kMaxBars) return;
    bar_index = Integer(v);
    ui::LineControl& l = Line1[bar_index];
    l.Visible = true;
    P_L_index(bar_index, Index, 0) = -1;
    bar_pending = 1;
    bar_first_point = Integer(Index);
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
  // Nothing waits for a second end now; over a point the next move gives the idle hint again.
  Label7.Caption = "";
  truss_edited();
}

void Form1::cancel_bar() {
  if (bar_pending == 0) return;
  bar_pending = 0;
  if (Line1.exists(bar_index)) hide_bar(bar_index);
  clear_bar_ends(bar_index);
  Label7.Caption = "";
}

void Form1::Image1_MouseDown(int Index, int Button, int Shift, float X, float Y) {
  if (Index >= kFirstSupport || Shift != 0 || !live_point(Index)) return;
  const int t = tool();
  point_rec& p = P_data(Index);
  ui::Image& m = Image1[Index];
  if (t >= kFixed && t <= kRollerY) {
    if (supports_count > kLastSupport || p.R_type != kNoSupport) return;
    const bool allowed = t == kFixed ? (p.F_type_x == 0 && p.F_type_y == 0) : t == kRollerX ? p.F_type_y == 0 : p.F_type_x == 0;
    if (!allowed) return;
    const int s = supports_count;
    ui::Image& support = Image1[s];
    support.Picture_ = Image4[t - 1].Picture_.get();
    support.Tag = "0";
    if (t == kRollerY) {
      support.Left = m.Left + m.Width;
      support.Top = m.Top + m.Height / 2 - 180;
    } else {
      support.Left = m.Left + m.Width / 2 - 180;
      support.Top = m.Top + m.Height;
    }
    // The support tools are numbered as the support types.
    R_data(s) = support_rec{true, Integer(Index), Byte(t)};
    p.R_type = Byte(t);
    support.Visible = true;
    ++supports_count;
    truss_edited();
    return;
  }
  if (t < kDown || p.R_type == kFixedSupport || forces_count >= kMaxLoads) return;
  const int f = forces_count;
  ui::PictureBox& arrow = Picture2[f];
  Byte type_f;
  if (t == kDown || t == kUp) {
    if (p.F_type_y != 0 || p.R_type == kRollerInX) return;
    const bool down = t == kDown;
    arrow.Picture_ = Picture2[down ? 1040 : 1043].Picture_.get();
    type_f = down ? kLoadDown : kLoadUp;
    p.F_type_y = down ? -1 : 1;
    arrow.Left = m.Left + m.Width / 2 - 53;
    arrow.Top = m.Top - 435;
  } else {
    if (p.F_type_x != 0 || p.R_type == kRollerInY) return;
    const bool right = t == kRight;
    arrow.Picture_ = Picture2[right ? 1042 : 1041].Picture_.get();
    type_f = right ? kLoadRight : kLoadLeft;
    p.F_type_x = right ? 1 : -1;
    arrow.Left = m.Left + m.Height;
    arrow.Top = m.Top + m.Height / 2 - 52;
  }
  F_data(f) = force_rec{true, Integer(Index), type_f};
  arrow.Visible = true;
  ++forces_count;
  truss_edited();
}

void Form1::Image1_MouseMove(int Index, int Button, int Shift, float X, float Y) {
  if (bar_pending == 0 && Index < kFirstSupport) {
    Label8.Caption = "גרור";
    const int t = tool();
    Label7.Caption = t == kBar ? "הוספת מוט" : t <= kRollerY ? "הוספת סמך" : "הוספת כח";
  }
  if (Option3[kSupports].Value.get() && Index >= kFirstSupport && Index <= kLastSupport && Image1.exists(Index)) {
    Image1[Index].Tag = "1";
    Image1[Index].Picture_ = support_picture(Index, true);
    restore_support(Index);
    selected_index = Integer(Index);
  }
  if (Index >= 0 && Index < kFirstSupport && Image1.exists(Index)) {
    if (Option3[kPoints].Value.get()) {
      restore_points();
      Image1[Index].Picture_ = Image3[std::clamp(Slider1[1].Value.get(), 1, 3)].Picture_.get();
      selected_kind = kPickedPoint;
      selected_index = Integer(Index);
      show_readout(Index);
    }
    Image1[Index].MousePointer = bar_pending == 1 ? ui::vbCrosshair : ui::vbSizeAll;
  }
  Text5.Text = ui::CStr(int(selected_index));
}

void Form1::Label6_MouseMove(int Index, int Button, int Shift, float X, float Y) {
  if (!Label6.exists(Index) || !line_t.contains(Index)) return;
  if (Option3[kBars].Value.get()) {
    for (int l = 0; l <= lines_count && l <= kMaxBars; ++l)
      if (Line1[l].BorderColor.get() != ui::RGB(0, 0, 0)) Line1[l].BorderColor = ui::RGB(0, 0, 0);
    Line1[Index].BorderColor = ui::RGB(255, 255, 255);
    selected_index = Integer(Index);
    selected_kind = kPickedBar;
  }
  const float t = line_t(Index), A = line_A(Index), E = line_E(Index);
  const float sigma = t / A;
  // The force and the stress are those of a solution of this truss, or none; a bar without a
  // cross-section has no stress to show.
  const bool solved = Form2Form.exists() && Form2Form->solution_current;
  const std::string sigmaText = solved && A != 0 ? ui::finiteStr(sigma) : "";
  const std::string tText = solved && std::isfinite(t) ? ui::Str(t) : "";
  const std::string i = ui::Str(Index);
  Label6[Index].ToolTipText = "Sigma (" + i + " ) =" + sigmaText + " [Mpa]    ,   t (" + i + " ) =" + tText +
                              " [N]" + "   ,   A (" + i + " ) =" + ui::Str(A) + " [mm^2]" + "  ,   E (" + i +
                              " ) =" + ui::Str(E) + " [GPa]";
}

void Form1::Option3_Click(int Index) {
  for (int v = 0; v < lines_count && v <= kMaxBars; ++v) Line1[v].BorderColor = ui::RGB(0, 0, 0);
  restore_points();
  restore_arrows();
  restore_support(-1);
}
