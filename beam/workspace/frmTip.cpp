#include "beam/workspace/frmTip.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "beam/workspace/pictures.h"
#include "ui/services.h"
#include "ui/vbtext.h"

frmTip::frmTip() : ui::Form("frmTip") {
  Caption = "טיפים של אפשריות";
  BorderStyle = 3;
  setClientSize(5700, 3300);
  Picture1.Move(120, 120, 1000, 2400);
  Picture1.Picture_ = beam::objectPicture(1);
  Label1.Caption = "  ......  הידעת";
  Label1.FontBold = true;
  Label1.Move(1300, 120, 4200, 360);
  lblTipText.Move(1300, 600, 4200, 1900);
  lblTipText.WordWrap = true;
  // A tip is a Hebrew sentence: its lines start at the right and its full stop ends them at the left.
  lblTipText.RightToLeft = true;
  Check1.Caption = "אקראי";
  Check1.Value = 1;
  Check1.Move(120, 2760, 1200, 360);
  chkLoadTipsAtStartup.Caption = "הצג בפעם הבאה";
  chkLoadTipsAtStartup.Value = 1;
  chkLoadTipsAtStartup.Move(1400, 2760, 1800, 360);
  cmdNextTip.Caption = "הבא";
  cmdNextTip.Move(3300, 2700, 1100, 420);
  cmdOK.Caption = "סגור";
  cmdOK.Move(4500, 2700, 1100, 420);
  cmdNextTip.Click = [this] { cmdNextTip_Click(); };
  cmdOK.Click = [this] { cmdOK_Click(); };
}

void frmTip::Form_Load() {
  Left = (ui::services().screenWidthTwips() - Width) / 2;
  Top = (ui::services().screenHeightTwips() - Height) / 2;
  ui::services().randomize();
  tip_list.clear();
  tip_index = 0;
  if (!LoadTips(ui::appFile(kTipsFile)))
    lblTipText.Caption = std::string("That the ") + kTipsFile + " file was not found? " + "\r\n\r\n" +
                         "Create a text file named " + kTipsFile + " using NotePad with 1 tip per line. " +
                         "Then place it in the same directory as the application. ";
}

bool frmTip::LoadTips(const std::string& name) {
  std::error_code ec;
  if (name.empty() || !std::filesystem::is_regular_file(name, ec)) return false;
  std::ifstream in(name, std::ios::binary);
  if (!in) return false;
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // Lines end with CR LF (a lone CR or LF ends one too); the text is code page 1255 or UTF-8.
  const std::string text = ui::decodeCp1255(bytes);
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      tip_list.push_back(line);
      line.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  if (!line.empty()) tip_list.push_back(line);
  advance_tip();
  return true;
}

void frmTip::advance_tip() {
  const long n = long(tip_list.size());
  if (Check1.Value == 1) {
    tip_index = long(std::floor(double(ui::services().rnd()) * double(n) + 1));
  } else {
    ++tip_index;
    if (tip_index > n) tip_index = 1;
  }
  DisplayCurrentTip();
}

void frmTip::DisplayCurrentTip() {
  if (tip_list.empty()) return;
  if (tip_index >= 1 && tip_index <= long(tip_list.size())) lblTipText.Caption = tip_list[std::size_t(tip_index - 1)];
}

void frmTip::cmdNextTip_Click() { advance_tip(); }

void frmTip::cmdOK_Click() {
  const std::string path = ui::appFile(kTipSwitchFile);
  std::error_code ec;
  if (chkLoadTipsAtStartup.Value != 1 && std::filesystem::exists(path, ec)) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "\"not_ok\"\r\n";
  }
  Unload();
}
