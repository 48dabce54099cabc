// Long simulation runs with traces: a unit force travels across a simply supported beam at the
// smallest step, the graphs of every position kept on the graph canvas, 2,000 ticks in all (three
// runs, each starting from a cleared canvas). Reports the time of a tick as the traces pile up and
// what the canvas holds at the end of a run.
#include <chrono>
#include <cstdio>

#include "beam/solver/Module20.h"
#include "beam/workspace/Form10.h"
#include "beam/workspace/Form20.h"
#include "beam/workspace/frmSplash.h"
#include "beam/workspace/frmTip.h"
#include "ui/testing.h"

using namespace Module20;

namespace {

void dropAt(Form20& f, int k, float left, float y) {
  f.image1_MouseMove(k, 0, 0, 0, 0);
  f.picture7_DragDrop(f.Image1[k], left, y);
}

}  // namespace

int main() {
  ui::ScriptedServices svc;
  Form20& f = *Form20Form;
  Form10& tools = *Form10Form;
  f.Load();
  dropAt(f, 1, 50, 1800);
  dropAt(f, 2, 10000, 1800);
  dropAt(f, 21, 1000, 1200);
  svc.messages.clear();  // the beam on its first support alone was a mechanism
  tools.Check1.Value = 1;  // with traces
  tools.Slider2.Value = 1;  // 15 twips a tick
  tools.Text4[0].Text = "0";
  tools.Text4[1].Text = "1";
  int ticks = 0, runs = 0;
  std::size_t largest = 0;
  double slowest = 0, total = 0;
  while (ticks < 2000 && runs < 10) {
    tools.Command11.Value = true;
    ++runs;
    while (tools.Timer1.Enabled && ticks < 2000) {
      const auto t0 = std::chrono::steady_clock::now();
      tools.Timer1.tick();
      const double us = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count();
      total += us;
      if (us > slowest) slowest = us;
      ++ticks;
    }
    if (f.Picture3.drawn().size() > largest) largest = f.Picture3.drawn().size();
  }
  std::printf("bench_simulation: %d ticks with traces in %d runs\n", ticks, runs);
  std::printf("  a tick: %8.1f us on average, %8.1f us at most\n", total / ticks, slowest);
  std::printf("  the canvas at the end of a run: %zu segments, %.1f MB\n", largest,
              double(largest * sizeof(ui::Segment)) / (1 << 20));
  for (const std::string& m : svc.messages) std::printf("  message: %s\n", m.c_str());
  const int rc = svc.messages.empty() ? 0 : 1;
  Form20Form.reset();
  Form10Form.reset();
  frmSplashForm.reset();
  frmTipForm.reset();
  return rc;
}
