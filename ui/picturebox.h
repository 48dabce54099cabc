#pragma once
// The drawing surface: a picture box keeps two layers, the controls placed on it (which stay until moved
// or hidden) and the drawing made with Line, which Cls removes without touching the controls. What was
// drawn is kept as a list of segments, so tests can read back exactly what a window drew.

#include <vector>

#include "ui/control.h"

namespace ui {

// One drawing operation, with the pen the box had when it ran.
struct Segment {
  float x1, y1, x2, y2;  // twips, in the box's own coordinates
  Color color;
  int width;  // DrawWidth, pixels
  int style;  // DrawStyle 0..6
  int mode;   // DrawMode 1..16
};

class PictureBox : public Control {
 public:
  using Control::Control;
  const char* kind() const override { return "PictureBox"; }
  bool isContainer() const override { return true; }

  Prop<Picture> Picture_{this};
  Prop<int> DrawWidth{this, 1};
  Prop<int> DrawStyle{this, 0};  // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 invisible, 6 inside solid
  Prop<int> DrawMode{this, 13};  // the sixteen raster operations; 13 copies the pen, 7 is XOR
  // True: the drawing stays and is repainted when the box is uncovered; False: it is lost then.
  Prop<bool> AutoRedraw{this, false};
  Prop<int> BorderStyle{this, 1};
  Prop<bool> AutoSize{this, false};

  // The inner size: the outer size less the border.
  float ScaleWidth() const;
  float ScaleHeight() const;

  void Cls();
  void Line(float x1, float y1, float x2, float y2, Color color);
  const std::vector<Segment>& drawn() const { return drawn_; }
  // Counts every Cls, Line and lost drawing, so a check can tell that the drawing changed, even when
  // it was made again identically.
  unsigned revision() const { return revision_; }
  // The view's report that a drawing without AutoRedraw was uncovered and so is gone.
  void drawingLost() {
    ++revision_;
    drawn_.clear();
  }

  void propertyChanged(const void* which) override;

 private:
  std::vector<Segment> drawn_;
  unsigned revision_ = 0;
};

}  // namespace ui
