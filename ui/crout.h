// Crout's LU decomposition with implicit partial pivoting (each row scaled by its largest entry), and the
// forward and back substitution with its factors: the arithmetic of both programs' equation solvers,
// which call it under their own names and show their own messages. It knows no window and no model.
//
// The stiffness matrices are banded and sparse, so most terms of the decomposition's sums have a zero
// factor. A term with a zero factor and a finite other factor is +0 or -0, which cannot change a sum that
// never holds -0, and none does while the matrix holds no -0 and nothing that is not finite. On such a
// matrix the terms before the first non-zero of their row (a row's factors stay zero there) and before
// the first non-zero of the column's upper part are left out. A value that is not finite arising on the
// way would make a left-out zero matter: then the decomposition is done again with every term. Either
// way every sum runs in rising k, so the factors are bit for bit those of the plain dense decomposition.
#pragma once

#include <cstddef>
#include <functional>
#include <type_traits>
#include <vector>

namespace ui {

struct CroutOptions {
  // A pivot whose size against its row's largest entry is not above this is a zero left over from
  // rounding: the rows are dependent.
  double zero_pivot = 0;
  // An entry that is not finite refuses the matrix, as a row without any non-zero entry does; without
  // this only a row whose largest entry is infinite is refused, and a NaN is factored term by term.
  bool refuse_not_finite = false;
};

enum class CroutOutcome {
  kFactored,
  kNoScale,    // a row is all zero or its largest entry is not finite: nothing was factored
  kZeroPivot,  // a pivot vanished against its row's scale: the factors hold the decomposition so far
};

class CroutLU {
 public:
  // Factors the n by n matrix whose entry in row i, column j (both from 0) is at(i, j).
  template <class At>
  CroutOutcome factor(long n, const At& at, const CroutOptions& options) {
    start(n);
    // The entries row by row, each row scaled as soon as it is read.
    bool plain = true;  // no -0 and nothing that is not finite
    for (long i = 0; i < n_; ++i) {
      double* row = &a_[index(i, 0)];
      for (long j = 0; j < n_; ++j) row[j] = at(i, j);
      if (!scaleRow(i, options, plain)) return CroutOutcome::kNoScale;
    }
    return factorLoaded(options.zero_pivot, plain, [&] {
      for (long i = 0; i < n_; ++i)
        for (long j = 0; j < n_; ++j) a_[index(i, j)] = at(i, j);
    });
  }

  // Solves with the factors of a matrix factor() gave kFactored: b(i) is a reference to entry i (from 0)
  // of the right-hand side, which becomes the solution. Each sum runs in double precision and is stored in b's own type.
  template <class B>
  void substitute(const B& b) const {
    using T = std::remove_reference_t<decltype(b(0))>;
    long first = -1;  // the first row whose sum is not zero: the rows above it add nothing
    for (long i = 0; i < n_; ++i) {
      const long ip = pivot_row_[std::size_t(i)];
      double sum = b(ip);
      b(ip) = b(i);
      if (first >= 0) {
        for (long j = first; j < i; ++j) sum -= a_[index(i, j)] * b(j);
      } else if (sum != 0) {
        first = i;
      }
      b(i) = T(sum);
    }
    for (long i = n_ - 1; i >= 0; --i) {
      double sum = b(i);
      for (long j = i + 1; j < n_; ++j) sum -= a_[index(i, j)] * b(j);
      b(i) = T(sum / a_[index(i, i)]);
    }
  }

  long size() const { return n_; }
  // The factors: L below the diagonal (its unit diagonal not kept), U on and above it, in the rows as
  // interchanged.
  double lu(long i, long j) const { return a_[index(i, j)]; }

 private:
  std::size_t index(long i, long j) const { return std::size_t(i) * std::size_t(n_) + std::size_t(j); }
  void start(long n);
  // Row i's scale, from its largest entry; false when the row refuses the matrix. plain is cleared by a
  // -0 or a value that is not finite.
  bool scaleRow(long i, const CroutOptions& options, bool& plain);
  CroutOutcome factorLoaded(double zero_pivot, bool plain, const std::function<void()>& reload);
  bool decompose(double zero_pivot, bool profile, bool& finite);

  long n_ = 0;
  std::vector<double> a_;  // row by row
  std::vector<double> row_scale_;
  std::vector<long> pivot_row_;
};

}  // namespace ui
