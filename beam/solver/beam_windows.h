#pragma once
// What the solve needs of the beam program's windows: the main window answers each of these for the
// graph canvas, the readout, the icons and the tool window, so the solver itself includes no window.

#include <string>

#include "beam/solver/Module20.h"

class BeamWindows {
 public:
  virtual ~BeamWindows() = default;

  // The solution is gone: graphs, readout and extremes are emptied (a traced run keeps its traces).
  virtual void forget_solution() = 0;
  // Stops a running simulation before a failure is reported, so no tick comes inside the message box.
  virtual void stop_simulation() = 0;

 protected:
  // Tells the user why the beam cannot be solved (a mechanism, " singular ") in a message box with OK.
  virtual void show_message(const std::string& text) = 0;
  // The tool window's simulation clock runs.
  virtual bool simulation_running() = 0;
  // A running simulation draws with traces: the graph canvas is not cleared between its steps.
  virtual bool traces_kept() = 0;
  // The cursor readout is switched on, and the x of the cursor on the graph canvas.
  virtual bool readout_on() = 0;
  virtual Integer cursor_x() = 0;
  virtual void clear_extremes() = 0;
  // Graph g (0 shear, 1 moment, 2 deflection) is switched on; the graph step in units of 15 twips.
  virtual bool graph_on(int g) = 0;
  virtual int graph_step() = 0;
  // The graph canvas: its height, emptied, and one stroke of a graph in its colour.
  virtual float graph_height() = 0;
  virtual void clear_graphs() = 0;
  virtual void draw_graph(float x1, float y1, float x2, float y2, const Module20::color_rec& color) = 0;
  // The readout's box of graph g shows text.
  virtual void show_value(int g, const std::string& text) = 0;
  // The icon of object index on the beam canvas (its Left and Width in canvas twips).
  virtual bool has_icon(Integer index) = 0;
  virtual float icon_left(Integer index) = 0;
  virtual float icon_width(Integer index) = 0;
  virtual void set_icon_left(Integer index, float left) = 0;
};
