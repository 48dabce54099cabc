#pragma once
// The two numerical procedures of the truss solve.
//
// mat_mult mode 1 forms the stiffness matrix K = Q (S Q^T) (n by n, N per micrometre) and solves K u = P
// for the displacements u (micrometres) by ludcmp_solve; mode 2 forms the bar forces t = (S Q^T) u (N,
// tension positive) and the largest stress t/A (MPa). Products are accumulated in double precision; the
// stored results keep their model types (K double; P, u, t and the stress single).

#include "ui/vbarray.h"

class TrussWindows;

namespace solve1 {

// A pivot whose size relative to its row's largest entry is below this is taken as zero: the structure
// is a mechanism (a doubled bar, a chain that can swing), not a truss with very large displacements.
inline constexpr double kSingularPivot = 1e-9;

// A solve whose displacements or forces are too large for the numbers says so.
inline constexpr const char* kTooLarge = "ערך לא בתחום - הכוחות או התזוזות גדולים מכדי לחשב אותם";

// C = A B over the first `columns` columns of B, each entry summed in double precision in rising k.
ui::DynArray2<double> product(const ui::DynArray2<float>& A, const ui::DynArray2<float>& B, long columns);

// Mode 1: A = Q (n by lines_count), B = S Q^T (lines_count by n), P the load vector; returns false when K
// is singular (the " singular " message has been shown and nothing was solved) or the displacements are
// too large for the numbers (kTooLarge). Mode 2: A = S Q^T, B = the displacements (n by 1); P is not
// used; false (with kTooLarge) when a force is too large for the numbers.
bool mat_mult(const ui::DynArray2<float>& A, const ui::DynArray2<float>& B, ui::DynArray<float>& P, int mode,
              TrussWindows& windows);

// LU decomposition with implicit partial pivoting (Crout), then forward and back substitution. K is
// overwritten by its factors and P by u, which is also copied into common1::dof_u. A row without
// stiffness, a pivot that is zero relative to its row, or a matrix that is not finite shows " singular "
// and returns false with P and dof_u unchanged; so does a solution that is not finite, with kTooLarge.
bool ludcmp_solve(ui::DynArray2<double>& K, ui::DynArray<float>& P, TrussWindows& windows);

}  // namespace solve1
