#pragma once
// A control array: members with sparse indices (Image1(0..50) and (201..300), Line1(0..200)), made at
// design time or at run time with Load, each raising its events with its own index. Indexing a member that
// does not exist throws std::out_of_range, so a stale index is caught in one place and never reaches memory.

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "ui/control.h"
#include "ui/form.h"
#include "ui/view.h"

namespace ui {

template <class T>
class ControlArray {
 public:
  ControlArray(Form* form, Control* container, std::string name)
      : form_(form), container_(container), name_(std::move(name)) {}
  // With the members made at once, in place: menu items take their place in the menu by creation order.
  ControlArray(Form* form, Control* container, std::string name, const std::function<void(ControlArray&)>& make)
      : ControlArray(form, container, std::move(name)) {
    make(*this);
  }
  ControlArray(const ControlArray&) = delete;

  // Makes member i (with extra constructor arguments after form, container, name); false when it exists.
  template <class... A>
  bool Load(int i, A&&... args) {
    return LoadIn(i, container_, std::forward<A>(args)...);
  }
  // The same, for a member that lies on another container than the first (sliders in separate frames).
  template <class... A>
  bool LoadIn(int i, Control* container, A&&... args) {
    if (members_.count(i)) return false;
    auto m = std::make_unique<T>(form_, container, name_, std::forward<A>(args)...);
    m->setIndex(i);
    wire(*m, i);
    T& made = *m;
    members_.emplace(i, std::move(m));
    // A member made while its window is shown gets its widget at once.
    if (form_ && form_->view())
      if (auto f = viewFactory()) f(made);
    return true;
  }
  bool exists(int i) const { return members_.count(i) != 0; }
  T& operator[](int i) { return *member(i); }
  const T& operator[](int i) const { return *member(i); }
  T* find(int i) { return found(i); }
  const T* find(int i) const { return found(i); }
  int LBound() const { return members_.empty() ? 0 : members_.begin()->first; }
  int UBound() const { return members_.empty() ? -1 : members_.rbegin()->first; }
  std::size_t Count() const { return members_.size(); }
  const std::string& Name() const { return name_; }
  template <class Fn>
  void forEach(Fn fn) {
    for (auto& [i, m] : members_) fn(i, *m);
  }
  template <class Fn>
  void forEach(Fn fn) const {
    for (const auto& [i, m] : members_) fn(i, static_cast<const T&>(*m));
  }

  std::function<void(int Index)> Click, DblClick, GotFocus, LostFocus, Change;
  std::function<void(int Index, int Button, int Shift, float X, float Y)> MouseDown, MouseMove, MouseUp;
  std::function<void(int Index, int& KeyCode, int Shift)> KeyDown, KeyUp;
  std::function<void(int Index, int& KeyAscii)> KeyPress;
  std::function<void(int Index, Control& Source, float X, float Y, int State)> DragOver;
  std::function<void(int Index, Control& Source, float X, float Y)> DragDrop;
  // Members of a range control array (sliders) also scroll; of a grid array, enter cells.
  std::function<void(int Index)> Scroll, EnterCell;

 private:
  // The members are owned here; a const array hands them out as const.
  T* found(int i) const {
    auto it = members_.find(i);
    return it == members_.end() ? nullptr : it->second.get();
  }
  T* member(int i) const {
    if (T* m = found(i)) return m;
    throw std::out_of_range(name_ + "(" + std::to_string(i) + ") does not exist");
  }
  void wire(T& m, int i) {
    auto* a = this;
    m.Click = [a, i] { if (a->Click) a->Click(i); };
    m.DblClick = [a, i] { if (a->DblClick) a->DblClick(i); };
    m.GotFocus = [a, i] { if (a->GotFocus) a->GotFocus(i); };
    m.LostFocus = [a, i] { if (a->LostFocus) a->LostFocus(i); };
    m.Change = [a, i] { if (a->Change) a->Change(i); };
    m.MouseDown = [a, i](int b, int s, float x, float y) { if (a->MouseDown) a->MouseDown(i, b, s, x, y); };
    m.MouseMove = [a, i](int b, int s, float x, float y) { if (a->MouseMove) a->MouseMove(i, b, s, x, y); };
    m.MouseUp = [a, i](int b, int s, float x, float y) { if (a->MouseUp) a->MouseUp(i, b, s, x, y); };
    m.KeyDown = [a, i](int& k, int s) { if (a->KeyDown) a->KeyDown(i, k, s); };
    m.KeyUp = [a, i](int& k, int s) { if (a->KeyUp) a->KeyUp(i, k, s); };
    m.KeyPress = [a, i](int& k) { if (a->KeyPress) a->KeyPress(i, k); };
    m.DragOver = [a, i](Control& src, float x, float y, int st) { if (a->DragOver) a->DragOver(i, src, x, y, st); };
    m.DragDrop = [a, i](Control& src, float x, float y) { if (a->DragDrop) a->DragDrop(i, src, x, y); };
    m.setDragProbe([a](bool drop) { return drop ? bool(a->DragDrop) : bool(a->DragOver); });
    m.setClickProbe([a] { return a->MouseDown || a->MouseUp || a->Click || a->DblClick; });
    if constexpr (requires { m.Scroll; }) m.Scroll = [a, i] { if (a->Scroll) a->Scroll(i); };
    if constexpr (requires { m.EnterCell; }) m.EnterCell = [a, i] { if (a->EnterCell) a->EnterCell(i); };
  }

  Form* form_;
  Control* container_;
  std::string name_;
  std::map<int, std::unique_ptr<T>> members_;
};

}  // namespace ui
