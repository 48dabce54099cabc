// The tool window: its tabs, and the objects tab (adding objects, solving, the axes).
#include "beam/workspace/Form10.h"

#include <algorithm>
#include <cmath>

#include "ui/services.h"
#include "ui/vbtext.h"

#include "beam/solver/Module20.h"
#include "beam/workspace/Form20.h"
#include "beam/workspace/pictures.h"

using namespace Module20;

Form10::Form10() : ui::Form("Form10") {
  Caption = "סרגל הכלים";
  BorderStyle = 1;
  SSTab1.setTabCaption(0, "     אובייקטים     ");
  SSTab1.setTabCaption(1, "   נתונים  ");
  SSTab1.setTabCaption(2, "סימולציה");
  SSTab1.setTabCaption(3, "    מאפייני גרף     ");
  SSTab1.setTabCaption(4, "ערכי קיצון ומאמצים");

  // Objects tab.
  Frame2.Caption = "הוסף אובייקטים לקורה";
  Frame2.Move(60, 840, 3375, 3495);
  struct Add {
    ui::CommandButton& b;
    const char* caption;
    float left, top, height;
    int code;
  } adds[] = {{Command7, "ריתום", 2520, 360, 915, 2},   {Command5, " סמך", 1740, 360, 915, 1},
              {Command13, "מפרק", 960, 360, 915, 3},    {Command14, "שחרור גזירה", 180, 360, 915, 4},
              {Command1, "כח", 2160, 1560, 915, 6},     {Command2, "מומנט", 1320, 1560, 915, 10},
              {Command3, "כח רציף", 480, 1560, 915, 8}, {Command16, "", 2160, 2700, 615, 9},
              {Command18, "", 1320, 2700, 615, 7},      {Command19, "", 480, 2700, 615, 11}};
  for (Add& a : adds) {
    a.b.Caption = a.caption;
    a.b.Move(a.left, a.top, 675, a.height);
    a.b.Picture_ = beam::objectPicture(a.code);
  }
  command8.Caption = "הצג/הסתר צירים לקורה";
  command8.Move(120, 4500, 915, 1155);
  Command4.Caption = "נקה הכל";
  Command4.Move(1200, 4500, 795, 1155);
  Command4.Enabled = false;
  Command4.Picture_ = beam::clearPicture();
  Command6.Caption = "פתור";
  Command6.Move(2160, 4500, 1215, 1155);
  Command6.Picture_ = beam::objectPicture(6);
  Command1.Click = [this] { Command1_Click(); };
  Command2.Click = [this] { Command2_Click(); };
  Command3.Click = [this] { Command3_Click(); };
  Command5.Click = [this] { Command5_Click(); };
  Command7.Click = [this] { Command7_Click(); };
  Command13.Click = [this] { Command13_Click(); };
  Command14.Click = [this] { Command14_Click(); };
  Command16.Click = [this] { Command16_Click(); };
  Command18.Click = [this] { Command18_Click(); };
  Command19.Click = [this] { Command19_Click(); };
  Command6.Click = [this] { Command6_Click(); };
  command8.Click = [this] { command8_Click(); };

  build_data_tab();
  build_simulation_tab();
  build_graph_tab();
  build_extremes_tab();
  // Tall enough for the stiffness grid's rows, which stand lowest.
  const float height = grid_bottom() + 60;
  setClientSize(3465, height);
  SSTab1.Move(0, 0, 3465, height);
  SSTab1.Tab = 3;
}

namespace {

// Shows icon `counter` of a kind whose last index is `last`, and counts it.
void addObject(Byte& counter, int last) {
  if (counter > last) return;
  Form20& main = *Form20Form;
  if (main.Image1.exists(counter)) main.Image1[counter].Visible = true;
  ++counter;
}

}  // namespace

void Form10::Command1_Click() {
  Form20Form->StatusBar2.Panels(4).Text = " באפשרותך לגרור כל אובייקט למיקום חדש";
  addObject(next_force, last_of(Kind::force));
}
void Form10::Command2_Click() { addObject(next_moment, last_of(Kind::moment)); }
void Form10::Command3_Click() { addObject(next_dist, last_of(Kind::dist)); }
void Form10::Command5_Click() { addObject(next_support, last_of(Kind::support)); }
void Form10::Command7_Click() { addObject(next_fixed, last_of(Kind::fixed_end)); }
void Form10::Command13_Click() { addObject(next_hinge, last_of(Kind::hinge)); }
void Form10::Command14_Click() { addObject(next_release, last_of(Kind::release)); }

void Form10::Command16_Click() {
  if (next_force > last_of(Kind::force)) return;
  forces(next_force).value = -forces(next_force).value;
  Command1_Click();
  Form20Form->image1_MouseMove(next_force - 1, 0, 0, 0, 0);
}

void Form10::Command18_Click() {
  if (next_moment > last_of(Kind::moment)) return;
  moments(next_moment).value = -moments(next_moment).value;
  Command2_Click();
  Form20Form->image1_MouseMove(next_moment - 1, 0, 0, 0, 0);
}

void Form10::Command19_Click() {
  if (next_dist > last_of(Kind::dist)) return;
  dist_loads(next_dist).value = -dist_loads(next_dist).value;
  Command3_Click();
  Form20Form->image1_MouseMove(next_dist - 1, 0, 0, 0, 0);
}

void Form10::Command6_Click() {
  solve_on = True;
  Form20Form->solution();
  solve_on = Form20Form->ffe.Checked ? True : False;
}

void Form10::command8_Click() {
  Form20& main = *Form20Form;
  const bool show = !main.Line1[0].Visible;
  for (int i = 0; i <= 5; ++i) main.Line1[i].Visible = show;
  main.Label1.Visible = show;
  main.Label2.Visible = show;
}
