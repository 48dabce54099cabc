#include "truss/workspace/Form1.h"

#include <algorithm>
#include <cmath>

#include "truss/solver/Form2.h"
#include "truss/solver/common1.h"
#include "truss/workspace/Form3.h"
#include "ui/services.h"
#include "ui/vbtext.h"

using namespace common1;

namespace {
const char* const kUnsaved = "השינויים במסבך לא נשמרו. לשמור אותם?";
}  // namespace

bool Form1::may_discard_truss() {
  if (!truss_changed) return true;
  switch (ui::MsgBoxYesNoCancel(kUnsaved)) {
    case ui::vbNo:
      return true;
    case ui::vbYes:
      aa4_Click();
      // A save that failed or was cancelled leaves the truss unsaved, so it stays.
      return !truss_changed;
    default:
      return false;
  }
}

void Form1::new_truss() {
  Byte mode = 0;
  start1(mode);
  Picture1.Cls();
  set_title("חדש");
  // The data window shows nothing of the old truss.
  if (Form2Form.exists()) Form2Form->forget_truss();
  truss_changed = false;
}

void Form1::set_title(const std::string& name, bool opened) {
  Caption = std::string(kCaption) + (opened ? "     -    " : "   -   ") + name;
}

void Form1::aa2_Click() {
  if (may_discard_truss()) new_truss();
}

void Form1::aa3_Click() {
  if (!may_discard_truss()) return;
  if (Form2Form.exists()) Form2Form->Unload();
  if (Form3Form.exists()) Form3Form->Unload();
  ui::services().endProgram();
}

// The open/save window reads its mode from these check marks and clears them when it closes.
void Form1::aa4_Click() {
  aa4.Checked = true;
  Form3Form->Show(ui::vbModal, this);
}

void Form1::aa5_Click() {
  // The question comes before the open window, which cannot turn into the save window.
  if (!may_discard_truss()) return;
  aa5.Checked = true;
  Form3Form->Show(ui::vbModal, this);
}

void Form1::bb1_Click() {
  dd2.Checked = true;
  Form2Form->Show(ui::vbModeless, this);
  Form2Form->text_start();
  Form2Form->Command3.Value = true;
}

void Form1::cc1_Click() { Form2Form->Command3.Value = true; }

void Form1::dd2_Click() { dd2.Checked = !dd2.Checked.get(); }

void Form1::dd3_Click() {
  dd3.Checked = !dd3.Checked.get();
  Picture1.Cls();
  Picture1.AutoRedraw = dd3.Checked.get();
}

void Form1::dd4_Click() { dd4.Checked = !dd4.Checked.get(); }

void Form1::dd5_Click() {
  dd5.Checked = !dd5.Checked.get();
  Picture3.Visible = dd5.Checked.get();
}

void Form1::dd6_Click() {
  dd6.Checked = !dd6.Checked.get();
  if (!SSTab2.Visible.get()) SSTab2.Visible = true;
}

void Form1::Combo1_Click() {
  const int i = Combo1.ListIndex;
  if (i <= 0) return;
  // Other lengths make another truss of the same drawing.
  if (float(i) != scale_mm && Form2Form.exists()) Form2Form->forget_solution();
  scale_mm = float(i);
  Text1.Text = ui::Str(scale_mm * 2) + " [מטר]";
}

void Form1::Command1_Click() { Picture1.Cls(); }

// Enabled only while a solution of the truss as it stands is current.
void Form1::Command2_Click() {
  if (!Form2Form.exists() || !Form2Form->solution_current) return;
  for (int j = 0; j < lines_count && j <= 200; ++j) {
    const float t = line_t(j);
    const int s = t > 0 ? 1 : t < 0 ? -1 : 0;
    Line1[j].BorderColor = ui::RGB(127 - 127 * s, 127 + 127 * s, 0);
  }
}
