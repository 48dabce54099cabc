#pragma once
// What the model side knows of a widget: that it can be brought up to date. The Qt side (views.cpp)
// makes the views; nothing here includes Qt.

namespace ui {

class Control;
struct Segment;

class View {
 public:
  virtual ~View() = default;
  // The control's state changed: show it.
  virtual void sync() = 0;
  // A line control or shape lying on this container changed: repaint.
  virtual void childChanged(Control& child) {}
  // A picture box drew a segment, or was cleared (nullptr).
  virtual void drawn(const Segment* segment) {}
};

// Set by the Qt side while windows are shown: makes the view of a control created after its window.
using ViewFactory = void (*)(Control&);
void setViewFactory(ViewFactory f);
ViewFactory viewFactory();

}  // namespace ui
