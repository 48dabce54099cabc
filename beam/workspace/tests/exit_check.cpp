// beam from start to exit: the main window with its splash, tip and tool window, closed by its close box.
#include "beam/workspace/Form20.h"
#include "ui/exit_check.h"

int main(int argc, char** argv) {
  return ui::exitCheck(argc, argv, "beam", []() -> ui::Form& { return *Form20Form; });
}
