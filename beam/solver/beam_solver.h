#pragma once
// The stiffness method of the beam program, one source per step in beam/solver/. The main window
// derives from it, so every window calls these procedures on the main window; what they need of the
// windows they ask through BeamWindows.

#include "beam/solver/Module20.h"
#include "beam/solver/beam_windows.h"

class BeamSolver : public BeamWindows {
 public:
  // True from a solve that succeeded until the model changes or a solve fails: only then do the graphs,
  // the readout, the reactions and the extremes show numbers.
  bool solution_current = false;

  // How a node object's icon gives its place. A drop by the mouse puts an icon that covers a beam end, or
  // would leave an element shorter than a key step beside it, on that end: the student sees it there.
  // Every other move (a key, a typed position, the simulation) takes the end zones alone, so that a key
  // step leaves an end and a typed position stands where it was typed.
  enum class Placing { by_zones, by_mouse };

  // Node list and numbering.
  void sort_p(Integer index, Placing how = Placing::by_zones);
  void remove_p(Integer index);
  void number_dof();
  // Mechanism check: the verdict is left in `mechanism`.
  void check_mechanism();
  // Fixed-end reactions of one load, then the solution.
  void fer_force(Integer& obj);
  void fer_moment(Integer& obj);
  void fer_dist(Integer& obj);
  // Every load placed again after the elements changed.
  void fer_all();
  void asamb_K();
  void asamb_P();
  // Solves K d = P in place; false (after its message) when the structure cannot be solved.
  bool ludcmp(Byte n);
  void solution();
  void end_forces(Byte e);
  void Reaction();
  Single step1(Single a, Single x, Byte n, Byte e);
  void value_x(Integer x);
  void fun3();
  void point_graf(Integer x);

 protected:
  // Placement of one load by its object's position (no removal first).
  void place_point(bool force, int k);
  void place_dist(int k);
};

// A value of graph g (0 shear, 1 moment, 2 deflection) smaller than this is rounding residue of the
// beam's own figures, not a value: a hundred-thousandth of what a unit load gives on this beam, P for
// the shear, P L for the moment, P L^3 / EI for the deflection with the stiffest element's EI. A graph
// draws it on its zero line, which a scale of its own or a large one would blow up to a line of noise.
Single flatResidue(int g);

// The geometry of the beam canvas, in twips.
namespace canvas {
inline constexpr float kBeamLeft = 285;       // x of the beam's left end
inline constexpr float kBeamRight = 10285;    // x of its right end: the beam is 10000 twips long
inline constexpr float kBandTop = 695;        // a drop between these two y counts as on the beam
inline constexpr float kBandBottom = 2695;
inline constexpr float kParkTop = 100;        // Top of an icon taken off the beam
inline constexpr float kLeftZone = 200;       // a node icon left of this Left stands on the left end
inline constexpr float kRightZone = 9950;     // one right of this Left on the right end
inline constexpr float kSupportTop = 1835, kNodeTop = 1470, kForceTop = 1125, kMomentTop = 1465, kDistTop = 1305;
inline constexpr float kOnBeamTop = 695;      // an icon whose Top is below this lies on the beam
}  // namespace canvas

// The two messages of a structure that is a mechanism (four and three blanks after the comma).
inline constexpr const char* kMechanismMessageA =
    "המבנה שבנית\\ה אינו תקין חלקו או כולו מנגנון,    תקנ\\י אותו כדי לקבל פתרון";
inline constexpr const char* kMechanismMessageB =
    "המבנה שבנית\\ה אינו תקין חלקו או כולו מנגנון,   תקנ\\י אותו כדי לקבל פתרון";
