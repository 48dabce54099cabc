// The main window's graph view: forgetting a solution, the graphs' scales, the cursor and its readout.
#include "beam/workspace/Form20.h"

#include <algorithm>
#include <cmath>

#include "beam/workspace/Form10.h"
#include "beam/workspace/Module1.h"
#include "beam/workspace/pictures.h"
#include "beam/workspace/properties.h"
#include "ui/vbtext.h"

using namespace Module20;

namespace {

// Scale of a graph from its slider (10..30) and its multiplier 10^k.
Single graphScale(int v, int k) {
  const double m = std::pow(10.0, std::max(0, k));
  return v > 19 ? Single(1 / (m * (v - 19))) : Single(m * (21 - v));
}

}  // namespace

void Form20::forget_solution() {
  solution_current = false;
  Form10& tools = *Form10Form;
  if (!(simulation_running() && traces_kept())) Picture3.Cls();
  for (int g = 0; g <= 2; ++g)
    if (Text2.exists(g)) Text2[g].Text = "";
  tools.clear_extremes();
  tools.elements_changed();
  // Every change of the nodes comes here (a new stiffness forgets the solution): a fixed end that came
  // onto or left a beam end shows its wall where it now stands.
  for (int k = first_of(Kind::fixed_end); k <= last_of(Kind::fixed_end); ++k)
    if (Image1.exists(k)) {
      const ui::Picture now = beam::objectPicture(int(object_icon(Byte(k))) + (k == hot_icon ? 20 : 0));
      if (!(Image1[k].Picture_.get() == now)) Image1[k].Picture_ = now;
    }
}

void Form20::redraw_graphs() {
  Picture3.Cls();
  if (!solution_current) return;
  for (cur_elem = 1; cur_elem <= n_elem; ++cur_elem) fun3();
}

void Form20::Slider2_Change(int Index) {
  if (Check1.exists(0) && Check1[0].Value == 1) {
    for (i_loop = kShearGraph; i_loop <= kDeflectionGraph; ++i_loop)
      graf_scale(i_loop) = graphScale(Slider2[kCommonScale].Value, Combo1.ListIndex);
  } else {
    for (i_loop = kShearGraph; i_loop <= kDeflectionGraph; ++i_loop)
      graf_scale(i_loop) = graphScale(Slider2[i_loop].Value, Combo2[i_loop].ListIndex);
  }
  redraw_graphs();
}

void Form20::Combo1_Click() { Slider2_Change(kCommonScale); }
void Form20::Combo2_Click(int Index) { Slider2_Change(Index); }

void Form20::Check1_Click(int Index) {
  const bool common = Check1[0].Value == 1;
  Slider2[kCommonScale].Visible = common;
  Combo1.Visible = common;
  Picture1.Visible = !common;
}

// The product is a Single, as the length unit is: in double, 3495 twips of a 1 m beam would come out
// just below 0.3495 and show as 0.349.
void Form20::show_cursor_position() { Text1.Text = ui::Format(Single(Line4.X1 * unit_L), "0.000"); }

void Form20::Slider1_Change() {
  Line4.X1 = Line4.X2 = float(Slider1.Value);
  show_cursor_position();
  point_graf(ui::CInt(Line4.X1));
}

void Form20::Picture3_MouseMove(int Button, int Shift, float X, float Y) {
  if (Picture3.MousePointer != ui::vbArrow) Picture3.MousePointer = ui::vbArrow;
  if (Button != ui::vbLeftButton || X < 0 || X > kBeamTwips) return;
  MousePointer = ui::vbDefault;
  if (Frame4.Visible) {
    Line4.X1 = Line4.X2 = X;
    Slider1.Value = ui::CInt(X);
    Text1.Text = ui::Format(Single(unit_L * X), "0.000");
  }
  point_graf(ui::CInt(X));
}
