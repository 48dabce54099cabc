#pragma once
// The controls every window is written on. A control holds its state exactly as the program set it
// (positions and sizes in twips, captions, values, visibility); the Qt widget that shows it, when its
// window has been shown, only mirrors that state. Events are std::function slots named as the windows'
// handlers name them (Click, MouseDown, DragDrop...), with their arguments; a window wires them to its handlers, and code may equally call
// the handlers with made-up arguments.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/picture.h"
#include "ui/prop.h"

namespace ui {

class Form;
class View;

// 15 twips to a pixel at 96 dots per inch.
inline constexpr float kTwipsPerPixel = 15.0f;

// Mouse buttons and shift bits as the handlers receive them.
inline constexpr int vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4;
inline constexpr int vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4;
// Drag states of DragOver.
inline constexpr int vbEnter = 0, vbLeave = 1, vbOver = 2;
// Mouse pointer shapes used by the windows.
inline constexpr int vbDefault = 0, vbArrow = 1, vbCrosshair = 2, vbHourglass = 11, vbSizeAll = 15;

// An RGB colour as the model stores it: red in the low byte.
using Color = std::uint32_t;
constexpr Color RGB(int r, int g, int b) {
  return Color(r & 255) | (Color(g & 255) << 8) | (Color(b & 255) << 16);
}
constexpr int redOf(Color c) { return int(c & 255); }
constexpr int greenOf(Color c) { return int((c >> 8) & 255); }
constexpr int blueOf(Color c) { return int((c >> 16) & 255); }

class Control {
 public:
  // container: the control it lies on (a frame, picture box, tab control), or nullptr for the form itself.
  Control(Form* form, Control* container, std::string name);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control();

  const std::string& Name() const { return name_; }
  int Index() const { return index_; }  // -1 unless a member of a control array
  Form* form() const { return form_; }
  Control* container() const { return container_; }
  virtual const char* kind() const = 0;

  Prop<float> Left{this, 0.0f};
  Prop<float> Top{this, 0.0f};
  Prop<float> Width{this, 0.0f};
  Prop<float> Height{this, 0.0f};
  Prop<bool> Visible{this, true};
  Prop<bool> Enabled{this, true};
  Prop<std::string> Tag{this};
  Prop<std::string> ToolTipText{this};
  Prop<int> MousePointer{this, vbDefault};
  Prop<int> DragMode{this, 0};  // 1: pressing the button drags the control (automatic drag)
  Prop<std::string> FontName{this};
  Prop<float> FontSize{this, 0.0f};  // 0: the window's size
  Prop<bool> FontBold{this, false};
  Prop<bool> RightToLeft{this, false};
  Prop<Color> ForeColor{this, RGB(0, 0, 0)};
  Prop<Color> BackColor{this, RGB(236, 233, 216)};
  Prop<int> TabPage{this, 0};  // on a tab control: the tab the control lies on

  void Move(float left, float top);
  void Move(float left, float top, float width, float height);
  void SetFocus();
  // Visible by its own flag and by its containers' (not its window's, which may not be shown yet).
  bool shownInContainer() const;

  std::function<void()> Click, DblClick, GotFocus, LostFocus, Change;
  std::function<void(int Button, int Shift, float X, float Y)> MouseDown, MouseMove, MouseUp;
  std::function<void(int& KeyCode, int Shift)> KeyDown, KeyUp;
  std::function<void(int& KeyAscii)> KeyPress;
  std::function<void(Control& Source, float X, float Y, int State)> DragOver;
  std::function<void(Control& Source, float X, float Y)> DragDrop;

  // Raise an event as the user would: a missing handler is simply not called.
  void raiseClick();
  void raiseMouse(int which, int Button, int Shift, float X, float Y);  // 0 down, 1 move, 2 up
  void raiseKeyDown(int& KeyCode, int Shift);
  void raiseKeyUp(int& KeyCode, int Shift);
  void raiseKeyPress(int& KeyAscii);
  // Whether a drag reaches this control as a target: it handles DragOver (DragDrop for the drop). A
  // member of a control array handles them when the array does.
  bool handlesDrag(bool drop) const;
  void setDragProbe(std::function<bool(bool drop)> probe) { dragProbe_ = std::move(probe); }
  // Whether presses, releases and clicks on the control are its own: it handles MouseDown, MouseUp,
  // Click or DblClick (a member of a control array when the array does). A label that handles none
  // lets them through to what lies under it.
  bool handlesClicks() const;
  void setClickProbe(std::function<bool()> probe) { clickProbe_ = std::move(probe); }

