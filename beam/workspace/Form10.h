#pragma once
// The tool window of the beam program: five tabs (objects, data, simulation, graph properties, extreme
// values). It holds no model of its own: its controls work on the shared model and on Form20.

#include <string>

#include "ui/control.h"
#include "ui/cell_typing.h"
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

  // Tab 1: data of the selected object.
  ui::Frame Frame3{this, &SSTab1, "Frame3"};
  ui::Label Label1{this, &Frame3, "Label1"};
  ui::Label Label5{this, &Frame3, "Label5"};
  ui::Label Label10{this, &Frame3, "Label10"};
  ui::Label Label11{this, &Frame3, "Label11"};
  ui::Label Label13{this, &Frame3, "Label13"};
  ui::ControlArray<ui::TextBox> Text2{this, &Frame3, "Text2"};  // position, magnitude, third value
  ui::ControlArray<ui::Label> Label12{this, &Frame3, "Label12"};
  // Reference values and units.
  ui::Frame Frame4{this, &SSTab1, "Frame4"};
  ui::Label Label8{this, &Frame4, "Label8"};
  ui::Label Label3{this, &Frame4, "Label3"};
  ui::Label Label20{this, &Frame4, "Label20"};
  ui::Label Label23{this, &Frame4, "Label23"};
  ui::TextBox Text10{this, &Frame4, "Text10"};  // P
  ui::TextBox Text13{this, &Frame4, "Text13"};  // L
  ui::TextBox Text6{this, &Frame4, "Text6"};    // E
  ui::TextBox Text7{this, &Frame4, "Text7"};    // I
  ui::Label Label24{this, &Frame4, "Label24"};
  ui::Label Label26{this, &Frame4, "Label26"};
  ui::Label Label27{this, &Frame4, "Label27"};
  ui::Label Label28{this, &Frame4, "Label28"};
  ui::ControlArray<ui::OptionButton> Option4{this, &Frame4, "Option4"};  // unit system
  ui::CommandButton Command15{this, &Frame4, "Command15"};
  // Relative stiffness per element.
  ui::CheckBox Check4{this, &SSTab1, "Check4"};
  ui::Grid MSFlexGrid1{this, &SSTab1, "MSFlexGrid1"};
  ui::CommandButton Command20{this, &SSTab1, "Command20"};

  // Tab 2: simulation.
  ui::Frame Frame6{this, &SSTab1, "Frame6"};
  ui::Label Label7{this, &Frame6, "Label7"};
  ui::Label Label17{this, &Frame6, "Label17"};
  ui::Label Label9{this, &Frame6, "Label9"};
  ui::Label Label15{this, &Frame6, "Label15"};
  ui::Label Label16{this, &Frame6, "Label16"};
  ui::ControlArray<ui::TextBox> Text4{this, &Frame6, "Text4"};  // from, to
  ui::Label Label14{this, &Frame6, "Label14"};
  ui::Slider Slider1{this, &Frame6, "Slider1"};  // speed
  ui::Label Label18{this, &Frame6, "Label18"};
  ui::Slider Slider2{this, &Frame6, "Slider2"};  // step: keyboard moves and simulation, x 15 twips
  ui::CheckBox Check1{this, &Frame6, "Check1"};  // with traces
  ui::CommandButton Command11{this, &Frame6, "Command11"};
  ui::CommandButton Command12{this, &Frame6, "Command12"};
  ui::Timer Timer1{this, &Frame6, "Timer1"};  // the simulation clock

  // Tab 3: graph properties.
  ui::Frame Frame7{this, &SSTab1, "Frame7"};
  ui::Frame Frame5{this, &Frame7, "Frame5"};
  ui::Slider Slider6{this, &Frame5, "Slider6"};  // graph step, x 15 twips
  ui::Frame Frame10{this, &Frame7, "Frame10"};
  ui::Frame Frame11{this, &Frame10, "Frame11"};
  ui::ControlArray<ui::Slider> Slider4{this, &Frame11, "Slider4"};  // red, green, blue of the chosen graph
  ui::Label Label2{this, &Frame11, "Label2"};
  ui::Label Label6{this, &Frame11, "Label6"};
  ui::Label Label19{this, &Frame11, "Label19"};
  ui::ControlArray<ui::OptionButton> Option3{this, &Frame10, "Option3"};  // the graph whose colour is edited
  ui::ControlArray<ui::CheckBox> Check2{this, &Frame7, "Check2"};        // shear, moment, deflection drawn
  ui::Frame Frame1{this, &Frame7, "Frame1"};
  ui::Slider Slider5{this, &Frame1, "Slider5"};  // line width
  ui::CommandButton Command9{this, &SSTab1, "Command9"};
  ui::CommandButton Command10{this, &SSTab1, "Command10"};

  // Tab 4: extreme values.
  ui::Frame Frame8{this, &SSTab1, "Frame8"};
  ui::CommandButton Command17{this, &Frame8, "Command17"};
  ui::ControlArray<ui::Label> Label21{this, &Frame8, "Label21"};
  ui::ControlArray<ui::Label> Label25{this, &Frame8, "Label25"};
  ui::ControlArray<ui::TextBox> Text1{this, &Frame8, "Text1"};  // extreme values
  ui::ControlArray<ui::Label> Label22{this, &Frame8, "Label22"};
  ui::ControlArray<ui::TextBox> Text8{this, &Frame8, "Text8"};  // their locations
  ui::Label Label29{this, &Frame8, "Label29"};
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

  // Data of the selected object.
  void input_text();
  void re_load_text();
  void Text2_KeyPress(int Index, int& KeyAscii);
  void Text2_MouseDown(int Index, int Button, int Shift, float X, float Y);

  // Reference values, units and the relative stiffness grid.
  void Command15_Click();
  void Option4_Click(int Index);
  void Check4_Click();
  void Command20_Click();
  void MSFlexGrid1_EnterCell();
  void MSFlexGrid1_KeyDown(int& KeyCode, int Shift);
  void MSFlexGrid1_KeyPress(int& KeyAscii);

  // Simulation.
  void Command11_Click();
  void Timer1_Timer();
  void Command12_Click();
  // Ends a run: the timer stops and "update data on every drag" gets its saved mark back.
  void stop_run();
  // The timer is taking the run's own step. Only its solve adds to the traces: any other edit of the beam
  // during a run starts them anew, since they are the history of this run on this beam.
  bool taking_step = false;

  // Graph properties and extreme values.
  void Check2_Click(int Index);
  void Check3_Click();
  void Option3_Click(int Index);
  void Slider4_Change(int Index);
  void Slider5_Change();
  void Slider6_Change();
  void Command9_Click();
  void Command10_Click();
  void Command17_Click();
  // Empties the extreme-value boxes: they belong to a solution that is gone.
  void clear_extremes();
  // The elements changed: a grid open on the old element numbers is made again.
  void elements_changed();

 private:
  ui::CellTyping cell_typing;  // the number being typed into the grid's current cell
  // Icon k lies on the beam band of the canvas.
  static bool icon_on_beam(int k);
  // The Left at which node object k's icon is placed to stand at p along the beam.
  static float node_left_at(int k, double p);
  // Every result of the solution that stands is a number a Single holds, in the user's units: shear,
  // moment and deflection along every element, its end forces and the reactions they make.
  static bool results_finite();
  void build_data_tab();
  void build_simulation_tab();
  void build_graph_tab();
  void build_extremes_tab();
  void fill_grid();
  // The lowest the stiffness grid reaches, in twips of the data tab.
  float grid_bottom() const;
  void show_extremes();
  bool extremes_shown = false;  // the extreme-value boxes hold a search of the current solution
  int grid_elements = -1;        // the element count the grid rows were made for
  bool choosing_colour = false;  // the colour sliders are being set from the model, not by the user
};

inline ui::FormRef<Form10> Form10Form;
