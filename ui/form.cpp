#include "ui/form.h"

#include <algorithm>

#include "ui/dispatch.h"
#include "ui/services.h"
#include "ui/view.h"

namespace ui {

namespace {
constexpr float kFrameX = 2 * kFrameSideTwips;
constexpr float kFrameY = 2 * kFrameSideTwips + kCaptionTwips;
constexpr float kMenuBar = kMenuBarTwips;
// Never destroyed: the windows are globals of the programs, destroyed at exit in an order no
// translation unit controls, and each one leaves this list as it goes.
std::vector<Form*>& forms() {
  static auto* f = new std::vector<Form*>;
  return *f;
}
}  // namespace

bool anyFormLoaded() {
  return std::any_of(forms().begin(), forms().end(), [](Form* f) { return f->loaded(); });
}

Form::Form(std::string name) : Control(this, nullptr, std::move(name)) {
  forms().push_back(this);
  Visible.setQuietly(false);
  BackColor.setQuietly(RGB(236, 233, 216));
  // The windows are Hebrew windows: menus and tab strips run from the right. Controls keep the
  // positions they are given and their own reading order.
  RightToLeft.setQuietly(true);
}

Form::~Form() {
  forms().erase(std::remove(forms().begin(), forms().end(), this), forms().end());
  // The controls (members of the derived window) are gone by now; drop what remains of the window.
  if (view()) services().formUnloaded(*this);
}

float Form::ScaleWidth() const { return std::max(0.0f, Width.get() - kFrameX); }
float Form::ScaleHeight() const {
  return std::max(0.0f, Height.get() - kFrameY - (hasMenuBar() ? kMenuBar : 0.0f));
}

void Form::setClientSize(float scaleWidth, float scaleHeight) {
  Width = scaleWidth + kFrameX;
  Height = scaleHeight + kFrameY + (hasMenuBar() ? kMenuBar : 0.0f);
}

bool Form::hasMenuBar() const {
  return std::any_of(menus_.begin(), menus_.end(), [](Menu* m) { return m->parentMenu() == nullptr; });
}

void Form::Load() {
  if (loaded_) return;
  loaded_ = true;
  Form_Load();
}

void Form::ShowInactive(Form* owner) {
  activates_ = false;
  Show(vbModeless, owner);
  activates_ = true;
}

void Form::Show(int modal, Form* owner) {
  Load();
  if (!loaded_) return;  // Form_Load unloaded the window again
  owner_ = owner;
  modal_ = modal == vbModal;
  Visible.setQuietly(true);
  // The start-up position places the window the first time it shows; shown again (after Hide or
  // Unload) it stands where it stood or where the user moved it.
  if (!placed_ && (StartUpPosition.get() == 2 || (StartUpPosition.get() == 1 && !owner))) {
    Left.setQuietly((services().screenWidthTwips() - Width.get()) / 2);
    Top.setQuietly((services().screenHeightTwips() - Height.get()) / 2);
  } else if (!placed_ && StartUpPosition.get() == 1) {
    Left.setQuietly(owner->Left.get() + (owner->Width.get() - Width.get()) / 2);
    Top.setQuietly(owner->Top.get() + (owner->Height.get() - Height.get()) / 2);
  }
  placed_ = true;
  services().showForm(*this, modal_, owner);
}

void Form::Hide() {
  Load();
  Visible.setQuietly(false);
  services().hideForm(*this);
}

bool Form::Unload() {
  if (!loaded_) return true;
  int cancel = 0;
  Form_Unload(cancel);
  if (cancel) return false;
  loaded_ = false;
  Visible.setQuietly(false);
  modal_ = false;
  services().formUnloaded(*this);
  return true;
}

void Form::userClose() { Unload(); }

// Each handler a key reaches is a boundary of its own: a failing key preview still lets the control
// have the key.
int Form::dispatchKeyDown(Control* target, int KeyCode, int Shift) {
  if (KeyPreview.get()) guarded(*this, "KeyDown", [&] { Form_KeyDown(KeyCode, Shift); });
  if (KeyCode == 0) return 0;
  if (target && target != this)
    guarded(*target, "KeyDown", [&] { target->raiseKeyDown(KeyCode, Shift); });
  else if (!KeyPreview.get())
    guarded(*this, "KeyDown", [&] { Form_KeyDown(KeyCode, Shift); });
  return KeyCode;
}

int Form::dispatchKeyUp(Control* target, int KeyCode, int Shift) {
  if (KeyPreview.get()) guarded(*this, "KeyUp", [&] { Form_KeyUp(KeyCode, Shift); });
  if (KeyCode == 0) return 0;
  if (target && target != this)
    guarded(*target, "KeyUp", [&] { target->raiseKeyUp(KeyCode, Shift); });
  else if (!KeyPreview.get())
    guarded(*this, "KeyUp", [&] { Form_KeyUp(KeyCode, Shift); });
  return KeyCode;
}

int Form::dispatchKeyPress(Control* target, int KeyAscii) {
  if (KeyPreview.get()) guarded(*this, "KeyPress", [&] { Form_KeyPress(KeyAscii); });
  if (KeyAscii == 0) return 0;
  if (target && target != this)
    guarded(*target, "KeyPress", [&] { target->raiseKeyPress(KeyAscii); });
  else if (!KeyPreview.get())
    guarded(*this, "KeyPress", [&] { Form_KeyPress(KeyAscii); });
  return KeyAscii;
}

void Form::propertyChanged(const void* which) {
  if (which == &Visible) {
    // Setting Visible shows or hides the window as Show and Hide do.
    bool v = Visible.get();
    Visible.setQuietly(!v);
    if (v)
      Show(vbModeless, owner_);
    else
      Hide();
    return;
  }
  Control::propertyChanged(which);
}

void Form::registerControl(Control* c) {
  all_.push_back(c);
}

void Form::unregisterControl(Control* c) {
  all_.erase(std::remove(all_.begin(), all_.end(), c), all_.end());
  menus_.erase(std::remove(menus_.begin(), menus_.end(), c), menus_.end());
}

void Form::registerMenu(Menu* m) { menus_.push_back(m); }

}  // namespace ui
