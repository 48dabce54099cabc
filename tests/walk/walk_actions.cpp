// One action of the user: what the walk does next and the events it sends for it.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRubberBand>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTabBar>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "tests/walk/walk_internal.h"
#include "tests/walk/walker.h"
#include "ui/views.h"

namespace walk {

using detail::describe;
using detail::shownWindows;

std::string detail::describe(QWidget* w) {
  if (!w) return "nothing";
  std::string s = w->metaObject()->className();
  if (ui::Control* c = ui::controlOf(w)) {
    s += " of " + (c->form() ? c->form()->Name() + "." : std::string()) + c->Name();
    if (c->Index() >= 0) s += "(" + std::to_string(c->Index()) + ")";
  }
  return s;
}

namespace {

const char* buttonName(int b) { return b == Qt::RightButton ? "right" : b == Qt::LeftButton ? "left" : "no"; }

// The texts a walk types: empty, a lone sign, numbers too large for a Single, not numbers at all.
const char* const kTexts[] = {"", "-", "1e40", "nan", "1-2", "abc", "0", "1", "0.5", "-3", "1e-40", "99999",
                              "12.5", "inf", ".", "1,5", "-0", "2", "1e308", "7x", " 3", "0.001", "-1e40"};

struct KeyDef {
  int key;
  const char* text;
  unsigned scan;
};
// Keys the windows use, and some they do not.
const KeyDef kKeys[] = {
    {Qt::Key_Left, "", 113},       {Qt::Key_Right, "", 114},     {Qt::Key_Up, "", 111},
    {Qt::Key_Down, "", 116},       {Qt::Key_Delete, "\x7f", 119}, {Qt::Key_Space, " ", 65},
    {Qt::Key_Return, "\r", 36},    {Qt::Key_Enter, "\r", 104},   {Qt::Key_Escape, "\x1b", 9},
    {Qt::Key_Tab, "\t", 23},       {Qt::Key_Backspace, "\b", 22}, {Qt::Key_Home, "", 110},
    {Qt::Key_End, "", 115},        {Qt::Key_PageUp, "", 112},    {Qt::Key_PageDown, "", 117},
    {Qt::Key_D, "d", 40},          {Qt::Key_R, "r", 27},         {Qt::Key_F, "f", 41},
    {Qt::Key_C, "c", 54},          {Qt::Key_T, "t", 28},         {Qt::Key_A, "a", 38},
    {Qt::Key_S, "s", 39},          {Qt::Key_1, "1", 10},         {Qt::Key_0, "0", 19},
    {Qt::Key_Minus, "-", 20},      {Qt::Key_Period, ".", 60},    {Qt::Key_F1, "", 67},
    {0x05d2, "\u05d2", 40},        {0x05e8, "\u05e8", 27},       {0x05db, "\u05db", 41},
    {Qt::Key_Shift, "", 50},
};

// The key that types a character, as a US keyboard gives it.
KeyDef keyFor(char ch) {
  static thread_local char buf[2];
  buf[0] = ch;
  buf[1] = 0;
  if (ch >= '0' && ch <= '9') return {Qt::Key_0 + (ch - '0'), buf, 0};
  if (ch >= 'a' && ch <= 'z') return {Qt::Key_A + (ch - 'a'), buf, 0};
  switch (ch) {
    case '-': return {Qt::Key_Minus, buf, 20};
    case '.': return {Qt::Key_Period, buf, 60};
    case ',': return {Qt::Key_Comma, buf, 59};
    case ' ': return {Qt::Key_Space, buf, 65};
    default: return {Qt::Key_unknown, buf, 0};
  }
}

// The widgets of a window a user can reach: shown, with some part not hidden by their parents.
std::vector<QWidget*> reachable(QWidget* window) {
  std::vector<QWidget*> out;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (w->window() != window || !w->isVisible() || qobject_cast<QRubberBand*>(w)) continue;
    if (w->width() <= 0 || w->height() <= 0 || w->visibleRegion().isEmpty()) continue;
    out.push_back(w);
  }
  return out;
}

}  // namespace

