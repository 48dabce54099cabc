#include "truss/solver/Form2.h"

#include <algorithm>
#include <cmath>

#include "truss/solver/solve1.h"
#include "truss/workspace/Form1.h"
#include "ui/services.h"
#include "ui/vbtext.h"

using namespace common1;

namespace {
const char* const kTooFewBars = "מצב זה אינו מסמך - מס כיוניי התנועה גדול ממס האלמנטים";
constexpr int kHourglass = 11;
// The displaced shape is kept within this distance of the canvas, so no pixel is ever out of range.
constexpr float kFarAway = 1e6f;

std::string barHeading(int bar) { return "L(" + ui::Str(bar) + " )"; }

void setCell(ui::Grid& g, int r, int c, const std::string& text) {
  if (r >= 0 && c >= 0 && r < g.Rows() && c < g.Cols()) g.setTextMatrix(r, c, text);
}

std::string number(float v) { return std::isfinite(v) ? ui::CStr(v) : std::string(); }
}  // namespace

Form2::Form2() : ui::Form("Form2") {
  Caption = "נתונים ונוסחאות";
  setClientSize(11400, 8400);
  struct Box {
    ui::Frame& frame;
    const char* caption;
    float l, t, w, h;
  };
  const Box boxes[] = {
      {Frame8, "מטריצת הקשיחות  K  ", 120, 120, 5400, 3000},
      {Frame7, "מטריצת הכיוונים  Q  ", 5640, 120, 5640, 3000},
      {Frame6, "מטריצת התזוזות של הצמטים u [במיקרונים]", 120, 3240, 3000, 2400},
      {Frame5, "מטריצת S   ", 3240, 3240, 8040, 1100},
      {Frame4, "   [N]  כוחות במוטות   -  t      ", 3240, 4440, 8040, 1100},
      {Frame3, "מודל האלסטיות E , ושטח חתך A", 3240, 5760, 4920, 1560},
      {Frame2, " מטריצת הכוחות בצמתים P ", 8280, 5760, 3000, 1560},
      {Frame9, "מאמץ מקסימאלי במוט i ", 120, 5760, 3000, 1560},
  };
  for (const Box& b : boxes) {
    b.frame.Caption = b.caption;
    b.frame.FontName = "Miriam";
    b.frame.Move(b.l, b.t, b.w, b.h);
  }
  auto grid = [](ui::ControlArray<ui::Grid>& a, int index, ui::Frame& on, int rows, int cols) {
    a.LoadIn(index, &on);
    ui::Grid& g = a[index];
    g.Move(90, 240, on.Width - 180, on.Height - 330);
    g.setRows(rows);
    g.setCols(cols);
    g.LeftToRight = true;
  };
  grid(MSFlexGrid1, 10, Frame8, 2, 2);
  grid(MSFlexGrid1, 6, Frame7, 2, 2);
  grid(MSFlexGrid1, 11, Frame6, 2, 2);
  grid(MSFlexGrid1, 8, Frame5, 2, 2);
  grid(MSFlexGrid1, 12, Frame4, 2, 2);
  grid(MSFlexGrid2, 9, Frame3, 3, 2);
  grid(MSFlexGrid2, 7, Frame2, 2, 2);
  MSFlexGrid2[9].setTextMatrix(1, 0, "E=");
  MSFlexGrid2[9].setTextMatrix(2, 0, "A=");
  MSFlexGrid2[9].Visible = false;
  MSFlexGrid2[7].Visible = false;
  Text4.Load(0);
  Text4.Load(1);
  LabelSigma.Caption = "Sigma=";
  LabelIndex.Caption = "L(index)";
  LabelSigma.Move(1900, 400, 900, 240);
  LabelIndex.Move(1900, 900, 900, 240);
  Text4[0].Move(120, 360, 1700, 300);
  Text4[1].Move(120, 860, 1700, 300);
  Command3.Caption = "פתור";
  Command3.FontName = "Miriam";
  Command3.Move(120, 7560, 1500, 600);
  Command3.Click = [this] { Command3_Click(); };
  Command1.Caption = "סגור";
  Command1.FontName = "Miriam";
  Command1.Move(1740, 7560, 1500, 600);
  Command1.Click = [this] { Command1_Click(); };
}

void Form2::Command1_Click() { Hide(); }

void Form2::Form_Unload(int& Cancel) {
  if (Form1Form.exists()) Form1Form->dd2.Checked = false;
}

std::string Form2::dofLabel(int i) {
  const dof_rec& d = dof_list(i);
  return "Point(" + ui::Str(int(d.point)) + " )" + (d.is_x == -1 ? "[x]" : "[y]");
}

void Form2::sizeGrids(int n) {
  const int bars = lines_count;
  MSFlexGrid1[6].setRows(n + 1);
  MSFlexGrid1[6].setCols(bars + 1);
  MSFlexGrid1[8].setCols(bars + 1);
  MSFlexGrid2[7].setRows(n + 1);
  MSFlexGrid2[9].setCols(bars + 1);
  MSFlexGrid1[11].setRows(n + 1);
  MSFlexGrid1[11].setCols(2);
  MSFlexGrid1[10].setRows(n + 1);
  MSFlexGrid1[10].setCols(n + 1);
  MSFlexGrid1[12].setRows(2);
  MSFlexGrid1[12].setCols(bars + 1);
}

