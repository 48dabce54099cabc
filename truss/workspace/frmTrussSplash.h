#pragma once
// The title window of the truss program, shown modally while the main window starts; a key or a click on
// it closes it.

#include "ui/control.h"
#include "ui/form.h"

class frmTrussSplash : public ui::Form {
 public:
  frmTrussSplash();

  ui::Frame Frame1{this, nullptr, "Frame1"};
  ui::Image imgLogo{this, &Frame1, "imgLogo"};
  ui::Label Label1{this, &Frame1, "Label1"};
  ui::Label Label3{this, &Frame1, "Label3"};
  ui::TextBox Text1{this, &Frame1, "Text1"};
  ui::Shape Shape1{this, &Frame1, "Shape1"};

  void Form_Load() override;
  void Form_KeyPress(int& KeyAscii) override;
  void Frame1_Click();
  void imgLogo_Click();
};

inline ui::FormRef<frmTrussSplash> frmTrussSplashForm;
