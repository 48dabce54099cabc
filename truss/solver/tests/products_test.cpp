// The truss solve's products skip zero terms and its decomposition skips the zero ends of rows and
// columns; neither may change a single bit. The plain dense forms (every term of every sum, in rising k:
// the product here, the decomposition in ui/tests/dense_crout.h) run on the same trusses and matrices, and
// K, u, t, the largest stress and the grids of the data window are compared with them bit for bit.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "truss/solver/solve1.h"
#include "truss/solver/tests/stand_in_windows.h"
#include "truss/solver/tests/truss_fixture.h"
#include "truss/solver/tests/two_row_truss.h"
#include "ui/tests/dense_crout.h"

namespace {

using namespace truss_test;
using namespace common1;

// ---- the reference: the dense forms, term by term ----

ui::DynArray2<double> denseProduct(const ui::DynArray2<float>& A, const ui::DynArray2<float>& B, long columns) {
  const long rows = A.UBound(1), inner = std::min(A.UBound(2), B.UBound(1));
  columns = std::min(columns, B.UBound(2));
  ui::DynArray2<double> C;
  C.ReDim(1, rows, 1, columns);
  for (long i = 1; i <= rows; ++i)
    for (long j = 1; j <= columns; ++j) {
      double sum = 0;
      for (long k = 1; k <= inner; ++k) sum += double(A(i, k)) * double(B(k, j));
      C(i, j) = sum;
    }
  return C;
}

// The dense decomposition and substitutions on K (left as the decomposition left it) and u; false where
// the solver shows " singular ".
bool denseSolve(ui::DynArray2<double>& K, std::vector<float>& u) {
  const long n = K.UBound(2);
  std::vector<double> a;
  for (long i = 1; i <= n; ++i)
    for (long j = 1; j <= n; ++j) a.push_back(K(i, j));
  int interchanges = 0;
  const ui::DenseOutcome outcome = ui::denseCrout(n, a, u, solve1::kSingularPivot, true, interchanges);
  for (long i = 1; i <= n; ++i)
    for (long j = 1; j <= n; ++j) K(i, j) = a[std::size_t((i - 1) * n + (j - 1))];
  return outcome == ui::DenseOutcome::kSolved;
}

template <class T>
bool sameBits(T a, T b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// ---- trusses ----

struct Matrices {
  ui::DynArray2<float> Q, SQ;
  std::vector<float> P;
};

// Q, S Q^T and P of the truss just solved, formed densely from the model as the solve forms them.
Matrices formMatrices(Form1& f) {
  const int n = dof_count, bars = lines_count;
  Matrices m;
  m.Q.ReDim(1, n, 1, bars);
  m.SQ.ReDim(1, bars, 1, n);
  m.P.assign(std::size_t(n), 0);
  const auto& dof_list = Form2Form->dof_list;
  for (int i = 1; i <= n; ++i) {
    const point_rec& pt = P_data(dof_list(i).point);
    const bool x = dof_list(i).is_x == -1;
    for (int s = 1; s <= pt.slots_used; ++s) m.Q(i, pt.line_slot(s).line + 1) = x ? pt.line_slot(s).dir_x : pt.line_slot(s).dir_y;
    m.P[std::size_t(i - 1)] = float(x ? pt.F_type_x : pt.F_type_y) * f_value(i);
  }
  for (int j = 1; j <= bars; ++j) {
    const ui::LineControl& line = f.Line1[j - 1];
    float S = 0;
    if (line.Visible.get()) {
      const double dx = double(line.X1) - double(line.X2), dy = double(line.Y1) - double(line.Y2);
      const float L = float(std::sqrt(dx * dx + dy * dy));
      S = float(double(line_E(j - 1)) * double(line_A(j - 1)) / (double(L) * double(scale_mm)));
    }
    for (int i = 1; i <= n; ++i) m.SQ(j, i) = m.Q(i, j) * S;
  }
  return m;
}

struct Variation {
  const char* name;
  int points, bars;
  int hide_every;      // hide every such bar after building (0: none)
  bool varied_bars;    // E and A differ from bar to bar, some E negative
  bool varied_loads;   // loads differ from direction to direction
};

const Variation kTrusses[] = {
    {"the benchmark's truss: 50 points, 200 bars", 50, 200, 0, false, false},
    {"25 points, 100 bars", 25, 100, 0, false, false},
    {"10 points, 33 bars", 10, 40, 0, false, false},
    {"50 points with bars of different E and A, some E negative", 50, 200, 0, true, true},
    {"50 points, every seventh bar hidden (its column of Q stays, S = 0)", 50, 200, 7, true, false},
    {"49 points with uneven rows and varied loads", 49, 190, 0, false, true},
    {"17 points with bars of different E and A and varied loads", 17, 45, 0, true, true},
};

struct SolveIsBitForBitTheDenseSolve : TrussFixture, ::testing::WithParamInterface<Variation> {};

TEST_P(SolveIsBitForBitTheDenseSolve, OnATableOfTrusses) {
  const Variation& v = GetParam();
  SCOPED_TRACE(v.name);
  f().dd2.Checked = true;
  const int made = buildTwoRowTruss(f(), v.points, v.bars);
  for (int j = 0; j < made; ++j) {
    if (v.hide_every && j % v.hide_every == 3) f().Line1[j].Visible = false;
    if (v.varied_bars) {
      line_E(j) = (j % 11 == 5 ? -1.0f : 1.0f) * (70 + 13.7f * float(j % 9));
      line_A(j) = 150 + 37.3f * float(j % 13);
    }
  }
  if (v.varied_loads)
    for (int i = 1; i <= 200; ++i) f_value(i) = 1000 - 17.9f * float(i % 23);
  solve();
  ASSERT_TRUE(svc.messages.empty()) << svc.messages[0];
  const int n = dof_count, bars = lines_count;
  ASSERT_GT(n, 0);

  const Matrices m = formMatrices(f());
  const ui::DynArray2<double> K = denseProduct(m.Q, m.SQ, n);
  const ui::DynArray2<double> fastK = solve1::product(m.Q, m.SQ, n);
  ASSERT_EQ(fastK.UBound(1), n);
  ASSERT_EQ(fastK.UBound(2), n);
  ui::Grid& kGrid = f2().MSFlexGrid1[Form2::kKGrid];
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) {
      ASSERT_TRUE(sameBits(fastK(i, j), K(i, j))) << "K " << i << " " << j;
      ASSERT_EQ(kGrid.TextMatrix(i, j), ui::CStr(K(i, j))) << i << " " << j;
    }
  ui::Grid& qGrid = f2().MSFlexGrid1[Form2::kQGrid];
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= bars; ++j) ASSERT_EQ(qGrid.TextMatrix(i, j), ui::CStr(m.Q(i, j))) << i << " " << j;

