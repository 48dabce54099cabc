#pragma once
// The splash and About window: closes itself on its fifth one-second tick, or at once on a key or a
// click on its frame.
#include "ui/control.h"
#include "ui/form.h"

class frmSplash : public ui::Form {
 public:
  frmSplash();

  ui::Frame Frame1{this, nullptr, "Frame1"};
  ui::Image Image1{this, &Frame1, "Image1"};
  ui::Shape Shape1{this, &Frame1, "Shape1"};
  ui::Label lblCompanyProduct{this, &Frame1, "lblCompanyProduct"};
  ui::Label Label1{this, &Frame1, "Label1"};
  ui::Timer Timer1{this, nullptr, "Timer1"};

  void Form_Load() override;
  void Form_KeyPress(int& KeyAscii) override;
  void Timer1_Timer();
  void Frame1_Click();

  unsigned char splash_ticks = 0;
};

inline ui::FormRef<frmSplash> frmSplashForm;
