#include "ui/application.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

#include "ui/font.h"
#include "ui/form.h"
#include "ui/keys.h"
#include "ui/qt_services.h"
#include "ui/views.h"

namespace ui {

namespace {

// Routes the keys of every window to its form (key preview first) and to the control that has the
// focus, with the original's key codes. Auto-repeat gives repeated KeyDown and a single KeyUp.
class KeyRouter : public QObject {
 public:
  bool eventFilter(QObject* obj, QEvent* e) override {
    if (e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease) return false;
    if (e == last_) return false;  // the same event going on to a parent widget
    last_ = e;
    auto* w = qobject_cast<QWidget*>(obj);
    Control* c = controlOf(w);
    if (!c) return false;
    Form* form = c->form();
    auto* ke = static_cast<QKeyEvent*>(e);
    int code = vbKeyCode(ke->key(), ke->nativeScanCode());
    int shift = vbShiftBits(unsigned(ke->modifiers()));
    if (e->type() == QEvent::KeyRelease) {
      if (ke->isAutoRepeat()) return true;
      if (code) form->dispatchKeyUp(c, code, shift);
      return false;
    }
    if (code) form->dispatchKeyDown(c, code, shift);
    QString text = ke->text();
    if (!text.isEmpty() && form->loaded()) {
      char32_t ch = text.toUcs4().value(0);
      if (ch) form->dispatchKeyPress(c, vbKeyAscii(ch));
    }
    return false;
  }

 private:
  QEvent* last_ = nullptr;
};

}  // namespace

int runProgram(int argc, char** argv, const std::string& title, const std::function<Form&()>& makeStartup) {
  QApplication app(argc, argv);
  app.setFont(hebrewFont());
  app.setQuitOnLastWindowClosed(false);
  KeyRouter router;
  app.installEventFilter(&router);
  QtServices services(title);
  Services* previous = setServices(&services);
  Form& startup = makeStartup();
  startup.Show();
  int rc = startup.loaded() ? app.exec() : 0;
  setServices(previous);
  return rc;
}

}  // namespace ui