void Walk::action() {
  if (QWidget* p = QApplication::activePopupWidget()) {
    popup(p);
    return;
  }
  if (aim_ && !modalForm_ && burst_ == 0 && chance(aimShare_)) {
    const long before = event_;
    if (aim_(*this) && event_ > before) {
      ++stats_["aim"];
      return;
    }
  }
  std::vector<QWidget*> windows = shownWindows(modalForm_);
  if (windows.empty()) return;
  QWidget* win = windows[std::size_t(uniform(0, int(windows.size()) - 1))];
  std::vector<QWidget*> all = reachable(win);
  // Half the time each widget alike, half the time as a point anywhere on the window falls: by the
  // area it shows (the canvas far more often than a small marker).
  auto pick = [&](auto pred) -> QWidget* {
    std::vector<QWidget*> some;
    std::vector<double> area;
    for (QWidget* w : all)
      if (pred(w)) {
        some.push_back(w);
        QRect r = w->visibleRegion().boundingRect();
        area.push_back(1.0 + double(r.width()) * r.height());
      }
    if (some.empty()) return nullptr;
    if (chance(0.5)) return some[std::discrete_distribution<std::size_t>(area.begin(), area.end())(rng_)];
    return some[std::size_t(uniform(0, int(some.size()) - 1))];
  };
  auto any = [](QWidget*) { return true; };
  int r = uniform(0, 999);
  // A run of clicks on the members of one array (points to join, icons to add) goes on first.
  if (burst_ > 0) {
    --burst_;
    r = 400;
  }
  if (r < 30) {
    tick();
  } else if (r < 35) {
    // The close box; the main window's least often, since the program then ends.
    bool main = &static_cast<ui::FormWindow*>(win)->form() == main_;
    if (modalForm_ || !main || chance(0.2)) closeWindow(win);
  } else if (r < 115) {
    if (auto* mb = static_cast<ui::FormWindow*>(win)->menuBar(); mb && mb->isVisible()) menuBar(mb);
  } else if (r < 150) {
    QWidget* t = pick([](QWidget* w) {
      ui::Control* c = ui::controlOf(w);
      return qobject_cast<QTabBar*>(w) || (c && dynamic_cast<ui::TabControl*>(c) && ui::childHost(*c) == w);
    });
    if (t) tab(t);
  } else if (r < 250) {
    QWidget* t = pick([](QWidget* w) {
      return qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QAbstractItemView*>(w);
    });
    if (t) type(t);
  } else if (r < 395) {
    QWidget* focus = win->focusWidget();
    key(focus && chance(0.5) ? focus : pick(any));
  } else if (r < 645) {
    // Buttons, options and check boxes most, since each of them runs a handler; and often another
    // member of what was clicked last (a bar's second point after its first).
    QWidget* t = nullptr;
    if (!lastClicked_.empty() && (burst_ > 0 || chance(0.4)))
      t = pick([&](QWidget* w) {
        ui::Control* c = ui::controlOf(w);
        return c && ui::childHost(*c) == w && c->Index() >= 0 && c->Name() == lastClicked_;
      });
    if (!t) t = chance(0.5) ? pick([](QWidget* w) { return qobject_cast<QAbstractButton*>(w) != nullptr; }) : pick(any);
    if (t && qobject_cast<QComboBox*>(t)) {
      key(t);
    } else if (t) {
      int b = chance(0.85) ? Qt::LeftButton : Qt::RightButton;
      unsigned m = chance(0.85) ? 0u : chance(0.5) ? unsigned(Qt::ShiftModifier) : unsigned(Qt::ControlModifier);
      clickAt(t, b, m, chance(0.05));
    }
  } else if (r < 895) {
    // Drags of icons, markers, bars, sliders and scroll bars: any widget may be pressed.
    int d = uniform(0, 9);
    QWidget* t = nullptr;
    if (d < 4)
      t = pick([](QWidget* w) {
        ui::Control* c = ui::controlOf(w);
        return c && c->DragMode.get() == 1 && ui::childHost(*c) == w;
      });
    else if (d < 6)
      t = pick([](QWidget* w) { return qobject_cast<QAbstractSlider*>(w) != nullptr; });
    else if (d < 8)
      t = pick([](QWidget* w) {
        ui::Control* c = ui::controlOf(w);
        return c && ui::childHost(*c) == w && (std::string(c->kind()) == "Image" || std::string(c->kind()) == "PictureBox");
      });
    if (!t) t = pick(any);
    if (t) drag(t);
  } else {
    if (QWidget* t = pick(any)) hover(t);
  }
}

