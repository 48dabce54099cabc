#pragma once
// A top-level window. Its geometry is in twips: Left and Top on the screen, Width and Height the outer
// size, ScaleWidth and ScaleHeight the client area below the menu bar. A form is loaded on first use
// (Load runs Form_Load), shown modeless or modal with an owner, hidden, and unloaded (Form_Unload, which
// may cancel; the widgets go, the controls keep their state).

#include <memory>
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/menu.h"

namespace ui {

inline constexpr int vbModeless = 0, vbModal = 1;
// What the window system adds around the client area, in twips: a 4-pixel frame on each side, a
// caption of 18 pixels, and a menu bar of 20 pixels when the window has menus.
inline constexpr float kFrameSideTwips = 60.0f, kCaptionTwips = 270.0f, kMenuBarTwips = 300.0f;

class Form : public Control {
 public:
  explicit Form(std::string name);
  ~Form() override;
  const char* kind() const override { return "Form"; }
  bool isContainer() const override { return true; }

  Prop<std::string> Caption{this};
  Prop<bool> KeyPreview{this, false};
  Prop<int> BorderStyle{this, 2};  // 2 sizable, 1 fixed single, 3 fixed dialog, 0 none
  // False: no close box; with an empty Caption the window then has no title bar at all (a splash).
  Prop<bool> ControlBox{this, true};
  // Where the first Show places the window: 0 where Left and Top say, 1 centred on its owner, 2
  // centred on the screen. Every later Show leaves it where it stands.
  Prop<int> StartUpPosition{this, 0};
  // No frame and no title bar.
  bool frameless() const { return BorderStyle.get() == 0 || (!ControlBox.get() && Caption.get().empty()); }

  // Outer less inner size: the frame and caption the window system adds, and the menu bar.
  float ScaleWidth() const;
  float ScaleHeight() const;
  void setClientSize(float scaleWidth, float scaleHeight);

  bool loaded() const { return loaded_; }
  void Load();  // runs Form_Load once until the next Unload
  void Show(int modal = vbModeless, Form* owner = nullptr);
  // Shows a modeless form beside the window that has the keys, which keeps them: a form a command key
  // shows does not take the next key typed.
  void ShowInactive(Form* owner = nullptr);
  // False while ShowInactive shows the form: its window is shown without being activated.
  bool activatesOnShow() const { return activates_; }
  void Hide();
  // Runs Form_Unload; true when the form unloaded (not cancelled).
  bool Unload();
  Form* owner() const { return owner_; }
  bool modal() const { return modal_; }

  // The handlers a window overrides.
  virtual void Form_Load() {}
  virtual void Form_Unload(int& Cancel) {}
  virtual void Form_Resize() {}
  virtual void Form_KeyDown(int& KeyCode, int Shift) {}
  virtual void Form_KeyUp(int& KeyCode, int Shift) {}
  virtual void Form_KeyPress(int& KeyAscii) {}

  // Keys from the window system: with KeyPreview the form sees them first, and a key it sets to 0
  // does not reach the control. Each returns the key as the handlers left it (0: swallowed, or another
  // key in its place), for the widget to act on.
  int dispatchKeyDown(Control* target, int KeyCode, int Shift);
  int dispatchKeyUp(Control* target, int KeyCode, int Shift);
  int dispatchKeyPress(Control* target, int KeyAscii);
  // The close box: unloads unless Form_Unload cancels.
  void userClose();
  // Every control of the window, in creation order (menus included).
  const std::vector<Control*>& allControls() const { return all_; }
  const std::vector<Menu*>& menus() const { return menus_; }
  bool hasMenuBar() const;

  void propertyChanged(const void* which) override;

  // Used by controls as they are made and destroyed.
  void registerControl(Control* c);
  void unregisterControl(Control* c);
  void registerMenu(Menu* m);

 private:
  bool loaded_ = false;
  bool modal_ = false;
  bool activates_ = true;
  bool placed_ = false;  // shown once: its start-up position has been applied
  Form* owner_ = nullptr;
  std::vector<Control*> all_;
  std::vector<Menu*> menus_;
};

// The program ends when no window is loaded any more.
bool anyFormLoaded();

// A window that is made on first use, the first time any code names it; tests destroy and remake it to
// start from its design state.
template <class F>
class FormRef {
 public:
  F& operator*() { return get(); }
  F* operator->() { return &get(); }
  F& get() {
    if (!p_) p_ = std::make_unique<F>();
    return *p_;
  }
  bool exists() const { return p_ != nullptr; }
  void reset() { p_.reset(); }

 private:
  std::unique_ptr<F> p_;
};

}  // namespace ui
