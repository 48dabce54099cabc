// truss: the plane truss program of the family.
#include "truss/workspace/Form1.h"
#include "ui/application.h"

int main(int argc, char** argv) {
  return ui::runProgram(argc, argv, "truss", []() -> ui::Form& { return *Form1Form; });
}
