#pragma once
// The data-and-formulas window: the matrices of the stiffness method as grids (Q, S, K, u, t), E and A
// for all bars at once or bar by bar, the loads for every direction at once or one by one, the largest
// stress, the steps of the method as fixed texts, and the program's internal tables. The solve and the
// drawing of its results on the main window's canvas live here too, since the main window reaches them
// through this window: its Solve menu presses Command3. The window answers what the window-free solver
// (common1, solve1) asks of the windows (TrussWindows), for itself and the main window.

#include <optional>
#include <string>
#include <vector>

#include "truss/solver/common1.h"
#include "truss/solver/truss_windows.h"
#include "ui/control.h"
#include "ui/cell_typing.h"
#include "ui/control_array.h"
#include "ui/form.h"
#include "ui/grid.h"

class Form2 : public ui::Form, public TrussWindows {
 public:
  Form2();

  // Which panel covers the matrices.
  enum Panel { kFormulas = 0, kTables = 1, kNoPanel = 2 };
  ui::ControlArray<ui::OptionButton> Option3{this, nullptr, "Option3"};

  ui::Frame Frame8{this, nullptr, "Frame8"};  // K
  ui::Frame Frame7{this, nullptr, "Frame7"};  // Q
  ui::Frame Frame6{this, nullptr, "Frame6"};  // u
  ui::Frame Frame5{this, nullptr, "Frame5"};  // S
  ui::Frame Frame4{this, nullptr, "Frame4"};  // t
  ui::Frame Frame3{this, nullptr, "Frame3"};  // E and A
  ui::Frame Frame2{this, nullptr, "Frame2"};  // P
  ui::Frame Frame9{this, nullptr, "Frame9"};  // the largest stress
  // 0 the formulas, 1 the internal tables; made after the matrix frames so they lie over them.
  ui::ControlArray<ui::Frame> Frame1{this, nullptr, "Frame1", [](auto& a) {
                                       a.Load(0);
                                       a.Load(1);
                                     }};
  // 0..5 the internal tables (P_L_index, F_data, R_data, P_data, Line, directions), then the matrices.
  static constexpr int kQGrid = 6, kSGrid = 8, kKGrid = 10, kUGrid = 11, kTGrid = 12;
  ui::ControlArray<ui::Grid> MSFlexGrid1{this, nullptr, "MSFlexGrid1"};
  // Edited in the cell, shown when the values are entered one by one.
  static constexpr int kPGrid = 7, kEAGrid = 9;
  ui::ControlArray<ui::Grid> MSFlexGrid2{this, nullptr, "MSFlexGrid2"};

  ui::ControlArray<ui::OptionButton> Option1{this, &Frame3, "Option1"};  // 0 uniform E and A, 1 per bar
  ui::ControlArray<ui::TextBox> Text2{this, &Frame3, "Text2"};           // 0 E, 1 A
  ui::ControlArray<ui::Label> LabelUnit{this, &Frame3, "LabelUnit"};     // 0 Gpa, 1 mm^2
  ui::CommandButton Command6{this, &Frame3, "Command6"};
  ui::ControlArray<ui::OptionButton> Option2{this, &Frame2, "Option2"};  // 0 uniform load, 1 per direction
  ui::TextBox Text3{this, &Frame2, "Text3"};
  ui::Label LabelN{this, &Frame2, "LabelN"};
  ui::CommandButton Command5{this, &Frame2, "Command5"};
  ui::ControlArray<ui::TextBox> Text4{this, &Frame9, "Text4"};
  ui::Label LabelSigma{this, &Frame9, "LabelSigma"};
  ui::Label LabelIndex{this, &Frame9, "LabelIndex"};
  ui::CommandButton Command3{this, nullptr, "Command3"};
  ui::CommandButton Command1{this, nullptr, "Command1"};

  // The fixed texts of the formulas panel and the headings of the internal tables.
  // The box goes before the labels, some of which lie on it (members go in the reverse order).
  ui::Frame FrameCase{this, &Frame1[0], "FrameCase"};
  ui::ControlArray<ui::Label> LabelFormula{this, &Frame1[0], "LabelFormula"};
  ui::ControlArray<ui::Label> LabelTable{this, &Frame1[1], "LabelTable"};
  ui::CommandButton Command2{this, &Frame1[1], "Command2"};

  // The free directions of the last solve, valid 1..dof_count.
  ui::Array<common1::dof_rec, 1, common1::kMaxDof> dof_list;

