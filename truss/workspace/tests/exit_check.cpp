// truss from start to exit: the main window with its splash, closed by its close box.
#include "truss/workspace/Form1.h"
#include "ui/exit_check.h"

int main(int argc, char** argv) {
  return ui::exitCheck(argc, argv, "truss", []() -> ui::Form& { return *Form1Form; });
}
