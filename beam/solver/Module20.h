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

// clang-format off
inline ui::Array<color_rec, 0, 2> graf_color;         // graph colours: 0 shear, 1 moment, 2 deflection; set at start-up
inline ui::Array2<Double, 1, 40, 1, 40> K;            // structure stiffness of the free freedoms, 1..free_dof in use
inline ui::Array<k_elem_rec, 1, 21> k_elem;           // element stiffness per element
inline Integer left_end = False;                      // an object stands on node 0
inline Integer right_end = False;                     // an object stands on the last node
inline ui::Array<reaction_rec, 1, 20> reactions;      // support reactions by node object 1..20
inline Integer i_loop = 0;                            // shared loop counter
inline Integer j_loop = 0;                            // shared loop counter
inline Single unit_F = 1;                             // reference force P; reset 1
inline Single beam_length = 1;                        // beam length L in the user's unit; reset 1
inline Single unit_E = 1;                             // reference modulus; reset 1
inline Single unit_I = 1;                             // reference moment of inertia; reset 1
inline Single unit_L = 1.0f / 10000;                  // real length per twip = beam_length / 10000
inline Single unit_def = 1;                           // deflection display factor 1, 10000 or 1728; reset 1
inline Byte unit_system = 0;                          // 0 none, 1 metric, 2 inch
inline Byte cur_elem = 0;                             // the element whose values are being computed
inline Single V_x = 0, M_x = 0, def_x = 0;            // shear, moment, deflection at the asked point
inline Single ludcmp_d = 0;                           // row-interchange parity of the equation solver
inline ui::Array<load_rec, 21, 30> forces;            // point forces by object index; reset value 1, on 0
inline ui::Array<load_rec, 31, 40> moments;           // moments by object index; reset value 1, on 0
inline ui::Array<dist_rec, 41, 50> dist_loads;        // distributed loads by object index; reset value 1, on 0
inline Byte k_loop = 0;                               // shared element loop counter
inline Byte next_force = 21, next_moment = 31, next_dist = 41, next_fixed = 6, next_support = 1,
            next_hinge = 11, next_release = 16;       // next free object index of each kind
inline std::string on_beam;                           // "True" when the selected icon lies on the beam
inline ui::Array<elem_rec, 1, 21> elem;               // the elements; reset E_rel = I_rel = 1, counts 0
inline ui::Array<node_rec, 0, 22> node_list;          // the nodes ordered by x; reset (0, 0), (0, 10000)
inline ui::Array<Byte, 1, 3> load_count;              // placed forces, moments, distributed loads; reset 0
inline ui::Array<Byte, 1, 3> node_load_count;         // forces and moments on restrained nodes; reset 0
inline ui::Array<node_load_rec, 1, 10> node_force;    // forces on a free node, slot = object - 20
inline ui::Array<Byte, 1, 10> force_at_node;          // object of the restrained node a force stands on
inline ui::Array<node_load_rec, 1, 10> node_moment;   // moments on a free node, slot = object - 30
inline ui::Array<Byte, 1, 10> moment_at_node;         // object of the restrained node a moment stands on
inline ui::Array<Double, 1, 42> node_load;            // loads applied directly at equations
inline ui::Array<Double, 1, 40> P;                    // load vector, then the displacements
inline ui::Array<Double, 1, 40> P0;                   // the load vector before solving
inline Integer drag_dx = 0;                           // mouse x inside the dragged icon
inline ui::Array<Single, 0, 3> graf_scale;            // vertical scale of graphs 0..2
inline Byte sel_obj = 0;                              // the selected object, 0 none
inline ui::Array2<Single, 0, 2, 0, 1> graf_max;       // (graph, 0) extreme value, (graph, 1) its position
inline Integer find_max = False;                      // the extreme-value search is redrawing
inline Byte n_elem = 1;                               // number of elements; 1 at start-up
inline Byte free_dof = 0;                             // number of equations, at most 40
inline Integer mechanism = False;                     // the mechanism check found the structure unstable
inline Integer solve_on = True;                       // the solution driver runs only while True
inline Single V0 = 0, M0 = 0, teta0 = 0, def0 = 0, EI_cur = 0;  // left-end values and EI of cur_elem
inline Integer update_drag = 0;                       // saved check of "update data on every drag" while simulating
inline Byte solve_failure = 0;                        // why the last solve gave no solution (below)
// clang-format on

// solve_failure: set by a solve that fails, cleared when the next solve starts and by every new K.
inline constexpr Byte kNoFailure = 0;
inline constexpr Byte kRefused = 1;   // the structure is a mechanism (by the check or by elimination)
inline constexpr Byte kSingular = 2;  // " singular ": P0 and P hold the current load vector, kd is old

// Puts every variable back to its value when the program starts (before the model reset): for tests.
void Module20_initialize();

}  // namespace Module20
