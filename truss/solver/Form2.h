#pragma once
// The data-and-formulas window: the matrices of the stiffness method as grids (Q, S, K, u, t, the load
// vector P and the bars' E and A), the largest stress, and the solve button. The solve and the drawing of
// its results on the main window's canvas live here too, since the main window reaches them through this
// window: its Solve menu presses Command3.

#include "truss/solver/common1.h"
#include "ui/control.h"
#include "ui/control_array.h"
#include "ui/form.h"
#include "ui/grid.h"

class Form2 : public ui::Form {
 public:
  Form2();

  ui::Frame Frame8{this, nullptr, "Frame8"};  // K
  ui::Frame Frame7{this, nullptr, "Frame7"};  // Q
  ui::Frame Frame6{this, nullptr, "Frame6"};  // u
  ui::Frame Frame5{this, nullptr, "Frame5"};  // S
  ui::Frame Frame4{this, nullptr, "Frame4"};  // t
  ui::Frame Frame3{this, nullptr, "Frame3"};  // E and A
  ui::Frame Frame2{this, nullptr, "Frame2"};  // P
  ui::Frame Frame9{this, nullptr, "Frame9"};  // the largest stress
  // 6 Q, 8 S, 10 K, 11 u, 12 t (0..5, the internal tables, are not made here).
  ui::ControlArray<ui::Grid> MSFlexGrid1{this, nullptr, "MSFlexGrid1"};
  // 7 P, 9 E and A: editable, shown when the values are entered one by one.
  ui::ControlArray<ui::Grid> MSFlexGrid2{this, nullptr, "MSFlexGrid2"};
  ui::ControlArray<ui::TextBox> Text4{this, &Frame9, "Text4"};
  ui::Label LabelSigma{this, &Frame9, "LabelSigma"};
  ui::Label LabelIndex{this, &Frame9, "LabelIndex"};
  ui::CommandButton Command3{this, nullptr, "Command3"};
  ui::CommandButton Command1{this, nullptr, "Command1"};

  // The free directions of the last solve, valid 1..dof_count.
  ui::Array<common1::dof_rec, 1, 100> dof_list;

  // The solve: bar lists, free directions, Q, P, S, K u = P, t, the largest stress, and what the main
  // window's options ask for (grids, displaced shape, bar colours).
  void Command3_Click();
  void Command1_Click();
  // Closing the window stops the solve filling its grids.
  void Form_Unload(int& Cancel) override;
  // The displaced shape of the last solution, in blue on the main window's canvas, magnified by Slider2.
  void line_dx_dy();
  // The bars coloured by stress relative to the largest stress or to a chosen reference.
  void t_output();

 private:
  void sizeGrids(int n);
  std::string dofLabel(int i);
  // After a failed solve nothing of an earlier result may pass for this truss's.
  void clearResult(int n);
};

inline ui::FormRef<Form2> Form2Form;
