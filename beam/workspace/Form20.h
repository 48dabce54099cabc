#pragma once
// The main window of the beam program: the beam canvas with the palette of 50 object icons, the graph
// canvas with its scales and readout, the status bar and the menus. It also carries the solver of the
// stiffness method (BeamSolver, beam/solver/), since every window of the program calls it here, and
// answers what the solver asks of the windows.

#include "beam/solver/Module20.h"
#include "beam/solver/beam_solver.h"
#include "ui/control.h"
#include "ui/control_array.h"
#include "ui/form.h"
#include "ui/menu.h"
#include "ui/picturebox.h"

class Form20 : public ui::Form, public BeamSolver {
 public:
  Form20();

  // The beam canvas: the palette strip on top (Top 0..200), the beam below.
  ui::PictureBox Picture7{this, nullptr, "Picture7"};
  ui::Shape Shape9{this, &Picture7, "Shape9"};
  ui::ControlArray<ui::LineControl> Line1{this, &Picture7, "Line1"};
  ui::Label Label1{this, &Picture7, "Label1"};
  ui::Label Label2{this, &Picture7, "Label2"};
  ui::ControlArray<ui::Image> Image1{this, &Picture7, "Image1"};

  // The graph area.
  ui::PictureBox Picture6{this, nullptr, "Picture6"};
  ui::Frame Frame1{this, &Picture6, "Frame1"};
  ui::ControlArray<ui::CheckBox> Check1{this, &Frame1, "Check1"};  // Check1(0) "כללי": one common scale
  ui::PictureBox Picture1{this, &Frame1, "Picture1"};
  // Slider2 holds one scale per graph (kShearGraph..kDeflectionGraph) and the common scale.
  static constexpr int kCommonScale = 3;
  ui::ControlArray<ui::Slider> Slider2{this, &Picture1, "Slider2"};
  ui::ControlArray<ui::ComboBox> Combo2{this, &Picture1, "Combo2"};
  ui::ComboBox Combo1{this, &Frame1, "Combo1"};
  ui::ControlArray<ui::Label> Label5{this, &Picture1, "Label5"};  // scale label of each graph
  ui::Frame Frame2{this, &Picture6, "Frame2"};
  ui::ControlArray<ui::Frame> Frame3{this, &Frame2, "Frame3"};  // legend entry of each graph
  ui::ControlArray<ui::LineControl> Line3{this, &Frame2, "Line3"};  // each in its Frame3
  ui::ControlArray<ui::Label> Label4{this, &Frame2, "Label4"};      // each in its Frame3
  ui::Frame Frame4{this, &Picture6, "Frame4"};
  ui::TextBox Text1{this, &Frame4, "Text1"};
  ui::ControlArray<ui::TextBox> Text2{this, &Frame4, "Text2"};
  ui::ControlArray<ui::Label> Label3{this, &Frame4, "Label3"};
  ui::Label Label8{this, &Frame4, "Label8"};  // unit of the shear
  ui::Label Label7{this, &Frame4, "Label7"};  // unit of the moment
  ui::Label Label6{this, &Frame4, "Label6"};  // unit of the deflection
  ui::Slider Slider1{this, &Picture6, "Slider1"};
  ui::PictureBox Picture3{this, &Picture6, "Picture3"};
  ui::LineControl Line2{this, &Picture3, "Line2"};
  ui::LineControl Line4{this, &Picture3, "Line4"};

  ui::StatusBar StatusBar2{this, nullptr, "StatusBar2", 4};

