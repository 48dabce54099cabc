// beam: the continuous-beam program of the family.
#include "beam/workspace/Form20.h"
#include "ui/application.h"
#include "ui/programs.h"

using namespace Module20;

int main(int argc, char** argv) {
  return ui::runProgram(argc, argv, ui::kFamilyTitle, []() -> ui::Form& { return *Form20Form; });
}
