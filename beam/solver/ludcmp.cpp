// K d = P by Crout's LU decomposition with implicit partial pivoting (each row scaled by its largest
// entry), then forward and back substitution; P is replaced by d.
#include <algorithm>
#include <cmath>

#include "beam/solver/beam_solver.h"
#include "ui/services.h"

using namespace Module20;

namespace {
// A pivot this small against its row's largest entry is a zero left over from rounding: the rows are
// dependent and the structure can move without load.
constexpr double kZeroPivot = 1e-11;
}  // namespace

bool BeamSolver::ludcmp(Byte n) {
  ludcmp_d = -1;
  if (n == 0) return true;
  if (n > 40) n = 40;
  ui::Array2<Double, 1, 41, 1, 41> a;
  ui::Array<int, 1, 100> pivot_row;
  ui::Array<Double, 1, 100> row_scale;
  // The stiffness matrix is banded: most terms of the sums below have a zero factor. A term with a zero
  // factor and a finite other factor is +0 or -0, which cannot change a sum that never holds -0, and none
  // does while the matrix holds no -0 and nothing that is not finite. On such a matrix the terms before
  // the first non-zero of their row (a row's factors stay zero there) and before the first non-zero of
  // the column's upper part are left out. A value that is not finite arising on the way would make a
  // left-out zero matter: then the decomposition is done again with every term.
  bool unplain = false;  // a -0 or a value that is not finite
  ui::Array<Double, 1, 41> largest;
  for (int i = 1; i <= n; ++i) {
    double big = 0;
    for (int j = 1; j <= n; ++j) {
      const double v = K(i, j);
      a(i, j) = v;
      unplain |= !std::isfinite(v) | (v == 0 && std::signbit(v));
      if (std::abs(v) > big) big = std::abs(v);
    }
    largest(i) = big;
    P0(i) = P(i);
  }
  const bool plain = !unplain;
  for (int i = 1; i <= n; ++i) {
    if (largest(i) == 0 || !std::isfinite(largest(i))) {
      solve_failure = kSingular;
      stop_simulation();
      ui::MsgBox(" singular ");
      return false;
    }
    row_scale(i) = 1 / largest(i);
  }
  const auto scale0 = row_scale;
  bool finite = true;  // every value the decomposition wrote
  auto decompose = [&](bool skip) {
    ui::Array<int, 1, 41> first_in_row;
    for (int i = 1; i <= n; ++i) {
      int k = 1;
      while (skip && k <= n && a(i, k) == 0) ++k;
      first_in_row(i) = k;
    }
    for (int j = 1; j <= n; ++j) {
      int first_in_col = skip ? n + 1 : 1;  // the first non-zero of the column's finished part
      // Above the column's first non-zero there is nothing to subtract from.
      int top = 1;
      while (skip && top < j && a(top, j) == 0) ++top;
      for (int i = top; i < j; ++i) {
        double sum = a(i, j);
        for (int k = std::max(first_in_row(i), first_in_col); k < i; ++k) sum -= a(i, k) * a(k, j);
        a(i, j) = sum;
        finite = finite && std::isfinite(sum);
        if (first_in_col > n && sum != 0) first_in_col = i;
      }
      // A row whose first non-zero lies beyond this column holds a zero here that no term changes: it is
      // passed over, and cannot be the pivot unless no row can; then the pivot is chosen again among all
      // the rows, in order.
      double big = 0;
      int imax = j;
      for (int i = j; i <= n; ++i) {
        if (first_in_row(i) > j) continue;
        double sum = a(i, j);
        for (int k = std::max(first_in_row(i), first_in_col); k < j; ++k) sum -= a(i, k) * a(k, j);
        a(i, j) = sum;
        finite = finite && std::isfinite(sum);
        const double dum = row_scale(i) * std::abs(sum);
        if (dum >= big) {
          big = dum;
          imax = i;
        }
      }
      if (!(big > 0))
        for (int i = j; i <= n; ++i) {
          const double dum = row_scale(i) * std::abs(a(i, j));
          if (dum >= big) {
            big = dum;
            imax = i;
          }
        }
      if (imax != j) {
        for (int k = 1; k <= n; ++k) std::swap(a(imax, k), a(j, k));
        std::swap(first_in_row(imax), first_in_row(j));
        ludcmp_d = -ludcmp_d;
        row_scale(imax) = row_scale(j);
      }
      pivot_row(j) = imax;
      // big is the scaled size of the chosen pivot.
      if (!(big > kZeroPivot)) return false;
      if (j != n) {
        const double dum = 1 / a(j, j);
        // A passed-over row's +0 stays +0 under a positive finite factor.
        const bool keeps_zero = skip && dum > 0 && std::isfinite(dum);
        for (int i = j + 1; i <= n; ++i) {
          if (keeps_zero && first_in_row(i) > j) continue;
          a(i, j) *= dum;
          finite = finite && std::isfinite(a(i, j));
        }
      }
    }
    return true;
  };
  bool regular = decompose(plain);
  if (plain && !finite) {
    for (int i = 1; i <= n; ++i)
      for (int j = 1; j <= n; ++j) a(i, j) = K(i, j);
    row_scale = scale0;
    ludcmp_d = -1;
    regular = decompose(false);
  }
  if (!regular) {
    solve_failure = kRefused;
    stop_simulation();
    ui::MsgBox(kMechanismMessageA);
    return false;
  }
  int ii = 0;
  for (int i = 1; i <= n; ++i) {
    const int ip = pivot_row(i);
    double sum = P(ip);
    P(ip) = P(i);
    if (ii != 0)
      for (int j = ii; j <= i - 1; ++j) sum -= a(i, j) * P(j);
    else if (sum != 0)
      ii = i;
    P(i) = sum;
  }
  for (int i = n; i >= 1; --i) {
    double sum = P(i);
    for (int j = i + 1; j <= n; ++j) sum -= a(i, j) * P(j);
    P(i) = sum / a(i, i);
  }
  for (int i = 1; i <= n; ++i)
    if (!std::isfinite(P(i))) {
      for (int j = 1; j <= n; ++j) P(j) = P0(j);
      solve_failure = kRefused;
      stop_simulation();
      ui::MsgBox(kMechanismMessageA);
      return false;
    }
  return true;
}
