#pragma once
// A beam set up as the canvas sets it up: node objects snapped by their icons' Left, loads by their
// positions, then numbered, checked and solved through the solver's procedures, its windows played by
// a stand-in.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "beam/solver/Module20.h"
#include "beam/solver/tests/beam_places.h"
#include "beam/solver/tests/stand_in.h"

struct BeamFixture : ::testing::Test {
  StandIn s;
  StandIn* f = &s;

  void SetUp() override;

  // Drops node object `index` at x and takes it into the node list (no numbering yet).
  void node(Integer index, int x);
  // The largest beam (largest_beam.h), its icons on the stand-in.
  void largestBeam();
  // Numbers the freedoms and checks for a mechanism, as after a drop.
  void build();
  void force(Integer obj, float x, float value = 1);
  void moment(Integer obj, float x, float value = 1);
  void dist(Integer obj, float x, float span, float value = 1);
  // Places every load again and solves.
  void solve() { f->fer_all(); }
  // Shear, moment and deflection at x twips from the beam's left end.
  struct Values {
    float V, M, def;
  };
  Values at(int x);
  std::vector<int> dofs(int e);
  std::vector<Integer> objects();
};
