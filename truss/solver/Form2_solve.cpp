#include "truss/solver/Form2.h"

#include <cmath>

#include "truss/solver/cells.h"
#include "truss/solver/solve1.h"
#include "truss/workspace/Form1.h"
#include "ui/keys.h"
#include "ui/services.h"
#include "ui/vbtext.h"

using namespace common1;
using truss::barHeading;
using truss::clearBody;
using truss::setCell;

namespace {
const char* const kTooFewBars = "מצב זה אינו מסמך - מס כיוניי התנועה גדול ממס האלמנטים";
}  // namespace

std::string Form2::dof_label(int i) {
  const dof_rec& d = dof_list(i);
  return "Point(" + ui::Str(int(d.point)) + " )" + (d.is_x == -1 ? "[x]" : "[y]");
}

void Form2::size_grids(int n, bool whole) {
  const int bars = lines_count;
  MSFlexGrid1[kQGrid].setRows(n + 1);
  MSFlexGrid1[kQGrid].setCols(bars + 1);
  MSFlexGrid1[kSGrid].setCols(bars + 1);
  MSFlexGrid1[kUGrid].setRows(n + 1);
  MSFlexGrid1[kUGrid].setCols(2);
  MSFlexGrid1[kKGrid].setRows(n + 1);
  MSFlexGrid1[kKGrid].setCols(n + 1);
  MSFlexGrid1[kTGrid].setRows(2);
  MSFlexGrid1[kTGrid].setCols(bars + 1);
  // What an earlier solve wrote may belong to other directions or bars.
  for (int g : {kQGrid, kSGrid, kKGrid, kUGrid, kTGrid})
    if (!whole || g == kUGrid || g == kTGrid) clearBody(MSFlexGrid1[g]);
  // The directions may be numbered anew: a label of the old numbering would name another point.
  for (int g : {kQGrid, kUGrid})
    for (int r = 1; r < MSFlexGrid1[g].Rows(); ++r)
      if (!MSFlexGrid1[g].TextMatrix(r, 0).empty()) MSFlexGrid1[g].setTextMatrix(r, 0, "");
  size_edit_grids(false);
}

void Form2::forget_truss() {
  forget_solution();
  load_rows = 0;
  load_shown.clear();
  size_grids(0);
  size_edit_grids(true);
  clear_tables();
  Text4[0].Text = "";
  Text4[1].Text = "";
  show_uniform_values();
}

void Form2::Command3_Click() {
  Load();
  Form1& f = *Form1Form;
  f.MousePointer = ui::vbHourglass;
  start_solve();
  const int n = number_directions();
  const int m = visible_bars();
  if (m < n) {
    refuse(n);
  } else {
    const bool grids = f.dd2.Checked.get();
    const bool solving = m != 0 && n != 0;
    if (grids) size_grids(n, solving);
    if (solving) {
      Method method;
      direction_matrix(method, n);
      load_vector(method, n, grids);
      bar_stiffness(method, n, grids);
      stiffness_products(method, n);
      if (solve_method(method, n))
        show_results(grids);
      else
        zero_result();
      if (grids) show_labels(n);
    }
    if (grids) fit_result_grids();
  }
  f.MousePointer = ui::vbDefault;
}

void Form2::start_solve() {
  Form1& f = *Form1Form;
  // A bar still waiting for its second end is not part of the truss.
  f.cancel_bar();
  // Choosing the point mode clears every highlight, also when it is chosen already.
  if (f.Option3[Form1::kPoints].Value.get())
    f.Option3_Click(Form1::kPoints);
  else
    f.Option3[Form1::kPoints].Value = true;
  max_sigma = 0;
  // The solve always takes away the points no bar reaches: that is no change of the drawing to ask about.
  const bool changed = f.truss_changed;
  for (Integer p : point_lines(*this)) {
    // The editor removes them as the user would: pointed at and deleted (point 0 is only picked, Delete
    // keeps it).
    f.Image1_MouseMove(p, 0, 0, 0, 0);
    int key = ui::vbKeyDelete;
    f.Form_KeyDown(key, 0);
  }
  f.truss_changed = changed;
}

