#include "ui/services.h"

#include <stdexcept>

namespace ui {

namespace {
Services* g_services = nullptr;
}

Services& services() {
  if (!g_services) throw std::logic_error("no services installed");
  return *g_services;
}

Services* setServices(Services* s) {
  Services* old = g_services;
  g_services = s;
  return old;
}

int MsgBox(const std::string& prompt) { return services().msgBox(prompt, services().appTitle()); }

std::string App_Path() { return services().appPath(); }

std::string appFile(const std::string& name) { return services().appPath() + "/" + name; }

}  // namespace ui
