#pragma once
// The tool window of the beam program: five tabs (objects, data, simulation, graph properties, extreme
// values). It holds no model of its own: its controls work on the shared model and on Form20.

#include "ui/control.h"
#include "ui/control_array.h"
#include "ui/form.h"
#include "ui/grid.h"

class Form10 : public ui::Form {
 public:
  Form10();

  ui::TabControl SSTab1{this, nullptr, "SSTab1", 5, 3};

  // Tab 0: objects.
  ui::Frame Frame2{this, &SSTab1, "Frame2"};
  ui::CommandButton Command7{this, &Frame2, "Command7"};
  ui::CommandButton Command5{this, &Frame2, "Command5"};
  ui::CommandButton Command13{this, &Frame2, "Command13"};
  ui::CommandButton Command14{this, &Frame2, "Command14"};
  ui::CommandButton Command1{this, &Frame2, "Command1"};
  ui::CommandButton Command2{this, &Frame2, "Command2"};
  ui::CommandButton Command3{this, &Frame2, "Command3"};
  ui::CommandButton Command16{this, &Frame2, "Command16"};
  ui::CommandButton Command18{this, &Frame2, "Command18"};
  ui::CommandButton Command19{this, &Frame2, "Command19"};
  ui::CommandButton command8{this, &SSTab1, "command8"};
  ui::CommandButton Command4{this, &SSTab1, "Command4"};
  ui::CommandButton Command6{this, &SSTab1, "Command6"};

  // Tab 1: data of the selected object, reference values and relative stiffness.
  ui::Frame Frame3{this, &SSTab1, "Frame3"};
  ui::Frame Frame4{this, &SSTab1, "Frame4"};
  ui::CheckBox Check4{this, &SSTab1, "Check4"};
  ui::Grid MSFlexGrid1{this, &SSTab1, "MSFlexGrid1"};
  ui::CommandButton Command20{this, &SSTab1, "Command20"};

  // Tab 2: simulation.
  ui::Frame Frame6{this, &SSTab1, "Frame6"};
  ui::Label Label18{this, &Frame6, "Label18"};
  ui::Slider Slider2{this, &Frame6, "Slider2"};  // step: keyboard moves and simulation, x 15 twips
  ui::CheckBox Check1{this, &Frame6, "Check1"};  // with traces
  ui::Timer Timer1{this, &Frame6, "Timer1"};     // the simulation clock

  // Tab 3: graph properties.
  ui::Frame Frame7{this, &SSTab1, "Frame7"};
  ui::ControlArray<ui::CheckBox> Check2{this, &Frame7, "Check2"};  // shear, moment, deflection graphs on
  ui::Slider Slider6{this, &Frame7, "Slider6"};                    // graph step, x 15 twips
  ui::ControlArray<ui::Slider> Slider4{this, &Frame7, "Slider4"};  // colour components
  ui::CommandButton Command9{this, &SSTab1, "Command9"};
  ui::CommandButton Command10{this, &SSTab1, "Command10"};

  // Tab 4: extreme values.
  ui::Frame Frame8{this, &SSTab1, "Frame8"};
  ui::CheckBox Check3{this, &SSTab1, "Check3"};  // the graph value scale (cursor readout)
  ui::CommandButton Command21{this, &SSTab1, "Command21"};

  // Objects tab: each add button shows the next icon of its kind in the palette strip.
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command5_Click();
  void Command7_Click();
  void Command13_Click();
  void Command14_Click();
  void Command16_Click();
  void Command18_Click();
  void Command19_Click();
  void Command6_Click();
  void command8_Click();
  void Command9_Click();
};

inline ui::FormRef<Form10> Form10Form;
