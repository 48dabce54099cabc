#include "truss/solver/common1.h"

#include <cmath>

#include "truss/solver/truss_windows.h"
#include "ui/vbtext.h"

namespace common1 {

std::vector<Integer> point_lines(const TrussWindows& windows) {
  std::vector<Integer> lone;
  // The bars in use run up to the first slot without a line control; looked up once, not for every point.
  int bars = 0;
  while (bars < lines_count && windows.has_line(bars)) ++bars;
  for (int p = 0; p < points_count && P_data.contains(p); ++p) {
    int slot = 1;
    for (int l = 0; l < bars; ++l) {
      if (P_L_index(l, p, 0) != -1) continue;
      const TrussWindows::LineEnds line = windows.line_ends(l);
      // The far end is the one this point is not.
      const bool pointIsSecond = P_L_index(l, p, 1) == -1;
      const float far_x = pointIsSecond ? line.x1 : line.x2;
      const float far_y = pointIsSecond ? line.y1 : line.y2;
      if (P_data(p).line_slot.contains(slot)) {
        line_dir(Integer(p), slot, P_data(p).x, P_data(p).y, far_x, far_y);
        P_data(p).line_slot(slot).line = Integer(l);
      }
      ++slot;
    }
    if (slot == 1 && windows.point_shown(p)) lone.push_back(Integer(p));
    P_data(p).slots_used = Byte(slot - 1);
  }
  return lone;
}

void line_dir(Integer point, int slot, float x, float y, float far_x, float far_y) {
  line_slot_rec& s = P_data(point).line_slot(slot);
  float dy_single = far_y - y;
  if (std::fabs(dy_single) == 0) {
    float dx = x - far_x;
    s.dir_x = float(dx > 0 ? 1 : dx < 0 ? -1 : 0);
    s.dir_y = 0;
    return;
  }
  double dy = double(far_y) - double(y), dx = double(x) - double(far_x);
  s.dir_x = float(std::sin(std::atan(dx / std::fabs(dy))));
  s.dir_y = float((dy > 0 ? 1.0 : -1.0) * std::cos(std::atan(std::fabs(double(far_x) - double(x)) / dy)));
}

namespace {
// The ramp's bounds are compared in single precision, as the stored x is; the formulas use them in double.
const double kThird = 1.0 / 3, kTwoThirds = 2.0 / 3;
const float kThirdF = float(kThird), kTwoThirdsF = float(kTwoThirds);

Byte toByte(double v) {
  double r = ui::RoundHalfEven(v);
  return Byte(r < 0 ? 0 : r > 255 ? 255 : r);
}
}  // namespace

// A stress that could not be computed (not finite) shows as beyond every reference: black.
Byte color_r(float x) {
  if (!std::isfinite(x)) return 0;
  if (x < kTwoThirdsF) return 255;
  if (x <= 1) return toByte((1 - 3 * (double(x) - kTwoThirds)) * 255);
  return 0;
}

Byte color_g(float x) {
  if (!std::isfinite(x) || x < 0) return 0;
  if (x < kThirdF) return 255;
  if (x < kTwoThirdsF) return toByte((1 - 3 * (double(x) - kThird)) * 255);
  return 0;
}

Byte color_b(float x) {
  if (!std::isfinite(x) || x < 0) return 0;
  if (x < kThirdF) return toByte((1 - 3 * double(x)) * 255);
  return 0;
}

}  // namespace common1
