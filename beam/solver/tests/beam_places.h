#pragma once
// Where a test puts an icon: by its place along the beam, not by the icon's Left on the canvas.
#include "beam/solver/Module20.h"
#include "beam/solver/beam_solver.h"

// A place along the beam, in twips from its left end (the beam is 10000 twips long).
struct Along {
  float x;
};
constexpr Along twips(float x) { return {x}; }
// A fraction of the beam's length: fraction(0.5) is mid-span.
constexpr Along fraction(double f) { return {float(f * 10000)}; }

// The Left of the icon of object `index`, `width` twips wide, that stands at `at`: a node object and a
// point load by their centre, a distributed load by its left end. A node object at either end is
// dropped well inside that end's zone, as a user drops it there.
inline float iconLeftAt(Integer index, float width, Along at) {
  using namespace Module20;
  if (is_node(index)) {
    if (at.x <= 0) return 100;
    if (at.x >= 10000) return 10000;
    // The solver takes a node's x from the icon's centre: supports are 360 twips wide, the others 150.
    return at.x + canvas::kBeamLeft - (kind_of(index) == Kind::support ? 180.0f : 75.0f);
  }
  if (kind_of(index) == Kind::dist) return at.x + canvas::kBeamLeft;
  return at.x + canvas::kBeamLeft - width / 2;
}

// The pointer's y of a drop onto the beam, by the object's kind: a support's icon hangs below the beam,
// a force's above it.
inline float onBeamY(Integer index) {
  using namespace Module20;
  const Kind k = kind_of(index);
  return k == Kind::support ? 1800.0f : k == Kind::force ? 1200.0f : 1500.0f;
}
