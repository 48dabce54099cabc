#pragma once
// Arrays with the inclusive bounds the model declares (an array of 0..22 has 23 slots and is indexed
// 0..22; one of 21..30 is indexed by the object index itself). Every index is checked in one place: an
// index out of range throws std::out_of_range instead of reaching memory, and the caller that expects
// it (where a failing statement is to be skipped) checks with contains() first.

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace ui {

[[noreturn]] inline void indexOutOfRange(long i, long lo, long hi) {
  throw std::out_of_range("index " + std::to_string(i) + " outside " + std::to_string(lo) + ".." + std::to_string(hi));
}

template <class T, long Lo, long Hi>
class Array {
  static_assert(Hi >= Lo);

 public:
  static constexpr long lo = Lo, hi = Hi;
  static constexpr bool contains(long i) { return i >= Lo && i <= Hi; }
  T& operator()(long i) {
    if (!contains(i)) indexOutOfRange(i, Lo, Hi);
    return a_[std::size_t(i - Lo)];
  }
  const T& operator()(long i) const {
    if (!contains(i)) indexOutOfRange(i, Lo, Hi);
    return a_[std::size_t(i - Lo)];
  }
  T& operator[](long i) { return (*this)(i); }
  const T& operator[](long i) const { return (*this)(i); }
  void fill(const T& v) { a_.fill(v); }
  auto begin() { return a_.begin(); }
  auto end() { return a_.end(); }
  auto begin() const { return a_.begin(); }
  auto end() const { return a_.end(); }

 private:
  std::array<T, std::size_t(Hi - Lo + 1)> a_{};
};

template <class T, long Lo1, long Hi1, long Lo2, long Hi2>
class Array2 {
 public:
  static constexpr bool contains(long i, long j) { return i >= Lo1 && i <= Hi1 && j >= Lo2 && j <= Hi2; }
  T& operator()(long i, long j) { return a_[offset(i, j)]; }
  const T& operator()(long i, long j) const { return a_[offset(i, j)]; }
  void fill(const T& v) { a_.fill(v); }

 private:
  static std::size_t offset(long i, long j) {
    if (i < Lo1 || i > Hi1) indexOutOfRange(i, Lo1, Hi1);
    if (j < Lo2 || j > Hi2) indexOutOfRange(j, Lo2, Hi2);
    return std::size_t(i - Lo1) * std::size_t(Hi2 - Lo2 + 1) + std::size_t(j - Lo2);
  }

  std::array<T, std::size_t(Hi1 - Lo1 + 1) * std::size_t(Hi2 - Lo2 + 1)> a_{};
};

// An array sized at run time (ReDim lo To hi), emptied by each ReDim.
template <class T>
class DynArray {
 public:
  void ReDim(long lo, long hi) {
    lo_ = lo;
    hi_ = hi;
    a_.assign(hi >= lo ? std::size_t(hi - lo + 1) : 0, T{});
  }
  bool contains(long i) const { return i >= lo_ && i <= hi_ && !a_.empty(); }
  long LBound() const { return lo_; }
  long UBound() const { return hi_; }
  T& operator()(long i) { return a_[offset(i)]; }
  const T& operator()(long i) const { return a_[offset(i)]; }

 private:
  std::size_t offset(long i) const {
    if (!contains(i)) indexOutOfRange(i, lo_, hi_);
    return std::size_t(i - lo_);
  }

  long lo_ = 0, hi_ = -1;
  std::vector<T> a_;
};

template <class T>
class DynArray2 {
 public:
  void ReDim(long lo1, long hi1, long lo2, long hi2) {
    lo1_ = lo1;
    hi1_ = hi1;
    lo2_ = lo2;
    hi2_ = hi2;
    std::size_t n1 = hi1 >= lo1 ? std::size_t(hi1 - lo1 + 1) : 0, n2 = hi2 >= lo2 ? std::size_t(hi2 - lo2 + 1) : 0;
    a_.assign(n1 * n2, T{});
  }
  bool contains(long i, long j) const { return i >= lo1_ && i <= hi1_ && j >= lo2_ && j <= hi2_; }
  long UBound(int dim) const { return dim == 1 ? hi1_ : hi2_; }
  long LBound(int dim) const { return dim == 1 ? lo1_ : lo2_; }
  T& operator()(long i, long j) { return a_[offset(i, j)]; }
  const T& operator()(long i, long j) const { return a_[offset(i, j)]; }

 private:
  std::size_t offset(long i, long j) const {
    if (i < lo1_ || i > hi1_) indexOutOfRange(i, lo1_, hi1_);
    if (j < lo2_ || j > hi2_) indexOutOfRange(j, lo2_, hi2_);
    return std::size_t(i - lo1_) * std::size_t(hi2_ - lo2_ + 1) + std::size_t(j - lo2_);
  }

  long lo1_ = 0, hi1_ = -1, lo2_ = 0, hi2_ = -1;
  std::vector<T> a_;
};

}  // namespace ui
