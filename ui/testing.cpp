#include "ui/testing.h"

#include <algorithm>
#include <filesystem>

#include "ui/control.h"
#include "ui/form.h"

namespace ui {

ScriptedServices::ScriptedServices() : previous_(setServices(this)) {}

ScriptedServices::~ScriptedServices() { setServices(previous_); }

int ScriptedServices::msgBox(const std::string& prompt, const std::string& t) {
  messages.push_back(prompt);
  titles.push_back(t);
  return 1;
}

int ScriptedServices::askYesNo(const std::string& prompt, const std::string& t) {
  msgBox(prompt, t);
  if (answers.empty()) return vbNo;
  int a = answers.front();
  answers.pop_front();
  return a;
}

int ScriptedServices::askYesNoCancel(const std::string& prompt, const std::string& t) { return askYesNo(prompt, t); }

void ScriptedServices::showForm(Form& form, bool modal, Form*) {
  if (!modal) {
    if (form.activatesOnShow()) focused = &form;  // its window takes the keys
    return;
  }
  modalShown.push_back(form.Name());
  if (onModal) onModal(form);
  if (form.loaded() && form.Visible.get()) form.Unload();
}

void ScriptedServices::hideForm(Form&) {}
void ScriptedServices::formUnloaded(Form&) {}

void ScriptedServices::timerChanged(Timer& t) {
  running.erase(std::remove(running.begin(), running.end(), &t), running.end());
  if (t.running()) running.push_back(&t);
}

void ScriptedServices::timerDestroyed(Timer& t) {
  running.erase(std::remove(running.begin(), running.end(), &t), running.end());
}

bool ScriptedServices::startProgram(const std::string& path) {
  if (requireExistingFile && !std::filesystem::exists(path)) return false;
  if (!startSucceeds) return false;
  started.push_back(path);
  return true;
}

float ScriptedServices::rnd() {
  if (randoms.empty()) return 0.5f;
  float r = randoms.front();
  randoms.pop_front();
  return r;
}

}  // namespace ui
