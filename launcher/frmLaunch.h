#pragma once
// The family's launcher: one window that starts the truss program or the beam program from its own
// folder, or exits.

#include "ui/control.h"
#include "ui/form.h"

class frmLaunch : public ui::Form {
 public:
  frmLaunch();

  ui::Label Label1{this, nullptr, "Label1"};
  ui::CommandButton Command1{this, nullptr, "Command1"};
  ui::CommandButton Command2{this, nullptr, "Command2"};
  ui::CommandButton Command3{this, nullptr, "Command3"};

  void Command1_Click();
  void Command2_Click();
  void Command3_Click();

 private:
  // Starts a program of the family; the launcher closes only when the program started.
  void start(const char* program);
};

inline ui::FormRef<frmLaunch> frmLaunchForm;
