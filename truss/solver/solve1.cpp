#include "truss/solver/solve1.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

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

ui::DynArray2<double> product(const ui::DynArray2<float>& A, const ui::DynArray2<float>& B, long columns) {
  const long rows = A.UBound(1);
  columns = std::min(columns, B.UBound(2));
  // The product runs over what both factors hold.
  const long inner = std::min(A.UBound(2), B.UBound(1));
  ui::DynArray2<double> C;
  C.ReDim(1, rows, 1, columns);
  if (rows < 1 || columns < 1 || inner < 1) return C;

  // Each bar touches at most four free directions, so nearly every term of the sums is a zero. A term
  // with a zero factor and a finite other factor is +0 or -0, and adding either to a sum that starts at
  // +0 leaves it as it was, so only the non-zero terms are added, each sum still in rising k. A factor
  // that is not finite would turn a zero into NaN: then every term is added, as it always was.
  //
  // Where a row of a factor is not zero, as indices from 0. Nearly all of a row is zero, so the row is
  // looked at eight entries at a time, by their bits without the sign (a NaN counts as not zero).
  std::vector<long> found(std::size_t(std::max(inner, columns)) + 8);
  auto nonzeros = [&found](const float* row, long count) {
    long kept = 0, k = 0;
    for (; k + 8 <= count; k += 8) {
      std::uint32_t bits[8];
      std::memcpy(bits, row + k, sizeof bits);
      std::uint32_t any = 0;
      for (std::uint32_t b : bits) any |= b & 0x7fffffffu;
      if (any == 0) continue;
      for (long t = 0; t < 8; ++t) {
        found[std::size_t(kept)] = k + t;
        kept += (bits[t] & 0x7fffffffu) != 0 ? 1 : 0;
      }
    }
    for (; k < count; ++k) {
      found[std::size_t(kept)] = k;
      kept += row[k] != 0 ? 1 : 0;
    }
    return kept;
  };
  struct Entry {
    long index;
    double value;
  };
  bool finite = true;
  // The rows of B by their non-zero entries: those of row k are b_entries[row_start[k]..row_start[k + 1]).
  std::vector<long> row_start(std::size_t(inner + 2));
  std::vector<Entry> b_entries;
  b_entries.reserve(std::size_t(inner) * 4);
  for (long k = 1; k <= inner; ++k) {
    row_start[std::size_t(k)] = long(b_entries.size());
    const float* b = &B(k, 1);  // a row lies contiguous in memory
    for (long e = 0, kept = nonzeros(b, columns); e < kept; ++e) {
      const long j = found[std::size_t(e)];
      finite = finite && std::isfinite(b[j]);
      b_entries.push_back({j + 1, double(b[j])});
    }
  }
  row_start[std::size_t(inner + 1)] = long(b_entries.size());
  for (long i = 1; i <= rows && finite; ++i) {
    const float* a = &A(i, 1);
    const long kept = nonzeros(a, inner);
    for (long e = 0; e < kept; ++e) finite = finite && std::isfinite(a[found[std::size_t(e)]]);
    if (!finite) break;
    double* c = &C(i, 1);
    for (long e = 0; e < kept; ++e) {
      const long k = found[std::size_t(e)];
      const double v = double(a[k]);
      for (long x = row_start[std::size_t(k + 1)]; x < row_start[std::size_t(k + 2)]; ++x)
        c[b_entries[std::size_t(x)].index - 1] += v * b_entries[std::size_t(x)].value;
    }
  }
  if (!finite)
    for (long i = 1; i <= rows; ++i)
      for (long j = 1; j <= columns; ++j) {
        double sum = 0;
        for (long k = 1; k <= inner; ++k) sum += double(A(i, k)) * double(B(k, j));
        C(i, j) = sum;
      }
  return C;
}

