#pragma once
// A random walk of user events over a program started as the user starts it: its windows are shown
// through the real Qt widgets (offscreen), and a seeded stream of mouse presses, moves, releases, drags,
// clicks on buttons, menus, tabs and options, keys (with and without auto-repeat) and typed text goes to
// whatever widgets those windows show at the moment, through QApplication, so the forms layer's own
// translation runs. Message boxes are answered at once; a modal window gets a short walk of its own
// and is then closed. After every event the walk checks the layer's invariants and the program's own,
// and stops at the first failure with the seed and the event's number.
//
// The walk knows no window: it finds buttons, boxes, grids, sliders and menus in the widget tree of the
// windows shown, so a window added to a program is walked without being named here.
//
// walker.cpp runs the walk (events counted, delivered and logged, restarts, modal windows),
// walk_actions.cpp chooses each action of the user and sends its events, walk_checks.cpp holds what every
// window must keep, walk_services.cpp the services that show the windows for real.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>

#include <QPointer>
#include <QWidget>

#include "ui/control.h"
#include "ui/testing.h"

class QEvent;

namespace walk {

class Walk;

// Scripted services that show the windows for real: a modeless window gets its widgets and is shown,
// a modal one gets a short walk of its own, after which it is closed if it still stands.
class Services : public ui::ScriptedServices {
 public:
  explicit Services(Walk& walk);
  ~Services() override;
  int msgBox(const std::string& prompt, const std::string& title) override;
  void showForm(ui::Form& form, bool modal, ui::Form* owner) override;
  void hideForm(ui::Form& form) override;
  void formUnloaded(ui::Form& form) override;
  void setFocus(ui::Control& control) override;

 private:
  Walk& walk_;
};

// What a result on screen (a drawing, a readout, bar colours) was made from: the program's inputs as
// they stood when the result last changed. It belongs to the model on screen while they still stand.
class Shown {
 public:
  // state: the result as it is now (a drawing's revision, the texts); inputs: the model's now. True
  // when the result changed since the last call.
  bool note(const std::string& state, const std::string& inputs) {
    if (known_ && state == state_) return false;
    known_ = true;
    state_ = state;
    inputs_ = inputs;
    return true;
  }
  // The result was made again, perhaps identically (a solve writing the same numbers).
  void remade(const std::string& inputs) { inputs_ = inputs; }
  bool current(const std::string& inputs) const { return inputs_ == inputs; }
  void forget() { *this = Shown{}; }

 private:
  bool known_ = false;
  std::string state_, inputs_;
};

struct Settings {
  std::uint64_t seed = 1;
  long events = 5000;
  // From the environment, for longer walks: KESVO_WALK_EVENTS and KESVO_WALK_SEED.
  static Settings fromEnvironment(long events, std::uint64_t seed);
};

class Walk {
 public:
  // start: starts the program afresh (its windows gone, its model at start-up), shows its start-up
  // window and returns it. check: the program's own invariants, "" when they hold.
  Walk(Settings settings, std::function<ui::Form&()> start, std::function<std::string()> check);
  ~Walk();

  // Walks until the number of events is reached or a check fails; "" or the failure, with the seed,
  // the event's number and the last events before it.
  std::string run();

  Services& services() { return *svc_; }
  // Lets Qt delete what the windows left to delete.
  static void settle();
  // Takes every window off the screen, as the end of the process does: call before destroying them.
  static void closeAll();
  long eventCount() const { return event_; }
  // How many times each kind of action ran, for the report of a long walk.
  std::string statistics() const;

