// The solution driver: load vector, displacements, end forces and graphs of every element, support
// reactions and the cursor readout. An element's end force i is fer(i) + kd(i), kd = k d.
#include <cmath>

#include "beam/solver/beam_solver.h"
#include "ui/vbtext.h"

using namespace Module20;

void BeamSolver::solution() {
  // Why a solve gave no solution is told until the next one starts.
  solve_failure = kNoFailure;
  // A model changed without solving has no solution to show.
  if (solve_on != True) {
    forget_solution();
    return;
  }
  solution_current = false;
  clear_extremes();
  if (mechanism == True) {
    solve_failure = kRefused;
    // The run stops first, so no tick comes inside the message box.
    stop_simulation();
    show_message(kMechanismMessageA);
    forget_solution();
    return;
  }
  asamb_P();
  // Nothing is drawn or reported from a load vector that was never solved.
  if (!ludcmp(free_dof)) {
    forget_solution();
    return;
  }
  if (!(simulation_running() && traces_kept())) clear_graphs();
  for (cur_elem = 1; cur_elem <= n_elem; ++cur_elem) end_forces(cur_elem);
  solution_current = true;
  for (cur_elem = 1; cur_elem <= n_elem; ++cur_elem) fun3();
  if (!simulation_running()) Reaction();
  if (readout_on()) point_graf(cursor_x());
}

void BeamSolver::end_forces(Byte e) {
  if (!elem.contains(e)) return;
  elem_rec& el = elem(e);
  double d[5] = {0, 0, 0, 0, 0};
  for (int i = 1; i <= 4; ++i)
    if (el.dof(i) != 0 && P.contains(el.dof(i))) d[i] = P(el.dof(i));
  for (int i = 1; i <= 4; ++i) {
    double s = 0;
    for (int j = 1; j <= 4; ++j) s += k_elem(e).k(i, j) * d[j];
    el.kd(i) = s;
  }
}

namespace {
Single finiteSingle(double v) {
  const Single s = Single(v);
  return std::isfinite(s) ? s : 0.0f;
}
double F(int e, int i) { return elem(e).fer(i) + elem(e).kd(i); }
}  // namespace

void BeamSolver::Reaction() {
  const int n = n_elem;
  for (int i = 0; i <= n && node_list.contains(i); ++i) {
    const Integer o = node_list(i).obj;
    if (o == 0 || !reactions.contains(o)) continue;
    reaction_rec& r = reactions(o);
    r.x = node_list(i).x;
    const bool fixed = kind_of(o) == Kind::fixed_end;
    if (i == 0) {
      r.R = o <= last_of(Kind::hinge) ? finiteSingle(F(1, 1) * unit_F) : 0.0f;
      r.M = fixed || o >= first_of(Kind::release) ? finiteSingle(F(1, 3) * unit_F) : 0.0f;
    } else if (i == n) {
      r.R = o <= last_of(Kind::hinge) ? finiteSingle(F(n, 2) * unit_F) : 0.0f;
      r.M = fixed || o >= first_of(Kind::release) ? finiteSingle(F(n, 4) * unit_F) : 0.0f;
    } else {
      r.R = o <= last_of(Kind::fixed_end) ? finiteSingle((F(i + 1, 1) + F(i, 2)) * unit_F) : 0.0f;
      r.M = fixed ? finiteSingle((F(i + 1, 3) + F(i, 4)) * unit_F) : 0.0f;
    }
  }
  int c = node_load_count(kForces) + node_load_count(kMoments);
  for (int j = 1; j <= 10 && c > 0; ++j) {
    if (force_at_node(j) != 0) {
      --c;
      if (reactions.contains(force_at_node(j))) reactions(force_at_node(j)).R += finiteSingle(unit_F * forces(20 + j).value);
    }
    if (moment_at_node(j) != 0) {
      --c;
      // The support holds the moment against its turn: the reaction is opposite to the load, as an
      // element end carrying the same moment one twip away gives.
      if (reactions.contains(moment_at_node(j))) reactions(moment_at_node(j)).M -= finiteSingle(unit_F * moments(30 + j).value);
    }
  }
}
