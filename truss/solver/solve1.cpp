#include "truss/solver/solve1.h"

#include <algorithm>
#include <cmath>

#include "truss/solver/Form2.h"
#include "truss/solver/cells.h"
#include "truss/solver/common1.h"
#include "truss/workspace/Form1.h"
#include "ui/services.h"
#include "ui/vbtext.h"

namespace solve1 {

namespace {
bool gridsWanted() { return Form1Form->dd2.Checked.get(); }
using truss::cellText;
using truss::setCell;
}  // namespace

bool mat_mult(const ui::DynArray2<float>& A, const ui::DynArray2<float>& B, ui::DynArray<float>& P, int mode) {
  const long rows = A.UBound(1);
  const long columns = std::min(mode == 2 ? 1L : B.UBound(2), B.UBound(2));
  // The product runs over what both factors hold.
  const long inner = std::min(A.UBound(2), B.UBound(1));
  ui::DynArray2<double> C;
  C.ReDim(1, rows, 1, columns);
  for (long i = 1; i <= rows; ++i)
    for (long j = 1; j <= columns; ++j) {
      double sum = 0;
      for (long k = 1; k <= inner; ++k) sum += double(A(i, k)) * double(B(k, j));
      C(i, j) = sum;
    }
  if (mode == 1) {
    if (gridsWanted()) {
      ui::Grid& g = Form2Form->MSFlexGrid1[10];
      for (long j = 1; j <= columns; ++j)
        for (long i = 1; i <= rows; ++i) setCell(g, int(i), int(j), cellText(C(i, j)));
    }
    return ludcmp_solve(C, P);
  }
  using namespace common1;
  for (long j = 1; j <= rows; ++j) {
    if (!line_t.contains(j - 1)) continue;
    line_t(j - 1) = float(C(j, 1));
    // Compared in single precision, as it is stored, so that equal stresses leave the first bar.
    const float stress = line_t(j - 1) / line_A(j - 1);
    if (std::isfinite(stress) && std::fabs(max_sigma) < std::fabs(stress)) {
      max_sigma = stress;
      max_sigma_line = int16_t(j - 1);
    }
  }
  return true;
}

bool ludcmp_solve(ui::DynArray2<double>& K, ui::DynArray<float>& P) {
  const long n = K.UBound(2);
  ui::DynArray<double> row_scale, pivot_row;
  row_scale.ReDim(1, n);
  pivot_row.ReDim(1, n);
  auto singular = [] {
    ui::MsgBox(" singular ");
    return false;
  };
  for (long i = 1; i <= n; ++i) {
    double big = 0;
    for (long j = 1; j <= n; ++j) {
      if (!std::isfinite(K(i, j))) return singular();
      big = std::max(big, std::fabs(K(i, j)));
    }
    if (big == 0) return singular();
    row_scale(i) = 1 / big;
  }
  bool parity = true;
  for (long j = 1; j <= n; ++j) {
    for (long i = 1; i < j; ++i) {
      double sum = K(i, j);
      for (long k = 1; k < i; ++k) sum -= K(i, k) * K(k, j);
      K(i, j) = sum;
    }
    double big = 0;
    long imax = j;
    for (long i = j; i <= n; ++i) {
      double sum = K(i, j);
      for (long k = 1; k < j; ++k) sum -= K(i, k) * K(k, j);
      K(i, j) = sum;
      const double scaled = row_scale(i) * std::fabs(sum);
      if (scaled >= big) {
        big = scaled;
        imax = i;
      }
    }
    if (imax != j) {
      for (long k = 1; k <= n; ++k) std::swap(K(imax, k), K(j, k));
      parity = !parity;
      row_scale(imax) = row_scale(j);
    }
    pivot_row(j) = double(imax);
    // A pivot that vanishes against its row's own scale is a mechanism, whatever round-off left in it.
    if (!(big > kSingularPivot)) return singular();
    if (j != n) {
      const double inv = 1 / K(j, j);
      for (long i = j + 1; i <= n; ++i) K(i, j) *= inv;
    }
  }
  (void)parity;
  ui::DynArray<float> u;
  u.ReDim(1, n);
  for (long i = 1; i <= n; ++i) u(i) = P(i);
  long first = 0;
  for (long i = 1; i <= n; ++i) {
    const long ip = long(pivot_row(i));
    double sum = u(ip);
    u(ip) = u(i);
    if (first != 0) {
      for (long j = first; j < i; ++j) sum -= K(i, j) * u(j);
    } else if (sum != 0) {
      first = i;
    }
    u(i) = float(sum);
  }
  for (long i = n; i >= 1; --i) {
    double sum = u(i);
    for (long j = i + 1; j <= n; ++j) sum -= K(i, j) * u(j);
    u(i) = float(sum / K(i, i));
  }
  for (long i = 1; i <= n; ++i)
    if (!std::isfinite(u(i))) return singular();
  for (long i = 1; i <= n; ++i) {
    P(i) = u(i);
    if (common1::dof_u.contains(i, 1)) common1::dof_u(i, 1) = u(i);
  }
  if (gridsWanted()) {
    ui::Grid& g = Form2Form->MSFlexGrid1[11];
    for (long i = 1; i <= n; ++i) setCell(g, int(i), 1, ui::Format(P(i), "0.0000"));
  }
  return true;
}

}  // namespace solve1
