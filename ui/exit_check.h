#pragma once
// A program's whole life in a test process: the real Qt services (except that programs it starts are
// only recorded), the start-up form shown, its modal windows closed as soon as they show, then the main
// window closed as the user closes it. The process then ends as the program's does, through the
// destruction of every global window, which is where an exit path can break unseen (run under ASan).

#include <functional>
#include <string>

namespace ui {

class Form;

// close: what the user does to end the program (default: the start-up form's close box).
// Returns 0 when the program ended with every window unloaded.
int exitCheck(int argc, char** argv, const std::string& title, const std::function<Form&()>& makeStartup,
              const std::function<void(Form&)>& close = {});

}  // namespace ui
