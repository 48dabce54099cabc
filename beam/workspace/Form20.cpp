#include "beam/workspace/Form20.h"

#include "beam/workspace/Form10.h"

Form20::Form20() : ui::Form("Form20") {
  Caption = "Kesvo - תוכנה לחישוב מבנים";
  KeyPreview = true;
  Width = 10800;
  Height = 9000;

  // The beam canvas: the palette strip (Top 0..200) above the beam (x 285..10285).
  Picture7.Move(0, 0, 10680, 2340);
  Picture7.BackColor = ui::RGB(255, 255, 255);
  Shape9.Move(285, 1560, 10005, 270);
  Shape9.Visible = false;
  for (int i = 1; i <= 50; ++i) {
    Image1.Load(i);
    ui::Image& icon = Image1[i];
    icon.Width = i <= 5 ? 360.0f : i <= 20 ? 150.0f : i <= 40 ? 300.0f : 500.0f;
    icon.Height = i <= 20 ? 480.0f : 600.0f;
    icon.Visible = false;
    icon.DragMode = 1;
  }

  // The graph area: the graph canvas is 10000 twips wide, x being the position along the beam.
  Picture6.Move(0, 2340, 10680, 5460);
  Picture6.Visible = false;
  Frame1.Move(120, 0, 3800, 1300);
  Frame2.Move(4000, 0, 2600, 1300);
  Frame4.Move(6700, 0, 3860, 1300);
  Check1.Load(0);
  Picture3.Move(285, 1380, 10000, 3960);
  Picture3.BackColor = ui::RGB(255, 255, 255);
  Line2.X1 = 0;
  Line2.X2 = 10140;
  Line2.Y1 = Line2.Y2 = 1980;
  Line4.X1 = Line4.X2 = 3495;
  Line4.Y1 = -120;
  Line4.Y2 = 4080;
  for (int g = 0; g <= 2; ++g) {
    Text2.Load(g);
    Line3.Load(g);
  }
  Slider1.Min = 0;
  Slider1.Max = 10000;
  Slider1.Value = 0;

  bb1.Enabled = false;
  for (int i = 0; i <= 2; ++i) ee4[i].Enabled = false;
  ffa.Enabled = false;
  ffb.Enabled = false;
  ffe.Checked = true;
  ffc.Checked = true;
  ffd.Enabled = false;
}
