#pragma once
// The reference the equation solvers are held to bit for bit: Crout's decomposition with implicit partial
// pivoting and the forward and back substitution as the plain dense forms, every term of every sum in
// rising k, none of the short cuts of ui/crout.h.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

namespace ui {

enum class DenseOutcome {
  kSolved,
  kNoScale,    // a row all zero, a row whose largest entry is not finite, or a refused entry that is not finite
  kZeroPivot,  // a pivot not above zero_pivot against its row's scale
  kNotFinite,  // the solution holds a value that is not finite
};

// a: the n by n matrix row by row (from 0), left as the decomposition left it; b: the right-hand side,
// replaced by the solution only when it is solved, each sum rounded to b's type as it is stored;
// interchanges: the row interchanges made.
template <class T>
DenseOutcome denseCrout(long n, std::vector<double>& a, std::vector<T>& b, double zero_pivot, bool refuse_not_finite,
                        int& interchanges) {
  interchanges = 0;
  auto A = [&](long i, long j) -> double& { return a[std::size_t(i * n + j)]; };
  std::vector<double> scale(std::size_t(std::max(n, 0L)));
  std::vector<long> pivot(scale.size());
  for (long i = 0; i < n; ++i) {
    double big = 0;
    for (long j = 0; j < n; ++j) {
      if (refuse_not_finite && !std::isfinite(A(i, j))) return DenseOutcome::kNoScale;
      if (std::fabs(A(i, j)) > big) big = std::fabs(A(i, j));
    }
    if (big == 0 || !std::isfinite(big)) return DenseOutcome::kNoScale;
    scale[std::size_t(i)] = 1 / big;
  }
  for (long j = 0; j < n; ++j) {
    for (long i = 0; i < j; ++i) {
      double sum = A(i, j);
      for (long k = 0; k < i; ++k) sum -= A(i, k) * A(k, j);
      A(i, j) = sum;
    }
    double big = 0;
    long imax = j;
    for (long i = j; i < n; ++i) {
      double sum = A(i, j);
      for (long k = 0; k < j; ++k) sum -= A(i, k) * A(k, j);
      A(i, j) = sum;
      if (scale[std::size_t(i)] * std::fabs(sum) >= big) {
        big = scale[std::size_t(i)] * std::fabs(sum);
        imax = i;
      }
    }
    if (imax != j) {
      for (long k = 0; k < n; ++k) std::swap(A(imax, k), A(j, k));
      scale[std::size_t(imax)] = scale[std::size_t(j)];
      ++interchanges;
    }
    pivot[std::size_t(j)] = imax;
    if (!(big > zero_pivot)) return DenseOutcome::kZeroPivot;
    if (j != n - 1)
      for (long i = j + 1; i < n; ++i) A(i, j) *= 1 / A(j, j);
  }
  std::vector<T> x(b);
  long first = -1;
  for (long i = 0; i < n; ++i) {
    const long ip = pivot[std::size_t(i)];
    double sum = x[std::size_t(ip)];
    x[std::size_t(ip)] = x[std::size_t(i)];
    if (first >= 0)
      for (long j = first; j < i; ++j) sum -= A(i, j) * x[std::size_t(j)];
    else if (sum != 0)
      first = i;
    x[std::size_t(i)] = T(sum);
  }
  for (long i = n - 1; i >= 0; --i) {
    double sum = x[std::size_t(i)];
    for (long j = i + 1; j < n; ++j) sum -= A(i, j) * x[std::size_t(j)];
    x[std::size_t(i)] = T(sum / A(i, i));
  }
  for (const T& v : x)
    if (!std::isfinite(v)) return DenseOutcome::kNotFinite;
  b = x;
  return DenseOutcome::kSolved;
}

}  // namespace ui
