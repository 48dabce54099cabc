#pragma once
// The tutorial window of the beam program: the stiffness-method solution of the current beam step by
// step, for a student. Step one (the elements, their equation numbers and fixed-end reactions) and step
// two (the load vector, K, the displacements and the end forces due to them) are tables of the solver's
// own figures; the graphs split each element's solution into its fixed-end part and its displacement
// part. It is filled when it loads and by "עדכן", never by itself, and it solves nothing.

#include <initializer_list>

#include "beam/solver/Module20.h"
#include "ui/control.h"
#include "ui/form.h"
#include "ui/grid.h"
#include "ui/menu.h"
#include "ui/picturebox.h"

class properties : public ui::Form {
 public:
  properties();

  ui::Menu aa1{this, nullptr, "aa1", "סגור"};
  ui::Menu aa2{this, nullptr, "aa2", "עדכן"};
  ui::Menu bb_0{this, nullptr, "bb_0", "אפשרויות"};
  ui::Menu bb_1{this, &bb_0, "bb_1", "תאום פרופרציות של גרף פתרון מלא"};

  ui::TabControl SSTab1{this, nullptr, "SSTab1", 4, 4};

  // Tab 0: the graphs of the two steps.
  ui::Label Label8{this, &SSTab1, "Label8"};
  ui::PictureBox Picture1{this, &SSTab1, "Picture1"};
  ui::LineControl Line1{this, &Picture1, "Line1"};
  ui::Label Label22{this, &Picture1, "Label22"};  // why there are no graphs
  ui::Label Label9{this, &SSTab1, "Label9"};
  ui::PictureBox Picture2{this, &SSTab1, "Picture2"};
  ui::LineControl Line2{this, &Picture2, "Line2"};

  // Tab 1: how to read the graphs.
  ui::Label Label10{this, &SSTab1, "Label10"};

  // Tab 2: step two.
  ui::Label Label21{this, &SSTab1, "Label21"};  // why the solution tables are empty
  ui::Label Label4{this, &SSTab1, "Label4"};
  ui::Grid MSFlexGrid4{this, &SSTab1, "MSFlexGrid4"};
  ui::Label Label18{this, &SSTab1, "Label18"};
  ui::Label Label17{this, &SSTab1, "Label17"};
  ui::Label Label5{this, &SSTab1, "Label5"};
  ui::Grid MSFlexGrid5{this, &SSTab1, "MSFlexGrid5"};
  ui::Label Label6{this, &SSTab1, "Label6"};
  ui::Grid MSFlexGrid6{this, &SSTab1, "MSFlexGrid6"};
  ui::Label Label19{this, &SSTab1, "Label19"};
  ui::Label Label20{this, &SSTab1, "Label20"};
  ui::Label Label7{this, &SSTab1, "Label7"};
  ui::Grid MSFlexGrid7{this, &SSTab1, "MSFlexGrid7"};
  ui::Label Label15{this, &SSTab1, "Label15"};
  ui::Label Label16{this, &SSTab1, "Label16"};

  // Tab 3: step one.
  ui::Label Label1{this, &SSTab1, "Label1"};
  ui::Grid MSFlexGrid1{this, &SSTab1, "MSFlexGrid1"};
  ui::Label Label11{this, &SSTab1, "Label11"};
  ui::Label Label12{this, &SSTab1, "Label12"};
  ui::Label Label2{this, &SSTab1, "Label2"};
  ui::Grid MSFlexGrid2{this, &SSTab1, "MSFlexGrid2"};
  ui::Label Label3{this, &SSTab1, "Label3"};
  ui::Grid MSFlexGrid3{this, &SSTab1, "MSFlexGrid3"};
  ui::Label Label14{this, &SSTab1, "Label14"};
  ui::Label Label13{this, &SSTab1, "Label13"};

  // The element being computed or drawn (1..n_elem).
  Byte tut_elem = 0;
  // Per graph (0 shear, 1 moment, 2 deflection): the signed value of largest size of the full
  // solution along the beam, and the drawing scale in twips per unit that puts it 1000, 1200 or 900
  // twips from the zero line.
  ui::Array<Single, 0, 2> tut_max;
  ui::Array<Single, 0, 2> tut_scale;
  // The two step graphs together: the larger of the two steps, and the one scale both pictures are
  // drawn at, so that step one plus step two reads as the full solution: the full solution's own, or,
  // where a step would leave its picture at that scale, that scale shrunk until the step fits.
  ui::Array<Single, 0, 2> step_max;
  ui::Array<Single, 0, 2> step_scale;
  Single tut_height = 0;  // the zero line of both step graphs lies at half of it

  void Form_Load() override;
  void aa1_Click();
  // Fills the whole window from the model and the solution as the solver left them.
  void aa2_Click();
  // <x - a>^n in real length: 0 before a.
  Single step1(Single a, Single x, Byte n);
  // The graphs of element tut_elem: step one on Picture1, step two on Picture2, and the full solution
  // on the main window's graph canvas.
  void fun31();
  void fun32();
  void fun33();

 private:
  void bb_1_Click();
  // Shear, moment and deflection at x twips from the left node of tut_elem, with its loads.
  void point_values(Integer x);
  // The left-end values of tut_elem for a graph: 1 step one, 2 step two, 3 the full solution.
  void left_end_values(int step);
  void sweep(int step, ui::PictureBox& canvas);
  // The largest values of the graphs of the given steps over the whole beam, and the scales that draw
  // them at their reach from the zero line.
  void fit_scales(std::initializer_list<int> steps, ui::Array<Single, 0, 2>& largest, ui::Array<Single, 0, 2>& scale);
  // step_max and step_scale, from tut_scale and the two steps.
  void fit_steps();
  void show_units();
  void fill_tables(bool loads, bool solved);
  void show_reason(bool solved);

  // Which of shear, moment and deflection of the last point computed have a value (an element of no
  // stiffness has no deflection).
  bool ok_[3] = {true, true, true};
  // point_values takes the element's loads in (step two leaves them out).
  bool loads_ = true;
};

inline ui::FormRef<properties> propertiesForm;
