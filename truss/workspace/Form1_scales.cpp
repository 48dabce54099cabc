#include "truss/workspace/Form1.h"

#include <algorithm>
#include <cmath>

#include "truss/solver/Form2.h"
#include "truss/solver/common1.h"
#include "ui/vbtext.h"

using namespace common1;

void Form1::HScroll1_Change() { Picture1.Left = -float(HScroll1.Value.get()); }
void Form1::VScroll1_Change() { Picture1.Top = -float(VScroll1.Value.get()); }

void Form1::Slider1_Change(int Index) {
  const int v = std::clamp(Slider1[Index].Value.get(), 1, 3);
  if (Index == 0) {
    Line1.forEach([v](int, ui::LineControl& l) { l.BorderWidth = v; });
    return;
  }
  const int o = point_size();
  const float shift = half_size(o) - half_size(v);
  for (int i = 0; i <= kMaxPoints && i < points_count; ++i) {
    ui::Image& m = Image1[i];
    const bool selected = m.Picture_.get() == Image3[o].Picture_.get();
    m.Picture_ = (selected ? Image3[v] : Image2[v]).Picture_.get();
    m.Left = m.Left + shift;
    m.Top = m.Top + shift;
  }
  Slider1[1].Tag = ui::CStr(v);
}

void Form1::Slider2_Scroll() { Label11.Caption = ui::Str(Slider2.Value.get()); }
void Form1::Slider2_Change() { truss_changed = true; }
void Form1::Slider2_MouseUp(int, int, float, float) { Form2Form->line_dx_dy(); }
void Form1::Slider2_KeyUp(int&, int) {
  // The arrow keys move the slider without a Scroll on every platform; the value shown is the one drawn.
  Label11.Caption = ui::Str(Slider2.Value.get());
  Form2Form->line_dx_dy();
}
void Form1::Slider2_GotFocus() {
  slider_focus = true;
  Slider2.BorderStyle = 1;
}
void Form1::Slider2_LostFocus() {
  slider_focus = false;
  Slider2.BorderStyle = 0;
}

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
