// Keys from the window system to the forms: the key codes of the windows, key preview, what the
// handlers leave in KeyCode and KeyAscii, auto-repeat, and KeyUp only where the KeyDown went.
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <map>
#include <optional>

#include "ui/dispatch.h"
#include "ui/keys.h"
#include "ui/views.h"
#include "ui/widgets.h"

namespace ui {

namespace {

// A release that carries the window system's time stamp waits for the next key event: X11 reports a
// held key as release and press pairs of the same time stamp, and Qt does not flag every pair as
// auto-repeat (it only looks at what has already arrived). A press of the same key at the same or the
// next millisecond makes the pair a repeat; anything else, or a short wait, makes it a real release.
struct PendingRelease {
  QPointer<QWidget> receiver;
  int code;
  int shift;
  unsigned long time;
};

struct KeyState {
  // Key code -> the form its KeyDown reached; its KeyUp goes there and nowhere else.
  std::map<int, Form*> down;
  std::optional<PendingRelease> pending;
  QTimer* timer = nullptr;
};

// Never destroyed, like every piece of state a global window may touch at exit.
KeyState& keyState() {
  static auto* k = new KeyState;
  return *k;
}

constexpr int kRepeatWaitMs = 40;

void keyUp(const PendingRelease& r) {
  auto& down = keyState().down;
  auto it = down.find(r.code);
  if (it == down.end()) return;
  Form* form = it->second;
  down.erase(it);
  Control* c = r.receiver ? controlOf(r.receiver) : nullptr;
  if (c && c->form() == form) form->dispatchKeyUp(c, r.code, r.shift);
}

void waitForRepeat(const PendingRelease& r) {
  KeyState& k = keyState();
  k.pending = r;
  if (!k.timer) {
    k.timer = new QTimer;
    k.timer->setSingleShot(true);
    QObject::connect(k.timer, &QTimer::timeout, [] { settleKeys(); });
  }
  k.timer->start(kRepeatWaitMs);
}

// What the handlers left in KeyCode and KeyAscii, as the event the widget gets: nullopt when the key is
// swallowed whole, the original event when nothing changed.
bool rewrite(QKeyEvent* ke, int code, int codeLeft, int ascii, int asciiLeft, std::optional<QKeyEvent>& out) {
  if (codeLeft == code && asciiLeft == ascii) return true;
  int key = codeLeft == code ? ke->key() : codeLeft == 0 ? int(Qt::Key_unknown) : qtKeyOf(codeLeft);
  if (key == 0) key = Qt::Key_unknown;
  QString text = ke->text();
  if (asciiLeft != ascii) {
    char32_t ch = charOfKeyAscii(asciiLeft);
    text = ch ? QString::fromUcs4(&ch, 1) : QString();
  }
  if (key == Qt::Key_unknown && text.isEmpty()) return false;
  out.emplace(ke->type(), key, ke->modifiers(), ke->nativeScanCode(), ke->nativeVirtualKey(),
              ke->nativeModifiers(), text, ke->isAutoRepeat());
  out->setTimestamp(ke->timestamp());
  return true;
}

}  // namespace

void settleKeys() {
  KeyState& k = keyState();
  if (k.timer) k.timer->stop();
  if (!k.pending) return;
  PendingRelease r = *k.pending;
  k.pending.reset();
  keyUp(r);
}

void forgetKeys(Form& form) {
  auto& down = keyState().down;
  for (auto it = down.begin(); it != down.end();) it = it->second == &form ? down.erase(it) : std::next(it);
}

// Keys are routed here, which Qt calls once per key event (it passes an ignored event on to the parent
// widgets inside that call), so each key reaches the form exactly once. This is also the outermost
// boundary of every handler Qt runs: nothing a handler throws goes through Qt's event loop.
bool Application::notify(QObject* receiver, QEvent* e) {
  // A widget whose view has gone waits for Qt to delete it; its control may be gone too, so it takes
  // no event but its deletion.
  if (receiver->isWidgetType() && e->type() != QEvent::DeferredDelete) {
    QVariant v = receiver->property(kControlProp);
    if (v.isValid() && !v.value<void*>()) return true;
  }
  // Every window of the program shows its tooltips while any of them is active (a bar's numbers while
  // the data window has the keys), and none while another program is.
  if (e->type() == QEvent::ToolTip && !QApplication::activeWindow()) return true;
  try {
    if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) {
      std::optional<QKeyEvent> replaced;
      if (!routeKey(receiver, static_cast<QKeyEvent*>(e), replaced)) return true;
      if (replaced) {
        bool r = QApplication::notify(receiver, &*replaced);
        e->setAccepted(replaced->isAccepted());
        return r;
      }
    }
    return QApplication::notify(receiver, e);
  } catch (const std::exception& ex) {
    handlerFailed(receiver->metaObject()->className() + std::string(" event"), ex.what());
  } catch (...) {
    handlerFailed(receiver->metaObject()->className() + std::string(" event"), "unknown failure");
  }
  return true;
}

bool Application::routeKey(QObject* receiver, QKeyEvent* ke, std::optional<QKeyEvent>& replaced) {
  KeyState& k = keyState();
  // Qt hands a key to the window system's window object first, then to the widget: only the widget's
  // delivery counts.
  auto* widget = qobject_cast<QWidget*>(receiver);
  if (!widget) return true;
  Control* c = controlOf(widget);
  int code = vbKeyCode(ke->key(), ke->nativeScanCode());
  int shift = vbShiftBits(unsigned(ke->modifiers()));
  if (ke->type() == QEvent::KeyRelease) {
    if (ke->isAutoRepeat()) return true;
    settleKeys();
    if (!code) return true;
    // A key released where no form has it (a message box) is no longer down anywhere.
    if (!c) {
      k.down.erase(code);
      return true;
    }
    PendingRelease r{widget, code, shift, ke->timestamp()};
    if (r.time)
      waitForRepeat(r);
    else
      keyUp(r);
    return true;
  }
  if (k.pending) {
    const PendingRelease& r = *k.pending;
    bool pair = r.code == code && ke->timestamp() >= r.time && ke->timestamp() - r.time <= 1;
    if (pair) {
      k.pending.reset();
      k.timer->stop();
    } else {
      settleKeys();
    }
  }
  if (!c) return true;
  Form* form = c->form();
  QPointer<QObject> alive(receiver);
  bool wasLoaded = form->loaded();
  int codeLeft = code;
  if (code) {
    k.down[code] = form;
    codeLeft = form->dispatchKeyDown(c, code, shift);
  }
  int ascii = 0, asciiLeft = 0;
  QString text = ke->text();
  // A KeyDown handler that unloaded its window ends the key there.
  if (!alive || form->loaded() != wasLoaded) return false;
  if (!text.isEmpty()) {
    char32_t ch = text.toUcs4().value(0);
    if (ch) {
      ascii = vbKeyAscii(ch);
      asciiLeft = form->dispatchKeyPress(c, ascii);
      if (!alive) return false;
    }
  }
  return rewrite(ke, code, codeLeft, ascii, asciiLeft, replaced);
}

}  // namespace ui
