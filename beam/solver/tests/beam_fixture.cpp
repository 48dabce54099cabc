#include "beam_fixture.h"

#include "beam/solver/tests/largest_beam.h"

using namespace Module20;

void BeamFixture::SetUp() {
  Module20_initialize();
  node_list(0) = {0, 0};
  node_list(1) = {0, 10000};
  for (int i = 1; i <= 10; ++i) {
    forces(20 + i).value = 1;
    moments(30 + i).value = 1;
    dist_loads(40 + i).value = 1;
  }
  graf_color(0) = {0, 255, 0};
  graf_color(1) = {255, 0, 0};
  graf_color(2) = {0, 0, 255};
  for (int g = 0; g <= 2; ++g) graf_scale(g) = 0.1f;
}

void BeamFixture::node(Integer index, int x) {
  s.left(index) = iconLeftAt(index, s.icon_width(index), twips(float(x)));
  f->sort_p(index);
}

void BeamFixture::largestBeam() {
  buildLargestBeam(s, [this](Integer o, Along at) { s.left(o) = iconLeftAt(o, s.icon_width(o), at); });
}

void BeamFixture::build() {
  f->number_dof();
  f->check_mechanism();
}

void BeamFixture::force(Integer obj, float x, float value) {
  forces(obj) = {True, value, x};
  ++load_count(kForces);
}

void BeamFixture::moment(Integer obj, float x, float value) {
  moments(obj) = {True, value, x};
  ++load_count(kMoments);
}

void BeamFixture::dist(Integer obj, float x, float span, float value) {
  dist_loads(obj) = {True, value, x, span};
  ++load_count(kDistLoads);
}

BeamFixture::Values BeamFixture::at(int x) {
  f->point_graf(Integer(x));
  return {V_x, M_x, def_x};
}

std::vector<int> BeamFixture::dofs(int e) {
  return {elem(e).dof(1), elem(e).dof(2), elem(e).dof(3), elem(e).dof(4)};
}

std::vector<Integer> BeamFixture::objects() {
  std::vector<Integer> o;
  for (int i = 0; i <= n_elem; ++i) o.push_back(node_list(i).obj);
  return o;
}
