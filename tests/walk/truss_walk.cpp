// A random walk of user events over the truss program: whatever the user does, every bar joins two live
// points, the counts stay within their tables, and a solution shown belongs to the truss on the canvas.
#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>
#include <filesystem>

#include <unistd.h>
#include <sstream>

#include "tests/walk/truss_aim.h"
#include "tests/walk/walker.h"
#include "truss/solver/tests/truss_fixture.h"
#include "truss/workspace/Form3.h"

namespace {

using namespace common1;
using truss_walk::trussInputs;

std::string num(double v) {
  std::ostringstream o;
  o << v;
  return o.str();
}

struct TrussWatch {
  walk::Shown shape, colours;
  // How far the walk got: for the report of a long walk.
  long shapes = 0, colouredEvents = 0, solvedEvents = 0, solves = 0;
  int mostPoints = 0, mostBars = 0, mostSolvedPoints = 0, mostSolvedBars = 0;
  bool wasSolved = false;

  // A new run of the program: nothing was drawn yet.
  void restart() {
    shape.forget();
    colours.forget();
    wasSolved = false;
  }

  std::string check() {
    // While the main window loads (its splash up), the model is not made yet.
    if (!Form1Form.exists() || !Form1Form->loaded() || !Form1Form->Visible.get()) return "";
    Form1& f = *Form1Form;
    if (points_count < 1 || points_count > 50) return "points_count is " + std::to_string(points_count);
    if (lines_count < 0 || lines_count > 200) return "lines_count is " + std::to_string(lines_count);
    if (forces_count < 0 || forces_count > 40) return "forces_count is " + std::to_string(forces_count);
    if (supports_count < 201 || supports_count > 300) return "supports_count is " + std::to_string(supports_count);
    for (int p = 0; p <= 49; ++p)
      if (f.live_point(p) && p >= points_count) return "point " + std::to_string(p) + " lies beyond points_count";
    // Slots past the high-water mark (and the one a bar being drawn takes) hold nothing.
    for (int j = 0; j <= std::min(200, lines_count + 1); ++j) {
      const bool visible = f.Line1.exists(j) && f.Line1[j].Visible.get();
      const bool drawing = f.bar_pending == 1 && j == f.bar_index;
      int first = -1, second = -1, ends = 0;
      for (int p = 0; p <= 50; ++p) {
        if (P_L_index(j, p, 0) == -1) {
          ++ends;
          (P_L_index(j, p, 1) == -1 ? second : first) = p;
        } else if (P_L_index(j, p, 1) != 0) {
          return "bar " + std::to_string(j) + " has a second end at point " + std::to_string(p) + " without an end there";
        }
      }
      if (!visible) {
        if (ends) return "hidden bar " + std::to_string(j) + " still has " + std::to_string(ends) + " ends in the incidence table";
        continue;
      }
      // The bar being drawn takes the next slot and has its first end only.
      if (drawing) {
        if (j > lines_count) return "the bar being drawn, " + std::to_string(j) + ", lies beyond lines_count";
        if (ends != 1 || first < 0 || !f.live_point(first)) return "the bar being drawn, " + std::to_string(j) + ", has no live first end";
        continue;
      }
      if (j >= lines_count) return "bar " + std::to_string(j) + " is shown beyond lines_count";
      if (ends != 2 || first < 0 || second < 0)
        return "bar " + std::to_string(j) + " has " + std::to_string(ends) + " ends in the incidence table";
      if (!f.live_point(first) || !f.live_point(second))
        return "bar " + std::to_string(j) + " ends at a point that is gone (" + std::to_string(first) + ", " +
               std::to_string(second) + ")";
      const ui::LineControl& l = f.Line1[j];
      if (std::abs(l.X1 - P_data(first).x) > 1 || std::abs(l.Y1 - P_data(first).y) > 1 ||
          std::abs(l.X2 - P_data(second).x) > 1 || std::abs(l.Y2 - P_data(second).y) > 1)
        return "bar " + std::to_string(j) + " is drawn from " + num(l.X1) + "," + num(l.Y1) + " to " + num(l.X2) + "," +
               num(l.Y2) + " but joins point " + std::to_string(first) + " at " + num(P_data(first).x) + "," +
               num(P_data(first).y) + " and point " + std::to_string(second) + " at " + num(P_data(second).x) + "," +
               num(P_data(second).y);
    }
    // Loads and supports in use (below their counts) stand on live points, and every arrow or support
    // marker shown is one of them.
    for (int i = 0; i <= 39; ++i) {
      const bool used = i < forces_count && F_data(i).Enabled;
      if (used && !f.live_point(F_data(i).point_index))
        return "load " + std::to_string(i) + " acts on point " + std::to_string(F_data(i).point_index) + ", which is gone";
      if (!used && f.Picture2.exists(i) && f.Picture2[i].Visible.get()) return "the arrow of load " + std::to_string(i) + " shows a load that is gone";
    }
    for (int i = 201; i <= 299; ++i) {
      const bool used = i < supports_count && R_data(i).Enabled;
      if (used && !f.live_point(R_data(i).point_index))
        return "support " + std::to_string(i) + " holds point " + std::to_string(R_data(i).point_index) + ", which is gone";
      if (!used && f.Image1.exists(i) && f.Image1[i].Visible.get()) return "the marker of support " + std::to_string(i) + " shows a support that is gone";
    }

    int points = 0, bars = 0;
    for (int p = 0; p <= 49; ++p) points += f.live_point(p);
    for (int j = 0; j < lines_count; ++j) bars += f.Line1.exists(j) && f.Line1[j].Visible.get();
    mostPoints = std::max(mostPoints, points);
    mostBars = std::max(mostBars, bars);
    // A solution standing: the truss it belongs to is the points its bars reach.
    const bool solved = Form2Form.exists() && Form2Form->solution_current;
    if (solved) {
      ++solvedEvents;
      solves += !wasSolved;
      bool reached[51] = {};
      int solvedBars = 0;
      for (int j = 0; j < lines_count && j <= 200; ++j) {
        if (!truss_walk::finishedBar(f, j)) continue;
        ++solvedBars;
        for (int p = 0; p <= 50; ++p) reached[p] = reached[p] || P_L_index(j, p, 0) == -1;
      }
      mostSolvedPoints = std::max(mostSolvedPoints, int(std::count(std::begin(reached), std::end(reached), true)));
      mostSolvedBars = std::max(mostSolvedBars, solvedBars);
    }
    wasSolved = solved;
    if (!f.Picture1.drawn().empty()) ++shapes;

    // A solution shown: the displaced shape on the canvas, the bars coloured by their forces.
    const std::string inputs = trussInputs(f);
    shape.note(std::to_string(f.Picture1.revision()), inputs);
    if (!f.Picture1.drawn().empty() && !shape.current(inputs)) return "the displaced shape belongs to an earlier truss";
    std::string now;
    bool coloured = false;
    for (int j = 0; j < lines_count && j <= 200; ++j) {
      if (!f.Line1.exists(j) || !f.Line1[j].Visible.get()) continue;
      const ui::Color c = f.Line1[j].BorderColor.get();
      now += std::to_string(j) + ":" + std::to_string(c) + ",";
      if (c != ui::RGB(0, 0, 0) && c != ui::RGB(255, 255, 255)) {
        coloured = true;
        if (!std::isfinite(line_t(j))) return "bar " + std::to_string(j) + " is coloured from a force that is not finite";
      }
    }
    colours.note(now, inputs);
    if (coloured) ++colouredEvents;
    if (coloured && !std::isfinite(max_sigma)) return "the bars are coloured from a largest stress that is not finite";
    if (coloured && !colours.current(inputs)) return "the bar colours belong to an earlier truss";
    return "";
  }
};

struct TrussWalk : ::testing::Test {
  // The program's folder, where its file window opens and saves.
  std::filesystem::path dir = std::filesystem::temp_directory_path() / ("kesvo-truss-walk-" + std::to_string(getpid()));
  std::string home;
  // The file window opens in the home folder: the walk's folder stands in for it.
  void SetUp() override {
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    if (const char* h = std::getenv("HOME")) home = h;
    setenv("HOME", dir.c_str(), 1);
  }
  void TearDown() override {
    setenv("HOME", home.c_str(), 1);
    std::filesystem::remove_all(dir);
  }
};

TEST_F(TrussWalk, NoEventBreaksTheTrussOrShowsAStaleOrNonFiniteResult) {
  walk::Settings settings = walk::Settings::fromEnvironment(3000, 20261210);
  TrussWatch watch;
  walk::Walk* self = nullptr;
  walk::Walk w(
      settings,
      [&]() -> ui::Form& {
        self->services().folder = dir.string();
        Form2Form.reset();
        Form1Form.reset();
        frmTrussSplashForm.reset();
        Form3Form.reset();
        truss_test::resetModel();
        watch.restart();
        Form1Form->Show();
        return *Form1Form;
      },
      [&] { return watch.check(); });
  self = &w;
  truss_walk::TrussAim aim;
  w.setAim(0.4, [&aim](walk::Walk& walk) { return aim.step(walk); });
  std::string failure = w.run();
  EXPECT_EQ(failure, "");
  std::printf(
      "truss walk, seed %llu: %s\n  events with a displaced shape %ld, with coloured bars %ld, with a solution %ld (%ld solves); "
      "most points %d, most bars %d; the largest solved truss %d points, %d bars\n",
      (unsigned long long)settings.seed, w.statistics().c_str(), watch.shapes, watch.colouredEvents, watch.solvedEvents,
      watch.solves, watch.mostPoints, watch.mostBars, watch.mostSolvedPoints, watch.mostSolvedBars);
  walk::Walk::closeAll();
  Form2Form.reset();
  Form1Form.reset();
  frmTrussSplashForm.reset();
  Form3Form.reset();
}

}  // namespace
