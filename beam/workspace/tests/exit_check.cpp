// beam from start to exit: the main window with its splash, tip and tool window, and the tutorial window
// opened from the Help menu, closed by the main window's close box, which unloads the tutorial too.
#include "beam/workspace/Form20.h"
#include "ui/exit_check.h"
#include "ui/form.h"

using namespace Module20;

int main(int argc, char** argv) {
  return ui::exitCheck(argc, argv, "beam", []() -> ui::Form& { return *Form20Form; }, [](ui::Form& main) {
    Form20Form->ffd_Click();
    main.userClose();
  });
}
