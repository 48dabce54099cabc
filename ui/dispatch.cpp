#include "ui/dispatch.h"

#include <cstdio>

#include "ui/form.h"

namespace ui {

namespace {
HandlerFailureHook g_hook = nullptr;
}

HandlerFailureHook setHandlerFailureHook(HandlerFailureHook hook) {
  HandlerFailureHook old = g_hook;
  g_hook = hook;
  return old;
}

std::string handlerName(const Control& c, const char* event) {
  std::string name = &c == c.form() || !c.form() ? "Form" : c.Name();
  std::string prefix = c.form() ? c.form()->Name() + "." : std::string();
  std::string index = c.Index() >= 0 ? "(" + std::to_string(c.Index()) + ")" : std::string();
  return prefix + name + "_" + event + index;
}

void handlerFailed(const std::string& handler, const std::string& what) {
  std::fprintf(stderr, "%s failed: %s\n", handler.c_str(), what.c_str());
  std::fflush(stderr);
  if (g_hook) g_hook(handler, what);
}

}  // namespace ui