  // Menus, in their order on the bar.
  ui::Menu aa0{this, nullptr, "aa0", "קובץ"};
  ui::Menu aa1{this, &aa0, "aa1", "יציאה"};
  ui::Menu bb{this, nullptr, "bb", "עריכה"};
  ui::Menu bb1{this, &bb, "bb1", "נקה"};
  ui::Menu ee{this, nullptr, "ee", "הוספת אובייקטים"};
  ui::ControlArray<ui::Menu> ee1{this, nullptr, "ee1", [this](auto& a) {
    a.Load(1, &ee, "ריתום");
    a.Load(2, &ee, "סמך");
    a.Load(3, &ee, "מפרק");
    a.Load(4, &ee, "שיחרור גזירה");
  }};
  ui::Menu ee3_4{this, &ee, "ee3_4", "-"};
  ui::ControlArray<ui::Menu> ee4{this, nullptr, "ee4", [this](auto& a) {
    a.Load(0, &ee, "כח");
    a.Load(1, &ee, "מומנט");
    a.Load(2, &ee, "כח רציף");
  }};
  ui::Menu ff0{this, nullptr, "ff0", "אפשריות"};
  ui::Menu ffa{this, &ff0, "ffa", "פתור"};
  ui::Menu ffb{this, &ff0, "ffb", " סרגל כלים כיבוי/הפעלה"};
  ui::Menu ffe{this, &ff0, "ffe", "פתור בכל גרירה"};
  ui::Menu ffc{this, &ff0, "ffc", "עדכן נתונים בכל גרירה"};
  ui::Menu ii{this, nullptr, "ii", "עזרה"};
  ui::Menu ffd{this, &ii, "ffd", "עזרה לימודית"};
  ui::Menu ii1{this, &ii, "ii1", "טיפים"};
  ui::Menu ii2{this, &ii, "ii2", "אודות"};

  // Start-up, shutdown and menus.
  void Form_Load() override;
  void Form_Unload(int& Cancel) override;
  void aa1_Click();
  void ee1_Click(int Index);
  void ee4_Click(int Index);
  void ffa_Click();
  void ffb_Click();
  void ffc_Click();
  void ffd_Click();
  void ffe_Click();
  void ii1_Click();
  void ii2_Click();

  // The beam canvas.
  void image1_MouseMove(int Index, int Button, int Shift, float X, float Y);
  void Picture7_MouseDown(int Button, int Shift, float X, float Y);
  void Picture7_MouseMove(int Button, int Shift, float X, float Y);
  // An icon dropped on the canvas: by the mouse (the canvas's own DragDrop), or placed so by code (a typed
  // position, the simulation's start, new reference values), which takes the end zones alone.
  void picture7_DragDrop(ui::Control& Source, float X, float Y, Placing how = Placing::by_zones);
  void Form_KeyDown(int& KeyCode, int Shift) override;
  void Form_KeyUp(int& KeyCode, int Shift) override;

  // The graph view: scales and cursor.
  void Slider2_Change(int Index);
  void Combo1_Click();
  void Combo2_Click(int Index);
  void Check1_Click(int Index);
  void Slider1_Change();
  void Picture3_MouseMove(int Button, int Shift, float X, float Y);
  // The cursor's place along the beam in the user's length unit, into the readout.
  void show_cursor_position();

  void forget_solution() override;
  // Clears the graph canvas and draws the current solution's graphs again, if there is one.
  void redraw_graphs();
  void stop_simulation() override;

 private:
  Byte hot_icon = 0;                        // the icon shown highlighted, 0 none
  // The entries of key_moved, True while a key press has moved an object of that kind and not yet
  // placed it again: a force, a moment, a distributed load, a node object.
  static constexpr int kMovedForce = 0, kMovedMoment = 1, kMovedDist = 2, kMovedNode = 3;
  ui::Array<Integer, kMovedForce, kMovedNode> key_moved;
  bool key_down = false;                    // a key went down in this window since the last release

  // Shows or hides the tool window, as the menu item does; shown by a key, it leaves the keys here.
  void switch_tools(bool activate);
  // The object stands on the beam: a node object in the node list, a load placed.
  bool on_the_beam(int k) const;
  void normal_picture(int k);
  // Re-reads the selected object's data when "update data on every drag" is ticked.
  void refresh_data();

  // What the solve asks of the windows.
  void show_message(const std::string& text) override;
  bool simulation_running() override;
  bool traces_kept() override;
  bool readout_on() override;
  Integer cursor_x() override;
  void clear_extremes() override;
  bool graph_on(int g) override;
  int graph_step() override;
  float graph_height() override;
  void clear_graphs() override;
  void draw_graph(float x1, float y1, float x2, float y2, const Module20::color_rec& color) override;
  void show_value(int g, const std::string& text) override;
  bool has_icon(Integer index) override;
  float icon_left(Integer index) override;
  float icon_width(Integer index) override;
  void set_icon_left(Integer index, float left) override;
};

inline ui::FormRef<Form20> Form20Form;
