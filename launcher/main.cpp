// kesvo: the launcher of the family.
#include "launcher/frmLaunch.h"
#include "ui/application.h"

int main(int argc, char** argv) {
  return ui::runProgram(argc, argv, "kesvo", []() -> ui::Form& { return *frmLaunchForm; });
}
