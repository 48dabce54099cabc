#pragma once
// A property of a control: the value as the program set it, and a note to its owner when it changes, so
// that the owner can fire the events a change of it fires and bring its widget up to date.
// The value is held exactly as set (twips as float, never round-tripped through pixels).

#include <string>
#include <type_traits>
#include <utility>

namespace ui {

class Control;

// Implemented in control.cpp: forwards to the owner's virtual propertyChanged.
void notifyChanged(Control* owner, const void* which);

enum class Notify { OnChange, Always };

template <class T>
class Prop {
 public:
  Prop(Control* owner, T initial = T{}, Notify notify = Notify::OnChange)
      : v_(std::move(initial)), owner_(owner), notify_(notify) {}
  Prop(const Prop&) = delete;

  Prop& operator=(const T& v) {
    if (notify_ == Notify::Always || !(v_ == v)) {
      v_ = v;
      notifyChanged(owner_, this);
    }
    return *this;
  }
  Prop& operator=(const Prop& other) { return *this = other.v_; }
  template <class U>
    requires(std::is_convertible_v<U, T> && !std::is_same_v<std::decay_t<U>, T> &&
             !std::is_same_v<std::decay_t<U>, Prop>)
  Prop& operator=(U&& v) {
    return *this = T(std::forward<U>(v));
  }

  operator const T&() const { return v_; }
  const T& get() const { return v_; }

  // Sets the value without telling the owner: for the owner's own bookkeeping (a button's Value
  // falling back to False after its Click, a widget reporting what the user did).
  void setQuietly(const T& v) { v_ = v; }

  template <class U>
  Prop& operator+=(const U& d) { return *this = T(v_ + d); }
  template <class U>
  Prop& operator-=(const U& d) { return *this = T(v_ - d); }

  // Arithmetic values compare through the conversion above; text needs these.
  friend bool operator==(const Prop& a, const T& b)
    requires(!std::is_arithmetic_v<T>)
  {
    return a.v_ == b;
  }

 private:
  T v_;
  Control* owner_;
  Notify notify_;
};

}  // namespace ui
