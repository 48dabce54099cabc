// The largest beam the model holds (buildLargestBeam: 22 nodes, 30 loads): every load placed again and
// the beam solved, as after each drop of a node object, with the graphs drawn and with them switched off.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "beam/solver/Module20.h"
#include "beam/solver/tests/largest_beam.h"
#include "beam/workspace/Form10.h"
#include "beam/workspace/Form20.h"
#include "ui/testing.h"

using namespace Module20;

namespace {

// Microseconds per solve: the median and the best of batches of solves, so that the figures hold on a
// machine that other work shares.
struct Figures {
  double median, best;
};

Figures run(Form20& f) {
  constexpr int kBatches = 31, kRounds = 200;
  std::vector<double> us;
  for (int b = 0; b < kBatches; ++b) {
    const auto t0 = std::chrono::steady_clock::now();
    for (int r = 0; r < kRounds; ++r) f.fer_all();
    const auto t1 = std::chrono::steady_clock::now();
    us.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count() / kRounds);
  }
  std::sort(us.begin(), us.end());
  return {us[us.size() / 2], us.front()};
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
  run(f);
  const Figures withGraphs = run(f);
  const std::size_t segments = f.Picture3.drawn().size();
  for (int g = 0; g <= 2; ++g) tools.Check2[g].Value = 0;
  tools.Check3.Value = 0;
  const Figures withoutGraphs = run(f);
  std::printf("  re-place all loads and solve, graphs drawn (%zu segments): median %6.1f us, best %6.1f us\n", segments,
              withGraphs.median, withGraphs.best);
  std::printf("  re-place all loads and solve, graphs off:                 median %6.1f us, best %6.1f us\n",
              withoutGraphs.median, withoutGraphs.best);
  const int rc = svc.messages.empty() ? 0 : 1;
  Form20Form.reset();
  Form10Form.reset();
  return rc;
}