void Form2::Command3_Click() {
  Load();
  Form1& f = *Form1Form;
  f.MousePointer = kHourglass;
  // A bar still waiting for its second end is not part of the truss.
  f.cancel_bar();
  f.Option3[1].Value = true;
  max_sigma = 0;
  point_lines();

  int n = 0;
  for (int p = 0; p < points_count && p <= 50; ++p) {
    const point_rec& pt = P_data(p);
    if (!pt.Enabled) continue;
    auto add = [&](bool x) {
      if (!dof_list.contains(n + 1)) return;
      ++n;
      dof_list(n) = dof_rec{int16_t(p), int16_t(x ? -1 : 0), int16_t(x ? 0 : -1)};
    };
    if (pt.R_type == 0) {
      add(true);
      add(false);
    } else if (pt.R_type == 2) {
      add(true);
    } else if (pt.R_type == 3) {
      add(false);
    }
  }
  dof_count = int16_t(n);

  int m = 0;
  for (int j = 0; j < lines_count; ++j)
    if (f.Line1.exists(j) && f.Line1[j].Visible.get()) ++m;
  if (m < n) {
    ui::MsgBox(kTooFewBars);
    f.MousePointer = ui::vbDefault;
    return;
  }
  const bool grids = f.dd2.Checked.get();
  if (grids) sizeGrids(n);

  if (m != 0 && n != 0) {
    const int bars = lines_count;
    ui::DynArray2<float> Q, SQ;
    ui::DynArray<float> P, S;
    Q.ReDim(1, n, 1, bars);
    P.ReDim(1, n);
    S.ReDim(1, bars);
    SQ.ReDim(1, bars, 1, n);
    for (int i = 1; i <= n; ++i) {
      const point_rec& pt = P_data(dof_list(i).point);
      for (int s = 1; s <= pt.slots_used && pt.line_slot.contains(s); ++s) {
        const line_slot_rec& slot = pt.line_slot(s);
        if (!Q.contains(i, slot.line + 1)) continue;
        if (dof_list(i).is_x == -1)
          Q(i, slot.line + 1) = slot.dir_x;
        else if (dof_list(i).is_y == -1)
          Q(i, slot.line + 1) = slot.dir_y;
      }
    }
    for (int i = 1; i <= n; ++i) {
      const point_rec& pt = P_data(dof_list(i).point);
      if (dof_list(i).is_x == -1)
        P(i) = float(pt.F_type_x) * f_value(i);
      else if (dof_list(i).is_y == -1)
        P(i) = float(pt.F_type_y) * f_value(i);
      if (grids) setCell(MSFlexGrid2[7], i, 1, number(P(i)));
    }
    for (int j = 1; j <= bars; ++j) {
      const ui::LineControl& line = f.Line1[j - 1];
      if (line.Visible.get()) {
        const double dx = double(line.X1) - double(line.X2), dy = double(line.Y1) - double(line.Y2);
        const float L = float(std::sqrt(dx * dx + dy * dy));
        const double EA = double(line_E(j - 1)) * double(line_A(j - 1));
        // A bar whose ends coincide has neither a direction nor a stiffness.
        const float s = L > 0 ? float(EA / (double(L) * double(scale_mm))) : 0.0f;
        S(j) = std::isfinite(s) ? s : 0.0f;
      } else {
        S(j) = 0;
      }
      if (grids) {
        ui::Grid& q_grid = MSFlexGrid1[6];
        for (int i = 1; i <= n; ++i) setCell(q_grid, i, j, number(Q(i, j)));
        setCell(MSFlexGrid1[8], 1, j, number(S(j)));
        setCell(MSFlexGrid1[8], 0, j, barHeading(j - 1));
        setCell(MSFlexGrid2[9], 0, j, barHeading(j - 1));
        setCell(MSFlexGrid2[9], 1, j, number(line_E(j - 1)));
        setCell(MSFlexGrid2[9], 2, j, number(line_A(j - 1)));
        setCell(MSFlexGrid1[12], 0, j, barHeading(j - 1));
      }
    }
    // Q is zero but where a bar ends at the point of a free direction, and so is S Q^T.
    for (int i = 1; i <= n; ++i) {
      const point_rec& pt = P_data(dof_list(i).point);
      for (int s = 1; s <= pt.slots_used && pt.line_slot.contains(s); ++s) {
        const int j = pt.line_slot(s).line + 1;
        if (Q.contains(i, j)) SQ(j, i) = Q(i, j) * S(j);
      }
    }
    if (solve1::mat_mult(Q, SQ, P, 1)) {
      ui::DynArray2<float> u;
      u.ReDim(1, n, 1, 1);
      for (int i = 1; i <= n; ++i) u(i, 1) = dof_u(i, 1);
      solve1::mat_mult(SQ, u, P, 2);
      if (f.dd3.Checked.get()) line_dx_dy();
      if (f.dd4.Checked.get()) t_output();
    } else {
      clearResult(n);
    }
    Text4[0].Text = ui::Str(max_sigma);
    Text4[1].Text = ui::Str(int(max_sigma_line));
    if (grids) {
      for (int i = 1; i <= n; ++i) {
        if (P_data(dof_list(i).point).slots_used == 0) continue;
        const std::string label = dofLabel(i);
        setCell(MSFlexGrid1[6], i, 0, label);
        setCell(MSFlexGrid2[7], i, 0, label);
        setCell(MSFlexGrid1[11], i, 0, label);
      }
      for (int j = 1; j <= bars; ++j) setCell(MSFlexGrid1[6], 0, j, barHeading(j - 1));
    }
  }
  f.MousePointer = ui::vbDefault;
}

