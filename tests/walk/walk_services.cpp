// The walk's services: windows shown for real, message boxes answered, a modal window walked.
#include <QWidget>

#include "tests/walk/walker.h"
#include "ui/views.h"

namespace walk {

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

}  // namespace walk
