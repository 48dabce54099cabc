#include "tests/walk/walker.h"

#include <QApplication>
#include <QCoreApplication>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <sstream>

#include "tests/walk/walk_internal.h"
#include "ui/dispatch.h"
#include "ui/views.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace walk {

using detail::shownWindows;

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

}  // namespace

std::vector<QWidget*> detail::shownWindows(ui::Form* only) {
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


std::string Walk::statistics() const {
  std::ostringstream o;
  o << event_ << " events";
  for (auto& [k, v] : stats_) o << ", " << k << " " << v;
  return o.str();
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
