#include "truss/solver/solve1.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "truss/solver/common1.h"
#include "truss/solver/truss_windows.h"
#include "ui/crout.h"
#include "ui/vbtext.h"

namespace solve1 {

namespace {
bool tooLarge(TrussWindows& windows) {
  windows.message(kTooLarge);
  return false;
}
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

bool mat_mult(const ui::DynArray2<float>& A, const ui::DynArray2<float>& B, ui::DynArray<float>& P, int mode,
              TrussWindows& windows) {
  ui::DynArray2<double> C = product(A, B, mode == 2 ? 1 : B.UBound(2));
  const long rows = C.UBound(1), columns = C.UBound(2);
  if (mode == 1) {
    if (windows.grids_wanted())
      for (long j = 1; j <= columns; ++j)
        for (long i = 1; i <= rows; ++i) windows.show_K(i, j, ui::finiteCStr(C(i, j)));
    return ludcmp_solve(C, P, windows);
  }
  using namespace common1;
  bool finite = true;
  for (long j = 1; j <= rows; ++j) {
    if (!line_t.contains(j - 1)) continue;
    line_t(j - 1) = float(C(j, 1));
    finite = finite && std::isfinite(line_t(j - 1));
    // Compared in single precision, as it is stored, so that equal stresses leave the first bar.
    const float stress = line_t(j - 1) / line_A(j - 1);
    if (std::isfinite(stress) && std::fabs(max_sigma) < std::fabs(stress)) {
      max_sigma = stress;
      max_sigma_line = int16_t(j - 1);
    }
  }
  if (!finite) return tooLarge(windows);
  return true;
}

bool ludcmp_solve(ui::DynArray2<double>& K, ui::DynArray<float>& P, TrussWindows& windows) {
  const long n = K.UBound(2);
  auto singular = [&windows] {
    windows.message(" singular ");
    return false;
  };
  ui::CroutLU lu;
  const ui::CroutOutcome outcome = lu.factor(n, [&K](long i, long j) { return K(i + 1, j + 1); }, {kSingularPivot, true});
  if (outcome == ui::CroutOutcome::kNoScale) return singular();
  for (long i = 1; i <= n; ++i)
    for (long j = 1; j <= n; ++j) K(i, j) = lu.lu(i - 1, j - 1);
  if (outcome != ui::CroutOutcome::kFactored) return singular();

  std::vector<float> u(n > 0 ? std::size_t(n) : 0);
  for (long i = 1; i <= n; ++i) u[std::size_t(i - 1)] = P(i);
  lu.substitute([&u](long i) -> float& { return u[std::size_t(i)]; });
  // K was factored: a solution that is not finite comes of loads too large for the numbers, not of a
  // mechanism.
  for (float v : u)
    if (!std::isfinite(v)) return tooLarge(windows);
  for (long i = 1; i <= n; ++i) {
    P(i) = u[std::size_t(i - 1)];
    if (common1::dof_u.contains(i, 1)) common1::dof_u(i, 1) = P(i);
  }
  if (windows.grids_wanted())
    for (long i = 1; i <= n; ++i) windows.show_u(i, ui::Format(P(i), "0.0000"));
  return true;
}

}  // namespace solve1
