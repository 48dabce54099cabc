#pragma once
// What the view files of the forms layer share: conversions, the routing of mouse events and drags
// (drag.cpp), the base view and the widgets that hand their mouse events to their control, and the
// makers of each family's views. Only ui/ includes this.

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "ui/dispatch.h"
#include "ui/views.h"

namespace ui {

class Menu;

// The property naming the control a widget shows.
extern const char* const kControlProp;

QString qs(const std::string& s);
float toTwips(qreal pixels);
Qt::CursorShape cursorOf(int pointer);
int mouseButtons(Qt::MouseButtons b);   // as buttons 1, 2, 4
int shiftBits(Qt::KeyboardModifiers m);  // as shift bits 1, 2, 4
QFont fontFor(Control& c);

// A text's own reading order: right to left when it begins with a Hebrew letter (after blanks), left to
// right when it holds none (numbers, Latin words), whatever the direction of the control showing it,
// so that "שם המשתנה=" shows its "=" at its left and "-0.5" its sign at its left. A text that holds
// Hebrew but begins otherwise keeps the control's direction: a right-to-left "1.  חלוקת הקורה:" is a
// numbered Hebrew sentence, a left-to-right "=כוח תגובה" was written to show its "=" at the left.
Qt::LayoutDirection readingOrder(const QString& s, Qt::LayoutDirection control);
// The text isolated in its reading order, for widgets whose style lays out their text in the widget's
// own direction (check boxes, option buttons, grid headers).
QString inReadingOrder(const QString& s, Qt::LayoutDirection control);
// A number too wide for its room (a box the user is not in, a grid cell), as it shows: rounded half
// away from zero to as many decimals as fit (roundDecimals), so that its sign and its whole integer part
// always show and its last digit is right. fits tells whether a text fits, measured as Qt draws it.
// Other texts, and numbers whose integer part alone is too wide, come back as they are (shown from
// their start).
QString fittedNumber(const QString& s, const std::function<bool(const QString&)>& fits);
// The width Qt lays a one-line text out in (what its item views and line edits compare with their room),
// in fractions of a pixel.
qreal naturalWidth(const QString& s, const QFont& font, Qt::LayoutDirection direction);
// Where a control's text stands (Alignment 0 left, 1 right, 2 centre), as an absolute alignment that
// a text of either reading order keeps: a right-to-left control mirrors left and right.
Qt::Alignment shownAlignment(int alignment, bool rightToLeft);

// Mouse handling shared by every widget that shows a control (which 0 press, 1 move, 2 release): the
// control's own event runs, or the drag it starts, and the event never goes on to the container.
void mouseEvent(Control& c, QWidget* w, int which, QMouseEvent* e);
// A drag from c is under way.
bool draggingFrom(const Control& c);
// The window of a form goes: a drag from it ends.
void endDragsOf(Form& form);

// What a widget of the layer knows of the control it shows; cut when the view goes, so that events the
// widget still receives before Qt deletes it (a double click's second half on a button whose first click
// unloaded its window, a focus change while a window is destroyed) reach no control that is gone.
struct ControlHook {
  Control* control = nullptr;
};

class QtView : public View {
 public:
  QtView(Control& c, QWidget* w) : c_(c), w_(w) {
    w->setProperty(kControlProp, QVariant::fromValue<void*>(&c));
    w->setMouseTracking(true);
    w->setAttribute(Qt::WA_Hover, false);
  }
  ~QtView() override {
    if (!w_) return;
    w_->disconnect();
    w_->setProperty(kControlProp, QVariant::fromValue<void*>(nullptr));
    if (auto* h = dynamic_cast<ControlHook*>(w_.data())) h->control = nullptr;
    w_->deleteLater();
  }
  void sync() override {
    if (!w_) return;
    syncCommon();
    syncOwn();
  }
  QWidget* widget() const { return w_; }

