// The tool window's reference values, unit systems and relative stiffness grid.
#include "beam/workspace/Form10.h"

#include <algorithm>
#include <cmath>

#include "ui/keys.h"
#include "ui/services.h"
#include "ui/vbtext.h"

#include "beam/solver/Module20.h"
#include "beam/workspace/Form20.h"
#include "beam/workspace/pictures.h"

using namespace Module20;

void Form10::Command15_Click() {
  const Single F = Single(ui::Val(Text10.Text.get())), L = Single(ui::Val(Text13.Text.get()));
  const Single I = Single(ui::Val(Text7.Text.get())), E = Single(ui::Val(Text6.Text.get()));
  // A length, modulus or inertia of zero or less has no stiffness to solve with: the old values stay.
  const bool fine = std::isfinite(F) && std::isfinite(L) && L > 0 && std::isfinite(E) && E > 0 && std::isfinite(I) && I > 0;
  if (!fine) {
    ui::MsgBox("ערך לא בתחום");
    if (!std::isfinite(F)) Text10.Text = ui::CStr(unit_F);
    if (!(std::isfinite(L) && L > 0)) Text13.Text = ui::CStr(beam_length);
    if (!(std::isfinite(E) && E > 0)) Text6.Text = ui::CStr(unit_E);
    if (!(std::isfinite(I) && I > 0)) Text7.Text = ui::CStr(unit_I);
    return;
  }
  auto take = [](Single F, Single L, Single I, Single E) {
    unit_F = F;
    beam_length = L;
    unit_L = beam_length / kBeamTwips;
    unit_I = I;
    unit_E = E;
  };
  const Single before[4] = {unit_F, beam_length, unit_I, unit_E};
  take(F, L, I, E);
  Form20& main = *Form20Form;
  main.forget_solution();
  main.show_cursor_position();
  // The whole placement and solution again with the new values, the object staying where it is.
  auto placeAgain = [&main] {
    Integer obj = node_list(0).obj;
    if (obj == 0) obj = node_list(1).obj;
    if (is_node(obj) && main.Image1.exists(obj)) {
      drag_dx = 0;
      ui::Image& icon = main.Image1[obj];
      main.picture7_DragDrop(icon, icon.Left, icon.Top);
    }
  };
  placeAgain();
  // Values whose results are too large to compute are out of range too: the old ones stay.
  if (main.solution_current && !results_finite()) {
    take(before[0], before[1], before[2], before[3]);
    Text10.Text = ui::CStr(unit_F);
    Text13.Text = ui::CStr(beam_length);
    Text7.Text = ui::CStr(unit_I);
    Text6.Text = ui::CStr(unit_E);
    placeAgain();
    ui::MsgBox("ערך לא בתחום");
  }
  re_load_text();
}

void Form10::Option4_Click(int Index) {
  struct System {
    Single def;
    const char* captions[11];
  } const systems[3] = {
      {1, {"", "", "", "", "", "", "", "", "", "", ""}},
      {10000, {"[kN]", "[m]", "[Gpa]", "[cm^4]", "[kN]", "[kN*m]", "[cm]", "[m]", "[kN]", "[kN*m]", "[cm]"}},
      {1728, {"[klbf]", "[ft]", "[kpsi]", "[inch^4]", "[klbf]", "[klbf*ft]", "[in]", "[ft]", "[klbf]", "[klbf*ft]", "[in]"}}};
  if (Index < 0 || Index > 2) return;
  unit_system = Byte(Index);
  unit_def = systems[Index].def;
  Form20& main = *Form20Form;
  ui::Label* labels[11] = {&Label24,     &Label26,     &Label27,     &Label28,    &Label22[0], &Label22[1],
                           &Label22[2], &Label29,     &main.Label8, &main.Label7, &main.Label6};
  for (int i = 0; i < 11; ++i) labels[i]->Caption = systems[Index].captions[i];
  // What shows a deflection shows it in the new unit.
  if (Check3.Value == 1) main.point_graf(ui::CInt(main.Line4.X1));
  if (extremes_shown) show_extremes();
}

namespace {

// The stiffness grid shows its heading and up to this many elements' rows whole (240 twips each; the
// heading row and the grid's frame take up to 390), and scrolls by whole rows beyond them.
constexpr int kGridRowsShown = 5;
constexpr float kGridRow = 240, kGridHeading = 390;

}  // namespace

float Form10::grid_bottom() const { return MSFlexGrid1.Top + kGridHeading + kGridRowsShown * kGridRow; }

void Form10::fill_grid() {
  MSFlexGrid1.Height = kGridHeading + float(std::clamp(int(n_elem), 1, kGridRowsShown)) * kGridRow;
  MSFlexGrid1.setRows(n_elem + 1);
  for (i_loop = 1; i_loop <= n_elem; ++i_loop) {
    MSFlexGrid1.setTextMatrix(i_loop, 0, ui::CStr(int(i_loop)));
    MSFlexGrid1.setTextMatrix(i_loop, 1, ui::CStr(elem(i_loop).E_rel));
    MSFlexGrid1.setTextMatrix(i_loop, 2, ui::CStr(elem(i_loop).I_rel));
  }
  grid_elements = n_elem;
  cell_typing.enterCell(MSFlexGrid1);
}

void Form10::elements_changed() {
  if (Check4.Value == 1 && grid_elements != n_elem) fill_grid();
}

void Form10::Check4_Click() {
  const bool open = Check4.Value == 1;
  MSFlexGrid1.Visible = open;
  Command20.Visible = open;
  if (!open) return;
  fill_grid();
}

void Form10::Command20_Click() {
  // Rows written for another element count would land on renumbered elements.
  if (grid_elements != n_elem) {
    fill_grid();
    return;
  }
  // Every cell is checked before any is stored: a refused cell leaves the model as it was.
  for (int i = 1; i <= n_elem; ++i)
    for (int c = 1; c <= 2; ++c) {
      const Single v = Single(ui::Val(MSFlexGrid1.TextMatrix(i, c)));
      if (v == 0 || !std::isfinite(v)) {
        MSFlexGrid1.setRow(i);
        MSFlexGrid1.setCol(c);
        ui::MsgBox(v == 0 ? "ערך אפס אינו אפשרי" : "ערך לא בתחום");
        MSFlexGrid1.setText(ui::CStr(c == 1 ? elem(i).E_rel : elem(i).I_rel));
        MSFlexGrid1.Tag = "1";
        return;
      }
    }
  for (i_loop = 1; i_loop <= n_elem; ++i_loop) {
    elem(i_loop).E_rel = Single(ui::Val(MSFlexGrid1.TextMatrix(i_loop, 1)));
    elem(i_loop).I_rel = Single(ui::Val(MSFlexGrid1.TextMatrix(i_loop, 2)));
  }
  Form20& main = *Form20Form;
  main.asamb_K();
  main.solution();
  Check4.Value = 0;
}

void Form10::MSFlexGrid1_EnterCell() { cell_typing.enterCell(MSFlexGrid1); }

void Form10::MSFlexGrid1_KeyDown(int& KeyCode, int Shift) { cell_typing.keyDown(MSFlexGrid1, KeyCode); }

void Form10::MSFlexGrid1_KeyPress(int& KeyAscii) { cell_typing.keyPress(MSFlexGrid1, KeyAscii); }
