// The data window's answers to the window-free solver: the main window's canvas and menu for the bars,
// the points and the grids' tick mark, its own K and u grids, and the message box.
#include "truss/solver/Form2.h"
#include "truss/solver/cells.h"
#include "truss/workspace/Form1.h"
#include "ui/services.h"

bool Form2::has_line(int l) const { return Form1Form->Line1.exists(l); }

TrussWindows::LineEnds Form2::line_ends(int l) const {
  const ui::LineControl& line = Form1Form->Line1[l];
  return {line.X1.get(), line.Y1.get(), line.X2.get(), line.Y2.get()};
}

bool Form2::point_shown(int p) const { return Form1Form->Image1.exists(p) && Form1Form->Image1[p].Visible.get(); }

bool Form2::grids_wanted() const { return Form1Form->dd2.Checked.get(); }

void Form2::show_K(long i, long j, const std::string& text) { truss::setCell(MSFlexGrid1[kKGrid], int(i), int(j), text); }

void Form2::show_u(long i, const std::string& text) { truss::setCell(MSFlexGrid1[kUGrid], int(i), 1, text); }

void Form2::message(const std::string& text) { ui::MsgBox(text); }
