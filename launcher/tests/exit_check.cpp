// kesvo from start to exit: the launcher ends by starting the beam program, as its button does.
#include "launcher/frmLaunch.h"
#include "ui/exit_check.h"

int main(int argc, char** argv) {
  return ui::exitCheck(argc, argv, "kesvo", []() -> ui::Form& { return *frmLaunchForm; },
                       [](ui::Form&) { frmLaunchForm->Command2.Value = true; });
}
