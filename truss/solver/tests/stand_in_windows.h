#pragma once
// The windows as the window-free truss solver sees them, played by a stand-in: bar lines and point
// markers set by the test, and the K and u cells and the messages the solver shows, recorded.

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "truss/solver/truss_windows.h"

namespace truss_test {

struct StandInWindows : TrussWindows {
  std::map<int, LineEnds> lines;  // bar slot -> its line's ends
  std::vector<int> shown;         // the points whose markers show
  bool grids = false;
  std::map<std::pair<long, long>, std::string> K;
  std::map<long, std::string> u;
  std::vector<std::string> messages;

  bool has_line(int l) const override { return lines.count(l) != 0; }
  LineEnds line_ends(int l) const override { return lines.at(l); }
  bool point_shown(int p) const override {
    for (int s : shown)
      if (s == p) return true;
    return false;
  }
  bool grids_wanted() const override { return grids; }
  void show_K(long i, long j, const std::string& text) override { K[{i, j}] = text; }
  void show_u(long i, const std::string& text) override { u[i] = text; }
  void message(const std::string& text) override { messages.push_back(text); }
};

}  // namespace truss_test
