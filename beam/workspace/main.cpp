// beam: the continuous-beam program of the family.
#include "beam/workspace/Form20.h"
#include "ui/application.h"

using namespace Module20;

int main(int argc, char** argv) {
  return ui::runProgram(argc, argv, "Kesvo - תוכנה לחישוב מבנים", []() -> ui::Form& { return *Form20Form; });
}
