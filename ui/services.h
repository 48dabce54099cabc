#pragma once
// Everything a window asks of the world outside it goes through one interface: message boxes, modal
// windows, timers, starting another program, the screen, the application's folder, random numbers and
// the clock. The program installs the Qt implementation; tests install a scripted one (ui/testing.h).

#include <functional>
#include <string>

namespace ui {

class Form;
class Timer;

// The answers of a Yes/No or Yes/No/Cancel question.
inline constexpr int vbCancel = 2, vbYes = 6, vbNo = 7;

class Services {
 public:
  virtual ~Services() = default;
  // A modal message box with an OK button and the application's title; returns the button (1, OK).
  virtual int msgBox(const std::string& prompt, const std::string& title) = 0;
  // Shows a form; a modal show returns when the form has been unloaded or hidden.
  virtual void showForm(Form& form, bool modal, Form* owner) = 0;
  virtual void hideForm(Form& form) = 0;
  // The form has unloaded: its window goes.
  virtual void formUnloaded(Form& form) = 0;
  // A timer was enabled, disabled or given a new interval.
  virtual void timerChanged(Timer& timer) = 0;
  virtual void timerDestroyed(Timer& timer) = 0;
  // Starts a program file with a normal, focused window, detached, without arguments; false when the
  // file cannot be started.
  virtual bool startProgram(const std::string& path) = 0;
  // Ends the program at once, running no unload handler.
  virtual void endProgram() = 0;
  virtual float screenWidthTwips() = 0;
  virtual float screenHeightTwips() = 0;
  // The folder of the running executable, without a trailing separator.
  virtual std::string appPath() = 0;
  virtual std::string appTitle() = 0;
  // Random numbers in [0, 1), and seeding from the clock.
  virtual float rnd() = 0;
  virtual void randomize() = 0;
  // Seconds since midnight.
  virtual double timer() = 0;
  // A control asks for the keyboard focus.
  virtual void setFocus(class Control& control) = 0;
  // A modal question with Yes and No buttons and the application's title; returns vbYes or vbNo.
  virtual int askYesNo(const std::string& prompt, const std::string& title) { return vbNo; }
  // The same with a Cancel button too (also what Escape or the close box answers); returns vbYes, vbNo
  // or vbCancel.
  virtual int askYesNoCancel(const std::string& prompt, const std::string& title) { return vbNo; }
};

Services& services();
// Installs a service implementation (not owned); returns the previous one.
Services* setServices(Services* s);

// Shorthands the windows use.
int MsgBox(const std::string& prompt);
// A Yes/No question: vbYes or vbNo.
int MsgBoxYesNo(const std::string& prompt);
// A Yes/No/Cancel question: vbYes, vbNo or vbCancel.
int MsgBoxYesNoCancel(const std::string& prompt);
std::string App_Path();
// The path of a file in the application's folder.
std::string appFile(const std::string& name);

}  // namespace ui
