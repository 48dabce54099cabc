#include "tests/walk/walker.h"

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
#include <QTabBar>
#include <algorithm>
#include <cctype>
#include <csignal>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <sstream>

#include "ui/dispatch.h"
#include "ui/filelists.h"
#include "ui/grid.h"
#include "ui/picturebox.h"
#include "ui/views.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace walk {

namespace {

// The walk that runs, for the event boundary's report of a failing handler.
Walk* g_walk = nullptr;

// Where the walk stands, for a sanitizer report that ends the process before the walk can say it.
std::uint64_t g_seed = 0;
long g_event = 0;
std::string g_last;

void sayWhere() { std::fprintf(stderr, "\nwalk: seed %llu, event %ld (%s)\n", (unsigned long long)g_seed, g_event, g_last.c_str()); }

// Without the sanitizers a crash still says where the walk stood.
[[maybe_unused]] void onCrash(int sig) {
  sayWhere();
  std::signal(sig, SIG_DFL);
  std::raise(sig);
}

std::string describe(QWidget* w) {
  if (!w) return "nothing";
  std::string s = w->metaObject()->className();
  if (ui::Control* c = ui::controlOf(w)) {
    s += " of " + (c->form() ? c->form()->Name() + "." : std::string()) + c->Name();
    if (c->Index() >= 0) s += "(" + std::to_string(c->Index()) + ")";
  }
  return s;
}

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

bool finite(float v) { return std::isfinite(v); }

std::vector<QWidget*> shownWindows(ui::Form* only) {
  std::vector<QWidget*> out;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    auto* fw = dynamic_cast<ui::FormWindow*>(w);
    if (!fw || !fw->isVisible() || !fw->form().loaded()) continue;
    if (only && &fw->form() != only) continue;
    out.push_back(fw);
  }
  // A stable order: the widget list's order is a hash's.
  std::sort(out.begin(), out.end(), [](QWidget* a, QWidget* b) {
    return static_cast<ui::FormWindow*>(a)->form().Name() < static_cast<ui::FormWindow*>(b)->form().Name();
  });
  return out;
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

// ---- services ----

Services::Services(Walk& walk) : walk_(walk) { ui::setViewFactory(&ui::makeView); }

Services::~Services() { ui::setViewFactory(nullptr); }

int Services::msgBox(const std::string& prompt, const std::string& title) {
  ScriptedServices::msgBox(prompt, title);
  walk_.message(prompt);
  return 1;
}

void Services::showForm(ui::Form& form, bool modal, ui::Form* owner) {
  ui::FormWindow* w = ui::realize(form);
  if (owner && !modal) {
    ui::FormWindow* ow = ui::windowOf(*owner);
    if (!ow && owner->loaded()) ow = ui::realize(*owner);
    if (ow && w->parentWidget() != ow) w->setParent(ow, Qt::Tool);
  }
  w->applyGeometry();
  w->show();
  w->raise();
  if (!modal) return;
  modalShown.push_back(form.Name());
  walk_.modal(form);
  // Whatever the walk left standing is closed, as the user finally would.
  if (form.loaded() && form.Visible.get()) form.Unload();
  if (form.loaded() && form.Visible.get()) form.Hide();
}

void Services::hideForm(ui::Form& form) {
  if (ui::FormWindow* w = ui::windowOf(form)) w->hide();
}

void Services::formUnloaded(ui::Form& form) {
  if (ui::FormWindow* w = ui::windowOf(form)) w->hide();
  ui::unrealize(form);
}

void Services::setFocus(ui::Control& c) {
  ScriptedServices::setFocus(c);
  if (auto* f = dynamic_cast<ui::Form*>(&c)) {
    if (ui::FormWindow* w = ui::windowOf(*f)) w->activateWindow();
    return;
  }
  if (QWidget* w = ui::childHost(c)) w->setFocus(Qt::OtherFocusReason);
}

// ---- settings ----

Settings Settings::fromEnvironment(long events, std::uint64_t seed) {
  Settings s;
  s.events = events;
  s.seed = seed;
  if (const char* e = std::getenv("KESVO_WALK_EVENTS")) s.events = std::atol(e);
  if (const char* e = std::getenv("KESVO_WALK_SEED")) s.seed = std::strtoull(e, nullptr, 10);
  return s;
}

// ---- the walk ----

Walk::Walk(Settings settings, std::function<ui::Form&()> start, std::function<std::string()> check)
    : settings_(settings), start_(std::move(start)), check_(std::move(check)), rng_(settings.seed) {
  svc_ = std::make_unique<Services>(*this);
  svc_->screenW = 12000;
  svc_->screenH = 9000;
  g_seed = settings.seed;
  g_walk = this;
  previousHook_ = ui::setHandlerFailureHook([](const std::string& handler, const std::string& what) {
    if (g_walk) g_walk->handlerFailed(handler + " failed: " + what);
  });
#if defined(__SANITIZE_ADDRESS__)
  __sanitizer_set_death_callback(&sayWhere);
#else
  for (int sig : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS}) std::signal(sig, &onCrash);
#endif
}