  ui::DynArray2<double> LU = K;
  std::vector<float> u = m.P;
  ASSERT_TRUE(denseSolve(LU, u));
  ui::DynArray2<float> U;
  U.ReDim(1, n, 1, 1);
  for (int i = 1; i <= n; ++i) {
    U(i, 1) = u[std::size_t(i - 1)];
    EXPECT_TRUE(sameBits(dof_u(i, 1), u[std::size_t(i - 1)])) << "u " << i;
    EXPECT_EQ(f2().MSFlexGrid1[Form2::kUGrid].TextMatrix(i, 1), ui::Format(u[std::size_t(i - 1)], "0.0000")) << i;
  }
  const ui::DynArray2<double> t = denseProduct(m.SQ, U, 1);
  float max_stress = 0;
  int max_bar = 0;
  for (int j = 1; j <= bars; ++j) {
    const float tj = float(t(j, 1)), stress = tj / line_A(j - 1);
    EXPECT_TRUE(sameBits(line_t(j - 1), tj)) << "t " << j - 1;
    EXPECT_EQ(f2().MSFlexGrid1[Form2::kTGrid].TextMatrix(1, j), ui::CStr(tj)) << j;
    if (std::fabs(max_stress) < std::fabs(stress)) max_stress = stress, max_bar = j - 1;
  }
  EXPECT_TRUE(sameBits(max_sigma, max_stress)) << max_sigma << " " << max_stress;
  EXPECT_EQ(max_sigma_line, max_bar);
  EXPECT_EQ(f2().Text4[0].Text.get(), ui::Str(max_stress));
}

