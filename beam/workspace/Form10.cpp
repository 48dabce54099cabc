#include "beam/workspace/Form10.h"

Form10::Form10() : ui::Form("Form10") {
  Caption = "סרגל הכלים";
  BorderStyle = 1;
  setClientSize(3465, 6855);
  SSTab1.Move(-60, -60, 3705, 6915);
  SSTab1.setTabCaption(0, "     אובייקטים     ");
  SSTab1.setTabCaption(1, "   נתונים  ");
  SSTab1.setTabCaption(2, "סימולציה");
  SSTab1.setTabCaption(3, "    מאפייני גרף     ");
  SSTab1.setTabCaption(4, "ערכי קיצון ומאמצים");

  // Simulation: the step slider is also the keyboard step of the beam canvas.
  Frame6.TabPage = 2;
  Slider2.Min = 1;
  Slider2.Max = 20;
  Slider2.Value = 4;
  Slider2.SmallChange = 1;
  Slider2.LargeChange = 5;
  Check1.Caption = "עם עקבות";
  Check1.Value = 0;
  Timer1.Enabled = false;

  // Graph properties: the three graphs on, a step of 2 pixels.
  Frame7.TabPage = 3;
  for (int g = 0; g <= 2; ++g) {
    Check2.Load(g);
    Check2[g].Value = 1;
  }
  Slider6.Min = 1;
  Slider6.Max = 10;
  Slider6.Value = 2;

  Frame8.TabPage = 4;
  Check3.TabPage = 4;
  Check3.Caption = " כבה / הפעל סקלת ערך הגרף";
  Check3.Value = 1;
  SSTab1.Tab = 3;
}