void Form2::clearResult(int n) {
  Form1& f = *Form1Form;
  for (int i = 1; i <= n && dof_u.contains(i, 1); ++i) dof_u(i, 1) = 0;
  for (int j = 0; j <= 200; ++j) line_t(j) = 0;
  max_sigma = 0;
  max_sigma_line = 0;
  f.Picture1.Cls();
  for (int j = 0; j < lines_count; ++j) f.Line1[j].BorderColor = ui::RGB(0, 0, 0);
  if (f.dd2.Checked.get()) {
    for (int i = 1; i <= n; ++i) setCell(MSFlexGrid1[11], i, 1, "");
    for (int j = 0; j < lines_count; ++j) setCell(MSFlexGrid1[12], 1, j + 1, "0");
  }
}

void Form2::line_dx_dy() {
  Form1& f = *Form1Form;
  f.Picture1.Cls();
  ui::DynArray2<float> shape_xy;
  shape_xy.ReDim(0, points_count, 1, 2);
  // Every point starts where it stands, so a point the last solve did not number stays in place.
  for (int p = 0; p <= points_count && p <= 50; ++p) {
    shape_xy(p, 1) = P_data(p).x;
    shape_xy(p, 2) = P_data(p).y;
  }
  const float k = float(f.Slider2.Value.get());
  auto d = [&](int i) { return dof_u.contains(i, 1) ? dof_u(i, 1) * k / 1000 : 0.0f; };
  for (int i = 1; i <= dof_count && dof_list.contains(i); ++i) {
    const dof_rec& e = dof_list(i);
    if (!shape_xy.contains(e.point, 1)) continue;
    const point_rec& p = P_data(e.point);
    const float xs = float(ui::RoundHalfEven(p.x)), ys = float(ui::RoundHalfEven(p.y));
    if (p.R_type != 0) {
      if (e.is_x == -1) {
        shape_xy(e.point, 1) = xs + d(i);
        shape_xy(e.point, 2) = ys;
      } else if (e.is_y == -1) {
        shape_xy(e.point, 1) = xs;
        shape_xy(e.point, 2) = ys - d(i);
      }
    } else if (e.is_x == -1) {
      shape_xy(e.point, 1) = xs + d(i);
      shape_xy(e.point, 2) = ys - d(i + 1);
      ++i;
    }
  }
  for (int p = 0; p < points_count && p <= 50; ++p) {
    if (P_data(p).R_type == 1 && P_data(p).Enabled) {
      shape_xy(p, 1) = P_data(p).x;
      shape_xy(p, 2) = P_data(p).y;
    }
  }
  auto fit = [](float v) { return std::isfinite(v) ? std::clamp(v, -kFarAway, kFarAway) : 0.0f; };
  for (int l = 0; l < lines_count; ++l) {
    if (!f.Line1.exists(l) || !f.Line1[l].Visible.get()) continue;
    int a = -1, b = -1;
    for (int p = 0; p < points_count && p <= 50; ++p) {
      if (P_L_index(l, p, 0) != -1) continue;
      if (a < 0) {
        a = p;
      } else {
        b = p;
        break;
      }
    }
    if (a < 0 || b < 0) continue;
    f.Picture1.Line(fit(shape_xy(a, 1)), fit(shape_xy(a, 2)), fit(shape_xy(b, 1)), fit(shape_xy(b, 2)),
                    ui::RGB(0, 0, 255));
  }
}

void Form2::t_output() {
  Form1& f = *Form1Form;
  const bool grids = f.dd2.Checked.get();
  for (int j = 0; j < lines_count; ++j) {
    if (grids) setCell(MSFlexGrid1[12], 1, j + 1, number(line_t(j)));
    ui::LineControl& line = f.Line1[j];
    if (!line.Visible.get()) continue;
    if (max_sigma == 0) {
      line.BorderColor = ui::RGB(255, 255, 255);
      continue;
    }
    float reference;
    if (f.Option1[0].Value.get()) {
      reference = std::fabs(max_sigma);
    } else {
      const int li = f.Combo2.ListIndex;
      reference = li != 0 ? float(li) * 100 : 10;
    }
    const float x = std::fabs(line_t(j) / (reference * line_A(j)));
    // A stress that cannot be computed (a bar without area) leaves the bar uncoloured.
    line.BorderColor = std::isfinite(x) ? ui::RGB(color_r(x), color_g(x), color_b(x)) : ui::RGB(0, 0, 0);
  }
}