namespace {
// A point inside the part of a widget the user sees.
QPoint pointIn(QWidget* w, std::mt19937_64& rng) {
  QRect r = w->visibleRegion().boundingRect();
  if (r.isEmpty()) r = w->rect();
  int x = std::uniform_int_distribution<int>(r.left(), std::max(r.left(), r.right()))(rng);
  int y = std::uniform_int_distribution<int>(r.top(), std::max(r.top(), r.bottom()))(rng);
  return {x, y};
}

// The widget the window system gives a press at a point of a window: the deepest one there.
QWidget* receiverAt(QWidget* window, QPoint inWindow) {
  QWidget* r = window->childAt(inWindow);
  return r ? r : window;
}
}  // namespace

void Walk::mouse(QWidget* w, int type, int x, int y, int button, int buttons, unsigned modifiers, const std::string& what) {
  QPointF local(x, y);
  QMouseEvent e(QEvent::Type(type), local, w->mapToGlobal(local), Qt::MouseButton(button), Qt::MouseButtons(buttons),
                Qt::KeyboardModifiers(modifiers));
  deliver(w, e, what + " at " + std::to_string(x) + "," + std::to_string(y) + " on " + describe(w));
}

void Walk::clickAt(QWidget* target, int button, unsigned modifiers, bool twice) {
  ++stats_[twice ? "double click" : "click"];
  QWidget* win = target->window();
  QPoint at = target->mapTo(win, pointIn(target, rng_));
  QPointer<QWidget> w = receiverAt(win, at);
  QPoint p = w->mapFrom(win, at);
  std::string b = buttonName(button);
  if (ui::Control* c = ui::controlOf(w); c && c->Index() >= 0) {
    if (c->Name() != lastClicked_ && chance(0.3)) burst_ = uniform(1, 4);
    lastClicked_ = c->Name();
  }
  mouse(w, QEvent::MouseButtonPress, p.x(), p.y(), button, button, modifiers, b + " press");
  if (w) mouse(w, QEvent::MouseButtonRelease, p.x(), p.y(), button, 0, modifiers, b + " release");
  if (!twice) return;
  if (w) mouse(w, QEvent::MouseButtonDblClick, p.x(), p.y(), button, button, modifiers, b + " double click");
  if (w) mouse(w, QEvent::MouseButtonRelease, p.x(), p.y(), button, 0, modifiers, b + " release");
}

void Walk::drag(QWidget* target) {
  ++stats_["drag"];
  QWidget* win = target->window();
  QPoint at = target->mapTo(win, pointIn(target, rng_));
  QPointer<QWidget> w = receiverAt(win, at);
  QPoint start = w->mapFrom(win, at);
  int button = chance(0.9) ? Qt::LeftButton : Qt::RightButton;
  unsigned mods = chance(0.9) ? 0u : unsigned(Qt::ShiftModifier);
  std::string b = buttonName(button);
  mouse(w, QEvent::MouseButtonPress, start.x(), start.y(), button, button, mods, b + " press");
  // Where it goes: onto another widget of the window, anywhere in the window, or out of it.
  QPoint endInWindow;
  int r = uniform(0, 9);
  // A control that drags itself goes mostly where something takes a drop, as the user aims it.
  ui::Control* source = ui::controlOf(w);
  std::vector<QWidget*> drops;
  if (source && source->DragMode.get() == 1)
    for (QWidget* x : reachable(win))
      if (ui::Control* c = ui::controlOf(x); c && c != source && c->DragDrop && ui::childHost(*c) == x) drops.push_back(x);
  if (!drops.empty() && chance(0.75)) {
    // By area: the canvas far more often than an icon lying on it.
    std::vector<double> area;
    for (QWidget* x : drops) area.push_back(double(x->width()) * x->height());
    QWidget* to = drops[std::discrete_distribution<std::size_t>(area.begin(), area.end())(rng_)];
    endInWindow = to->mapTo(win, pointIn(to, rng_));
    r = 9;
  } else if (r < 5) {
    std::vector<QWidget*> all = reachable(win);
    QWidget* to = all.empty() ? win : all[std::size_t(uniform(0, int(all.size()) - 1))];
    endInWindow = to->mapTo(win, pointIn(to, rng_));
  } else if (r < 9) {
    endInWindow = QPoint(uniform(0, std::max(0, win->width() - 1)), uniform(0, std::max(0, win->height() - 1)));
  } else {
    endInWindow = QPoint(uniform(-200, win->width() + 200), uniform(-200, win->height() + 200));
  }
  if (r >= 5 && r < 9 && chance(0.3)) endInWindow = at + QPoint(uniform(-40, 40), uniform(-40, 40));  // a short one
  sweep(w, win, at, endInWindow, button, mods);
  if (std::getenv("KESVO_WALK_TRACE") && source && source->DragMode.get() == 1)
    std::fprintf(stderr, "drag %s to %d,%d drops %d\n", source->Name().c_str(), endInWindow.x(), endInWindow.y(), int(drops.size()));
}

