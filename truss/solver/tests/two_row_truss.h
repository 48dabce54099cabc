#pragma once
// A truss of two rows of points built through the editor's handlers, as the user's clicks would: a
// fixed support at point 0 and a roller moving in x at the bottom row's other end, bars between
// neighbours and next-but-one points of both rows, loads down on the whole top row and to the right on
// most of it. 50 points and 200 bars give 97 free directions, the largest truss the model holds.

#include <algorithm>
#include <utility>
#include <vector>

#include "truss/workspace/Form1.h"

namespace truss_test {

// Builds the truss on the freshly reset main window f; returns the number of bars made.
inline int buildTwoRowTruss(Form1& f, int points, int max_bars) {
  constexpr float kX0 = Form1::kOriginX, kY0 = Form1::kOriginY;
  const int bottom = (points + 1) / 2, top_count = points - bottom;
  // Bottom row: points 0..bottom-1; top row 1000 twips above it, shifted by 300.
  for (int i = 1; i < bottom; ++i) f.Picture1_MouseUp(1, 0, kX0 + float(i) * 1000, kY0);
  for (int i = 0; i < top_count; ++i) f.Picture1_MouseUp(1, 0, kX0 + float(i) * 1000 + 300, kY0 - 1000);
  auto top = [&](int i) { return bottom + i; };
  std::vector<std::pair<int, int>> bars;
  for (int i = 0; i + 1 < bottom; ++i) bars.push_back({i, i + 1});
  for (int i = 0; i + 1 < top_count; ++i) bars.push_back({top(i), top(i + 1)});
  for (int i = 0; i < top_count; ++i) bars.push_back({i, top(i)});
  for (int i = 0; i + 1 < top_count; ++i) bars.push_back({i, top(i + 1)});
  for (int i = 0; i < top_count && i + 1 < bottom; ++i) bars.push_back({top(i), i + 1});
  for (int i = 0; i + 2 < top_count; ++i) bars.push_back({i, top(i + 2)});
  for (int i = 0; i < top_count && i + 2 < bottom; ++i) bars.push_back({top(i), i + 2});
  for (int i = 0; i + 2 < bottom; ++i) bars.push_back({i, i + 2});
  for (int i = 0; i + 2 < top_count; ++i) bars.push_back({top(i), top(i + 2)});
  bars.resize(std::min<std::size_t>(bars.size(), std::size_t(std::clamp(max_bars, 0, 200))));
  f.Option4[0].Value = true;
  for (auto [a, b] : bars) {
    f.Image1_Click(a);
    f.Image1_Click(b);
  }
  f.Option4[2].Value = true;
  f.Image1_MouseDown(bottom - 1, 0, 0, 0, 0);
  f.Option4[4].Value = true;
  for (int i = 0; i < top_count; ++i) f.Image1_MouseDown(top(i), 0, 0, 0, 0);
  f.Option4[6].Value = true;
  for (int i = 0; i < top_count * 3 / 5; ++i) f.Image1_MouseDown(top(i), 0, 0, 0, 0);
  f.Option4[0].Value = true;
  return int(bars.size());
}

}  // namespace truss_test
