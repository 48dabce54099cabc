// Trusses of growing size (two rows of points, truss_test::buildTwoRowTruss) solved from the menu as the
// user would, the bars coloured by stress and the displaced shape drawn, once with the matrix grids
// filled and once without.
//
//   bench_truss                 10, 25 and 50 points with four bars a point (the 50-point truss has 97
//                               free directions and 200 bars, the largest the model holds)
//   bench_truss POINTS BARS     that size only
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "truss/solver/Form2.h"
#include "truss/solver/common1.h"
#include "truss/solver/tests/two_row_truss.h"
#include "truss/workspace/Form1.h"
#include "ui/testing.h"

namespace {

// Milliseconds per call: the median and the best of batches of calls (each batch about 5 ms, some half
// a second in all), so that the figures hold on a machine that other work shares.
struct Figures {
  double median, best;
};

template <class Fn>
Figures time(Fn fn) {
  fn();
  const auto t0 = std::chrono::steady_clock::now();
  fn();
  const double once = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
  const int per_batch = std::clamp(int(5 / std::max(once, 1e-4)), 1, 5000);
  std::vector<double> ms;
  double total = 0;
  while (total < 500 || ms.size() < 9) {
    const auto b0 = std::chrono::steady_clock::now();
    for (int r = 0; r < per_batch; ++r) fn();
    const double batch = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - b0).count();
    ms.push_back(batch / per_batch);
    total += batch;
  }
  std::sort(ms.begin(), ms.end());
  return {ms[ms.size() / 2], ms.front()};
}

// Solves one truss of the given size; false when the solve refused it.
bool measure(ui::ScriptedServices& svc, int points, int max_bars) {
  Form2Form.reset();
  Form1Form.reset();
  svc.messages.clear();
  Form1& f = *Form1Form;
  f.Show();
  const int made = truss_test::buildTwoRowTruss(f, points, max_bars);
  f.Slider2.Value = 200;
  f.dd2.Checked = true;
  f.cc1_Click();
  if (!svc.messages.empty()) {
    std::printf("bench_truss: %d points, %d bars: the solve said \"%s\"\n", points, made, svc.messages[0].c_str());
    return false;
  }
  std::printf("%3d points, %3d free directions, %3d bars, %3d loads; largest stress %9.4f MPa in bar %3d\n",
              int(common1::points_count), int(common1::dof_count), made, int(common1::forces_count),
              double(common1::max_sigma), int(common1::max_sigma_line));
  const Figures full = time([&] { f.cc1_Click(); });
  f.dd2.Checked = false;
  const Figures bare = time([&] { f.cc1_Click(); });
  std::printf("    solve with grids:    median %7.3f ms, best %7.3f ms\n", full.median, full.best);
  std::printf("    solve without grids: median %7.3f ms, best %7.3f ms\n", bare.median, bare.best);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  int qt_argc = 1;
  QApplication app(qt_argc, argv);
  ui::ScriptedServices svc;
  std::printf("bench_truss: per solve, with the bars coloured by stress and the displaced shape drawn\n");
  bool ok = true;
  if (argc >= 3) {
    ok = measure(svc, std::clamp(std::atoi(argv[1]), 2, 50), std::clamp(std::atoi(argv[2]), 1, 200));
  } else {
    for (int points : {10, 25, 50}) ok = measure(svc, points, 4 * points) && ok;
  }
  Form2Form.reset();
  Form1Form.reset();
  return ok ? 0 : 1;
}