void Walk::sweep(QWidget* pressed, QWidget* win, QPoint at, QPoint end, int button, unsigned mods) {
  QPointer<QWidget> w = pressed;
  const std::string b = buttonName(button);
  int steps = uniform(1, 6);
  QPoint last = w ? w->mapFrom(win, at) : QPoint();
  for (int i = 1; i <= steps && w; ++i) {
    QPoint inWindow = at + (end - at) * i / steps;
    last = w->mapFrom(win, inWindow);
    mouse(w, QEvent::MouseMove, last.x(), last.y(), Qt::NoButton, button, mods, b + " drag");
  }
  if (w) mouse(w, QEvent::MouseButtonRelease, last.x(), last.y(), button, 0, mods, b + " release");
}

void Walk::hover(QWidget* target) {
  ++stats_["hover"];
  QWidget* win = target->window();
  int n = uniform(1, 4);
  for (int i = 0; i < n && failure_.empty(); ++i) {
    QWidget* to = i == 0 ? target : nullptr;
    QPoint at = to ? to->mapTo(win, pointIn(to, rng_))
                   : QPoint(uniform(0, std::max(0, win->width() - 1)), uniform(0, std::max(0, win->height() - 1)));
    QWidget* w = receiverAt(win, at);
    QPoint p = w->mapFrom(win, at);
    mouse(w, QEvent::MouseMove, p.x(), p.y(), Qt::NoButton, 0, 0, "move");
    if (shownWindows(modalForm_).empty() || !win->isVisible()) break;
  }
}

void Walk::keyStroke(QWidget* target, int qtKey, unsigned modifiers, const std::string& text, unsigned scan, int repeats) {
  QPointer<QWidget> w = target;
  auto name = [&](const char* what) {
    return std::string(what) + " " + QKeySequence(qtKey).toString().toStdString() + (modifiers ? " with modifiers" : "") +
           " on " + describe(w);
  };
  QString t = QString::fromStdString(text);
  // A held key repeats as presses alone, or as X11 gives it, each repeat a release and a press.
  const bool pairs = repeats > 1 && chance(0.5);
  for (int i = 0; i < repeats && w; ++i) {
    if (i > 0 && pairs) {
      QKeyEvent up(QEvent::KeyRelease, qtKey, Qt::KeyboardModifiers(modifiers), scan, 0, 0, t, true);
      deliver(w, up, name("auto-repeat release"));
      if (!w) return;
    }
    QKeyEvent down(QEvent::KeyPress, qtKey, Qt::KeyboardModifiers(modifiers), scan, 0, 0, t, i > 0);
    deliver(w, down, name(i > 0 ? "auto-repeat" : "key down"));
  }
  if (!w) return;
  QKeyEvent up(QEvent::KeyRelease, qtKey, Qt::KeyboardModifiers(modifiers), scan, 0, 0, t, false);
  deliver(w, up, name("key up"));
}

void Walk::key(QWidget* target) {
  if (!target) return;
  ++stats_["key"];
  // The keys that edit and move most often; letters and the rest now and then.
  const int common = 11;
  const KeyDef& k = kKeys[std::size_t(chance(0.75) ? uniform(0, common - 1) : uniform(common, int(std::size(kKeys)) - 1))];
  unsigned mods = 0;
  int m = uniform(0, 19);
  if (m == 0) mods = Qt::ShiftModifier;
  if (m == 1) mods = Qt::ControlModifier;
  if (m == 2) mods = Qt::AltModifier;
  bool arrow = k.key == Qt::Key_Left || k.key == Qt::Key_Right || k.key == Qt::Key_Up || k.key == Qt::Key_Down;
  int repeats = arrow && chance(0.4) ? uniform(2, 12) : chance(0.05) ? uniform(2, 4) : 1;
  keyStroke(target, k.key, mods, mods & Qt::ControlModifier ? "" : k.text, k.scan, repeats);
}

