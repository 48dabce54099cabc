#include "ui/clip.h"

#include <algorithm>
#include <cmath>

namespace ui {

bool clipToBox(ClipLine& l, const ClipBox& b) {
  for (double v : {l.x1, l.y1, l.x2, l.y2, b.left, b.top, b.right, b.bottom})
    if (!std::isfinite(v)) return false;
  const double dx = l.x2 - l.x1, dy = l.y2 - l.y1;
  // The differences of two finite doubles can themselves overflow to infinity: then halve the
  // segment's reach by working from its middle.
  if (!std::isfinite(dx) || !std::isfinite(dy)) {
    ClipLine a{l.x1 / 2, l.y1 / 2, l.x2 / 2, l.y2 / 2};
    const ClipBox half{b.left / 2, b.top / 2, b.right / 2, b.bottom / 2};
    if (!clipToBox(a, half)) return false;
    l = {a.x1 * 2, a.y1 * 2, a.x2 * 2, a.y2 * 2};
    return true;
  }
  double t0 = 0, t1 = 1;
  int edge0 = -1, edge1 = -1;  // the edges the ends were cut at
  // Each edge: p t <= q for the part inside.
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {l.x1 - b.left, b.right - l.x1, l.y1 - b.top, b.bottom - l.y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;  // parallel to this edge and outside it
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0 && t > t0) t0 = t, edge0 = i;
    if (p[i] > 0 && t < t1) t1 = t, edge1 = i;
    if (t0 > t1) return false;
  }
  // A cut end lies on its edge exactly, and within the box: far ends leave too few digits to place it
  // by the line's equation alone.
  const auto cut = [&](double t, int edge, double& x, double& y) {
    x = std::clamp(l.x1 + t * dx, b.left, b.right);
    y = std::clamp(l.y1 + t * dy, b.top, b.bottom);
    if (edge == 0) x = b.left;
    if (edge == 1) x = b.right;
    if (edge == 2) y = b.top;
    if (edge == 3) y = b.bottom;
  };
  ClipLine cutLine = l;
  if (edge0 >= 0) cut(t0, edge0, cutLine.x1, cutLine.y1);
  if (edge1 >= 0) cut(t1, edge1, cutLine.x2, cutLine.y2);
  l = cutLine;
  return true;
}

std::vector<ClipPoint> clipToBox(const std::vector<ClipPoint>& polygon, const ClipBox& b) {
  for (const ClipPoint& q : polygon)
    if (!std::isfinite(q.x) || !std::isfinite(q.y)) return {};
  std::vector<ClipPoint> out = polygon;
  // Against each edge in turn: inside(q) says which side is kept, cut(a, c) where a-c crosses it.
  const auto edge = [&out](auto inside, auto cut) {
    std::vector<ClipPoint> in;
    std::swap(in, out);
    for (std::size_t i = 0; i < in.size(); ++i) {
      const ClipPoint& a = in[i];
      const ClipPoint& c = in[(i + 1) % in.size()];
      if (inside(a)) out.push_back(a);
      if (inside(a) != inside(c)) out.push_back(cut(a, c));
    }
  };
  const auto atX = [](double x) {
    return [x](const ClipPoint& a, const ClipPoint& c) { return ClipPoint{x, a.y + (c.y - a.y) * ((x - a.x) / (c.x - a.x))}; };
  };
  const auto atY = [](double y) {
    return [y](const ClipPoint& a, const ClipPoint& c) { return ClipPoint{a.x + (c.x - a.x) * ((y - a.y) / (c.y - a.y)), y}; };
  };
  edge([&](const ClipPoint& q) { return q.x >= b.left; }, atX(b.left));
  edge([&](const ClipPoint& q) { return q.x <= b.right; }, atX(b.right));
  edge([&](const ClipPoint& q) { return q.y >= b.top; }, atY(b.top));
  edge([&](const ClipPoint& q) { return q.y <= b.bottom; }, atY(b.bottom));
  return out;
}

int safePixel(double pixels) {
  if (!std::isfinite(pixels)) return 0;
  return int(std::lround(std::clamp(pixels, -kMaxPixels, kMaxPixels)));
}

}  // namespace ui