  void Form_Load() override;
  // Closing the window stops the solve filling its grids.
  void Form_Unload(int& Cancel) override;
  // The solve, K = Q S Q^T and K u = P in N, micrometres and MPa: bar lists, free directions, Q, P, S,
  // K u = P, t, the largest stress, and what the main window's options ask for (grids, displaced shape,
  // bar colours).
  void Command3_Click();
  void Command1_Click();
  // Fills the internal tables from the model.
  void Command2_Click();
  // Stores the loads, for every direction at once or as typed in the P grid.
  void Command5_Click();
  // Stores E and A, for every bar at once or as typed in the E-A grid.
  void Command6_Click();
  void Option1_Click(int Index);
  void Option2_Click(int Index);
  void Option3_Click(int Index);
  // In-cell editing of the P (7) and E-A (9) grids.
  void MSFlexGrid2_EnterCell(int Index);
  void MSFlexGrid2_KeyDown(int Index, int& KeyCode, int Shift);
  void MSFlexGrid2_KeyPress(int Index, int& KeyAscii);
  // The headings of the internal tables.
  void text_start();
  // The displaced shape of the current solution, in blue on the main window's canvas, magnified by
  // Slider2; nothing without one.
  void line_dx_dy();
  // True from a solve that succeeded until the truss changes (an edit, another scale, E, A or loads
  // confirmed, New, Open) or a solve fails.
  bool solution_current = false;
  // The main window has placed this window at its first showing (Form1::bb1_Click).
  bool placed = false;
  // Nothing of the last solution may pass for the truss as it stands: the u, t, Q, S and K grids, the
  // largest stress, the displaced shape, the bar colours (the bar picked in the bar selection keeps its
  // highlight) and the bars' tooltips show nothing of it, and the colouring by sign finds no force.
  // The model keeps the numbers (the truss file saves the direction count of the last solve).
  void forget_solution();
  // The bars coloured by stress relative to the largest stress or to a chosen reference.
  void t_output();

  // The E-A grid gets a column for every bar slot and the P grid a row for every free direction of the
  // last solve, each labelled. With refill every cell shows the value stored; without, only a new column
  // or row does and the others keep what was typed.
  void size_edit_grids(bool refill);

  // Sizes the result grids for n directions and the bar slots in use and empties them (the direction
  // labels too, which the solve writes again where it solves); `whole` says the solve goes on to write Q,
  // S and K in every cell, so those three are left as they are until then.
  void size_grids(int n, bool whole = false);

  // New and Open: another truss. No grid keeps a row, a label or a value of the truss before, the load
  // grid has no direction until the next solve numbers them, and the uniform boxes show what the new
  // truss's bars and loads get.
  void forget_truss();
  // Each uniform box shows the value that every bar (or every direction) holds, which new bars and loads
  // get too, and is empty where they differ: a box never offers a value the truss does not use.
  void show_uniform_values();

 private:
  // The number being typed into the current editable cell.
  ui::CellTyping cell_typing;
  // The free directions the load grid has rows for: those of the last solve, none after New and Open.
  int load_rows = 0;
  // What the program last wrote into each row of the load grid (none once the student typed in it), so
  // that confirming the grid takes only the loads the student typed: a row showing 0 for a direction
  // without a load arrow never takes the load of an arrow drawn there since.
  std::vector<std::optional<std::string>> load_shown;
  void show_load(int i, const std::string& text);
  void typed_in(int Index);
  // The internal tables were filled by "עדכן" and show the truss as it stood then: the next edit empties
  // them.
  bool tables_filled = false;
  void clear_tables();
  // The formulas and the internal tables cover the matrix frames.
  static constexpr float kPanelHeight = 5160;
  void lay_out();
  void make_formulas();
  void make_tables();
  std::string dof_label(int i);
  // A solve that cannot give this truss's result leaves none in the model either.
  void zero_result();

  // The steps of the solve, in their order.
  struct Method {
    ui::DynArray2<float> Q;   // n by bar slots: each bar's direction at the point of each free direction
    ui::DynArray<float> P;    // n loads, N; the displacements once solved
    ui::DynArray<float> S;    // bar slots: E A / L, N per micrometre, 0 for a deleted bar
    ui::DynArray2<float> SQ;  // bar slots by n: S Q^T
  };
  // The pending bar cancelled, the point mode chosen, the points no bar reaches deleted by the editor.
  void start_solve();
  // dof_list from the points by index, x before y; returns n.
  int number_directions();
  int visible_bars();
  // Fewer bars than free directions: nothing solved, nothing old shown.
  void refuse(int n);
  void direction_matrix(Method& a, int n);
  void load_vector(Method& a, int n, bool grids);
  void bar_stiffness(Method& a, int n, bool grids);
  void stiffness_products(Method& a, int n);
  // K u = P, then the bar forces and the largest stress; false when that gave no result.
  bool solve_method(Method& a, int n);
  void show_results(bool grids);
  // The direction labels of the Q, P and u grids and the bar headings of Q.
  void show_labels(int n);
  void fit_result_grids();

  // The answers to the solver (Form2_windows.cpp).
  bool has_line(int l) const override;
  LineEnds line_ends(int l) const override;
  bool point_shown(int p) const override;
  bool grids_wanted() const override;
  void show_K(long i, long j, const std::string& text) override;
  void show_u(long i, const std::string& text) override;
  void message(const std::string& text) override;
};

inline ui::FormRef<Form2> Form2Form;
