#pragma once
// The truss model, shared by every window of the truss program, and the two small procedures that work on
// it directly: the bar lists of the points (with the removal of points no bar reaches) and the stress colour
// ramps.
//
// Coordinates are canvas twips of Form1.Picture1, x to the right and y downwards. The calculation works in
// millimetres (a canvas length times scale_mm), E in GPa, A in mm^2, loads and bar forces in N, so that
// E*A/L comes out in N per micrometre, displacements in micrometres and stresses in MPa.

#include <vector>

#include "ui/vbtypes.h"

#include "ui/vbarray.h"

class TrussWindows;

namespace common1 {

// The model's limits, named once: bar slots 0..kMaxBars (Line1 indices), point slots 0..kMaxPoints - 1 (a
// point index up to kMaxPoints is a bound of the incidence table only), load slots 0..kMaxLoads - 1
// (Picture2 indices), support markers kFirstSupport..kLastSupport (Image1 indices, R_data slots; the
// table runs one further to kSupportSlotsEnd), free directions 1..kMaxDof.
inline constexpr int kMaxBars = 200;
inline constexpr int kMaxPoints = 50;
inline constexpr int kMaxLoads = 40;
inline constexpr int kMaxDof = 100;
inline constexpr int kFirstSupport = 201;
inline constexpr int kLastSupport = 299;
inline constexpr int kSupportSlotsEnd = 300;
// A load for each direction number 1..kLoadNumbers, twice as many as there can be free directions.
inline constexpr int kLoadNumbers = 200;

// What a selection mode picked last (selected_kind).
inline constexpr Byte kPickedNone = 0, kPickedPoint = 1, kPickedLoad = 2, kPickedBar = 3;
// A point's support (R_type, and a support's type_f).
inline constexpr Byte kNoSupport = 0, kFixedSupport = 1, kRollerInX = 2, kRollerInY = 3;
// A load's direction (force_rec::type_f).
inline constexpr Byte kLoadDown = 1, kLoadRight = 2, kLoadLeft = 3, kLoadUp = 4;

// One bar end at a point: the unit vector from the bar's far end to the point, y turned upwards.
struct line_slot_rec {
  Single dir_x = 0, dir_y = 0;
  Integer line = 0;  // the bar's Line1 index
};

// Every bar may end at the same point (nothing forbids doubled bars), so a point lists as many bar ends
// as there can be bars.
inline constexpr int kMaxBarsAtPoint = 200;

struct point_rec {
  bool Enabled = false;
  Byte R_type = kNoSupport;  // support: 0 none, 1 fixed, 2 roller moving in x, 3 roller moving in y
  Integer F_type_x = 0;  // horizontal load: 1 right, -1 left, 0 none
  Integer F_type_y = 0;  // vertical load: 1 up, -1 down, 0 none
  Single x = 0, y = 0;    // centre of the point's marker, canvas twips
  ui::Array<line_slot_rec, 1, kMaxBarsAtPoint> line_slot;
  Byte slots_used = 0;
};

struct force_rec {
  bool Enabled = false;
  Integer point_index = 0;
  Byte type_f = 0;  // 1 down, 2 right, 3 left, 4 up
};

struct support_rec {
  bool Enabled = false;
  Integer point_index = 0;
  Byte type_f = 0;  // the support type, as R_type
};

// One free direction of the last solve.
struct dof_rec {
  Integer point = 0;
  Integer is_x = 0;  // -1 for the point's x direction
  Integer is_y = 0;  // -1 for its y direction
};

// Bar-point incidence (bar 0..200, point 0..50, plane 0..1): plane 0 is -1 where the bar has an end at the
// point, plane 1 is -1 where that end is the bar's second end (the line's X2, Y2).
class incidence {
 public:
  static constexpr bool contains(long l, long p, long k) {
    return l >= 0 && l <= kMaxBars && p >= 0 && p <= kMaxPoints && k >= 0 && k <= 1;
  }
  Integer& operator()(long l, long p, long k) { return planes_(k)(l, p); }
  Integer operator()(long l, long p, long k) const { return planes_(k)(l, p); }
  void clear() {
    for (auto& plane : planes_) plane.fill(0);
  }

