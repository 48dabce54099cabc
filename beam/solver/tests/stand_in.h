#pragma once
// The beam program's windows played by a stand-in, so that the solver's tests link no window: it
// answers what the solver asks as the windows do after start-up (every graph on, graph step 2, the
// readout on with its cursor at x 3495, a graph canvas 3960 twips high, icons as wide as the main
// window's) and records what the solver tells them.

#include <string>
#include <vector>

#include "beam/solver/beam_solver.h"

struct StandIn : BeamSolver {
  struct Stroke {
    float x1, y1, x2, y2;
    Module20::color_rec color;
  };

  std::vector<std::string> messages;  // the message boxes shown, in order
  std::vector<std::string> calls;     // what the solver asked the windows to do, in order
  bool running = false;               // the simulation clock runs
  bool traces = false;                // a run keeps its traces
  bool readout = true;
  Integer cursor = 3495;
  bool graphs[3] = {true, true, true};  // shear, moment, deflection switched on
  int step = 2;
  float height = 3960;
  std::vector<Stroke> strokes;  // the graph canvas
  std::string shown[3];         // the readout's boxes of shear, moment, deflection
  ui::Array<float, 1, Module20::kObjects> left;  // the icons' Left

  void forget_solution() override {
    calls.push_back("forget");
    if (!(running && traces)) strokes.clear();
    for (std::string& s : shown) s.clear();
  }
  void stop_simulation() override {
    calls.push_back("stop");
    running = false;
  }
  void show_message(const std::string& text) override {
    calls.push_back("message");
    messages.push_back(text);
  }
  bool simulation_running() override { return running; }
  bool traces_kept() override { return traces; }
  bool readout_on() override { return readout; }
  Integer cursor_x() override { return cursor; }
  void clear_extremes() override { calls.push_back("clear extremes"); }
  bool graph_on(int g) override { return g >= 0 && g <= 2 && graphs[g]; }
  int graph_step() override { return step; }
  float graph_height() override { return height; }
  void clear_graphs() override {
    calls.push_back("clear graphs");
    strokes.clear();
  }
  void draw_graph(float x1, float y1, float x2, float y2, const Module20::color_rec& color) override {
    strokes.push_back({x1, y1, x2, y2, color});
  }
  void show_value(int g, const std::string& text) override {
    if (g >= 0 && g <= 2) shown[g] = text;
  }
  bool has_icon(Integer index) override { return left.contains(index); }
  float icon_left(Integer index) override { return left(index); }
  // The main window's icons: a support 360 twips wide, the other node objects 150, a force 120, a
  // moment 270, a distributed load 500.
  float icon_width(Integer index) override {
    using Module20::Kind;
    switch (Module20::kind_of(index)) {
      case Kind::support: return 360;
      case Kind::force: return 120;
      case Kind::moment: return 270;
      case Kind::dist: return 500;
      default: return 150;
    }
  }
  void set_icon_left(Integer index, float l) override { left(index) = l; }
};
