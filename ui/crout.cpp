#include "ui/crout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace ui {

void CroutLU::start(long n) {
  n_ = n > 0 ? n : 0;
  a_.assign(std::size_t(n_) * std::size_t(n_), 0.0);
  row_scale_.assign(std::size_t(n_), 0.0);
  pivot_row_.assign(std::size_t(n_), 0);
}

bool CroutLU::scaleRow(long i, const CroutOptions& options, bool& plain) {
  // By the entries' bits, with four running maxima, so that no step waits for the one before it; the
  // largest of the four is the row's largest all the same, a NaN passed over.
  constexpr std::uint64_t kExponent = 0x7ff0000000000000u, kNegativeZero = 0x8000000000000000u;
  const double* row = &a_[index(i, 0)];
  double m0 = 0, m1 = 0, m2 = 0, m3 = 0;
  std::uint64_t not_finite = 0, negative_zero = 0;
  auto look = [&](double v, double& m) {
    std::uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    not_finite |= std::uint64_t((b & kExponent) == kExponent);
    negative_zero |= std::uint64_t(b == kNegativeZero);
    const double a = std::fabs(v);
    m = a > m ? a : m;
  };
  long j = 0;
  for (; j + 4 <= n_; j += 4) {
    look(row[j], m0);
    look(row[j + 1], m1);
    look(row[j + 2], m2);
    look(row[j + 3], m3);
  }
  for (; j < n_; ++j) look(row[j], m0);
  const double big = std::max(std::max(m0, m1), std::max(m2, m3));
  if (not_finite && options.refuse_not_finite) return false;
  if (big == 0 || !std::isfinite(big)) return false;
  plain = plain && !not_finite && !negative_zero;
  row_scale_[std::size_t(i)] = 1 / big;
  return true;
}

CroutOutcome CroutLU::factorLoaded(double zero_pivot, bool plain, const std::function<void()>& reload) {
  const std::vector<double> scale0 = row_scale_;
  bool finite = true;  // every value the decomposition wrote
  bool regular = decompose(zero_pivot, plain, finite);
  if (plain && !finite) {
    reload();
    row_scale_ = scale0;
    regular = decompose(zero_pivot, false, finite);
  }
  return regular ? CroutOutcome::kFactored : CroutOutcome::kZeroPivot;
}

// The finished upper part of column j is kept in col as well, so that every sum runs along a row of a and
// along col, both in memory order, each still in rising k. With profile set the terms that are certainly
// zero are left out: col is read only from the column's first non-zero on.
bool CroutLU::decompose(double zero_pivot, bool profile, bool& finite) {
  const long n = n_;
  std::vector<long> first_in_row(std::size_t(n), 0);
  if (profile)
    for (long i = 0; i < n; ++i) {
      long k = 0;
      while (k < n && a_[index(i, k)] == 0) ++k;
      first_in_row[std::size_t(i)] = k;
    }
  std::vector<double> col(static_cast<std::size_t>(n));
  // A row (at or below the diagonal) whose first non-zero lies beyond column j holds a zero there that no
  // term changes: it is passed over, and cannot be the pivot unless no row can; then the pivot is chosen
  // again among all the rows, in order.
  auto passed_over = [&](long i, long j) { return profile && first_in_row[std::size_t(i)] > j; };
  for (long j = 0; j < n; ++j) {
    // Above the column's first non-zero there is nothing to subtract from.
    long top = 0;
    while (profile && top < j && a_[index(top, j)] == 0) ++top;
    long first_in_col = profile ? n : 0;  // the first non-zero of the column's finished part
    for (long i = top; i < j; ++i) {
      const double* row = &a_[index(i, 0)];
      double sum = a_[index(i, j)];
      for (long k = std::max(first_in_row[std::size_t(i)], first_in_col); k < i; ++k) sum -= row[k] * col[std::size_t(k)];
      a_[index(i, j)] = col[std::size_t(i)] = sum;
      finite &= std::isfinite(sum);
      if (first_in_col == n && sum != 0) first_in_col = i;
    }
    double big = 0;
    long imax = j;
    for (long i = j; i < n; ++i) {
      if (passed_over(i, j)) continue;
      const double* row = &a_[index(i, 0)];
      double sum = a_[index(i, j)];
      for (long k = std::max(first_in_row[std::size_t(i)], first_in_col); k < j; ++k) sum -= row[k] * col[std::size_t(k)];
      a_[index(i, j)] = sum;
      finite &= std::isfinite(sum);
      const double scaled = row_scale_[std::size_t(i)] * std::fabs(sum);
      if (scaled >= big) {
        big = scaled;
        imax = i;
      }
    }
    if (!(big > 0))
      for (long i = j; i < n; ++i) {
        const double scaled = row_scale_[std::size_t(i)] * std::fabs(a_[index(i, j)]);
        if (scaled >= big) {
          big = scaled;
          imax = i;
        }
      }
    if (imax != j) {
      std::swap_ranges(a_.begin() + std::ptrdiff_t(index(imax, 0)), a_.begin() + std::ptrdiff_t(index(imax, 0) + std::size_t(n)),
                       a_.begin() + std::ptrdiff_t(index(j, 0)));
      std::swap(first_in_row[std::size_t(imax)], first_in_row[std::size_t(j)]);
      row_scale_[std::size_t(imax)] = row_scale_[std::size_t(j)];
    }
    pivot_row_[std::size_t(j)] = imax;
    // big is the scaled size of the chosen pivot.
    if (!(big > zero_pivot)) return false;
    if (j != n - 1) {
      const double inv = 1 / a_[index(j, j)];
      // A passed-over row's +0 stays +0 under a positive finite factor.
      const bool keeps_zero = inv > 0 && std::isfinite(inv);
      for (long i = j + 1; i < n; ++i)
        if (!(keeps_zero && passed_over(i, j))) {
          a_[index(i, j)] *= inv;
          finite &= std::isfinite(a_[index(i, j)]);
        }
    }
  }
  return true;
}

}  // namespace ui
