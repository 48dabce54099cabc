#include "ui/services.h"

#include <stdexcept>

namespace ui {

namespace {

// What stands in before a program installs its services and after it has removed them (windows made or
// destroyed then, at start or at exit, must not fail): nothing is shown, started or timed.
class NoServices : public Services {
 public:
  int msgBox(const std::string&, const std::string&) override { return 1; }
  void showForm(Form&, bool, Form*) override {}
  void hideForm(Form&) override {}
  void formUnloaded(Form&) override {}
  void timerChanged(Timer&) override {}
  void timerDestroyed(Timer&) override {}
  bool startProgram(const std::string&) override { return false; }
  void endProgram() override {}
  float screenWidthTwips() override { return 12000; }
  float screenHeightTwips() override { return 9000; }
  std::string appPath() override { return "."; }
  std::string appTitle() override { return {}; }
  float rnd() override { return 0.5f; }
  void randomize() override {}
  double timer() override { return 0; }
  void setFocus(Control&) override {}
};

// Never destroyed: global windows are destroyed at exit after every other object, and their timers
// still say goodbye to the services.
Services* none() {
  static auto* n = new NoServices;
  return n;
}
Services* g_services = nullptr;

}  // namespace

Services& services() { return g_services ? *g_services : *none(); }

Services* setServices(Services* s) {
  Services* old = g_services;
  g_services = s;
  return old;
}

int MsgBox(const std::string& prompt) { return services().msgBox(prompt, services().appTitle()); }

int MsgBoxYesNo(const std::string& prompt) { return services().askYesNo(prompt, services().appTitle()); }
int MsgBoxYesNoCancel(const std::string& prompt) {
  return services().askYesNoCancel(prompt, services().appTitle());
}

std::string App_Path() { return services().appPath(); }

std::string appFile(const std::string& name) { return services().appPath() + "/" + name; }

}  // namespace ui