void Walk::type(QWidget* target) {
  ++stats_["typing"];
  QPointer<QWidget> w = target;
  if (ui::Control* c = ui::controlOf(target)) typedInto_.insert(c);
  if (auto* view = qobject_cast<QAbstractItemView*>(target); view && view->model()) {
    // A cell first, as the user clicks one.
    QAbstractItemModel* m = view->model();
    if (m->rowCount() > 0 && m->columnCount() > 0) {
      QModelIndex i = m->index(uniform(0, m->rowCount() - 1), uniform(0, m->columnCount() - 1));
      QRect r = view->visualRect(i);
      QWidget* vp = view->viewport();
      if (!r.isEmpty() && vp->rect().intersects(r)) {
        QPoint p = r.intersected(vp->rect()).center();
        mouse(vp, QEvent::MouseButtonPress, p.x(), p.y(), Qt::LeftButton, Qt::LeftButton, 0, "left press on cell");
        if (vp) mouse(vp, QEvent::MouseButtonRelease, p.x(), p.y(), Qt::LeftButton, 0, 0, "left release on cell");
      }
    }
  } else {
    // Into the box, and the old text selected, as a user replaces a number.
    clickAt(target, Qt::LeftButton, 0, false);
    if (w) keyStroke(w, Qt::Key_A, Qt::ControlModifier, "", 38, 1);
  }
  std::string text = kTexts[std::size_t(uniform(0, int(std::size(kTexts)) - 1))];
  if (text.empty() && w) keyStroke(w, Qt::Key_Backspace, 0, "\b", 22, 1);
  for (char ch : text) {
    if (!w || !failure_.empty()) return;
    KeyDef k = keyFor(ch);
    keyStroke(w, k.key, 0, k.text, k.scan, 1);
  }
  if (!w) return;
  int end = uniform(0, 9);
  if (end < 5) keyStroke(w, Qt::Key_Return, 0, "\r", 36, 1);
  else if (end < 7) keyStroke(w, Qt::Key_Tab, 0, "\t", 23, 1);
}

void Walk::popup(QWidget* p) {
  ++stats_["popup"];
  if (std::getenv("KESVO_WALK_TRACE")) std::fprintf(stderr, "popup %s after %s\n", p->metaObject()->className(), recent_.empty() ? "" : recent_.back().c_str());
  // A popup that stays open after a few tries (a greyed item clicked) is left with Escape.
  popupTries_ = p == lastPopup_ ? popupTries_ + 1 : 0;
  lastPopup_ = p;
  if (popupTries_ >= 3) {
    keyStroke(p, Qt::Key_Escape, 0, "\x1b", 9, 1);
    if (QApplication::activePopupWidget() == p) p->close();
    return;
  }
  if (auto* menu = qobject_cast<QMenu*>(p)) {
    std::vector<QAction*> items;
    bool enabledOnly = chance(0.9);
    // An item that ended the program before (Exit) is chosen seldom, so that a run lasts.
    bool leave = chance(0.95);
    int ending = 0;
    for (QAction* a : menu->actions()) {
      if (!a->isVisible() || a->isSeparator() || menu->actionGeometry(a).isEmpty()) continue;
      if (ending_.count(a->text().toStdString())) {
        ++ending;
        if (leave) continue;
      }
      if (a->isEnabled() || !enabledOnly) items.push_back(a);
    }
    if (items.empty() && ending) {
      keyStroke(menu, Qt::Key_Escape, 0, "\x1b", 9, 1);
      return;
    }
    if (!items.empty() && chance(0.85)) {
      QAction* a = items[std::size_t(uniform(0, int(items.size()) - 1))];
      QPoint c = menu->actionGeometry(a).center();
      QPointer<QMenu> m = menu;
      std::string what = "menu item \"" + a->text().toStdString() + "\"";
      std::string text = a->text().toStdString();
      mouse(m, QEvent::MouseButtonPress, c.x(), c.y(), Qt::LeftButton, Qt::LeftButton, 0, what + " press");
      if (m && m->isVisible()) mouse(m, QEvent::MouseButtonRelease, c.x(), c.y(), Qt::LeftButton, 0, 0, what + " release");
      if (svc_->ended || !main_ || !main_->loaded()) ending_.insert(text);
      return;
    }
    const int keys[] = {Qt::Key_Escape, Qt::Key_Down, Qt::Key_Up, Qt::Key_Return};
    int k = keys[uniform(0, 3)];
    keyStroke(menu, k, 0, k == Qt::Key_Return ? "\r" : k == Qt::Key_Escape ? "\x1b" : "", 0, 1);
    return;
  }
  // A combo box's list: chosen with the keys (a click right after it opened is ignored by Qt's timer).
  QWidget* list = p->findChild<QAbstractItemView*>();
  QWidget* to = list ? list : p;
  const int keys[] = {Qt::Key_Down, Qt::Key_Up, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Return};
  int k = keys[uniform(0, 4)];
  keyStroke(to, k, 0, k == Qt::Key_Return ? "\r" : k == Qt::Key_Escape ? "\x1b" : "", 0, 1);
}

