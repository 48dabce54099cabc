// The tool window's graph-properties and extreme-values tabs.
#include "beam/workspace/Form10.h"

#include <algorithm>
#include <cmath>

#include "ui/services.h"
#include "ui/vbtext.h"

#include "beam/solver/Module20.h"
#include "beam/workspace/Form20.h"
#include "beam/workspace/pictures.h"

using namespace Module20;

void Form10::build_graph_tab() {
  Frame7.TabPage = 3;
  Frame7.Caption = "תיאור הגרף כולל";
  Frame7.Move(60, 720, 3375, 4860);
  const char* names[3] = {"גזירה", "מומנט", "שקיעה"};
  for (int g = 0; g <= 2; ++g) {
    Check2.Load(g);
    Check2[g].Caption = names[g];
    Check2[g].Value = 1;
    Check2[g].Move(2040, 300 + 300.0f * g, 1200, 285);
  }
  Check2.Click = [this](int i) { Check2_Click(i); };
  Frame5.Caption = "פסיעת הגרף";
  Frame5.Move(120, 240, 1800, 900);
  Slider6.Move(60, 300, 1680, 420);
  Slider6.Min = 1;
  Slider6.Max = 10;
  Slider6.Value = 2;
  Slider6.SmallChange = 1;
  Slider6.LargeChange = 2;
  Slider6.Change = [this] { Slider6_Change(); };

  Frame10.Caption = " צבע קו";
  Frame10.Move(120, 1260, 2235, 2640);
  Frame11.Caption = "      צבע   ";
  Frame11.Move(60, 240, 1140, 2280);
  ui::Label* letters[3] = {&Label2, &Label6, &Label19};
  const char* rgb[3] = {"R", "G", "B"};
  for (int c = 0; c <= 2; ++c) {
    Slider4.Load(c);
    Slider4[c].Orientation = 1;
    Slider4[c].Min = 0;
    Slider4[c].Max = 255;
    Slider4[c].SmallChange = 1;
    Slider4[c].LargeChange = 5;
    Slider4[c].Move(40 + 370.0f * c, 540, 340, 1620);
    letters[c]->Caption = rgb[c];
    letters[c]->Alignment = 2;
    letters[c]->Move(40 + 370.0f * c, 270, 340, 240);
  }
  Slider4[1].Value = 255;
  Slider4.Change = [this](int i) { Slider4_Change(i); };
  for (int g = 0; g <= 2; ++g) {
    Option3.Load(g);
    Option3[g].Caption = names[g];
    Option3[g].Move(1230, 480 + 420.0f * g, 960, 300);
  }
  Option3[0].Value = true;
  Option3[0].Tag = "0";
  Option3.Click = [this](int i) { Option3_Click(i); };

  Frame1.Caption = " עובי קו";
  Frame1.Move(2415, 1260, 840, 2640);
  Slider5.Orientation = 1;
  Slider5.Min = 1;
  Slider5.Max = 6;
  Slider5.Value = 2;
  Slider5.SmallChange = 1;
  Slider5.LargeChange = 5;
  Slider5.Move(210, 300, 420, 2220);
  Slider5.Change = [this] { Slider5_Change(); };

  Command9.TabPage = 3;
  Command9.Caption = "הצג/הסתר גרף";
  Command9.Move(1740, 5760, 1575, 480);
  Command10.TabPage = 3;
  Command10.Caption = "נקה גרף";
  Command10.Move(60, 5760, 1575, 480);
  Command9.Click = [this] { Command9_Click(); };
  Command10.Click = [this] { Command10_Click(); };
}

void Form10::build_extremes_tab() {
  Frame8.TabPage = 4;
  Frame8.Caption = "מיקום ערכי קיצון בקורה";
  Frame8.Move(60, 720, 3375, 3240);
  Command17.Caption = "מצא ערכי קיצון";
  Command17.Picture_ = beam::searchPicture();
  Command17.Move(120, 300, 3135, 600);
  Command17.Click = [this] { Command17_Click(); };
  for (int i = 0; i <= 1; ++i) Label25.Load(i);
  Label25[1].Caption = "ערך";
  Label25[1].Move(1380, 1080, 1000, 255);
  Label25[0].Caption = "מיקום";
  Label25[0].Move(120, 1080, 500, 255);
  Label29.Move(620, 1080, 600, 255);
  const char* rows[3] = {"גזירה=", "מומנט=", "שקיעה="};
  for (int g = 0; g <= 2; ++g) {
    const float top = 1400 + 480.0f * g;
    Label21.Load(g);
    Label21[g].Caption = rows[g];
    Label21[g].Move(2460, top + 30, 800, 255);
    Text1.Load(g);
    Text1[g].Move(1380, top, 1040, 300);
    Text1[g].Locked = true;
    Label22.Load(g);
    Label22[g].Move(780, top + 30, 580, 255);
    Text8.Load(g);
    Text8[g].Move(120, top, 640, 300);
    Text8[g].Locked = true;
  }
  Check3.TabPage = 4;
  Check3.Caption = " כבה / הפעל סקלת ערך הגרף";
  Check3.Value = 1;
  Check3.Move(60, 4200, 3375, 300);
  Check3.Click = [this] { Check3_Click(); };
  Command21.TabPage = 4;
  Command21.Caption = "מצא מאמץ מקסימאלי";
  Command21.Enabled = false;
  Command21.Move(60, 4680, 3375, 480);
}

void Form10::Check2_Click(int Index) {
  Form20& main = *Form20Form;
  main.redraw_graphs();
  const bool v = Check2[Index].Value != 0;
  for (ui::Control* c : std::initializer_list<ui::Control*>{&main.Frame3[Index], &main.Text2[Index], &main.Label3[Index],
                                                          &main.Slider2[Index], &main.Combo2[Index], &main.Label5[Index]})
    c->Visible = v;
  main.Label8.Visible = Check2[kShearGraph].Value != 0;
  main.Label7.Visible = Check2[kMomentGraph].Value != 0;
  main.Label6.Visible = Check2[kDeflectionGraph].Value != 0;
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

void Form10::Command9_Click() {
  Form20& main = *Form20Form;
  main.Picture6.Visible = !main.Picture6.Visible;
  // The graph canvas keeps no drawing while it is hidden: shown again, it gets its graphs again.
  if (main.Picture6.Visible) main.redraw_graphs();
}

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
  // A beam that stands and carries no load is not solved, yet its answer is known: zero everywhere.
  const bool unloaded = load_count(kForces) + load_count(kMoments) + load_count(kDistLoads) == 0 && mechanism != True;
  if (!main.solution_current && !unloaded) {
    clear_extremes();
    return;
  }
  for (i_loop = 0; i_loop <= 2; ++i_loop) {
    graf_max(i_loop, 0) = 0;
    graf_max(i_loop, 1) = 0;
  }
  if (!main.solution_current) {
    show_extremes();
    return;
  }
  find_max = True;
  for (cur_elem = 1; cur_elem <= n_elem; ++cur_elem) main.fun3();
  find_max = False;
  show_extremes();
  main.point_graf(ui::CInt(main.Line4.X1));
}
