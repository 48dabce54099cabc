#include "launcher/frmLaunch.h"

#include "launcher/pictures.h"
#include "ui/programs.h"
#include "ui/services.h"

frmLaunch::frmLaunch() : ui::Form("frmLaunch") {
  Caption = ui::kFamilyTitle;
  BorderStyle = 1;
  setClientSize(6075, 3900);
  for (ui::Control* c : std::initializer_list<ui::Control*>{&Label1, &Command1, &Command2, &Command3})
    c->FontName = "Miriam";
  Label1.Caption = ui::kFamilyTitle;
  Label1.Move(840, 240, 4995, 675);
  Label1.FontSize = 16;
  Label1.FontBold = true;
  Label1.Alignment = 2;
  Command1.Caption = "מסבכים";
  Command1.Move(1080, 1200, 2175, 1875);
  Command1.Picture_ = launcher::trussPicture();
  Command1.FontSize = 12;
  Command2.Caption = "קורות";
  Command2.Move(3600, 1200, 2175, 1875);
  Command2.Picture_ = launcher::beamPicture();
  Command2.FontSize = 12;
  Command3.Caption = "יציאה";
  Command3.Move(60, 3060, 735, 795);
  Command3.Picture_ = launcher::exitPicture();
  Command1.Click = [this] { Command1_Click(); };
  Command2.Click = [this] { Command2_Click(); };
  Command3.Click = [this] { Command3_Click(); };
}

void frmLaunch::start(const char* program) {
  std::string path = ui::appFile(program);
  if (!ui::services().startProgram(path)) {
    // Closing here would leave the user with no window at all and no word of what went wrong.
    ui::MsgBox("התוכנה לא נמצאה: " + path);
    return;
  }
  Unload();
}

void frmLaunch::Command1_Click() { start(ui::kTrussProgram); }
void frmLaunch::Command2_Click() { start(ui::kBeamProgram); }
void frmLaunch::Command3_Click() { Unload(); }
