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

void Form1::place_on_screen(ui::Form& w, float left, float top) {
  const float sw = ui::services().screenWidthTwips(), sh = ui::services().screenHeightTwips();
  w.Move(std::max(0.0f, std::min(left, sw - w.Width)), std::max(0.0f, std::min(top, sh - w.Height)));
}

void Form1::place_data_window(ui::Form& data) {
  const float sw = ui::services().screenWidthTwips();
  if (Left + Width + data.Width <= sw) {
    place_on_screen(data, Left + Width, Top);
  } else if (Left - data.Width >= 0) {
    place_on_screen(data, Left - data.Width, Top);
  } else {
    // The menu bar runs from the right, the tool panel stands at the right edge, and the truss grows
    // from the bottom left of the canvas: the top of the drawing, left of the panel, is what may go.
    const float clientLeft = Left + ui::kFrameSideTwips;
    const float clientTop = Top + ui::kFrameSideTwips + ui::kCaptionTwips + ui::kMenuBarTwips;
    place_on_screen(data, clientLeft + SSTab2.Left - data.Width, clientTop);
  }
}

void Form1::bb1_Click() {
  dd2.Checked = true;
  // Placed where the main window stays usable at its first showing; shown again, however it was closed
  // (its close box or its own button), it stands where it stood or where the user moved it.
  if (!Form2Form->placed) {
    place_data_window(*Form2Form);
    Form2Form->placed = true;
  }
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
  if (i <= 0) {
    // The empty item is no scale: the list shows the scale in force again, which stays, as its length does.
    if (i == 0) {
      const int inForce = std::clamp(int(scale_mm), 1, 3);
      Combo1.ListIndex.setQuietly(inForce);
      Combo1.Text = Combo1.List(inForce);
    }
    return;
  }
  // Other lengths make another truss of the same drawing.
  if (float(i) != scale_mm && Form2Form.exists()) Form2Form->forget_solution();
  scale_mm = float(i);
  Text1.Text = ui::Str(scale_mm * 2) + " [מטר]";
}

void Form1::Command1_Click() { Picture1.Cls(); }

void Form1::Command2_Click() {
  // The forces the model keeps after an edit or a failed solve belong to no truss on the canvas: without
  // a current solution every bar has no force to show.
  const bool solved = Form2Form.exists() && Form2Form->solution_current;
  unsolved_colours = !solved;
  for (int j = 0; j < lines_count && j <= kMaxBars; ++j) {
    const float t = solved ? line_t(j) : 0.0f;
    const int s = t > 0 ? 1 : t < 0 ? -1 : 0;
    Line1[j].BorderColor = ui::RGB(127 - 127 * s, 127 + 127 * s, 0);
  }
}