void Walk::menuBar(QWidget* bar) {
  ++stats_["menu"];
  auto* mb = static_cast<QMenuBar*>(bar);
  std::vector<QAction*> items;
  for (QAction* a : mb->actions())
    if (a->isVisible() && !mb->actionGeometry(a).isEmpty()) items.push_back(a);
  if (items.empty()) return;
  QAction* a = items[std::size_t(uniform(0, int(items.size()) - 1))];
  QPoint c = mb->actionGeometry(a).center();
  QPointer<QMenuBar> m = mb;
  std::string what = "menu \"" + a->text().toStdString() + "\"";
  mouse(m, QEvent::MouseButtonPress, c.x(), c.y(), Qt::LeftButton, Qt::LeftButton, 0, what + " press");
  if (m) mouse(m, QEvent::MouseButtonRelease, c.x(), c.y(), Qt::LeftButton, 0, 0, what + " release");
}

void Walk::tab(QWidget* t) {
  ++stats_["tab"];
  // The tab captions lie in the strip above the controls of the pages (a tab bar's own, or the rows a
  // tab control paints there).
  int strip = t->height();
  if (auto* bar = qobject_cast<QTabBar*>(t)) {
    if (bar->count() == 0) return;
  } else {
    for (QWidget* child : t->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) strip = std::min(strip, child->y());
    strip = std::max(1, std::min(strip, t->height()) - 2);
  }
  QPointer<QWidget> w = t;
  QPoint c(uniform(0, std::max(0, t->width() - 1)), uniform(0, std::max(0, strip - 1)));
  mouse(w, QEvent::MouseButtonPress, c.x(), c.y(), Qt::LeftButton, Qt::LeftButton, 0, "tab press");
  if (w) mouse(w, QEvent::MouseButtonRelease, c.x(), c.y(), Qt::LeftButton, 0, 0, "tab release");
}

void Walk::tick() {
  std::vector<ui::Timer*> timers;
  for (ui::Timer* t : svc_->running)
    if (t->form() && t->form()->loaded() && (!modalForm_ || t->form() == modalForm_)) timers.push_back(t);
  if (timers.empty()) return;
  ++stats_["timer"];
  ui::Timer* t = timers[std::size_t(uniform(0, int(timers.size()) - 1))];
  std::string what = "tick of " + t->form()->Name() + "." + t->Name();
  note(what);
  try {
    t->tick();
  } catch (const std::exception& x) {
    fail(std::string("an exception left a timer's tick: ") + x.what());
    return;
  }
  checkAll(what);
}

void Walk::closeWindow(QWidget* window) {
  ++stats_["close"];
  QCloseEvent e;
  deliver(window, e, "close box of " + describe(window));
}

// ---- the program's aims ----

void Walk::setAim(double share, std::function<bool(Walk&)> aim) {
  aimShare_ = share;
  aim_ = std::move(aim);
}

namespace {
// The widget of a control where the user can reach it.
QWidget* shownHost(ui::Control& c) {
  QWidget* w = ui::childHost(c);
  if (!w || !w->isVisible() || w->visibleRegion().isEmpty()) return nullptr;
  return w;
}
}  // namespace


namespace {
// A point of a control's widget where the window gives a press to that widget (what lies over it,
// such as a panel above a marker, takes the press elsewhere); false when a few tries find none.
// A few points anywhere, then a grid over what shows of it, so that a small part left uncovered is found.
bool pointOnTop(QWidget* w, std::mt19937_64* rng, QPoint& p) {
  QWidget* win = w->window();
  auto mine = [&](QPoint q) { return receiverAt(win, w->mapTo(win, q)) == w; };
  for (int i = 0; rng && i < 4; ++i)
    if (mine(p = pointIn(w, *rng))) return true;
  const QRect r = w->visibleRegion().boundingRect();
  for (int i = 0; i < 5; ++i)
    for (int j = 0; j < 5; ++j)
      if (mine(p = QPoint(r.left() + r.width() * (2 * i + 1) / 10, r.top() + r.height() * (2 * j + 1) / 10))) return true;
  return false;
}
}  // namespace