  // Set by control arrays.
  void setIndex(int index) { index_ = index; }
  // The views that show the control (made when its window is shown).
  View* view() const { return view_.get(); }
  void setView(std::unique_ptr<View> v);
  void dropView();
  // Controls lying on this one, in creation order.
  const std::vector<Control*>& children() const { return children_; }
  virtual bool isContainer() const { return false; }
  // Line controls and shapes are painted by their container, under the other controls.
  virtual bool isLightweight() const { return false; }

  // Called by Prop when a value changes; subclasses fire their events here.
  virtual void propertyChanged(const void* which);

 protected:
  void syncView();

 private:
  friend class Form;
  Form* form_;
  Control* container_;
  std::string name_;
  int index_ = -1;
  std::unique_ptr<View> view_;
  std::vector<Control*> children_;
  std::function<bool(bool drop)> dragProbe_;
  std::function<bool()> clickProbe_;
};

class CommandButton : public Control {
 public:
  using Control::Control;
  const char* kind() const override { return "CommandButton"; }
  Prop<std::string> Caption{this};
  Prop<Picture> Picture_{this};
  // Setting Value to True presses the button: Click runs at once, then Value is False again.
  Prop<bool> Value{this, false, Notify::Always};
  void propertyChanged(const void* which) override;
};

class Label : public Control {
 public:
  using Control::Control;
  const char* kind() const override { return "Label"; }
  Prop<std::string> Caption{this};
  Prop<int> Alignment{this, 0};  // 0 left, 1 right, 2 centre
  Prop<bool> WordWrap{this, true};
  // A word-wrapping label whose caption was laid out with blanks, each line padded to the edge in its
  // author's font: a run of at least this many blanks ends the line there, whatever the font (0: no
  // run does). The caption keeps its blanks.
  Prop<int> LineEndBlanks{this, 0};
  Prop<int> BackStyle{this, 0};  // 0 transparent, 1 opaque
  Prop<int> BorderStyle{this, 0};
};

class TextBox : public Control {
 public:
  using Control::Control;
  const char* kind() const override { return "TextBox"; }
  // Change runs whenever Text changes, by code or by the user.
  Prop<std::string> Text{this};
  Prop<bool> MultiLine{this, false};
  Prop<bool> Locked{this, false};
  Prop<int> Alignment{this, 0};
  // The selection, in characters: setting either selects that much of the text in the box (a click's
  // handler that selects the whole text, so that typing replaces it).
  Prop<int> SelStart{this, 0, Notify::Always};
  Prop<int> SelLength{this, 0, Notify::Always};
  // Set when SelStart or SelLength was set and the box has not shown that selection yet.
  bool selectionPending = false;
  void propertyChanged(const void* which) override;
};

class CheckBox : public Control {
 public:
  using Control::Control;
  const char* kind() const override { return "CheckBox"; }
  Prop<std::string> Caption{this};
  // 0 unticked, 1 ticked, 2 grey. Setting it runs Click when the value changes.
  Prop<int> Value{this, 0};
  void propertyChanged(const void* which) override;
};

class OptionButton : public Control {
 public:
  using Control::Control;
  const char* kind() const override { return "OptionButton"; }
  Prop<std::string> Caption{this};
  // Setting it True clears the other option buttons of the same container and runs Click, when it was False.
  Prop<bool> Value{this, false};
  void propertyChanged(const void* which) override;
};

class Frame : public Control {
 public:
  using Control::Control;
  const char* kind() const override { return "Frame"; }
  bool isContainer() const override { return true; }
  Prop<std::string> Caption{this};
  Prop<int> BorderStyle{this, 1};
};

class ComboBox : public Control {
 public:
  using Control::Control;
  const char* kind() const override { return "ComboBox"; }
  void AddItem(const std::string& item);
  void Clear();
  int ListCount() const { return int(items_.size()); }
  std::string List(int i) const;
  const std::vector<std::string>& items() const { return items_; }
  // -1 for no item. Setting it shows that item's text and runs Click.
  Prop<int> ListIndex{this, -1, Notify::Always};
  Prop<std::string> Text{this};
  void propertyChanged(const void* which) override;

