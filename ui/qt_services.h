#pragma once
// The services of a running program, on Qt.

#include <map>
#include <random>

#include "ui/services.h"

class QTimer;

namespace ui {

// Installs itself for its lifetime, as the scripted services of the tests do.
class QtServices : public Services {
 public:
  explicit QtServices(std::string title);
  ~QtServices() override;
  int msgBox(const std::string& prompt, const std::string& title) override;
  void showForm(Form& form, bool modal, Form* owner) override;
  void hideForm(Form& form) override;
  void formUnloaded(Form& form) override;
  void timerChanged(Timer& timer) override;
  void timerDestroyed(Timer& timer) override;
  bool startProgram(const std::string& path) override;
  void endProgram() override;
  float screenWidthTwips() override;
  float screenHeightTwips() override;
  std::string appPath() override;
  std::string appTitle() override { return title_; }
  float rnd() override;
  void randomize() override;
  double timer() override;
  void setFocus(Control& control) override;
  int askYesNo(const std::string& prompt, const std::string& title) override;
  int askYesNoCancel(const std::string& prompt, const std::string& title) override;

 private:
  std::string title_;
  std::map<Timer*, QTimer*> timers_;
  std::mt19937 rng_{12345};
  Services* previous_;
};

}  // namespace ui
