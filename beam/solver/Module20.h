#pragma once
// The model of the beam program: every window and every solver procedure reads and writes these
// variables in place. Positions are twips from the beam's left end (the beam is 10000 twips long);
// element freedoms run deflection left, deflection right, rotation left, rotation right.

#include <cstdint>
#include <string>

#include "ui/vbarray.h"
#include "ui/vbtypes.h"

namespace Module20 {

inline constexpr Integer True = -1, False = 0;

// The objects by index: 1-5 supports, 6-10 fixed ends, 11-15 hinges, 16-20 shear releases (the node
// objects), 21-30 point forces, 31-40 moments, 41-50 distributed loads. At a node, 0 is none: a free
// beam end.
enum class Kind { none, support, fixed_end, hinge, release, force, moment, dist };
inline constexpr int kObjects = 50;
constexpr int first_of(Kind k) {
  constexpr int first[] = {0, 1, 6, 11, 16, 21, 31, 41};
  return first[int(k)];
}
constexpr int last_of(Kind k) {
  constexpr int last[] = {0, 5, 10, 15, 20, 30, 40, 50};
  return last[int(k)];
}
constexpr Kind kind_of(int index) {
  for (int k = int(Kind::support); k <= int(Kind::dist); ++k)
    if (index >= first_of(Kind(k)) && index <= last_of(Kind(k))) return Kind(k);
  return Kind::none;
}
// A support, fixed end, hinge or shear release: an object that makes a node.
constexpr bool is_node(int index) { return index >= 1 && index <= last_of(Kind::release); }
// A point force, moment or distributed load.
constexpr bool is_load(int index) { return index > last_of(Kind::release) && index <= kObjects; }

// The beam's length on its canvas, in twips: positions along it run from 0 to kBeamTwips.
inline constexpr int kBeamTwips = 10000;

// The three solution graphs, by their index in graf_color, graf_scale, graf_max and the windows'
// arrays of them (switches, scales, readout boxes).
inline constexpr int kShearGraph = 0, kMomentGraph = 1, kDeflectionGraph = 2;

// The entries of load_count (loads placed on the beam, by kind) and node_load_count (forces and
// moments standing on a node).
inline constexpr int kForces = 1, kMoments = 2, kDistLoads = 3;

// node_rec: the object standing at a node (0 none) and its x in twips.
struct node_rec {
  Integer obj = 0;
  Integer x = 0;
};

// load_rec: a point force or moment; on is -1 when placed. In an element slot pos is from the element's
// left node, elsewhere from the beam's left end.
struct load_rec {
  Integer on = 0;
  Single value = 0;
  Single pos = 0;
};

struct reaction_rec {
  Integer x = 0;
  Single R = 0;
  Single M = 0;
};

// dist_rec: a uniform load of intensity value from pos over span twips.
struct dist_rec {
  Integer on = 0;
  Single value = 0;
  Single pos = 0;
  Single span = 0;
};

// A point force or moment standing exactly on a node with a free equation.
struct node_load_rec {
  Byte dof = 0;
  Integer split = 0;
  Single value = 0;
};

struct elem_rec {
  ui::Array<Byte, 1, 4> dof;
  ui::Array<Double, 1, 4> fer;
  ui::Array<Double, 1, 4> kd;
  ui::Array<load_rec, 1, 10> p_load;
  ui::Array<load_rec, 1, 10> m_load;
  ui::Array<dist_rec, 1, 10> w_load;
  Byte p_count = 0, m_count = 0, w_count = 0;
  Single length = 0;
  Integer x_start = 0;
  Single E_rel = 1, I_rel = 1;
};

struct k_elem_rec {
  Double L = 0;
  ui::Array2<Double, 1, 4, 1, 4> k;
};

struct color_rec {
  Byte red = 0, green = 0, blue = 0;
};

// Every module variable with its start value, in one record: the names below are its members, so that
// starting again (`state = variables{}`) misses none.
// clang-format off
struct variables {
  ui::Array<color_rec, 0, 2> graf_color;              // graph colours: 0 shear, 1 moment, 2 deflection; set at start-up
  ui::Array2<Double, 1, 40, 1, 40> K;                 // structure stiffness of the free freedoms, 1..free_dof in use
  ui::Array<k_elem_rec, 1, 21> k_elem;                // element stiffness per element
  Integer left_end = False;                           // an object stands on node 0
  Integer right_end = False;                          // an object stands on the last node
  ui::Array<reaction_rec, 1, 20> reactions;           // support reactions by node object 1..20
  Integer i_loop = 0;                                 // shared loop counter
  Integer j_loop = 0;                                 // shared loop counter
  Single unit_F = 1;                                  // reference force P; reset 1
  Single beam_length = 1;                             // beam length L in the user's unit; reset 1
  Single unit_E = 1;                                  // reference modulus; reset 1
  Single unit_I = 1;                                  // reference moment of inertia; reset 1
  Single unit_L = 1.0f / kBeamTwips;                  // real length per twip = beam_length / 10000
  Single unit_def = 1;                                // deflection display factor 1, 10000 or 1728; reset 1
  Byte unit_system = 0;                               // 0 none, 1 metric, 2 inch
  Byte cur_elem = 0;                                  // the element whose values are being computed
  Single V_x = 0, M_x = 0, def_x = 0;                 // shear, moment, deflection at the asked point
  ui::Array<load_rec, 21, 30> forces;                 // point forces by object index; reset value 1, on 0
  ui::Array<load_rec, 31, 40> moments;                // moments by object index; reset value 1, on 0
  ui::Array<dist_rec, 41, 50> dist_loads;             // distributed loads by object index; reset value 1, on 0
  Byte k_loop = 0;                                    // shared element loop counter
  Byte next_force = 21, next_moment = 31, next_dist = 41, next_fixed = 6, next_support = 1,
       next_hinge = 11, next_release = 16;            // next free object index of each kind
  std::string on_beam;                                // "True" when the selected icon lies on the beam
  ui::Array<elem_rec, 1, 21> elem;                    // the elements; reset E_rel = I_rel = 1, counts 0
  ui::Array<node_rec, 0, 22> node_list;               // the nodes ordered by x; reset (0, 0), (0, 10000)
  ui::Array<Byte, 1, 3> load_count;                   // placed forces, moments, distributed loads; reset 0
  ui::Array<Byte, 1, 3> node_load_count;              // forces and moments on restrained nodes; reset 0
  ui::Array<node_load_rec, 1, 10> node_force;         // forces on a free node, slot = object - 20
  ui::Array<Byte, 1, 10> force_at_node;               // object of the restrained node a force stands on
  ui::Array<node_load_rec, 1, 10> node_moment;        // moments on a free node, slot = object - 30
  ui::Array<Byte, 1, 10> moment_at_node;              // object of the restrained node a moment stands on
  ui::Array<Double, 1, 42> node_load;                 // loads applied directly at equations
  ui::Array<Double, 1, 40> P;                         // load vector, then the displacements
  ui::Array<Double, 1, 40> P0;                        // the load vector before solving
  Integer drag_dx = 0;                                // mouse x inside the dragged icon
  ui::Array<Single, 0, 3> graf_scale;                 // vertical scale of graphs 0..2
  Byte sel_obj = 0;                                   // the selected object, 0 none
  ui::Array2<Single, 0, 2, 0, 1> graf_max;            // (graph, 0) extreme value, (graph, 1) its position
  Integer find_max = False;                           // the extreme-value search is redrawing
  Byte n_elem = 1;                                    // number of elements; 1 at start-up
  Byte free_dof = 0;                                  // number of equations, at most 40
  Integer mechanism = False;                          // the mechanism check found the structure unstable
  Integer solve_on = True;                            // the solution driver runs only while True
  Single V0 = 0, M0 = 0, teta0 = 0, def0 = 0, EI_cur = 0;  // left-end values and EI of cur_elem
  Integer update_drag = 0;                            // saved check of "update data on every drag" while simulating
  Byte solve_failure = 0;                             // why the last solve gave no solution (below)
};
// clang-format on
inline variables state;

inline auto& graf_color = state.graf_color;
inline auto& K = state.K;
inline auto& k_elem = state.k_elem;
inline auto& left_end = state.left_end;
inline auto& right_end = state.right_end;
inline auto& reactions = state.reactions;
inline auto& i_loop = state.i_loop;
inline auto& j_loop = state.j_loop;
inline auto& unit_F = state.unit_F;
inline auto& beam_length = state.beam_length;
inline auto& unit_E = state.unit_E;
inline auto& unit_I = state.unit_I;
inline auto& unit_L = state.unit_L;
inline auto& unit_def = state.unit_def;
inline auto& unit_system = state.unit_system;
inline auto& cur_elem = state.cur_elem;
inline auto& V_x = state.V_x;
inline auto& M_x = state.M_x;
inline auto& def_x = state.def_x;
inline auto& forces = state.forces;
inline auto& moments = state.moments;
inline auto& dist_loads = state.dist_loads;
inline auto& k_loop = state.k_loop;
inline auto& next_force = state.next_force;
inline auto& next_moment = state.next_moment;
inline auto& next_dist = state.next_dist;
inline auto& next_fixed = state.next_fixed;
inline auto& next_support = state.next_support;
inline auto& next_hinge = state.next_hinge;
inline auto& next_release = state.next_release;
inline auto& on_beam = state.on_beam;
inline auto& elem = state.elem;
inline auto& node_list = state.node_list;
inline auto& load_count = state.load_count;
inline auto& node_load_count = state.node_load_count;
inline auto& node_force = state.node_force;
inline auto& force_at_node = state.force_at_node;
inline auto& node_moment = state.node_moment;
inline auto& moment_at_node = state.moment_at_node;
inline auto& node_load = state.node_load;
inline auto& P = state.P;
inline auto& P0 = state.P0;
inline auto& drag_dx = state.drag_dx;
inline auto& graf_scale = state.graf_scale;
inline auto& sel_obj = state.sel_obj;
inline auto& graf_max = state.graf_max;
inline auto& find_max = state.find_max;
inline auto& n_elem = state.n_elem;
inline auto& free_dof = state.free_dof;
inline auto& mechanism = state.mechanism;
inline auto& solve_on = state.solve_on;
inline auto& V0 = state.V0;
inline auto& M0 = state.M0;
inline auto& teta0 = state.teta0;
inline auto& def0 = state.def0;
inline auto& EI_cur = state.EI_cur;
inline auto& update_drag = state.update_drag;
inline auto& solve_failure = state.solve_failure;

// solve_failure: set by a solve that fails, cleared when the next solve starts and by every new K.
inline constexpr Byte kNoFailure = 0;
inline constexpr Byte kRefused = 1;   // the structure is a mechanism (by the check or by elimination)
inline constexpr Byte kSingular = 2;  // " singular ": P0 and P hold the current load vector, kd is old

// Puts every variable back to its value when the program starts (before the model reset): for tests.
inline void Module20_initialize() { state = variables{}; }

}  // namespace Module20
