#pragma once
// Running a program: the Qt application with the Hebrew font and the keyboard routing, the Qt services,
// and the start-up form shown until the last window has unloaded.

#include <functional>
#include <string>

namespace ui {

class Form;

// title: the application's title, which message boxes carry. makeStartup returns the start-up form
// (made after the application exists). Returns the exit code.
int runProgram(int argc, char** argv, const std::string& title, const std::function<Form&()>& makeStartup);

}  // namespace ui
