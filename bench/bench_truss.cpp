// The largest truss the model holds, solved from the menu as the user would: 50 points (two rows of 25,
// a fixed support at point 0 and a roller at the other end, so 97 free directions), 200 bars and 40 loads,
// with the matrix grids filled, the bars coloured by stress and the displaced shape drawn.
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "truss/solver/Form2.h"
#include "truss/solver/common1.h"
#include "truss/workspace/Form1.h"
#include "ui/testing.h"

namespace {

constexpr float kX0 = 2168, kY0 = 29100;

void build(Form1& f) {
  // Bottom row: points 0..24; top row: points 25..49, 1000 twips above.
  for (int i = 1; i < 25; ++i) f.Picture1_MouseUp(1, 0, kX0 + float(i) * 1000, kY0);
  for (int i = 0; i < 25; ++i) f.Picture1_MouseUp(1, 0, kX0 + float(i) * 1000 + 300, kY0 - 1000);
  auto top = [](int i) { return 25 + i; };
  std::vector<std::pair<int, int>> bars;
  for (int i = 0; i < 24; ++i) bars.push_back({i, i + 1});
  for (int i = 0; i < 24; ++i) bars.push_back({top(i), top(i + 1)});
  for (int i = 0; i < 25; ++i) bars.push_back({i, top(i)});
  for (int i = 0; i < 24; ++i) bars.push_back({i, top(i + 1)});
  for (int i = 0; i < 24; ++i) bars.push_back({top(i), i + 1});
  for (int i = 0; i + 2 < 25; ++i) bars.push_back({i, top(i + 2)});
  for (int i = 0; i + 2 < 25; ++i) bars.push_back({top(i), i + 2});
  for (int i = 0; i + 2 < 25; ++i) bars.push_back({i, i + 2});
  for (int i = 0; i + 2 < 25; ++i) bars.push_back({top(i), top(i + 2)});
  bars.resize(std::min<std::size_t>(bars.size(), 200));
  f.Option4[0].Value = true;
  for (auto [a, b] : bars) {
    f.Image1_Click(a);
    f.Image1_Click(b);
  }
  f.Option4[2].Value = true;
  f.Image1_MouseDown(24, 0, 0, 0, 0);
  f.Option4[4].Value = true;
  for (int i = 0; i < 25; ++i) f.Image1_MouseDown(top(i), 0, 0, 0, 0);
  f.Option4[6].Value = true;
  for (int i = 0; i < 15; ++i) f.Image1_MouseDown(top(i), 0, 0, 0, 0);
  f.Option4[0].Value = true;
  f.Slider2.Value = 200;
}

struct Figures {
  double mean, min, max;
};

template <class Fn>
Figures time(int runs, Fn fn) {
  std::vector<double> ms;
  for (int r = 0; r < runs; ++r) {
    auto t0 = std::chrono::steady_clock::now();
    fn();
    auto t1 = std::chrono::steady_clock::now();
    ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
  }
  double sum = 0;
  for (double v : ms) sum += v;
  return {sum / double(ms.size()), *std::min_element(ms.begin(), ms.end()), *std::max_element(ms.begin(), ms.end())};
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  ui::ScriptedServices svc;
  Form1& f = *Form1Form;
  f.Show();
  build(f);
  f.dd2.Checked = true;  // fill the grids
  f.cc1_Click();
  if (!svc.messages.empty()) {
    std::printf("bench_truss: the solve said \"%s\"\n", svc.messages[0].c_str());
    return 1;
  }
  int visible = 0;
  for (int j = 0; j < common1::lines_count; ++j) visible += f.Line1[j].Visible.get();
  std::printf("bench_truss: %d points, %d free directions, %d bars, %d loads; largest stress %.4f MPa in bar %d\n",
              int(common1::points_count), int(common1::dof_count), visible, int(common1::forces_count),
              double(common1::max_sigma), int(common1::max_sigma_line));
  const int runs = 30;
  Figures full = time(runs, [&] { f.cc1_Click(); });
  std::printf("  solve with grids, colours and shape: mean %.2f ms, min %.2f ms, max %.2f ms (%d runs)\n", full.mean,
              full.min, full.max, runs);
  f.dd2.Checked = false;
  Figures bare = time(runs, [&] { f.cc1_Click(); });
  std::printf("  solve with colours and shape, no grids: mean %.2f ms, min %.2f ms, max %.2f ms\n", bare.mean, bare.min,
              bare.max);
  Figures shape = time(runs, [&] { Form2Form->line_dx_dy(); });
  std::printf("  displaced shape redraw alone: mean %.3f ms (%zu lines)\n", shape.mean, f.Picture1.drawn().size());
  Form2Form.reset();
  Form1Form.reset();
  return 0;
}