INSTANTIATE_TEST_SUITE_P(Trusses, SolveIsBitForBitTheDenseSolve, ::testing::ValuesIn(kTrusses));

// ---- matrices the trusses do not make ----

ui::DynArray2<float> floats(long rows, long cols, const std::vector<float>& v) {
  ui::DynArray2<float> a;
  a.ReDim(1, rows, 1, cols);
  for (long i = 1; i <= rows; ++i)
    for (long j = 1; j <= cols; ++j) a(i, j) = v[std::size_t((i - 1) * cols + (j - 1))];
  return a;
}

const float inf = INFINITY, nan = NAN;

struct ProductCase {
  const char* name;
  long rows, inner, cols;
  std::vector<float> A, B;
};

const ProductCase kProducts[] = {
    {"signed zeros on both sides", 2, 3, 2, {-0.0f, 2, 0, 0, -0.0f, -3}, {5, -0.0f, 0, 0, -0.0f, 7}},
    {"terms that cancel to zero", 1, 3, 1, {1, 1, -0.0f}, {1e20f, -1e20f, 1}},
    {"an infinity against a zero makes NaN", 2, 2, 2, {0, 1, 2, 0}, {inf, 1, 1, 1}},
    {"a NaN in the left factor", 2, 2, 1, {nan, 0, 0, 1}, {0, 2}},
    {"an infinity in a row of zeros", 1, 3, 1, {0, 0, inf}, {0, 0, 0}},
    {"nothing but zeros", 2, 2, 2, {0, -0.0f, 0, 0}, {-0.0f, 0, 0, -0.0f}},
};

struct ProductIsBitForBitTheDenseProduct : ::testing::TestWithParam<ProductCase> {};

TEST_P(ProductIsBitForBitTheDenseProduct, WithSignedZerosAndFactorsThatAreNotFinite) {
  const ProductCase& c = GetParam();
  SCOPED_TRACE(c.name);
  const auto A = floats(c.rows, c.inner, c.A), B = floats(c.inner, c.cols, c.B);
  const auto want = denseProduct(A, B, c.cols), got = solve1::product(A, B, c.cols);
  for (long i = 1; i <= c.rows; ++i)
    for (long j = 1; j <= c.cols; ++j) EXPECT_TRUE(sameBits(got(i, j), want(i, j))) << i << " " << j << " " << got(i, j);
}

INSTANTIATE_TEST_SUITE_P(Products, ProductIsBitForBitTheDenseProduct, ::testing::ValuesIn(kProducts));

TEST(ProductOnRandomMatrices, IsBitForBitTheDenseProductOnSparseMatricesOfEveryShape) {
  std::uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
  for (int round = 0; round < 200; ++round) {
    const long rows = 1 + long(next() % 23), inner = 1 + long(next() % 41), cols = 1 + long(next() % 19);
    std::vector<float> a(std::size_t(rows * inner)), b(std::size_t(inner * cols));
    for (auto* v : {&a, &b})
      for (float& x : *v) {
        const std::uint32_t r = next();
        x = r % 5 == 0 ? float(int(r >> 8) % 2001 - 1000) / 7.0f : (r % 7 == 1 ? -0.0f : 0.0f);
      }
    const auto A = floats(rows, inner, a), B = floats(inner, cols, b);
    const auto want = denseProduct(A, B, cols), got = solve1::product(A, B, cols);
    for (long i = 1; i <= rows; ++i)
      for (long j = 1; j <= cols; ++j) ASSERT_TRUE(sameBits(got(i, j), want(i, j))) << round << ": " << i << " " << j;
  }
}