int Form2::number_directions() {
  int n = 0;
  for (int p = 0; p < points_count && p < kMaxPoints; ++p) {
    const point_rec& pt = P_data(p);
    if (!pt.Enabled) continue;
    auto add = [&](bool x) {
      if (!dof_list.contains(n + 1)) return;
      ++n;
      dof_list(n) = dof_rec{Integer(p), Integer(x ? -1 : 0), Integer(x ? 0 : -1)};
    };
    if (pt.R_type == kNoSupport) {
      add(true);
      add(false);
    } else if (pt.R_type == kRollerInX) {
      add(true);
    } else if (pt.R_type == kRollerInY) {
      add(false);
    }
  }
  dof_count = Integer(n);
  load_rows = n;
  return n;
}

int Form2::visible_bars() {
  int m = 0;
  for (int j = 0; j < lines_count; ++j)
    if (has_line(j) && Form1Form->Line1[j].Visible.get()) ++m;
  return m;
}

void Form2::refuse(int n) {
  // The directions are numbered anew: nothing solved with the old numbering may still show.
  zero_result();
  if (Form1Form->dd2.Checked.get()) size_grids(n);
  ui::MsgBox(kTooFewBars);
}

void Form2::direction_matrix(Method& a, int n) {
  const int bars = lines_count;
  a.Q.ReDim(1, n, 1, bars);
  for (int i = 1; i <= n; ++i) {
    const point_rec& pt = P_data(dof_list(i).point);
    for (int s = 1; s <= pt.slots_used && pt.line_slot.contains(s); ++s) {
      const line_slot_rec& slot = pt.line_slot(s);
      if (!a.Q.contains(i, slot.line + 1)) continue;
      if (dof_list(i).is_x == -1)
        a.Q(i, slot.line + 1) = slot.dir_x;
      else if (dof_list(i).is_y == -1)
        a.Q(i, slot.line + 1) = slot.dir_y;
    }
  }
}

void Form2::load_vector(Method& a, int n, bool grids) {
  a.P.ReDim(1, n);
  for (int i = 1; i <= n; ++i) {
    const point_rec& pt = P_data(dof_list(i).point);
    if (dof_list(i).is_x == -1)
      a.P(i) = float(pt.F_type_x) * f_value(i);
    else if (dof_list(i).is_y == -1)
      a.P(i) = float(pt.F_type_y) * f_value(i);
    if (grids) show_load(i, ui::finiteCStr(a.P(i)));
  }
}

void Form2::bar_stiffness(Method& a, int n, bool grids) {
  const Form1& f = *Form1Form;
  const int bars = lines_count;
  a.S.ReDim(1, bars);
  for (int j = 1; j <= bars; ++j) {
    const ui::LineControl& line = f.Line1[j - 1];
    if (line.Visible.get()) {
      const double dx = double(line.X1) - double(line.X2), dy = double(line.Y1) - double(line.Y2);
      const float L = float(std::sqrt(dx * dx + dy * dy));
      const double EA = double(line_E(j - 1)) * double(line_A(j - 1));
      // A bar whose ends coincide has neither a direction nor a stiffness.
      const float s = L > 0 ? float(EA / (double(L) * double(scale_mm))) : 0.0f;
      a.S(j) = std::isfinite(s) ? s : 0.0f;
    } else {
      a.S(j) = 0;
    }
    if (grids) {
      ui::Grid& q_grid = MSFlexGrid1[kQGrid];
      for (int i = 1; i <= n; ++i) setCell(q_grid, i, j, ui::finiteCStr(a.Q(i, j)));
      setCell(MSFlexGrid1[kSGrid], 1, j, ui::finiteCStr(a.S(j)));
      setCell(MSFlexGrid1[kSGrid], 0, j, barHeading(j - 1));
      setCell(MSFlexGrid2[kEAGrid], 0, j, barHeading(j - 1));
      setCell(MSFlexGrid2[kEAGrid], 1, j, ui::finiteCStr(line_E(j - 1)));
      setCell(MSFlexGrid2[kEAGrid], 2, j, ui::finiteCStr(line_A(j - 1)));
      setCell(MSFlexGrid1[kTGrid], 0, j, barHeading(j - 1));
    }
  }
}