 protected:
  virtual void syncOwn() {}
  void syncCommon() {
    QRect g(px(c_.Left), px(c_.Top), std::max(0, px(c_.Width)), std::max(0, px(c_.Height)));
    if (w_->geometry() != g) w_->setGeometry(g);
    bool onTab = true;
    if (auto* tab = dynamic_cast<TabControl*>(c_.container())) onTab = c_.TabPage.get() == tab->Tab.get();
    bool vis = c_.Visible.get() && onTab;
    if (w_->isVisibleTo(w_->parentWidget()) != vis) w_->setVisible(vis);
    w_->setEnabled(c_.Enabled.get());
    QString tip = qs(c_.ToolTipText);
    if (w_->toolTip() != tip) w_->setToolTip(tip);
    // The default pointer is the container's, so a window's hourglass shows over its controls too.
    if (c_.MousePointer.get() == vbDefault)
      w_->unsetCursor();
    else
      w_->setCursor(cursorOf(c_.MousePointer));
    QFont f = fontFor(c_);
    if (w_->font() != f) w_->setFont(f);
    const Qt::LayoutDirection dir = direction();
    if (w_->layoutDirection() != dir) w_->setLayoutDirection(dir);
  }
  // The widget's direction: the control's, unless the view lays its text out in the text's own order.
  virtual Qt::LayoutDirection direction() const { return c_.RightToLeft.get() ? Qt::RightToLeft : Qt::LeftToRight; }
  Control& c_;
  QPointer<QWidget> w_;
};

template <class Base>
class Hooked : public Base, public ControlHook {
 public:
  using Base::Base;

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    QPointer<QWidget> self(this);
    if (control) mouseEvent(*control, this, 0, e);
    if (self) Base::mousePressEvent(e);
    e->accept();
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    QPointer<QWidget> self(this);
    if (control) mouseEvent(*control, this, 1, e);
    if (self) Base::mouseMoveEvent(e);
    e->accept();
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    QPointer<QWidget> self(this);
    if (control) mouseEvent(*control, this, 2, e);
    if (self) Base::mouseReleaseEvent(e);
    e->accept();
  }
  void focusInEvent(QFocusEvent* e) override {
    Base::focusInEvent(e);
    if (control && control->GotFocus) guarded(*control, "GotFocus", [&] { control->GotFocus(); });
  }
  void focusOutEvent(QFocusEvent* e) override {
    Base::focusOutEvent(e);
    if (control && control->LostFocus) guarded(*control, "LostFocus", [&] { control->LostFocus(); });
  }
};

// A widget that only shows: it takes every mouse event for its control, clicks included.
class Passive : public QWidget {
 public:
  Passive(Control& c, QWidget* parent) : QWidget(parent), c_(c) {}

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    pressed_ = true;
    mouseEvent(c_, this, 0, e);
  }
  void mouseMoveEvent(QMouseEvent* e) override { mouseEvent(c_, this, 1, e); }
  void mouseReleaseEvent(QMouseEvent* e) override {
    QPointer<QWidget> self(this);
    bool wasDrag = draggingFrom(c_);
    bool click = pressed_ && rect().contains(e->position().toPoint()) && e->button() == Qt::LeftButton;
    pressed_ = false;
    mouseEvent(c_, this, 2, e);
    if (self && click && !wasDrag) guarded(c_, "Click", [&] { c_.raiseClick(); });
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    e->accept();
    if (c_.DblClick) guarded(c_, "DblClick", [&] { c_.DblClick(); });
  }
  void focusInEvent(QFocusEvent*) override {
    if (c_.GotFocus) guarded(c_, "GotFocus", [&] { c_.GotFocus(); });
  }
  void focusOutEvent(QFocusEvent*) override {
    if (c_.LostFocus) guarded(c_, "LostFocus", [&] { c_.LostFocus(); });
  }
  Control& c_;
  bool pressed_ = false;
};

// Paints the line controls and shapes lying on a container, under its child widgets.
void drawLightweight(QPainter& p, Control& host);

// Each family's views: the view of c on parent, or nullptr when c is of another kind.
std::unique_ptr<View> makeSurfaceView(Control& c, QWidget* parent);  // labels, images, frames, picture boxes
std::unique_ptr<View> makeInputView(Control& c, QWidget* parent);    // buttons, text boxes, options, lists, sliders
std::unique_ptr<View> makeBarView(Control& c, QWidget* parent);      // status bars, tab controls
std::unique_ptr<View> makeGridView(Control& c, QWidget* parent);
std::unique_ptr<View> makeFileListView(Control& c, QWidget* parent);  // drive, folder and file lists
// The client area of a form's window: its background, drawing layer and line controls and shapes.
QWidget* makeClientSurface(Form& form, QWidget* parent);
// A menu item's action on its window's menu bar or its parent's menu; false when the parent has none yet.
bool makeMenuView(Menu& m, FormWindow& fw);

}  // namespace ui
