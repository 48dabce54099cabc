#pragma once
// An event from the window system runs its handler inside a boundary: a handler that fails (an index
// out of range, say) stops there, the failure goes to standard error with the handler's name, and the
// program goes on with the next event. Calls made by code (a handler pressing another window's button)
// are ordinary calls and fail to their caller.

#include <exception>
#include <string>

namespace ui {

class Control;

// Called with the handler's name ("Form20.Image1_DragDrop(3)") and the failure after it has been
// written to standard error; tests install one that fails the test. Returns the previous hook.
using HandlerFailureHook = void (*)(const std::string& handler, const std::string& what);
HandlerFailureHook setHandlerFailureHook(HandlerFailureHook hook);

std::string handlerName(const Control& c, const char* event);
void handlerFailed(const std::string& handler, const std::string& what);

// Runs f as the handler of c's event; false when it failed.
template <class F>
bool guarded(const Control& c, const char* event, F&& f) {
  try {
    f();
    return true;
  } catch (const std::exception& e) {
    handlerFailed(handlerName(c, event), e.what());
  } catch (...) {
    handlerFailed(handlerName(c, event), "unknown failure");
  }
  return false;
}

}  // namespace ui
