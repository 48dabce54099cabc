#pragma once
// What a drawing hands to Qt stays within reach of the surface it is drawn on: a graph far off its
// scale (a deflection of 1e10 twips) or a line to a point that is not finite never becomes a pixel
// coordinate that overflows Qt's integer rectangles. Pixels, as doubles; no Qt here.

#include <vector>

namespace ui {

struct ClipBox {
  double left, top, right, bottom;
  // The box grown by m on every side.
  ClipBox grown(double m) const { return {left - m, top - m, right + m, bottom + m}; }
};

struct ClipLine {
  double x1, y1, x2, y2;
};

// The part of the segment inside the box, the same line cut at the box's edges (Liang-Barsky), in the
// segment's own direction; false when no part of it is inside or a coordinate is not finite.
bool clipToBox(ClipLine& line, const ClipBox& box);

struct ClipPoint {
  double x, y;
};

// The part of a closed polygon inside the box (Sutherland-Hodgman): a shape far larger than its surface
// drawn as the piece of it that can show, its edges along the box where it was cut. Empty when nothing
// of it is inside or a coordinate is not finite.
std::vector<ClipPoint> clipToBox(const std::vector<ClipPoint>& polygon, const ClipBox& box);

// Where a control may stand, in pixels: every position and size the layer gives a widget lies within
// plus or minus this, so that adding one to another never overflows.
inline constexpr double kMaxPixels = double(1 << 24);

// A pixel coordinate that Qt can add and subtract: rounded, within plus or minus kMaxPixels, and 0 for
// one that is not finite.
int safePixel(double pixels);

}  // namespace ui
