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
  std::string name;
  if (c.form()) {
    name += c.form()->Name();
    name += '.';
  }
  name += &c == c.form() || !c.form() ? std::string("Form") : c.Name();
  name += '_';
  name += event;
  if (c.Index() >= 0) {
    name += '(';
    name += std::to_string(c.Index());
    name += ')';
  }
  return name;
}

void handlerFailed(const std::string& handler, const std::string& what) {
  std::fprintf(stderr, "%s failed: %s\n", handler.c_str(), what.c_str());
  std::fflush(stderr);
  if (g_hook) g_hook(handler, what);
}

}  // namespace ui