 private:
  std::vector<std::string> items_;
};

// The track-bar slider and the scroll bars share one model: a value kept inside Min..Max.
class RangeControl : public Control {
 public:
  using Control::Control;
  Prop<int> Min{this, 0};
  Prop<int> Max{this, 10};
  Prop<int> Value{this, 0};  // Change runs when it changes, whoever changed it
  Prop<int> SmallChange{this, 1};
  Prop<int> LargeChange{this, 5};
  Prop<int> Orientation{this, 0};  // 0 horizontal, 1 vertical
  Prop<int> BorderStyle{this, 0};
  Prop<int> TickFrequency{this, 1};
  std::function<void()> Scroll;
  // What the user's dragging does: Scroll while the thumb moves, then the value.
  void userScroll(int value);
  void propertyChanged(const void* which) override;

 private:
  void clampValue();
};

class Slider : public RangeControl {
 public:
  using RangeControl::RangeControl;
  const char* kind() const override { return "Slider"; }
};

class ScrollBar : public RangeControl {
 public:
  ScrollBar(Form* form, Control* container, std::string name, int orientation);
  const char* kind() const override { return "ScrollBar"; }
};

class Timer : public Control {
 public:
  Timer(Form* form, Control* container, std::string name);
  ~Timer() override;
  const char* kind() const override { return "Timer"; }
  Prop<int> Interval{this, 0};  // milliseconds; 0 stops the timer
  // Enabled is the base's.
  std::function<void()> Tick;  // the Timer event
  // One tick: what the clock does every Interval while the timer is enabled. Tests call it directly.
  void tick();
  bool running() const;
  void propertyChanged(const void* which) override;
};

class Image : public Control {
 public:
  using Control::Control;
  const char* kind() const override { return "Image"; }
  // A new picture resizes the image to the picture's size unless Stretch is set.
  Prop<Picture> Picture_{this};
  Prop<bool> Stretch{this, false};
  Prop<int> BorderStyle{this, 0};
  void propertyChanged(const void* which) override;
};

class LineControl : public Control {
 public:
  using Control::Control;
  const char* kind() const override { return "Line"; }
  bool isLightweight() const override { return true; }
  Prop<float> X1{this, 0.0f};
  Prop<float> Y1{this, 0.0f};
  Prop<float> X2{this, 0.0f};
  Prop<float> Y2{this, 0.0f};
  Prop<Color> BorderColor{this, RGB(0, 0, 0)};
  Prop<int> BorderWidth{this, 1};
  Prop<int> BorderStyle{this, 1};  // 1 solid, 2 dash, 3 dot ...
};

class Shape : public Control {
 public:
  using Control::Control;
  const char* kind() const override { return "Shape"; }
  bool isLightweight() const override { return true; }
  Prop<int> Shape_{this, 0};  // 0 rectangle, 1 square, 2 oval, 3 circle, 4 rounded rectangle
  Prop<Color> BorderColor{this, RGB(0, 0, 0)};
  Prop<int> BorderWidth{this, 1};
  Prop<Color> FillColor{this, RGB(0, 0, 0)};
  Prop<int> FillStyle{this, 1};  // 0 solid, 1 transparent
};

class StatusBar : public Control {
 public:
  StatusBar(Form* form, Control* container, std::string name, int panels);
  const char* kind() const override { return "StatusBar"; }
  // Panels are numbered from 1.
  struct Panel {
    explicit Panel(Control* owner) : Text(owner) {}
    Prop<std::string> Text;
  };
  Panel& Panels(int i);
  int PanelCount() const { return int(panels_.size()); }

 private:
  std::vector<std::unique_ptr<Panel>> panels_;
};

class TabControl : public Control {
 public:
  TabControl(Form* form, Control* container, std::string name, int tabs, int tabsPerRow);
  const char* kind() const override { return "SSTab"; }
  bool isContainer() const override { return true; }
  int Tabs() const { return int(captions_.size()); }
  int TabsPerRow() const { return tabsPerRow_; }
  // The current tab; setting it (by code or by a click on its caption) runs Click.
  Prop<int> Tab{this, 0};
  void setTabCaption(int tab, const std::string& caption);
  const std::string& TabCaption(int tab) const;
  void propertyChanged(const void* which) override;

 private:
  std::vector<std::string> captions_;
  int tabsPerRow_;
};

}  // namespace ui
