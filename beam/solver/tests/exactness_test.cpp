// The solver's short cuts give bit for bit what the plain forms give: whole powers as products against
// the power function, the decomposition that skips the zero ends of rows and columns against the dense
// one (ui/tests/dense_crout.h), and a drawing with every graph off, which walks no points.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "beam_fixture.h"
#include "ui/tests/dense_crout.h"

using namespace Module20;

namespace {

template <class T>
bool sameBits(T a, T b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

using Exactness = BeamFixture;

TEST_F(Exactness, WholePowersAreThePowerFunctionsToTheBit) {
  // Real lengths of beams from a millimetre to a kilometre, in metres, inches and feet.
  const float lengths[] = {0.001f, 0.3f, 1, 2.5f, 3, 7.3f, 10, 12, 39.37f, 100, 254.7f, 1000};
  long compared = 0;
  for (float L : lengths) {
    unit_L = L / 10000;
    for (int x = 0; x <= 10000; x += 7)
      for (float a : {0.0f, 1.0f, 333.3f, 2499.5f, 5000.0f, 7777.7f}) {
        const Single d = Single(x) - a;
        for (Byte n = 0; n <= 4; ++n) {
          const Single want = d > 0 ? Single(std::pow(double(d * unit_L), double(n))) : 0.0f;
          ASSERT_TRUE(sameBits(f->step1(a, Single(x), n, 1), want)) << L << " " << x << " " << a << " " << int(n);
          ++compared;
        }
      }
  }
  EXPECT_GT(compared, 100000);
  // Beyond the bracket and at it nothing is raised, whatever the exponent.
  unit_L = 1.0f / 10000;
  EXPECT_EQ(f->step1(5, 5, 0, 1), 0);
  EXPECT_EQ(f->step1(6, 5, 3, 1), 0);
}

// Solves K d = P both ways: the answer, the message and the displacements agree to the bit.
void compareSolvers(StandIn& f, int n, const std::vector<double>& k, const std::vector<double>& p) {
  for (int i = 1; i <= n; ++i) {
    for (int j = 1; j <= n; ++j) K(i, j) = k[std::size_t((i - 1) * n + (j - 1))];
    P(i) = p[std::size_t(i - 1)];
  }
  std::vector<double> a(k), d(p);
  int interchanges = 0;
  const ui::DenseOutcome want = ui::denseCrout(n, a, d, 1e-11, false, interchanges);
  f.messages.clear();
  EXPECT_EQ(f.ludcmp(Byte(n)), want == ui::DenseOutcome::kSolved);
  const std::vector<std::string> said = want == ui::DenseOutcome::kSolved   ? std::vector<std::string>{}
                                        : want == ui::DenseOutcome::kNoScale ? std::vector<std::string>{" singular "}
                                                                             : std::vector<std::string>{kMechanismMessageA};
  EXPECT_EQ(f.messages, said);
  for (int i = 1; i <= n; ++i) {
    EXPECT_TRUE(sameBits(P(i), want == ui::DenseOutcome::kSolved ? d[std::size_t(i - 1)] : p[std::size_t(i - 1)])) << i << ": " << P(i);
    EXPECT_TRUE(sameBits(P0(i), p[std::size_t(i - 1)])) << i;
  }
}

// The largest beam (0), then with uneven stiffnesses and references (1), then at other reference values (2).
struct LargestBeamVariant : Exactness, ::testing::WithParamInterface<int> {};

TEST_P(LargestBeamVariant, TheSolverIsTheDenseSolverToTheBit) {
  const int variant = GetParam();
  largestBeam();
  if (variant >= 1)
    for (int e = 1; e <= n_elem; ++e) elem(e).E_rel = 0.3f + 0.17f * float(e % 7), elem(e).I_rel = 2.0f - 0.11f * float(e % 5);
  if (variant == 2) unit_E = 210e9f, unit_I = 8.3e-6f, unit_L = 6.5f / 10000, unit_F = 12e3f;
  f->asamb_K();
  ASSERT_EQ(mechanism, False);
  f->asamb_P();
  const int n = free_dof;
  ASSERT_EQ(n, 39);
  std::vector<double> k, p;
  for (int i = 1; i <= n; ++i) {
    for (int j = 1; j <= n; ++j) k.push_back(K(i, j));
    p.push_back(P(i));
  }
  compareSolvers(*f, n, k, p);
}
INSTANTIATE_TEST_SUITE_P(Exactness, LargestBeamVariant, ::testing::Values(0, 1, 2));

TEST_F(Exactness, TheSolverIsTheDenseSolverToTheBitOnOtherMatrices) {
  const double inf = INFINITY, nan = NAN;
  struct Case {
    const char* name;
    std::vector<double> K, P;
  };
  const std::vector<Case> cases = {
      {"row interchanges in a band", {1, 4, 0, 0, 4, 1, 2, 0, 0, 2, 1e-3, 5, 0, 0, 5, 2}, {1, -2, 3, 0}},
      {"negative zeros in the matrix and the loads", {2, -0.0, 1, -0.0, 3, -0.0, 1, 0, 4}, {-0.0, 1, 0}},
      {"an overflow inside the decomposition",
       {1.483914346198536e+212, 0, -2.099348781578321e+261, 1.0020088588965869e+305, 0, -5.739757812112152e+227,
        -2.9742102163970383e-05, 0, 0},
       {1, 2, 3}},
      {"a NaN, which no row's largest entry shows", {1, nan, 0, 1}, {1, 1}},
      {"an infinite entry", {1, inf, 0, 1}, {1, 1}},
      {"dependent rows", {1, 2, 0, 2, 4, 0, 0, 0, 1}, {1, 1, 1}},
      {"a column without a pivot below a row interchange", {0, 1, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1}, {1, 1, 1, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    compareSolvers(*f, int(c.P.size()), c.K, c.P);
  }
  std::uint32_t seed = 99;
  auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
  for (int round = 0; round < 100; ++round) {
    SCOPED_TRACE(round);
    const int n = 1 + int(next() % 40), band = 1 + int(next() % 5);
    std::vector<double> k(std::size_t(n * n), 0.0), p(std::size_t(n), 0.0);
    for (int i = 0; i < n; ++i) {
      for (int j = 0; j < n; ++j) {
        const std::uint32_t r = next();
        if ((std::abs(i - j) <= band || r % 31 == 0) && r % 3 != 0) k[std::size_t(i * n + j)] = double(int(r >> 7) % 20001 - 10000) / 331.0;
      }
      k[std::size_t(i * n + i)] += 40;
      p[std::size_t(i)] = next() % 3 == 0 ? 0.0 : double(int(next() % 2001) - 1000) / 7.0;
    }
    compareSolvers(*f, n, k, p);
  }
}

TEST_F(Exactness, ADrawingWithEveryGraphOffWalksNoPoints) {
  largestBeam();
  f->fer_all();
  ASSERT_FALSE(f->strokes.empty());
  const auto reactionsWithGraphs = reactions;
  for (bool& on : f->graphs) on = false;
  f->fer_all();
  EXPECT_TRUE(f->strokes.empty());
  // The reactions do not depend on the graphs.
  for (int o = 1; o <= 20; ++o) {
    EXPECT_TRUE(sameBits(reactions(o).R, reactionsWithGraphs(o).R)) << o;
    EXPECT_TRUE(sameBits(reactions(o).M, reactionsWithGraphs(o).M)) << o;
  }
  // Evaluating a point sets the shared load counter; a drawing of an element full of loads that leaves
  // it alone evaluated none, and ends with the values that a walk with nothing on would leave.
  cur_elem = 5;
  ASSERT_GT(elem(5).p_count + elem(5).m_count + elem(5).w_count, 0);
  j_loop = 77;
  V_x = M_x = def_x = 3;
  f->fun3();
  EXPECT_EQ(j_loop, 77);
  EXPECT_EQ(V_x, 0);
  EXPECT_EQ(M_x, 0);
  EXPECT_EQ(def_x, 0);
  EXPECT_TRUE(f->strokes.empty());
  // With one graph on the same drawing walks the element's points.
  f->graphs[1] = true;
  f->fun3();
  EXPECT_NE(j_loop, 77);
  EXPECT_FALSE(f->strokes.empty());
}

}  // namespace
