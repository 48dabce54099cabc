// The element stiffness of a beam element of real length L and stiffness EI, in the order deflection
// left, deflection right, rotation left, rotation right:
//   EI [ 12/L^3 -12/L^3  6/L^2  6/L^2 ; -12/L^3 12/L^3 -6/L^2 -6/L^2 ;
//        6/L^2  -6/L^2   4/L    2/L   ;  6/L^2  -6/L^2  2/L    4/L   ]
// assembled into K over the free freedoms; the load vector is minus the fixed-end reactions met at
// each equation, less the loads standing on nodes.
#include <cmath>

#include "beam/solver/beam_solver.h"

using namespace Module20;

void BeamSolver::asamb_K() {
  // New stiffness: what was solved with the old one is no longer the beam's solution.
  forget_solution();
  solve_failure = kNoFailure;
  for (int i = 1; i <= free_dof && i <= 40; ++i)
    for (int j = 1; j <= free_dof && j <= 40; ++j) K(i, j) = 0;
  for (int e = 1; e <= n_elem && elem.contains(e); ++e) {
    const elem_rec& el = elem(e);
    const Single EI = el.E_rel * el.I_rel * unit_E * unit_I;
    k_elem_rec& ke = k_elem(e);
    ke.L = double(unit_L) * double(el.length);
    const double L = ke.L, L2 = std::pow(L, 2), L3 = std::pow(L, 3);
    const double m[4][4] = {{12 / L3, -12 / L3, 6 / L2, 6 / L2},
                            {-12 / L3, 12 / L3, -6 / L2, -6 / L2},
                            {6 / L2, -6 / L2, 4 / L, 2 / L},
                            {6 / L2, -6 / L2, 2 / L, 4 / L}};
    for (int i = 0; i < 4; ++i)
      for (int j = 0; j < 4; ++j) ke.k(i + 1, j + 1) = L == 0 ? 0.0 : EI * m[i][j];
    for (int j = 1; j <= 4; ++j) {
      const Byte dj = el.dof(j);
      if (dj == 0 || dj > 40) continue;
      K(dj, dj) += ke.k(j, j);
      for (int m2 = j + 1; m2 <= 4; ++m2) {
        const Byte dm = el.dof(m2);
        if (dm == 0 || dm > 40) continue;
        K(dj, dm) += ke.k(j, m2);
        K(dm, dj) += ke.k(m2, j);
      }
    }
  }
}

void BeamSolver::asamb_P() {
  for (int e = 1; e <= n_elem && elem.contains(e); ++e) {
    const elem_rec& el = elem(e);
    for (int j = 1; j <= 4; ++j)
      if (el.dof(j) != 0 && P.contains(el.dof(j))) P(el.dof(j)) = -el.fer(j);
    if (e > 1) {
      const Kind a = kind_of(node_list(e - 1).obj);
      if (a != Kind::fixed_end && a != Kind::hinge && P.contains(el.dof(3))) P(el.dof(3)) -= elem(e - 1).fer(4);
      if (a == Kind::hinge && P.contains(el.dof(1))) P(el.dof(1)) -= elem(e - 1).fer(2);
    }
  }
  for (int j = 1; j <= free_dof && j <= 40; ++j) P(j) -= node_load(j);
}
