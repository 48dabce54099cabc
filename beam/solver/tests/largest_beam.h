#pragma once
// The largest beam the model holds: 22 nodes (20 node objects of every kind between two free ends) and
// all 30 loads (10 forces, 10 moments, 10 distributed loads), numbered and checked, ready for fer_all.

#include "beam/solver/Module20.h"
#include "beam/solver/tests/beam_places.h"

// `placeIcon(o, at)` puts the icon of node object o where it stands at `at` along the beam, before the
// solver `f` takes it into the node list.
template <class Beam, class PlaceIcon>
void buildLargestBeam(Beam& f, PlaceIcon&& placeIcon) {
  using namespace Module20;
  Module20_initialize();
  node_list(0) = {0, 0};
  node_list(1) = {0, 10000};
  for (int g = 0; g <= 2; ++g) graf_scale(g) = 0.1f;
  graf_color(0) = {0, 255, 0}, graf_color(1) = {255, 0, 0}, graf_color(2) = {0, 0, 255};
  const Integer order[20] = {6, 11, 1, 16, 7, 12, 2, 17, 8, 13, 3, 18, 14, 4, 19, 9, 15, 20, 10, 5};
  for (int i = 0; i < 20; ++i) {
    const int x = 450 + i * 475;
    const Integer o = order[i];
    placeIcon(o, twips(float(x)));
    f.sort_p(o);
  }
  f.number_dof();
  f.check_mechanism();
  for (int i = 1; i <= 10; ++i) {
    forces(20 + i) = {True, float(i % 3) - 0.5f, float(i * 930 + 110)};
    moments(30 + i) = {True, 0.2f * float(i), float(i * 870 + 260)};
    dist_loads(40 + i) = {True, 1.0f / float(i), float(i * 700), 2200.0f};
  }
  load_count(kForces) = load_count(kMoments) = load_count(kDistLoads) = 10;
}

// The same beam on the main window, its icons on the beam canvas.
template <class MainWindow>
void buildLargestBeam(MainWindow& f) {
  buildLargestBeam(f, [&f](Integer o, Along at) { f.Image1[o].Left = iconLeftAt(o, f.Image1[o].Width, at); });
}
