#include "truss/workspace/frmTrussSplash.h"

#include "truss/workspace/Form1.h"
#include "ui/picture.h"

namespace {
// A small Warren truss on two supports under one load.
ui::Picture logoPicture() {
  return ui::Picture::draw(120, 80, [](ui::PicturePainter& p) {
    const float y0 = 58, y1 = 22;
    const float bottom[] = {10, 45, 80, 110};
    const float top[] = {27.5f, 62.5f, 95};
    p.pen(ui::RGB(20, 40, 110), 2.5f);
    p.line(bottom[0], y0, bottom[3], y0);
    p.line(top[0], y1, top[2], y1);
    for (int i = 0; i < 3; ++i) {
      p.line(bottom[i], y0, top[i], y1);
      p.line(top[i], y1, bottom[i + 1], y0);
    }
    p.pen(ui::RGB(90, 90, 90), 1.5f);
    p.brush(ui::RGB(210, 210, 210));
    p.polygon({bottom[0], y0 + 3, bottom[0] - 7, y0 + 13, bottom[0] + 7, y0 + 13});
    p.polygon({bottom[3], y0 + 3, bottom[3] - 7, y0 + 13, bottom[3] + 7, y0 + 13});
    p.pen(ui::RGB(0, 120, 0), 2);
    p.line(top[1], 0, top[1], y1 - 5);
    p.brush(ui::RGB(0, 120, 0));
    p.polygon({top[1], y1 - 1, top[1] - 4, y1 - 8, top[1] + 4, y1 - 8});
  });
}
}  // namespace

frmTrussSplash::frmTrussSplash() : ui::Form("frmTrussSplash") {
  BorderStyle = 3;
  ControlBox = false;
  StartUpPosition = 2;
  KeyPreview = true;
  setClientSize(6300, 4200);
  Frame1.Move(120, 60, 6060, 4020);
  Frame1.Caption = "";
  imgLogo.Picture_ = logoPicture();
  imgLogo.Move(300, 360);
  Label1.Caption = "מ ס ב כ י ם";
  Label1.Move(2400, 360, 3400, 700);
  Label1.FontSize = 24;
  Label1.FontBold = true;
  Label1.Alignment = 2;
  Label3.Caption = "ג י ר ס ה    0 . 1    9 9 9 1";
  Label3.Move(2400, 1200, 3400, 360);
  Label3.Alignment = 2;
  Text1.MultiLine = true;
  Text1.Locked = true;
  Text1.Alignment = 2;
  Text1.Text = "לסטודנטים של מבנים,\r\nשיבנו מסבכים ויראו אותם עובדים.";
  Text1.Move(600, 2280, 4860, 900);
  Shape1.Move(240, 2160, 5580, 1140);
  Shape1.BorderColor = ui::RGB(20, 40, 110);
  for (ui::Control* c : std::initializer_list<ui::Control*>{&Frame1, &Label1, &Label3, &Text1}) c->FontName = "Miriam";
  Frame1.Click = [this] { Frame1_Click(); };
  imgLogo.Click = [this] { imgLogo_Click(); };
}

void frmTrussSplash::Form_Load() {
  if (!Form1Form->loaded()) Form1Form->Load();
}

void frmTrussSplash::Form_KeyPress(int& KeyAscii) { Unload(); }
void frmTrussSplash::Frame1_Click() { Unload(); }
void frmTrussSplash::imgLogo_Click() { Unload(); }
