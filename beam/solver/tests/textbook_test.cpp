// Beams with textbook answers, solved through the whole chain (snap, number, check, place, assemble,
// solve, end forces, reactions, values along the beam). A positive force value acts downwards and gives
// upward reactions; a positive moment turns counter-clockwise; the moment graph has the opposite sign to
// the sagging moment, so a simply supported span under a load shows -PL/4.
#include <cmath>
#include <functional>

#include "beam_cases.h"
#include "beam_fixture.h"

using namespace Module20;

namespace {

struct Units {
  float F = 1, L = 1, E = 1, I = 1;
};

struct Expect {
  Integer obj;  // node object whose reaction is checked
  double R, M;  // in units of F and F*L
};

struct Probe {
  int x;
  double V, M, def;  // V in F, M in F*L, deflection in F*L^3/EI; NAN: not checked
};

// The loads' kind sets the units of the answers: forces give R in F and M in F*L, distributed loads
// one power of L more, moments one less.
enum Kind { kForce = 0, kDist = 1, kMoment = -1 };

struct TextbookCase {
  const char* name;
  Kind kind;
  std::function<void(BeamFixture&)> setup;
  std::vector<Expect> reactions;
  std::vector<Probe> probes;
};

const double N = NAN;

const TextbookCase kCases[] = {
    {"simply supported, central force", kForce,
     [](BeamFixture& b) { b.node(1, 0), b.node(2, 10000), b.force(21, 5000); },
     {{1, 0.5, 0}, {2, 0.5, 0}},
     {{5000, 0.5, -0.25, -1.0 / 48}, {2500, 0.5, -0.125, N}}},
    {"cantilever, tip force", kForce,
     [](BeamFixture& b) { b.node(6, 0), b.force(21, 10000); },
     {{6, 1, 1}},
     {{0, 1, 1, 0}, {10000, N, 0, -1.0 / 3}}},
    {"cantilever, tip moment", kMoment,
     [](BeamFixture& b) { b.node(6, 0), b.moment(31, 10000); },
     {{6, 0, -1}},
     {{5000, 0, -1, 1.0 / 8}, {10000, 0, N, 0.5}}},
    {"cantilever, moment one twip from the fixed end", kMoment,
     [](BeamFixture& b) { b.node(6, 0), b.moment(31, 1); },
     {{6, 0, -1}},
     {}},
    {"cantilever, moment on the fixed end", kMoment,
     [](BeamFixture& b) { b.node(6, 0), b.moment(31, 0); },
     {{6, 0, -1}},
     {{10000, 0, 0, 0}}},
    {"propped cantilever, full distributed load", kDist,
     [](BeamFixture& b) { b.node(6, 0), b.node(1, 10000), b.dist(41, 0, 10000); },
     {{6, 5.0 / 8, 1.0 / 8}, {1, 3.0 / 8, 0}},
     {{10000, -3.0 / 8, 0, 0}}},
    {"two equal spans, full distributed load", kDist,
     [](BeamFixture& b) { b.node(1, 0), b.node(2, 5000), b.node(3, 10000), b.dist(41, 0, 10000); },
     {{1, 3.0 / 16, 0}, {2, 10.0 / 16, 0}, {3, 3.0 / 16, 0}},
     {{5000, N, 1.0 / 32, 0}}},
    {"fixed-fixed, central force", kForce,
     [](BeamFixture& b) { b.node(6, 0), b.node(7, 10000), b.force(21, 5000); },
     {{6, 0.5, 0.125}, {7, 0.5, -0.125}},
     {{5000, N, -0.125, -1.0 / 192}}},
    {"fixed end, hinge, support: force in the suspended span", kForce,
     [](BeamFixture& b) { b.node(6, 0), b.node(11, 5000), b.node(1, 10000), b.force(21, 7500); },
     {{6, 0.5, 0.25}, {1, 0.5, 0}},
     {{5000, 0.5, 0, N}, {7500, N, -0.125, N}}},
    {"fixed end, shear release, support: the support carries all the force", kForce,
     [](BeamFixture& b) { b.node(6, 0), b.node(16, 5000), b.node(1, 10000), b.force(21, 7500); },
     {{6, 0, -0.25}, {1, 1, 0}},
     {{2500, 0, -0.25, N}}},
    {"simply supported, distributed load over the left half", kDist,
     [](BeamFixture& b) { b.node(1, 0), b.node(2, 10000), b.dist(41, 0, 5000); },
     {{1, 3.0 / 8, 0}, {2, 1.0 / 8, 0}},
     {{5000, -1.0 / 8, -1.0 / 16, N}}},
    {"force exactly on the middle support", kForce,
     [](BeamFixture& b) { b.node(1, 0), b.node(2, 5000), b.node(3, 10000), b.force(21, 5000); },
     {{1, 0, 0}, {2, 1, 0}, {3, 0, 0}},
     {{2500, 0, 0, 0}}},
    {"force split at a shear release between two fixed ends", kForce,
     [](BeamFixture& b) { b.node(6, 0), b.node(16, 5000), b.node(7, 10000), b.force(21, 5000); },
     {{6, 0.5, 0.125}, {7, 0.5, -0.125}},
     {}},
    {"moment split at a hinge between two fixed ends", kMoment,
     [](BeamFixture& b) { b.node(6, 0), b.node(11, 5000), b.node(7, 10000), b.moment(31, 5000); },
     {{6, 1.5, 0.25}, {7, -1.5, 0.25}},
     {}},
};

void check(BeamFixture& b, const TextbookCase& c, const Units& u) {
  const double EI = double(u.E) * u.I, L = u.L, s = std::pow(L, int(c.kind));
  auto near = [](double got, double want, const char* what) {
    EXPECT_NEAR(got, want, 1e-4 * std::max(1.0, std::abs(want))) << what;
  };
  for (const Expect& e : c.reactions) {
    SCOPED_TRACE(std::string(c.name) + ", object " + std::to_string(e.obj));
    near(reactions(e.obj).R, e.R * u.F * s, "R");
    near(reactions(e.obj).M, e.M * u.F * s * L, "M");
  }
  for (const Probe& p : c.probes) {
    SCOPED_TRACE(std::string(c.name) + ", x " + std::to_string(p.x));
    BeamFixture::Values v = b.at(p.x);
    if (!std::isnan(p.V)) near(v.V, p.V * u.F * s, "V");
    if (!std::isnan(p.M)) near(v.M, p.M * u.F * s * L, "M");
    if (!std::isnan(p.def)) near(v.def, p.def * u.F * s * L * L * L / EI, "deflection");
  }
}

struct Textbook : BeamFixture, ::testing::WithParamInterface<TextbookCase> {
  void run(const TextbookCase& c, const Units& u) {
    unit_F = u.F;
    beam_length = u.L;
    unit_L = beam_length / 10000;
    unit_E = u.E;
    unit_I = u.I;
    c.setup(*this);
    build();
    ASSERT_NE(mechanism, True);
    solve();
    EXPECT_TRUE(f->messages.empty());
    check(*this, c, u);
  }
};

TEST_P(Textbook, AtTheDefaultReferenceValues) { run(GetParam(), Units{}); }

TEST_P(Textbook, WithOtherReferenceValues) { run(GetParam(), Units{2.5f, 6, 200, 0.03f}); }

INSTANTIATE_TEST_SUITE_P(Beams, Textbook, ::testing::ValuesIn(kCases), caseName<TextbookCase>);

}  // namespace
