#pragma once
// Menus: items on the bar, their submenu items, separators (caption "-"), check marks and access keys
// ("&פתור": the letter after the ampersand). A menu item is a control of its window, so it can also be
// a member of a control array.

#include <string>

#include "ui/control.h"

namespace ui {

class Menu : public Control {
 public:
  // parent: the menu it opens from, or nullptr for an item of the menu bar.
  Menu(Form* form, Menu* parent, std::string name, std::string caption);
  // As a member of a menu array (the array passes its form, container and name first).
  Menu(Form* form, Control* container, std::string name, Menu* parent, std::string caption);
  const char* kind() const override { return "Menu"; }
  Menu* parentMenu() const { return parent_; }
  Prop<std::string> Caption{this};
  Prop<bool> Checked{this, false};
  bool isSeparator() const { return Caption.get() == "-"; }
  // What choosing the item does: Click, as the user's choice does.
  void choose();

 private:
  Menu* parent_;
};

}  // namespace ui