void Form2::stiffness_products(Method& a, int n) {
  a.SQ.ReDim(1, lines_count, 1, n);
  // Q is zero but where a bar ends at the point of a free direction, and so is S Q^T.
  for (int i = 1; i <= n; ++i) {
    const point_rec& pt = P_data(dof_list(i).point);
    for (int s = 1; s <= pt.slots_used && pt.line_slot.contains(s); ++s) {
      const int j = pt.line_slot(s).line + 1;
      if (a.Q.contains(i, j)) a.SQ(j, i) = a.Q(i, j) * a.S(j);
    }
  }
}

bool Form2::solve_method(Method& a, int n) {
  if (!solve1::mat_mult(a.Q, a.SQ, a.P, 1, *this)) return false;
  ui::DynArray2<float> u;
  u.ReDim(1, n, 1, 1);
  for (int i = 1; i <= n; ++i) u(i, 1) = dof_u(i, 1);
  return solve1::mat_mult(a.SQ, u, a.P, 2, *this);
}

void Form2::show_results(bool grids) {
  Form1& f = *Form1Form;
  solution_current = true;
  if (f.dd3.Checked.get()) line_dx_dy();
  if (f.dd4.Checked.get()) t_output();
  // Without the colouring the forces still belong in their grid.
  if (grids && !f.dd4.Checked.get())
    for (int j = 0; j < lines_count; ++j) setCell(MSFlexGrid1[kTGrid], 1, j + 1, ui::finiteCStr(line_t(j)));
  Text4[0].Text = ui::Str(max_sigma);
  // With no stress at all no bar is the most stressed: the bar named would be one of an earlier solve.
  Text4[1].Text = max_sigma != 0 ? ui::Str(int(max_sigma_line)) : "";
}

void Form2::show_labels(int n) {
  for (int i = 1; i <= n; ++i) {
    if (P_data(dof_list(i).point).slots_used == 0) continue;
    const std::string label = dof_label(i);
    setCell(MSFlexGrid1[kQGrid], i, 0, label);
    setCell(MSFlexGrid2[kPGrid], i, 0, label);
    setCell(MSFlexGrid1[kUGrid], i, 0, label);
  }
  for (int j = 1; j <= lines_count; ++j) setCell(MSFlexGrid1[kQGrid], 0, j, barHeading(j - 1));
}

void Form2::fit_result_grids() {
  for (int g : {kQGrid, kSGrid, kKGrid, kUGrid, kTGrid}) truss::fitColumns(MSFlexGrid1[g]);
  truss::fitColumns(MSFlexGrid2[kPGrid]);
  truss::fitColumns(MSFlexGrid2[kEAGrid]);
}

void Form2::zero_result() {
  // Every change of the truss has forgotten the last solution already (a truss solved unchanged solves
  // again), so this takes nothing more off the screen: it keeps the failure from showing anything old.
  forget_solution();
  dof_u.fill(0);
  line_t.fill(0);
  max_sigma = 0;
  max_sigma_line = 0;
}

void Form2::forget_solution() {
  clear_tables();
  // Only a solve that succeeded shows anything, and it shows the truss as it stands until a change comes
  // here, so with no solution there is nothing to take away (a point dragged step by step costs nothing).
  if (!solution_current) return;
  solution_current = false;
  for (int g : {kQGrid, kSGrid, kKGrid, kUGrid, kTGrid}) clearBody(MSFlexGrid1[g]);
  Text4[0].Text = "";
  Text4[1].Text = "";
  if (!Form1Form.exists()) return;
  Form1& f = *Form1Form;
  f.Picture1.Cls();
  f.uncolour_bars();
  f.Label6.forEach([](int, ui::Label& l) {
    if (!l.ToolTipText.get().empty()) l.ToolTipText = "";
  });
}