Walk::~Walk() {
  ui::setHandlerFailureHook(previousHook_);
  g_walk = nullptr;
#if defined(__SANITIZE_ADDRESS__)
  __sanitizer_set_death_callback(nullptr);
#else
  for (int sig : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS}) std::signal(sig, SIG_DFL);
#endif
}

int Walk::uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
bool Walk::chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }

std::string Walk::run() {
  restart();
  long idle = 0;
  while (failure_.empty() && event_ < settings_.events) {
    if (svc_->ended || !main_ || !main_->loaded() || shownWindows(nullptr).empty()) {
      ++stats_["restart"];
      if (std::getenv("KESVO_WALK_TRACE") && !recent_.empty()) std::fprintf(stderr, "restart after %s\n", recent_.back().c_str());
      restart();
      if (shownWindows(nullptr).empty()) {
        fail("the program shows no window after its start");
        break;
      }
      continue;
    }
    long before = event_;
    action();
    settle();
    svc_->messages.clear();
    svc_->titles.clear();
    svc_->started.clear();
    svc_->modalShown.clear();
    idle = event_ == before ? idle + 1 : 0;
    if (idle > 2000) fail("no event could be sent for 2000 tries");
  }
  return failure_;
}

void Walk::settle() {
  QApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void Walk::closeAll() {
  while (QWidget* p = QApplication::activePopupWidget()) p->close();
  settle();
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* fw = dynamic_cast<ui::FormWindow*>(w); fw && ui::windowOf(fw->form()) == fw) ui::unrealize(fw->form());
  settle();
}

void Walk::restart() {
  // Windows of the last run go first, as when the process ended.
  closeAll();
  svc_->ended = false;
  typedInto_.clear();
  gridSeen_.clear();
  main_ = nullptr;
  try {
    main_ = &start_();
  } catch (const std::exception& x) {
    fail(std::string("the program's start threw: ") + x.what());
  }
  settle();
  checkAll("start");
}

void Walk::fail(const std::string& why) {
  if (!failure_.empty()) return;
  std::ostringstream o;
  o << "seed " << settings_.seed << ", event " << event_ << ": " << why << "\nthe last events:";
  for (const std::string& r : recent_) o << "\n  " << r;
  failure_ = o.str();
}

void Walk::handlerFailed(const std::string& why) { fail("a handler failed at the event boundary: " + why); }

void Walk::message(const std::string& prompt) {
  std::string bad = nonFinite(prompt, false);
  if (!bad.empty()) fail("a message box shows " + bad + ": \"" + prompt + "\"");
}

std::string Walk::nonFinite(const std::string& text, bool typed) {
  for (const char* t : {"#INF", "#IND", "#QNAN", "#SNAN"})
    if (text.find(t) != std::string::npos) return std::string("\"") + t + "\"";
  if (typed || text.find_first_of("nNiI") == std::string::npos) return "";
  std::string low;
  for (char ch : text) low += char(std::tolower((unsigned char)ch));
  for (const char* t : {"nan", "inf"}) {
    for (std::size_t at = low.find(t); at != std::string::npos; at = low.find(t, at + 1)) {
      bool before = at > 0 && std::isalpha((unsigned char)low[at - 1]);
      std::size_t end = at + 3;
      if (low.compare(at, 8, "infinity") == 0) end = at + 8;
      bool after = end < low.size() && std::isalpha((unsigned char)low[end]);
      if (!before && !after) return std::string("\"") + t + "\"";
    }
  }
  return "";
}

