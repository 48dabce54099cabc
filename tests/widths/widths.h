#pragma once
// Every text of every shown window against the room its control gives it, through the real widgets
// (offscreen font metrics): no text box, label, button, check box, grid cell, tab or caption may cut a
// number's sign or leading digits, or a word.

#include <set>
#include <string>
#include <vector>

#include "ui/testing.h"

namespace widths {

// Scripted services that show each modeless window through the real widgets, so that its texts are
// laid out as the user sees them.
class Services : public ui::ScriptedServices {
 public:
  Services();
  ~Services() override;
  void showForm(ui::Form& form, bool modal, ui::Form* owner) override;
  void hideForm(ui::Form& form) override;
  void formUnloaded(ui::Form& form) override;
};

// One text that does not fit: "window/control: "text" needs N px, has M".
struct Offender {
  std::string where;  // "Form10/Label19"
  std::string text;
  int need = 0, room = 0;
  std::string line() const;
};

// Every shown window's controls, on every page of their tab controls. measured, when given, receives
// how many controls had a text measured (each once, whatever its page), so that a check that found no
// window or no text cannot pass for one that found every text whole.
std::vector<Offender> check(int* measured = nullptr);

// The offenders not named in excluded (by where, or by "where:text").
std::string report(const std::vector<Offender>& found, const std::set<std::string>& excluded);

}  // namespace widths