  // An aim of the program's own walk: one step toward a larger model, made of the user's events below.
  // It takes the place of a random action at the given share of them (not in a modal window); false
  // when it found nothing to do, and a random action runs instead.
  void setAim(double share, std::function<bool(Walk&)> aim);
  // The user's moves an aim is made of; each is false when what it needs is not on the screen.
  // A left click on a control where it shows.
  bool clickControl(ui::Control& c);
  // A drag of source, dropped at x, y (twips) of onto, a control of the same window.
  bool dragControl(ui::Control& source, ui::Control& onto, float x, float y);
  // A menu of a window's menu bar opened by its caption, and its item chosen by caption ("": the
  // menu itself is the command).
  bool chooseMenu(ui::Form& form, const std::string& menu, const std::string& item);
  // A left click at x, y (twips) of a control, where the window gives it to that control: false when
  // that point is off the screen or something else lies over it there.
  bool clickControlAt(ui::Control& c, float x, float y);
  // A text typed into a box as a user replaces its number: a click into it, all of it selected, the keys.
  bool typeInto(ui::Control& box, const std::string& text);
  // A window closed with its close box.
  bool closeForm(ui::Form& form);
  // The mouse moved onto a control where it shows.
  bool moveOnto(ui::Control& c);
  // A tab of a tab control clicked in its row of captions.
  bool chooseTab(ui::TabControl& t, int tab);
  // A scroll bar's thumb dragged past one end, so that the bar stands at its least or greatest value.
  bool dragThumbToEnd(ui::Control& bar, bool least);
  // Some part of the control shows where the user can reach it, with nothing lying over it there.
  static bool onScreen(ui::Control& c);
  int uniform(int lo, int hi);  // lo..hi inclusive, from the walk's seed
  bool chance(double p);

  // Used by Services.
  void modal(ui::Form& form);
  void message(const std::string& prompt);
  void handlerFailed(const std::string& why);
  // A text shown to the user holds no number that is not finite ("" when it is sound). typed: the
  // user may have typed this text himself, so words such as "nan" are his, not the program's.
  static std::string nonFinite(const std::string& text, bool typed);

 private:
  void restart();
  bool alive() const;
  void action();
  void clickAt(QWidget* w, int button, unsigned modifiers, bool twice);
  void drag(QWidget* w);
  void hover(QWidget* w);
  void key(QWidget* w);
  void keyStroke(QWidget* w, int qtKey, unsigned modifiers, const std::string& text, unsigned scan, int repeats);
  void type(QWidget* w);
  void popup(QWidget* p);
  void menuBar(QWidget* mb);
  void tab(QWidget* bar);
  void tick();
  void closeWindow(QWidget* window);
  // Sends one event to a widget through the application, counts it and checks everything.
  void deliver(QWidget* w, QEvent& e, const std::string& what);
  void mouse(QWidget* w, int type, int x, int y, int button, int buttons, unsigned modifiers, const std::string& what);
  void checkAll(const std::string& what);
  void confine();
  std::string layerCheck();
  void fail(const std::string& why);
  void note(const std::string& what);
  // After a press on pressed at a point of its window: moves to another point and the release there.
  void sweep(QWidget* pressed, QWidget* win, QPoint at, QPoint end, int button, unsigned mods);

  Settings settings_;
  std::function<ui::Form&()> start_;
  ui::Form* main_ = nullptr;
  std::function<std::string()> check_;
  std::unique_ptr<Services> svc_;
  std::mt19937_64 rng_;
  long event_ = 0;
  std::string failure_;
  std::deque<std::string> recent_;
  int modalDepth_ = 0;
  ui::Form* modalForm_ = nullptr;
  std::set<const ui::Control*> typedInto_;         // controls the user typed into: their words are his
  std::map<std::string, long> stats_;                // how many times each kind of action ran
  std::map<const ui::Control*, unsigned> gridSeen_;  // a grid's revision last checked
  QPointer<QWidget> lastPopup_;                      // the popup the last action went to
  int popupTries_ = 0;                               // actions in a row on that popup
  std::set<std::string> ending_;                     // menu items that ended the program
  std::string lastClicked_;                          // the control array a click went to last
  int burst_ = 0;                                    // clicks still to come on that array's members
  double aimShare_ = 0;
  std::function<bool(Walk&)> aim_;
  void (*previousHook_)(const std::string&, const std::string&) = nullptr;  // the event boundary's hook before the walk's
};

}  // namespace walk
