// The main window's answers to what the solver asks of the windows: its messages, the graph canvas and
// its cursor, the readout, the icons, and the tool window's graph switches, step and simulation clock.
#include "beam/workspace/Form10.h"
#include "beam/workspace/Form20.h"
#include "ui/services.h"
#include "ui/vbtext.h"

using namespace Module20;

void Form20::stop_simulation() {
  if (Form10Form->Timer1.Enabled) Form10Form->stop_run();
}

void Form20::show_message(const std::string& text) { ui::MsgBox(text); }

bool Form20::simulation_running() { return Form10Form->Timer1.Enabled; }
// The traces are the history of a run on one beam: only the run's own step adds to them.
bool Form20::traces_kept() { return Form10Form->Check1.Value == 1 && Form10Form->taking_step; }
bool Form20::readout_on() { return Form10Form->Check3.Value == 1; }
Integer Form20::cursor_x() { return ui::CInt(Line4.X1); }
void Form20::clear_extremes() { Form10Form->clear_extremes(); }

bool Form20::graph_on(int g) {
  ui::CheckBox* box = Form10Form->Check2.find(g);
  return box && box->Value == 1;
}

int Form20::graph_step() { return int(Form10Form->Slider6.Value); }
float Form20::graph_height() { return Picture3.Height; }
void Form20::clear_graphs() { Picture3.Cls(); }

void Form20::draw_graph(float x1, float y1, float x2, float y2, const color_rec& c) {
  Picture3.Line(x1, y1, x2, y2, ui::RGB(c.red, c.green, c.blue));
}

void Form20::show_value(int g, const std::string& text) {
  if (Text2.exists(g)) Text2[g].Text = text;
}

bool Form20::has_icon(Integer index) { return Image1.exists(index); }
float Form20::icon_left(Integer index) { return Image1[index].Left; }
float Form20::icon_width(Integer index) { return Image1[index].Width; }
void Form20::set_icon_left(Integer index, float left) { Image1[index].Left = left; }
