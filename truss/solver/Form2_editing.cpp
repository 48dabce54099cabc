#include "truss/solver/Form2.h"

#include <algorithm>
#include <cmath>

#include "truss/solver/cells.h"
#include "truss/workspace/Form1.h"
#include "ui/keys.h"
#include "ui/services.h"
#include "ui/vbtext.h"

using namespace common1;
using truss::barHeading;

namespace {
const char* const kBadEA = "E ו-A חייבים להיות מספרים חיוביים - נשמר הערך הקודם";
const char* const kBadLoad = "ערך הכח אינו מספר תקין - נשמר הערך הקודם";

// E and A make a bar's stiffness: only a positive finite number is one.
bool goodEA(float v) { return std::isfinite(v) && v > 0; }
}  // namespace

void Form2::size_edit_grids(bool refill) {
  ui::Grid& ea = MSFlexGrid2[kEAGrid];
  const int before = refill ? 1 : ea.Cols();
  ea.setCols(lines_count + 1);
  for (int j = 1; j <= lines_count; ++j) {
    ea.setTextMatrix(0, j, barHeading(j - 1));
    if (j < before) continue;
    ea.setTextMatrix(1, j, ui::finiteCStr(line_E(j - 1)));
    ea.setTextMatrix(2, j, ui::finiteCStr(line_A(j - 1)));
  }
  ui::Grid& p = MSFlexGrid2[kPGrid];
  const int rows = refill ? 1 : p.Rows();
  const int n = std::clamp(load_rows, 0, kMaxDof);
  p.setRows(n + 1);
  p.setTextMatrix(0, 1, "P");
  // A load belongs to a direction number, so each row says which point and axis that number is now.
  for (int i = 1; i <= n; ++i) {
    p.setTextMatrix(i, 0, dof_label(i));
    if (i >= rows) show_load(i, ui::finiteCStr(f_value(i)));
  }
  // The current cell is one that can be typed in.
  for (ui::Grid* g : {&ea, &p}) {
    if (g->Row() < 1 && g->Rows() > 1) g->setRow(1);
    if (g->Col() < 1 && g->Cols() > 1) g->setCol(1);
    truss::fitColumns(*g);
  }
}

void Form2::Command6_Click() {
  const auto E0 = line_E, A0 = line_A;
  bool refused = false;
  const float E = float(ui::Val(Text2[0].Text.get())), A = float(ui::Val(Text2[1].Text.get()));
  const bool uniform = Option1[0].Value.get();
  option_state(1) = Option1[1].Value.get() ? -1 : 0;
  if (goodEA(E)) uniform_values(1) = E;
  if (goodEA(A)) uniform_values(2) = A;
  if (uniform) {
    refused = !goodEA(E) || !goodEA(A);
    for (int j = 0; j <= kMaxBars; ++j) {
      if (goodEA(E)) line_E(j) = E;
      if (goodEA(A)) line_A(j) = A;
    }
    Text2[0].Text = ui::CStr(uniform_values(1));
    Text2[1].Text = ui::CStr(uniform_values(2));
    size_edit_grids(true);
  } else {
    size_edit_grids(false);
    ui::Grid& g = MSFlexGrid2[kEAGrid];
    for (int j = 1; j <= lines_count; ++j) {
      const float e = float(ui::Val(g.TextMatrix(1, j))), a = float(ui::Val(g.TextMatrix(2, j)));
      if (goodEA(e)) line_E(j - 1) = e; else refused = true;
      if (goodEA(a)) line_A(j - 1) = a; else refused = true;
      g.setTextMatrix(1, j, ui::finiteCStr(line_E(j - 1)));
      g.setTextMatrix(2, j, ui::finiteCStr(line_A(j - 1)));
    }
    truss::fitColumns(g);
  }
  // Other bars make the solution on the canvas one of another truss.
  if (!std::equal(E0.begin(), E0.end(), line_E.begin()) || !std::equal(A0.begin(), A0.end(), line_A.begin()))
    Form1Form->truss_edited();
  if (refused) ui::MsgBox(kBadEA);
}

void Form2::Command5_Click() {
  const auto f0 = f_value;
  bool refused = false;
  const float typed = float(ui::Val(Text3.Text.get()));
  ui::Grid& g = MSFlexGrid2[kPGrid];
  size_edit_grids(false);
  g.setCol(1);
  const int n = g.Rows() - 1;
  if (Option2[0].Value.get()) {
    // An empty box is no load: it is what shows where the directions' loads differ.
    if (std::isfinite(typed) && !Text3.Text.get().empty()) {
      uniform_values(3) = typed;
      for (float& v : f_value) v = std::fabs(typed);
    } else {
      refused = true;
    }
    Text3.Text = ui::CStr(uniform_values(3));
  } else {
    for (int i = 1; i <= n; ++i) {
      // A row the student did not type in keeps its direction's load.
      const std::string text = g.TextMatrix(i, 1);
      if (std::size_t(i) < load_shown.size() && load_shown[std::size_t(i)] == text) continue;
      const float v = float(ui::Val(text));
      if (std::isfinite(v)) f_value(i) = std::fabs(v); else refused = true;
    }
  }
  for (int i = 1; i <= n; ++i) show_load(i, ui::finiteCStr(f_value(i)));
  truss::fitColumns(g);
  // Other loads make the solution on the canvas one of another truss.
  if (!std::equal(f0.begin(), f0.end(), f_value.begin())) Form1Form->truss_edited();
  if (refused) ui::MsgBox(kBadLoad);
}

// In-cell editing of the P and E-A grids.

void Form2::MSFlexGrid2_EnterCell(int Index) { cell_typing.enterCell(MSFlexGrid2[Index]); }

void Form2::MSFlexGrid2_KeyDown(int Index, int& KeyCode, int Shift) {
  cell_typing.keyDown(MSFlexGrid2[Index], KeyCode);
  typed_in(Index);
}

void Form2::MSFlexGrid2_KeyPress(int Index, int& KeyAscii) {
  cell_typing.keyPress(MSFlexGrid2[Index], KeyAscii);
  typed_in(Index);
}

void Form2::typed_in(int Index) {
  const int row = MSFlexGrid2[Index].Row();
  if (Index == kPGrid && row >= 0 && std::size_t(row) < load_shown.size()) load_shown[std::size_t(row)].reset();
}

void Form2::show_load(int i, const std::string& text) {
  ui::Grid& g = MSFlexGrid2[kPGrid];
  if (i < 1 || i >= g.Rows()) return;
  g.setTextMatrix(i, 1, text);
  if (load_shown.size() <= std::size_t(i)) load_shown.resize(std::size_t(i) + 1);
  load_shown[std::size_t(i)] = text;
}

namespace {
// The value every entry holds, or none where they differ.
template <class Values>
std::optional<float> common(const Values& v) {
  for (float x : v)
    if (x != *v.begin()) return std::nullopt;
  return *v.begin();
}
}  // namespace

void Form2::show_uniform_values() {
  // The student's own text stays where it says what the bars hold (a load typed as -500 is 500 each).
  auto show = [](ui::TextBox& box, std::optional<float> held, float typed) {
    box.Text = !held ? std::string() : std::fabs(typed) == *held ? ui::CStr(typed) : ui::CStr(*held);
  };
  show(Text2[0], common(line_E), uniform_values(1));
  show(Text2[1], common(line_A), uniform_values(2));
  show(Text3, common(f_value), uniform_values(3));
}