std::string Walk::statistics() const {
  std::ostringstream o;
  o << event_ << " events";
  for (auto& [k, v] : stats_) o << ", " << k << " " << v;
  return o.str();
}

// ---- one action of the user ----

void Walk::action() {
  if (QWidget* p = QApplication::activePopupWidget()) {
    popup(p);
    return;
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
  int steps = uniform(1, 6);
  QPoint last = start;
  for (int i = 1; i <= steps && w; ++i) {
    QPoint inWindow = at + (endInWindow - at) * i / steps;
    last = w->mapFrom(win, inWindow);
    mouse(w, QEvent::MouseMove, last.x(), last.y(), Qt::NoButton, button, mods, b + " drag");
  }
  if (w) mouse(w, QEvent::MouseButtonRelease, last.x(), last.y(), button, 0, mods, b + " release");
  if (std::getenv("KESVO_WALK_TRACE") && source && source->DragMode.get() == 1)
    std::fprintf(stderr, "drag %s to %d,%d drops %d\n", source->Name().c_str(), endInWindow.x(), endInWindow.y(), int(drops.size()));
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

void Walk::deliver(QWidget* w, QEvent& e, const std::string& what) {
  // A widget whose window a handler just closed gets nothing more from the window system (it lives
  // on only until Qt deletes it).
  if (!failure_.empty() || !w || !w->isVisible()) return;
  note(what);
  try {
    QApplication::sendEvent(w, &e);
  } catch (const std::exception& x) {
    fail(std::string("an exception reached the event boundary: ") + x.what());
    return;
  } catch (...) {
    fail("an exception reached the event boundary");
    return;
  }
  checkAll(what);
}

void Walk::note(const std::string& what) {
  ++event_;
  recent_.push_back(std::to_string(event_) + ": " + what);
  if (recent_.size() > 40) recent_.pop_front();
  g_event = event_;
  g_last = what;
  if (std::getenv("KESVO_WALK_TRACE")) std::fprintf(stderr, "%s\n", recent_.back().c_str());
}

// A file window's folder and file lists stay in the program's folder, so that the walk reads and
// writes files nowhere else, whatever folders it opens.
void Walk::confine() {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path root = fs::weakly_canonical(svc_->folder, ec);
  if (ec || !fs::is_directory(root, ec)) return;
  for (QWidget* win : shownWindows(nullptr))
    for (ui::Control* c : static_cast<ui::FormWindow*>(win)->form().allControls()) {
      ui::Prop<std::string>* path = nullptr;
      if (auto* d = dynamic_cast<ui::DirListBox*>(c)) path = &d->Path;
      if (auto* f = dynamic_cast<ui::FileListBox*>(c)) path = &f->Path;
      if (!path) continue;
      const fs::path rel = fs::weakly_canonical(path->get(), ec).lexically_relative(root);
      if (ec || rel.empty() || *rel.begin() == "..") *path = root.string();
    }
}

void Walk::checkAll(const std::string& what) {
  if (!failure_.empty()) return;
  try {
    confine();
  } catch (const std::exception& x) {
    fail(std::string("taking a file window back to the program's folder met ") + x.what());
    return;
  }
  std::string why = layerCheck();
  if (why.empty()) {
    try {
      why = check_();
    } catch (const std::exception& x) {
      why = std::string("the model check met ") + x.what();
    }
  }
  if (!why.empty()) fail(why);
}

// What every window must keep, whatever the program: geometry, drawings and shown texts all finite.
std::string Walk::layerCheck() {
  for (QWidget* win : shownWindows(nullptr)) {
    ui::Form& form = static_cast<ui::FormWindow*>(win)->form();
    // A caption may carry a file name the user typed ("nan" is a fine name), so only the forms a number
    // takes when it is not finite count there.
    if (std::string bad = nonFinite(form.Caption.get(), true); !bad.empty()) return form.Name() + " caption shows " + bad;
    for (ui::Control* c : form.allControls()) {
      auto where = [&] {
        return form.Name() + "." + c->Name() + (c->Index() >= 0 ? "(" + std::to_string(c->Index()) + ")" : "");
      };
      if (!finite(c->Left) || !finite(c->Top) || !finite(c->Width) || !finite(c->Height))
        return where() + " has a position or size that is not finite";
      if (auto* l = dynamic_cast<ui::LineControl*>(c)) {
        if (!finite(l->X1) || !finite(l->Y1) || !finite(l->X2) || !finite(l->Y2)) return where() + " has an end that is not finite";
        continue;
      }
      if (auto* p = dynamic_cast<ui::PictureBox*>(c)) {
        for (const ui::Segment& s : p->drawn())
          if (!finite(s.x1) || !finite(s.y1) || !finite(s.x2) || !finite(s.y2)) return where() + " drew a line that is not finite";
        continue;
      }
      if (auto* m = dynamic_cast<ui::Menu*>(c); m && !m->Visible.get()) continue;
      if (!dynamic_cast<ui::Menu*>(c) && !c->shownInContainer()) continue;
      // What the user typed, and a text box's text (a file name he gave, say), may hold words such as
      // "nan" of his own; only the forms a number takes when it is not finite count there.
      const bool typed = typedInto_.count(c) != 0 || dynamic_cast<ui::TextBox*>(c) != nullptr;
      // Each text the control shows, checked where it stands (this runs after every event).
      std::string shown;
      auto check = [&](const std::string& text) {
        if (!shown.empty()) return;
        if (std::string bad = nonFinite(text, typed); !bad.empty()) shown = where() + " shows " + bad + ": \"" + text + "\"";
      };
      check(c->ToolTipText.get());
      if (auto* x = dynamic_cast<ui::Label*>(c)) check(x->Caption.get());
      else if (auto* x = dynamic_cast<ui::CommandButton*>(c)) check(x->Caption.get());
      else if (auto* x = dynamic_cast<ui::CheckBox*>(c)) check(x->Caption.get());
      else if (auto* x = dynamic_cast<ui::OptionButton*>(c)) check(x->Caption.get());
      else if (auto* x = dynamic_cast<ui::Frame*>(c)) check(x->Caption.get());
      else if (auto* x = dynamic_cast<ui::Menu*>(c)) check(x->Caption.get());
      else if (auto* x = dynamic_cast<ui::TextBox*>(c)) check(x->Text.get());
      else if (auto* x = dynamic_cast<ui::ComboBox*>(c)) {
        check(x->Text.get());
        for (const std::string& item : x->items()) check(item);
      } else if (auto* x = dynamic_cast<ui::StatusBar*>(c)) {
        for (int i = 1; i <= x->PanelCount(); ++i) check(x->Panels(i).Text.get());
      } else if (auto* x = dynamic_cast<ui::TabControl*>(c)) {
        for (int i = 0; i < x->Tabs(); ++i) check(x->TabCaption(i));
      } else if (auto* g = dynamic_cast<ui::Grid*>(c)) {
        auto seen = gridSeen_.find(g);
        if (seen != gridSeen_.end() && seen->second == g->revision()) continue;
        gridSeen_[g] = g->revision();
        for (int r = 0; r < g->Rows(); ++r)
          for (int k = 0; k < g->Cols(); ++k)
            if (std::string bad = nonFinite(g->TextMatrix(r, k), typed); !bad.empty())
              return where() + " cell (" + std::to_string(r) + ", " + std::to_string(k) + ") shows " + bad + ": \"" +
                     g->TextMatrix(r, k) + "\"";
        continue;
      }
      if (!shown.empty()) return shown;
    }
  }
  return "";
}

void Walk::modal(ui::Form& form) {
  if (!failure_.empty() || modalDepth_ >= 3) return;
  ++modalDepth_;
  ++stats_["modal window"];
  ui::Form* saved = modalForm_;
  modalForm_ = &form;
  int budget = uniform(0, 25);
  for (int i = 0; i < budget && failure_.empty() && form.loaded() && form.Visible.get() && !svc_->ended &&
                  event_ < settings_.events;
       ++i) {
    action();
    QApplication::processEvents();
  }
  modalForm_ = saved;
  --modalDepth_;
}

}  // namespace walk
