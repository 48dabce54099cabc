#pragma once
// Scripted services for tests: what the windows said and started is recorded, modal windows are handed
// to a script instead of a nested event loop, and the screen, folder, random numbers and clock are set.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/services.h"

namespace ui {

class ScriptedServices : public Services {
 public:
  ScriptedServices();
  ~ScriptedServices() override;  // puts the previous services back

  std::vector<std::string> messages;  // every message box's prompt, in order
  std::vector<std::string> titles;
  std::vector<std::string> started;   // every program start's path, in order
  std::vector<std::string> modalShown;  // names of the forms shown modally
  bool ended = false;
  // Called when a form is shown modally; the script may drive it (tick its timer, press its keys) and
  // unload it. A form still loaded afterwards is unloaded, so no test hangs on a modal window.
  std::function<void(Form&)> onModal;
  bool startSucceeds = true;  // what startProgram answers when the file exists
  bool requireExistingFile = true;
  float screenW = 12000, screenH = 9000;
  std::string folder = "/nonexistent-kesvo-folder";
  std::string title = "kesvo";
  std::deque<float> randoms;  // rnd() returns these, then 0.5
  double clock = 0;
  Control* focused = nullptr;  // the control that asked for the keys last, or the form shown active last
  std::vector<Timer*> running;
  std::deque<int> answers;  // what questions answer, in order (vbYes, vbNo, vbCancel); then vbNo

  int msgBox(const std::string& prompt, const std::string& title) override;
  void showForm(Form& form, bool modal, Form* owner) override;
  void hideForm(Form& form) override;
  void formUnloaded(Form& form) override;
  void timerChanged(Timer& timer) override;
  void timerDestroyed(Timer& timer) override;
  bool startProgram(const std::string& path) override;
  void endProgram() override { ended = true; }
  float screenWidthTwips() override { return screenW; }
  float screenHeightTwips() override { return screenH; }
  std::string appPath() override { return folder; }
  std::string appTitle() override { return title; }
  float rnd() override;
  void randomize() override {}
  double timer() override { return clock; }
  void setFocus(Control& control) override { focused = &control; }
  // Recorded with the messages.
  int askYesNo(const std::string& prompt, const std::string& title) override;
  int askYesNoCancel(const std::string& prompt, const std::string& title) override;

 private:
  Services* previous_;
};

}  // namespace ui
