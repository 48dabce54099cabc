// The tutorial window's tables: the elements, the equation numbers, the fixed-end reactions, K, the load
// vector, the displacements and the end forces, each shown only while the beam's figures stand behind it.
#include "beam/workspace/properties.h"

#include "beam/workspace/Form20.h"
#include "ui/vbtext.h"

using namespace Module20;

namespace {

// Keeps the header column and empties every other cell, so that nothing of an earlier fill stays.
void clearGrid(ui::Grid& g, int cols) {
  g.setCols(1);
  g.setCols(cols);
}

}  // namespace

void properties::fill_tables(bool loads, bool solved) {
  // The stiffness row alone follows the unit system: metric 10, inch 1000/144 to seven figures.
  const Single ei_factor = unit_system == 1 ? 10.0f : unit_system == 2 ? 6.944444f : 1.0f;
  for (ui::Grid* g : {&MSFlexGrid1, &MSFlexGrid2, &MSFlexGrid3, &MSFlexGrid4, &MSFlexGrid5, &MSFlexGrid6, &MSFlexGrid7})
    g->LeftToRight = true;
  const int elems = std::min<int>(n_elem, 21), eqs = std::min<int>(free_dof, 40);
  for (ui::Grid* g : {&MSFlexGrid1, &MSFlexGrid2, &MSFlexGrid3, &MSFlexGrid7}) clearGrid(*g, elems + 1);
  for (ui::Grid* g : {&MSFlexGrid4, &MSFlexGrid5, &MSFlexGrid6}) {
    clearGrid(*g, eqs + 1);
    g->setColWidth(0, 1000);
  }
  MSFlexGrid5.setRows(1);
  MSFlexGrid5.setRows(eqs + 1);

  MSFlexGrid1.setTextMatrix(0, 0, "מס. אלמנט");
  MSFlexGrid1.setTextMatrix(1, 0, "אורך L");
  MSFlexGrid1.setTextMatrix(2, 0, "קשיחות EI");
  const char* const dofHeads[5] = {"מס. אלמנט", "d1", "d2", "teta3", "teta4"};
  const char* const forceHeads[5] = {"מס. אלמנט", "F1", "F2", "M3", "M4"};
  for (int r = 0; r < 5; ++r) {
    MSFlexGrid2.setTextMatrix(r, 0, dofHeads[r]);
    MSFlexGrid3.setTextMatrix(r, 0, forceHeads[r]);
    MSFlexGrid7.setTextMatrix(r, 0, forceHeads[r]);
  }
  MSFlexGrid4.setTextMatrix(0, 0, "מס.דר.חופש");
  MSFlexGrid4.setTextMatrix(1, 0, "עומס");
  MSFlexGrid5.setTextMatrix(0, 0, "מס.דר.חופש");
  for (i_loop = 1; i_loop <= eqs; ++i_loop) {
    MSFlexGrid5.setTextMatrix(i_loop, 0, ui::CStr(int(i_loop)));
    MSFlexGrid5.setTextMatrix(0, i_loop, ui::CStr(int(i_loop)));
  }
  MSFlexGrid6.setTextMatrix(0, 0, "מס.דר.חופש");
  MSFlexGrid6.setTextMatrix(1, 0, "גודל הזזה");

  for (i_loop = 1; i_loop <= elems; ++i_loop) {
    const elem_rec& el = elem(i_loop);
    for (ui::Grid* g : {&MSFlexGrid1, &MSFlexGrid2, &MSFlexGrid3, &MSFlexGrid7}) g->setTextMatrix(0, i_loop, ui::CStr(int(i_loop)));
    MSFlexGrid1.setTextMatrix(1, i_loop, ui::finiteCStr(Single(unit_L * el.length)));
    const Single ei = el.E_rel * el.I_rel * unit_E * unit_I * ei_factor;
    MSFlexGrid1.setTextMatrix(2, i_loop, ui::finiteCStr(ei));
    for (j_loop = 1; j_loop <= 4; ++j_loop) {
      MSFlexGrid2.setTextMatrix(j_loop, i_loop, ui::CStr(int(el.dof(j_loop))));
      MSFlexGrid3.setTextMatrix(j_loop, i_loop, ui::finiteFormat(double(unit_F) * el.fer(j_loop), "0.000"));
      if (solved) MSFlexGrid7.setTextMatrix(j_loop, i_loop, ui::finiteFormat(double(unit_F) * el.kd(j_loop), "0.000"));
    }
  }
  for (i_loop = 1; i_loop <= eqs; ++i_loop) {
    MSFlexGrid4.setTextMatrix(0, i_loop, ui::CStr(int(i_loop)));
    MSFlexGrid6.setTextMatrix(0, i_loop, ui::CStr(int(i_loop)));
    if (loads) MSFlexGrid4.setTextMatrix(1, i_loop, ui::finiteFormat(double(unit_F) * P0(i_loop), "0.0000"));
    if (solved) MSFlexGrid6.setTextMatrix(1, i_loop, ui::finiteFormat(double(unit_F) * P(i_loop), "0.0000"));
    for (j_loop = 1; j_loop <= eqs; ++j_loop) MSFlexGrid5.setTextMatrix(j_loop, i_loop, ui::finiteFormat(K(j_loop, i_loop), "0.0000"));
  }
}
