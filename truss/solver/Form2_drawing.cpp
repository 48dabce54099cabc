#include "truss/solver/Form2.h"

#include <algorithm>
#include <cmath>

#include "truss/workspace/Form1.h"
#include "truss/solver/cells.h"
#include "ui/vbtext.h"

using namespace common1;
using truss::setCell;

namespace {
// The displaced shape is kept within this distance of the canvas, so no pixel is ever out of range.
constexpr float kFarAway = 1e6f;
}  // namespace

void Form2::line_dx_dy() {
  Form1& f = *Form1Form;
  f.Picture1.Cls();
  if (!solution_current) return;
  ui::DynArray2<float> shape_xy;
  shape_xy.ReDim(0, points_count, 1, 2);
  // Every point starts where it stands, so a point the last solve did not number stays in place.
  for (int p = 0; p <= points_count && p <= kMaxPoints; ++p) {
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
    if (p.R_type != kNoSupport) {
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
  for (int p = 0; p < points_count && p <= kMaxPoints; ++p) {
    if (P_data(p).R_type == kFixedSupport && P_data(p).Enabled) {
      shape_xy(p, 1) = P_data(p).x;
      shape_xy(p, 2) = P_data(p).y;
    }
  }
  auto fit = [](float v) { return std::isfinite(v) ? std::clamp(v, -kFarAway, kFarAway) : 0.0f; };
  for (int l = 0; l < lines_count; ++l) {
    if (!f.Line1.exists(l) || !f.Line1[l].Visible.get()) continue;
    int a = -1, b = -1;
    for (int p = 0; p < points_count && p <= kMaxPoints; ++p) {
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
    if (grids) setCell(MSFlexGrid1[kTGrid], 1, j + 1, ui::finiteCStr(line_t(j)));
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
