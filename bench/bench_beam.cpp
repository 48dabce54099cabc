// The largest beam the model holds (22 nodes: 20 node objects between two free ends; 10 forces,
// 10 moments, 10 distributed loads): every load placed again and the beam solved, as after each drop
// of a node object, with the graphs drawn and with them switched off.
#include <chrono>
#include <cstdio>

#include "beam/solver/Module20.h"
#include "beam/workspace/Form10.h"
#include "beam/workspace/Form20.h"
#include "ui/testing.h"

namespace {

void buildLargestBeam(Form20& f) {
  Module20_initialize();
  node_list(0) = {0, 0};
  node_list(1) = {0, 10000};
  for (int g = 0; g <= 2; ++g) graf_scale(g) = 0.1f;
  graf_color(0) = {0, 255, 0}, graf_color(1) = {255, 0, 0}, graf_color(2) = {0, 0, 255};
  const Integer order[20] = {6, 11, 1, 16, 7, 12, 2, 17, 8, 13, 3, 18, 14, 4, 19, 9, 15, 20, 10, 5};
  for (int i = 0; i < 20; ++i) {
    const int x = 450 + i * 475;
    const Integer o = order[i];
    f.Image1[o].Left = float(x) + 285.0f - (o <= 5 ? 180.0f : 75.0f);
    f.sort_p(o);
  }
  f.number_dof();
  f.check_mechanism();
  for (int i = 1; i <= 10; ++i) {
    forces(20 + i) = {True, float(i % 3) - 0.5f, float(i * 930 + 110)};
    moments(30 + i) = {True, 0.2f * float(i), float(i * 870 + 260)};
    dist_loads(40 + i) = {True, 1.0f / float(i), float(i * 700), 2200.0f};
  }
  load_count(1) = load_count(2) = load_count(3) = 10;
}

double run(Form20& f, int rounds) {
  const auto t0 = std::chrono::steady_clock::now();
  for (int r = 0; r < rounds; ++r) f.fer_all();
  const auto t1 = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::micro>(t1 - t0).count() / rounds;
}

}  // namespace

int main() {
  ui::ScriptedServices svc;
  Form20& f = *Form20Form;
  Form10& tools = *Form10Form;
  f.ffa.Enabled = true;
  buildLargestBeam(f);
  std::printf("bench_beam: %d nodes, %d elements, %d equations, mechanism %s\n", n_elem + 1, n_elem, free_dof,
              mechanism ? "yes" : "no");
  if (mechanism || !svc.messages.empty()) {
    Form20Form.reset();
    Form10Form.reset();
    return 1;
  }
  const int rounds = 2000;
  run(f, 50);
  const double withGraphs = run(f, rounds);
  const std::size_t segments = f.Picture3.drawn().size();
  for (int g = 0; g <= 2; ++g) tools.Check2[g].Value = 0;
  tools.Check3.Value = 0;
  run(f, 50);
  const double withoutGraphs = run(f, rounds);
  std::printf("  re-place all loads and solve, graphs drawn (%zu segments): %8.1f us\n", segments, withGraphs);
  std::printf("  re-place all loads and solve, graphs off:                 %8.1f us\n", withoutGraphs);
  const int rc = svc.messages.empty() ? 0 : 1;
  Form20Form.reset();
  Form10Form.reset();
  return rc;
}