struct SolverIsBitForBitTheDenseSolver : ::testing::Test {
  truss_test::StandInWindows windows;
  // Runs both on K and P; the factors, the solution and whether " singular " was shown must agree.
  void compare(const std::vector<double>& k, const std::vector<float>& p) {
    const long n = long(p.size());
    ui::DynArray2<double> K, want;
    K.ReDim(1, n, 1, n);
    for (long i = 1; i <= n; ++i)
      for (long j = 1; j <= n; ++j) K(i, j) = k[std::size_t((i - 1) * n + (j - 1))];
    want = K;
    std::vector<float> u = p;
    const bool solved = denseSolve(want, u);
    ui::DynArray<float> P;
    P.ReDim(1, n);
    for (long i = 1; i <= n; ++i) P(i) = p[std::size_t(i - 1)];
    windows.messages.clear();
    EXPECT_EQ(solve1::ludcmp_solve(K, P, windows), solved);
    EXPECT_EQ(windows.messages, solved ? std::vector<std::string>{} : std::vector<std::string>{" singular "});
    for (long i = 1; i <= n; ++i)
      for (long j = 1; j <= n; ++j) EXPECT_TRUE(sameBits(K(i, j), want(i, j))) << i << " " << j << ": " << K(i, j) << " " << want(i, j);
    for (long i = 1; i <= n; ++i) EXPECT_TRUE(sameBits(P(i), solved ? u[std::size_t(i - 1)] : p[std::size_t(i - 1)])) << i;
  }
};

const double big = 1e300;

struct SolverCase {
  const char* name;
  std::vector<double> K;
  std::vector<float> P;
};

const SolverCase kSolverCases[] = {
    {"a banded matrix that needs row interchanges", {1, 4, 0, 0, 4, 1, 2, 0, 0, 2, 1e-3, 5, 0, 0, 5, 2}, {1, -2, 3, 0}},
    {"negative zeros in the matrix", {2, -0.0, 1, -0.0, 3, -0.0, 1, 0, 4}, {-0.0f, 1, 0}},
    {"a zero load vector with a negative zero", {4, 2, 2, 4}, {-0.0f, 0}},
    {"an overflow inside the decomposition, where a left-out zero would hide a NaN",
     {1.483914346198536e+212, 0, -2.099348781578321e+261, 1.0020088588965869e+305, 0, -5.739757812112152e+227,
      -2.9742102163970383e-05, 0, 0},
     {1, 2, 3}},
    {"entries near the largest double", {big, big, 0, big, -big, big, 0, big, big}, {1, 1, 1}},
    {"a mechanism: two equal rows", {1, 1, 0, 1, 1, 0, 0, 0, 3}, {1, 1, 1}},
    {"a row without stiffness", {1, 0, 0, 0}, {1, 1}},
    {"an infinite entry", {1, INFINITY, 0, 1}, {1, 1}},
};

struct SolverCases : SolverIsBitForBitTheDenseSolver, ::testing::WithParamInterface<SolverCase> {};

TEST_P(SolverCases, OnMatricesWithZerosSignedZerosAndOverflow) {
  const SolverCase& c = GetParam();
  SCOPED_TRACE(c.name);
  compare(c.K, c.P);
}

INSTANTIATE_TEST_SUITE_P(SolverIsBitForBitTheDenseSolver, SolverCases, ::testing::ValuesIn(kSolverCases));

TEST_F(SolverIsBitForBitTheDenseSolver, OnRandomSparseMatrices) {
  std::uint32_t seed = 777;
  auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
  for (int round = 0; round < 150; ++round) {
    SCOPED_TRACE(round);
    const long n = 1 + long(next() % 30), band = 1 + long(next() % 6);
    std::vector<double> k(std::size_t(n * n), 0.0);
    std::vector<float> p(static_cast<std::size_t>(n));
    for (long i = 0; i < n; ++i) {
      for (long j = 0; j < n; ++j) {
        const std::uint32_t r = next();
        const bool near = std::labs(i - j) <= band || r % 29 == 0;
        if (near && r % 3 != 0) k[std::size_t(i * n + j)] = double(int(r >> 7) % 20001 - 10000) / 997.0;
      }
      k[std::size_t(i * n + i)] += 30;
      p[std::size_t(i)] = next() % 4 == 0 ? 0.0f : float(int(next() % 2001) - 1000);
    }
    compare(k, p);
  }
}

}  // namespace