bool mat_mult(const ui::DynArray2<float>& A, const ui::DynArray2<float>& B, ui::DynArray<float>& P, int mode) {
  ui::DynArray2<double> C = product(A, B, mode == 2 ? 1 : B.UBound(2));
  const long rows = C.UBound(1), columns = C.UBound(2);
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

namespace {

// Crout's decomposition with implicit partial pivoting of the n by n matrix a (row by row, from 0), in
// place; false at a pivot that vanishes against its row's scale. Column j is gathered into col so that
// every sum runs along a row of a and along col, both in memory order, each still in rising k.
//
// With profile set, the terms that are certainly zero are left out of the sums: those before the first
// non-zero of their row (a row's factors stay zero before its first non-zero entry) and those before the
// first non-zero of the column's upper part. Leaving out a term with a zero factor and a finite other
// factor cannot change a sum that never holds -0, and none does when a holds no -0 and no value that is
// not finite; the caller checks the factors afterwards, since an overflow on the way would make a left-out
// zero matter, and then factors again without the profile.
bool crout(std::vector<double>& a, long n, std::vector<double>& row_scale, std::vector<double>& pivot_row,
           bool profile) {
  std::vector<long> first_in_row(std::size_t(n), 0);
  if (profile)
    for (long i = 0; i < n; ++i) {
      long k = 0;
      while (k < n && a[std::size_t(i * n + k)] == 0) ++k;
      first_in_row[std::size_t(i)] = k;
    }
  std::vector<double> col(static_cast<std::size_t>(n));
  // A row (at or below the diagonal) whose first non-zero lies beyond column j holds a zero there that no
  // term changes: it is passed over, and cannot be the pivot unless no row can; then the pivot is chosen
  // again among all the rows, in order.
  auto passed_over = [&](long i, long j) { return profile && first_in_row[std::size_t(i)] > j; };
  for (long j = 0; j < n; ++j) {
    for (long i = 0; i < n; ++i)
      if (i < j || !passed_over(i, j)) col[std::size_t(i)] = a[std::size_t(i * n + j)];
    long first_in_col = profile ? n : 0;  // the first non-zero of the column's finished part
    for (long i = 0; i < j; ++i) {
      const double* row = &a[std::size_t(i * n)];
      double sum = col[std::size_t(i)];
      for (long k = std::max(first_in_row[std::size_t(i)], first_in_col); k < i; ++k) sum -= row[k] * col[std::size_t(k)];
      col[std::size_t(i)] = sum;
      if (first_in_col == n && sum != 0) first_in_col = i;
    }
    double big = 0;
    long imax = j;
    for (long i = j; i < n; ++i) {
      if (passed_over(i, j)) continue;
      const double* row = &a[std::size_t(i * n)];
      double sum = col[std::size_t(i)];
      for (long k = std::max(first_in_row[std::size_t(i)], first_in_col); k < j; ++k) sum -= row[k] * col[std::size_t(k)];
      col[std::size_t(i)] = sum;
      const double scaled = row_scale[std::size_t(i)] * std::fabs(sum);
      if (scaled >= big) {
        big = scaled;
        imax = i;
      }
    }
    for (long i = 0; i < n; ++i)
      if (i < j || !passed_over(i, j)) a[std::size_t(i * n + j)] = col[std::size_t(i)];
    if (!(big > 0))
      for (long i = j; i < n; ++i) {
        const double scaled = row_scale[std::size_t(i)] * std::fabs(a[std::size_t(i * n + j)]);
        if (scaled >= big) {
          big = scaled;
          imax = i;
        }
      }
    if (imax != j) {
      std::swap_ranges(&a[std::size_t(imax * n)], &a[std::size_t(imax * n)] + n, &a[std::size_t(j * n)]);
      std::swap(first_in_row[std::size_t(imax)], first_in_row[std::size_t(j)]);
      row_scale[std::size_t(imax)] = row_scale[std::size_t(j)];
    }
    pivot_row[std::size_t(j)] = double(imax + 1);
    // A pivot that vanishes against its row's own scale is a mechanism, whatever round-off left in it.
    if (!(big > kSingularPivot)) return false;
    if (j != n - 1) {
      const double inv = 1 / a[std::size_t(j * n + j)];
      // A passed-over row's +0 stays +0 under a positive finite factor.
      const bool keeps_zero = inv > 0 && std::isfinite(inv);
      for (long i = j + 1; i < n; ++i)
        if (!(keeps_zero && passed_over(i, j))) a[std::size_t(i * n + j)] *= inv;
    }
  }
  return true;
}

}  // namespace

bool ludcmp_solve(ui::DynArray2<double>& K, ui::DynArray<float>& P) {
  const long n = K.UBound(2);
  auto singular = [] {
    ui::MsgBox(" singular ");
    return false;
  };
  const std::size_t size = n > 0 ? std::size_t(n) : 0;
  std::vector<double> a(size * size), row_scale(size), pivot_row(size);
  bool negative_zero = false;
  for (long i = 1; i <= n; ++i) {
    double big = 0;
    for (long j = 1; j <= n; ++j) {
      const double v = K(i, j);
      if (!std::isfinite(v)) return singular();
      negative_zero = negative_zero || (v == 0 && std::signbit(v));
      a[std::size_t((i - 1) * n + (j - 1))] = v;
      big = std::max(big, std::fabs(v));
    }
    if (big == 0) return singular();
    row_scale[std::size_t(i - 1)] = 1 / big;
  }
  const std::vector<double> scale0 = row_scale;
  bool regular = crout(a, n, row_scale, pivot_row, !negative_zero);
  if (!negative_zero && !std::all_of(a.begin(), a.end(), [](double v) { return std::isfinite(v); })) {
    for (long i = 1; i <= n; ++i)
      for (long j = 1; j <= n; ++j) a[std::size_t((i - 1) * n + (j - 1))] = K(i, j);
    row_scale = scale0;
    regular = crout(a, n, row_scale, pivot_row, false);
  }
  for (long i = 1; i <= n; ++i)
    for (long j = 1; j <= n; ++j) K(i, j) = a[std::size_t((i - 1) * n + (j - 1))];
  if (!regular) return singular();

  std::vector<float> u(size);
  for (long i = 1; i <= n; ++i) u[std::size_t(i - 1)] = P(i);
  long first = -1;
  for (long i = 0; i < n; ++i) {
    const double* row = &a[std::size_t(i * n)];
    const long ip = long(pivot_row[std::size_t(i)]) - 1;
    double sum = u[std::size_t(ip)];
    u[std::size_t(ip)] = u[std::size_t(i)];
    if (first >= 0) {
      for (long j = first; j < i; ++j) sum -= row[j] * u[std::size_t(j)];
    } else if (sum != 0) {
      first = i;
    }
    u[std::size_t(i)] = float(sum);
  }
  for (long i = n - 1; i >= 0; --i) {
    const double* row = &a[std::size_t(i * n)];
    double sum = u[std::size_t(i)];
    for (long j = i + 1; j < n; ++j) sum -= row[j] * u[std::size_t(j)];
    u[std::size_t(i)] = float(sum / row[i]);
  }
  for (long i = 0; i < n; ++i)
    if (!std::isfinite(u[std::size_t(i)])) return singular();
  for (long i = 1; i <= n; ++i) {
    P(i) = u[std::size_t(i - 1)];
    if (common1::dof_u.contains(i, 1)) common1::dof_u(i, 1) = P(i);
  }
  if (gridsWanted()) {
    ui::Grid& g = Form2Form->MSFlexGrid1[11];
    for (long i = 1; i <= n; ++i) setCell(g, int(i), 1, ui::Format(P(i), "0.0000"));
  }
  return true;
}

}  // namespace solve1
