// The tool window's simulation tab: an object travelling along the beam by the timer.
#include "beam/workspace/Form10.h"

#include <algorithm>
#include <cmath>

#include "ui/keys.h"
#include "ui/services.h"
#include "ui/vbtext.h"

#include "beam/solver/Module20.h"
#include "beam/workspace/Form20.h"
#include "beam/workspace/pictures.h"

using namespace Module20;

namespace {
double fraction(const std::string& text) { return std::clamp(ui::Val(text), 0.0, 1.0); }
}  // namespace

void Form10::build_simulation_tab() {
  Frame6.TabPage = 2;
  Frame6.Caption = "סימולוציה  ";
  Frame6.Move(60, 720, 3375, 3900);
  Label7.Caption = "האובייקט שבתנועה";
  Label7.Move(1860, 300, 1400, 255);
  Label17.Caption = "Label17";
  Label17.Move(120, 300, 1680, 255);
  Label9.Caption = "טווח תנועה      L(i)/L ";
  Label9.Move(120, 700, 3135, 255);
  Label15.Caption = "מ-";
  Label15.Move(2900, 1110, 355, 255);
  Label16.Caption = "עד-";
  Label16.Move(1260, 1110, 400, 255);
  for (int i = 0; i <= 1; ++i) Text4.Load(i);
  Text4[0].Text = "0.2";
  Text4[0].Move(1900, 1080, 900, 300);
  Text4[1].Text = "0.8";
  Text4[1].Move(240, 1080, 900, 300);
  Label14.Caption = "מהירות תנועה";
  Label14.Move(1980, 1620, 1275, 255);
  Slider1.Move(120, 1560, 1800, 420);
  Slider1.Min = 1;
  Slider1.Max = 20;
  Slider1.Value = 20;
  Slider1.SmallChange = 1;
  Slider1.LargeChange = 5;
  Label18.Caption = "פסיעה";
  Label18.Move(1980, 2180, 1275, 255);
  Slider2.Move(120, 2120, 1800, 420);
  Slider2.Min = 1;
  Slider2.Max = 20;
  Slider2.Value = 4;
  Slider2.SmallChange = 1;
  Slider2.LargeChange = 5;
  Check1.Caption = "עם עקבות";
  Check1.Value = 0;
  Check1.Move(120, 2700, 3135, 300);
  Command11.Caption = "בצע";
  Command11.Move(1800, 3240, 1320, 420);
  Command12.Caption = "עצור";
  Command12.Move(240, 3240, 1320, 420);
  Timer1.Enabled = false;
  Command11.Click = [this] { Command11_Click(); };
  Command12.Click = [this] { Command12_Click(); };
  Timer1.Tick = [this] { Timer1_Timer(); };
}

void Form10::Command11_Click() {
  const int s = sel_obj;
  Form20& main = *Form20Form;
  // Only an object standing on the beam can travel along it.
  if (kind_of(s) == Kind::none || !icon_on_beam(s)) {
    ui::MsgBox(Label1.Caption.get());
    return;
  }
  const double from = fraction(Text4[0].Text.get());
  if (ui::Val(Text4[0].Text.get()) == 0 && is_node(s) && (!left_end || node_list(0).obj == s)) {
    const int least = kind_of(s) == Kind::support ? 7 : kind_of(s) == Kind::fixed_end ? 3 : 4;
    if (Slider2.Value < least)
      ui::MsgBox("בקצה קיים אזור משיכה כדי לאפשר תנועה הגדל את הפסיעה - לאחר תחילת התנועה הינך יכול לחזור לפסיעה נמוכה");
  }
  if (Check3.Value == 1) Check3.Value = 0;
  ui::Image& icon = main.Image1[s];
  main.Picture3.Cls();
  const int h = kind_of(s) != Kind::dist ? ui::CInt(icon.Width / 2) : 0;
  // The start drop puts the object at the start itself, not off by the last pointer's grab; a node
  // object run from 0 starts on the left end, where the warning above expects it.
  drag_dx = 0;
  main.picture7_DragDrop(icon, is_node(s) ? node_left_at(s, from) : float(from * kBeamTwips + canvas::kBeamLeft - h), icon.Top);
  if (mechanism == True || !icon_on_beam(s)) return;
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
  const double T = fraction(Text4[1].Text.get()) * kBeamTwips + canvas::kBeamLeft;
  const double d = 30.0 * Slider2.Value;
  const float L = icon.Left, W = icon.Width;
  if (Single(T - d - W / 2) >= L) {
    if (Check1.Value != 1) main.Picture3.Cls();
    taking_step = true;
    struct StepTaken {
      bool& taking;
      ~StepTaken() { taking = false; }
    } taken{taking_step};
    int key = ui::vbKeyRight;
    main.Form_KeyDown(key, 0);
    key = ui::vbKeyRight;
    main.Form_KeyUp(key, 0);
    // A step that left no solution (solving on every drag off) ends the history: the traces would show
    // a beam that no longer stands.
    if (!main.solution_current) main.Picture3.Cls();
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