 private:
  ui::Array<ui::Array2<Integer, 0, kMaxBars, 0, kMaxPoints>, 0, 1> planes_;
};

// Every module variable with its value when the program starts, in one list: the variables are names of
// the members of `state`, so that starting again (`state = variables{}`) misses none.
// clang-format off
struct variables {
  Integer selected_index = 0;              // element picked in a selection mode (point, F_data slot, bar, R_data index); a reset keeps it
  Byte selected_kind = kPickedNone;        // 1 point, 2 load, 3 bar (picking a support leaves it); a reset keeps it
  ui::Array<force_rec, 0, kMaxLoads> F_data; // load arrows, slots 0..39 = Picture2 index; reset: cleared
  ui::Array<support_rec, kFirstSupport, kSupportSlotsEnd> R_data; // support markers, 201..299 = Image1 index; reset rewrites from 201 on
  incidence P_L_index;                     // (bar, point, plane); reset: all 0
  ui::Array<point_rec, 0, kMaxPoints> P_data; // points, slots 0..49; point 0 is the origin of the axes; reset: Enabled False
  Integer points_count = 0;                // point slots in use (high-water mark); 1 after a reset
  Integer forces_count = 0;                // next free F_data slot; reset 0
  Integer lines_count = 0;                 // bar slots in use (high-water mark); reset 0
  Integer supports_count = kFirstSupport;  // next free R_data index; 202 after a reset
  Single origin_x = 0;                     // canvas position of point 0, the axes origin
  Single origin_y = 0;
  ui::Array<Single, 1, kLoadNumbers> f_value; // N, load of free direction i (sign from the arrows); reset 1000
  ui::Array<Single, 0, kMaxBars> line_E;   // GPa, E of bar j; reset 210
  ui::Array<Single, 0, kMaxBars> line_A;   // mm^2, A of bar j; reset 1000
  ui::Array2<Single, 1, kMaxDof, 1, 1> dof_u; // micrometres, displacement of free direction i; a reset keeps it
  ui::Array<Single, 0, kMaxBars> line_t;   // N, axial force of bar j, tension positive; a reset keeps it
  ui::Array<Single, 1, 3> uniform_values;  // uniform E (GPa), A (mm^2) and load (N): 210, 1000, 1000
  ui::Array<Integer, 1, 2> option_state;   // (1) E and A per bar, (2) loads per direction; False at start
  Single max_sigma = 0;                    // MPa, signed stress of the bar with the largest absolute stress
  Integer max_sigma_line = 0;              // that bar
  Single scale_mm = 1;                     // mm per twip: 1, 2 or 3
  Integer dof_count = 0;                   // free directions numbered by the last solve
};
// clang-format on
inline variables state;

inline auto& selected_index = state.selected_index;
inline auto& selected_kind = state.selected_kind;
inline auto& F_data = state.F_data;
inline auto& R_data = state.R_data;
inline auto& P_L_index = state.P_L_index;
inline auto& P_data = state.P_data;
inline auto& points_count = state.points_count;
inline auto& forces_count = state.forces_count;
inline auto& lines_count = state.lines_count;
inline auto& supports_count = state.supports_count;
inline auto& origin_x = state.origin_x;
inline auto& origin_y = state.origin_y;
inline auto& f_value = state.f_value;
inline auto& line_E = state.line_E;
inline auto& line_A = state.line_A;
inline auto& dof_u = state.dof_u;
inline auto& line_t = state.line_t;
inline auto& uniform_values = state.uniform_values;
inline auto& option_state = state.option_state;
inline auto& max_sigma = state.max_sigma;
inline auto& max_sigma_line = state.max_sigma_line;
inline auto& scale_mm = state.scale_mm;
inline auto& dof_count = state.dof_count;

// Rebuilds every point's list of bar ends and their directions. Returns the points shown on the canvas
// that no bar reaches, in rising order (point 0 among them when it has no bar): a solve has the editor
// delete them, since a point without stiffness cannot be solved.
std::vector<Integer> point_lines(const TrussWindows& windows);
// Writes the unit vector from (far_x, far_y) to (x, y), y turned upwards, into the given slot of a point.
void line_dir(Integer point, int slot, Single x, Single y, Single far_x, Single far_y);

// The stress colour ramp, for x = |stress| / reference: white at 0, yellow at 1/3, red at 2/3, black at 1
// and beyond. Each channel is rounded to the nearest byte, halves to even.
Byte color_r(Single x);
Byte color_g(Single x);
Byte color_b(Single x);

}  // namespace common1
