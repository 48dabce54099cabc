#pragma once
// What the truss's solver (common1, solve1) needs of the program's windows: the bars' lines and the
// points' markers on the main window's canvas, whether the data window's grids are filled, those grids'
// K and u cells, and a message box. The data window answers for itself and the main window
// (Form2_windows.cpp), so the solver includes no window and its tests need none.

#include <string>

class TrussWindows {
 public:
  virtual ~TrussWindows() = default;

  // Bar slot l has a line control on the canvas, and the line's first and second end in canvas twips.
  struct LineEnds {
    float x1, y1, x2, y2;
  };
  virtual bool has_line(int l) const = 0;
  virtual LineEnds line_ends(int l) const = 0;
  // Point p's marker shows on the canvas: the point exists.
  virtual bool point_shown(int p) const = 0;
  // "עידכון הנתונים בכול פתרון" is ticked: the solve writes its matrices into the data window's grids.
  virtual bool grids_wanted() const = 0;
  // Cell (i, j) of the K grid and row i of the u grid, both from 1.
  virtual void show_K(long i, long j, const std::string& text) = 0;
  virtual void show_u(long i, const std::string& text) = 0;
  virtual void message(const std::string& text) = 0;
};
