// The mechanism check: a count of equations against elements and a list of local patterns of free ends,
// hinges and shear releases that leave part of the beam free to move.
#include "beam/solver/beam_solver.h"

using namespace Module20;

void BeamSolver::check_mechanism() {
  mechanism = False;
  const int n = n_elem;
  auto o = [](int i) -> int { return node_list.contains(i) ? node_list(i).obj : 0; };
  // A hinge or a shear release stands there.
  auto released = [&](int i) { return o(i) > last_of(Kind::fixed_end); };
  auto notFixed = [&](int i) { return kind_of(o(i)) != Kind::fixed_end; };

  const char* message = nullptr;
  // More equations than two per element: more freedoms than the elements can hold.
  if (2 * n - int(free_dof) < 0) message = kMechanismMessageA;
  // A free end next to a hinge or a shear release: the end element swings or slides about it.
  else if (o(0) == 0 && released(1)) message = kMechanismMessageB;
  else if (o(n) == 0 && released(n - 1)) message = kMechanismMessageB;
  // Two releases next to an end that is not fixed: the end element and its neighbour fold between
  // them, held by a support at most.
  else if (n > 3 && notFixed(0) && released(1) && released(2)) message = kMechanismMessageB;
  else if (n > 3 && notFixed(n) && released(n - 1) && released(n - 2)) message = kMechanismMessageB;
  // A free end, then a support, then two releases: the overhang and the span beyond the support turn
  // on the support while the releases let them.
  else if (n > 4 && o(0) == 0 && o(1) < first_of(Kind::fixed_end) && released(2) && released(3))
    message = kMechanismMessageB;
  else if (n > 4 && o(n) == 0 && o(n - 1) < first_of(Kind::fixed_end) && released(n - 2) && released(n - 3))
    message = kMechanismMessageB;
  else
    for (int k = 1; k <= n && !message; ++k) {
      // Two shear releases side by side, the last pair included: the element between them slides
      // free of its neighbours, also at a beam end.
      if (o(k) > last_of(Kind::hinge) && o(k - 1) > last_of(Kind::hinge)) message = kMechanismMessageB;
      // Three releases in a row: the two elements between them fold like a chain.
      else if (k + 1 <= n && released(k + 1) && released(k) && released(k - 1)) message = kMechanismMessageB;
    }
  if (!message) return;

  solution_current = false;
  // The run stops before the message, so no tick comes inside the message box.
  stop_simulation();
  show_message(message);
  mechanism = True;
  forget_solution();
}