bool Walk::onScreen(ui::Control& c) {
  QWidget* w = shownHost(c);
  QPoint p;
  return w && pointOnTop(w, nullptr, p);
}

bool Walk::clickControl(ui::Control& c) {
  QWidget* w = shownHost(c);
  QPoint p;
  if (!w || !pointOnTop(w, &rng_, p)) return false;
  ++stats_["click"];
  QPointer<QWidget> target = w;
  mouse(target, QEvent::MouseButtonPress, p.x(), p.y(), Qt::LeftButton, Qt::LeftButton, 0, "left press");
  if (target) mouse(target, QEvent::MouseButtonRelease, p.x(), p.y(), Qt::LeftButton, 0, 0, "left release");
  return true;
}

bool Walk::dragControl(ui::Control& source, ui::Control& onto, float x, float y) {
  QWidget* from = shownHost(source);
  QWidget* to = shownHost(onto);
  if (!from || !to || from->window() != to->window() || !(onto.Width > 0) || !(onto.Height > 0)) return false;
  QPoint start;
  if (!pointOnTop(from, &rng_, start)) return false;
  QWidget* win = from->window();
  const QPoint at = from->mapTo(win, start);
  QPointer<QWidget> w = from;
  const QPoint end = to->mapTo(win, QPoint(int(x * float(to->width()) / onto.Width), int(y * float(to->height()) / onto.Height)));
  // Another window lying over the drop point would take the drop.
  if (QWidget* under = QApplication::widgetAt(win->mapToGlobal(end)); under && under->window() != win) return false;
  ++stats_["drag"];
  mouse(w, QEvent::MouseButtonPress, start.x(), start.y(), Qt::LeftButton, Qt::LeftButton, 0, "left press");
  if (w) sweep(w, win, at, end, Qt::LeftButton, 0u);
  return true;
}

bool Walk::clickControlAt(ui::Control& c, float x, float y) {
  QWidget* w = shownHost(c);
  if (!w || !(c.Width > 0) || !(c.Height > 0)) return false;
  const QPoint p(int(x * float(w->width()) / c.Width), int(y * float(w->height()) / c.Height));
  if (!w->visibleRegion().contains(p)) return false;
  QWidget* win = w->window();
  if (receiverAt(win, w->mapTo(win, p)) != w) return false;
  ++stats_["click"];
  QPointer<QWidget> target = w;
  mouse(target, QEvent::MouseButtonPress, p.x(), p.y(), Qt::LeftButton, Qt::LeftButton, 0, "left press");
  if (target) mouse(target, QEvent::MouseButtonRelease, p.x(), p.y(), Qt::LeftButton, 0, 0, "left release");
  return true;
}

bool Walk::typeInto(ui::Control& box, const std::string& text) {
  QWidget* w = shownHost(box);
  QPoint p;
  if (!w || !pointOnTop(w, &rng_, p)) return false;
  ++stats_["typing"];
  typedInto_.insert(&box);
  QPointer<QWidget> target = w;
  mouse(target, QEvent::MouseButtonPress, p.x(), p.y(), Qt::LeftButton, Qt::LeftButton, 0, "left press");
  if (target) mouse(target, QEvent::MouseButtonRelease, p.x(), p.y(), Qt::LeftButton, 0, 0, "left release");
  if (target) keyStroke(target, Qt::Key_A, Qt::ControlModifier, "", 38, 1);
  for (char ch : text) {
    if (!target || !failure_.empty()) break;
    const KeyDef k = keyFor(ch);
    keyStroke(target, k.key, 0, k.text, k.scan, 1);
  }
  return true;
}

bool Walk::closeForm(ui::Form& form) {
  ui::FormWindow* win = ui::windowOf(form);
  if (!win || !win->isVisible()) return false;
  closeWindow(win);
  return true;
}

bool Walk::moveOnto(ui::Control& c) {
  QWidget* w = shownHost(c);
  if (!w) return false;
  ++stats_["hover"];
  const QPoint p = pointIn(w, rng_);
  mouse(w, QEvent::MouseMove, p.x(), p.y(), Qt::NoButton, 0, 0, "move");
  return true;
}

