#include "beam/workspace/frmSplash.h"

#include "beam/workspace/pictures.h"

frmSplash::frmSplash() : ui::Form("frmSplash") {
  BorderStyle = 3;
  ControlBox = false;
  StartUpPosition = 2;
  setClientSize(6000, 3600);
  KeyPreview = true;
  Frame1.Move(120, 60, 5760, 3420);
  Shape1.Move(120, 240, 5520, 3060);
  Shape1.BorderColor = ui::RGB(20, 40, 110);
  Image1.Move(360, 600, 1800, 900);
  Image1.Stretch = true;
  Image1.Picture_ = beam::splashPicture();
  lblCompanyProduct.Caption = "ק ו ר ו ת";
  lblCompanyProduct.FontName = "Miriam";
  lblCompanyProduct.FontSize = 24;
  lblCompanyProduct.FontBold = true;
  lblCompanyProduct.Alignment = 2;
  lblCompanyProduct.Move(2400, 600, 3000, 900);
  Label1.Caption = "ג י ר ס ה    0 . 1    9 9 9 1";
  Label1.FontName = "Miriam";
  Label1.FontSize = 12;
  Label1.Alignment = 2;
  Label1.Move(1200, 2280, 3600, 480);
  Timer1.Interval = 1000;
  Timer1.Enabled = false;
  Timer1.Tick = [this] { Timer1_Timer(); };
  Frame1.Click = [this] { Frame1_Click(); };
}

void frmSplash::Form_Load() {
  Timer1.Enabled = true;
  splash_ticks = 0;
}

void frmSplash::Timer1_Timer() {
  ++splash_ticks;
  if (splash_ticks > 4) {
    Unload();
    Timer1.Enabled = false;
  }
}

void frmSplash::Form_KeyPress(int& KeyAscii) { Unload(); }

void frmSplash::Frame1_Click() { Unload(); }