bool Walk::chooseTab(ui::TabControl& t, int tab) {
  QWidget* w = shownHost(t);
  const QRect r = w ? ui::tabRect(t, tab) : QRect();
  if (r.isEmpty() || !w->visibleRegion().contains(r.center())) return false;
  ++stats_["tab"];
  QPointer<QWidget> target = w;
  mouse(target, QEvent::MouseButtonPress, r.center().x(), r.center().y(), Qt::LeftButton, Qt::LeftButton, 0, "tab press");
  if (target) mouse(target, QEvent::MouseButtonRelease, r.center().x(), r.center().y(), Qt::LeftButton, 0, 0, "tab release");
  return true;
}

bool Walk::dragThumbToEnd(ui::Control& bar, bool least) {
  auto* sb = qobject_cast<QScrollBar*>(shownHost(bar));
  if (!sb || sb->minimum() == sb->maximum()) return false;
  // The thumb where the style draws it, for the bar's value and for the end it goes to.
  QStyleOptionSlider o;
  o.initFrom(sb);
  o.subControls = QStyle::SC_None;
  o.activeSubControls = QStyle::SC_None;
  o.orientation = sb->orientation();
  o.minimum = sb->minimum();
  o.maximum = sb->maximum();
  o.singleStep = sb->singleStep();
  o.pageStep = sb->pageStep();
  o.upsideDown = sb->invertedAppearance();
  if (sb->orientation() == Qt::Horizontal) o.state |= QStyle::State_Horizontal;
  auto thumb = [&](int v) {
    o.sliderPosition = o.sliderValue = v;
    return sb->style()->subControlRect(QStyle::CC_ScrollBar, &o, QStyle::SC_ScrollBarSlider, sb);
  };
  const QRect now = thumb(sb->value()), end = thumb(least ? sb->minimum() : sb->maximum());
  if (now.isEmpty() || now == end) return false;
  ++stats_["drag"];
  // Past the end, as a hand overshoots: the bar stops at its end.
  const QPoint way = end.center() - now.center();
  const QPoint past = end.center() + QPoint(way.x() > 0 ? 40 : way.x() < 0 ? -40 : 0, way.y() > 0 ? 40 : way.y() < 0 ? -40 : 0);
  QWidget* win = sb->window();
  QPointer<QWidget> w = sb;
  mouse(w, QEvent::MouseButtonPress, now.center().x(), now.center().y(), Qt::LeftButton, Qt::LeftButton, 0, "left press on thumb");
  if (w) sweep(w, win, sb->mapTo(win, now.center()), sb->mapTo(win, past), Qt::LeftButton, 0u);
  return true;
}

bool Walk::chooseMenu(ui::Form& form, const std::string& menu, const std::string& item) {
  ui::FormWindow* win = ui::windowOf(form);
  QMenuBar* mb = win && win->isVisible() ? win->menuBar() : nullptr;
  if (!mb || !mb->isVisible() || QApplication::activePopupWidget()) return false;
  auto caption = [](QAction* a) { return a->text().remove('&').toStdString(); };
  for (QAction* a : mb->actions()) {
    if (!a->isVisible() || mb->actionGeometry(a).isEmpty() || caption(a) != menu) continue;
    ++stats_["menu"];
    const QPoint c = mb->actionGeometry(a).center();
    QPointer<QMenuBar> m = mb;
    mouse(m, QEvent::MouseButtonPress, c.x(), c.y(), Qt::LeftButton, Qt::LeftButton, 0, "menu \"" + menu + "\" press");
    if (m) mouse(m, QEvent::MouseButtonRelease, c.x(), c.y(), Qt::LeftButton, 0, 0, "menu \"" + menu + "\" release");
    if (item.empty()) return true;
    QPointer<QMenu> popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!popup) return true;
    for (QAction* i : popup->actions())
      if (i->isVisible() && i->isEnabled() && caption(i) == item && !popup->actionGeometry(i).isEmpty()) {
        const QPoint p = popup->actionGeometry(i).center();
        const std::string what = "menu item \"" + item + "\"";
        mouse(popup, QEvent::MouseButtonPress, p.x(), p.y(), Qt::LeftButton, Qt::LeftButton, 0, what + " press");
        if (popup && popup->isVisible()) mouse(popup, QEvent::MouseButtonRelease, p.x(), p.y(), Qt::LeftButton, 0, 0, what + " release");
        return true;
      }
    keyStroke(popup, Qt::Key_Escape, 0, "\x1b", 9, 1);
    return true;
  }
  return false;
}

}  // namespace walk
