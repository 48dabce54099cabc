#include "truss/workspace/Form1.h"

#include <algorithm>
#include <cmath>

#include "truss/solver/Form2.h"
#include "truss/solver/common1.h"
#include "ui/keys.h"
#include "ui/vbtext.h"

using namespace common1;

void Form1::Form_KeyDown(int& KeyCode, int Shift) {
  // A slider with the focus takes its own keys: the arrows change its value, not the selected point.
  if (slider_focus) return;
  Picture1.SetFocus();
  const int sel = selected_index;

  // Point block: moving and deleting the selected point.
  if (Option3[kPoints].Value.get() && selected_kind == kPickedPoint && live_point(sel)) {
    const int p = sel;
    ui::Image& m = Image1[p];
    const float cx = m.Left + m.Width / 2, cy = m.Top + m.Height / 2;
    float dx = 0, dy = 0;
    bool move = true;
    switch (KeyCode) {
      // Letters are their capitals' codes.
      case 'D': dx = -1; break;
      case 'R': dy = -1; break;
      case 'F': dx = 1; break;
      case 'C': dy = 1; break;
      case ui::vbKeyLeft: dx = -15; break;
      case ui::vbKeyUp: dy = -15; break;
      case ui::vbKeyRight: dx = 15; break;
      case ui::vbKeyDown: dy = 15; break;
      case 'A': dx = -150; break;
      case 'W': dy = -150; break;
      case 'S': dx = 150; break;
      case 'Z': dy = 150; break;
      default: move = false;
    }
    if (move) Picture1_DragOver(m, cx + dx, cy + dy, 0);
    if (KeyCode == ui::vbKeyDelete && p > 0) {
      truss_edited();
      // A bar waiting to be completed from this point goes with it.
      if (bar_pending == 1 && bar_first_point == p) cancel_bar();
      m.Visible = false;
      P_data(p).Enabled = false;
      P_data(p).F_type_x = 0;
      P_data(p).F_type_y = 0;
      P_data(p).R_type = kNoSupport;
      for (int l = 0; l <= lines_count && l <= kMaxBars; ++l) {
        if (P_L_index(l, p, 0) != -1) continue;
        hide_bar(l);
        clear_bar_ends(l);
      }
      for (int k = 0; k < forces_count && k < kMaxLoads; ++k) {
        if (F_data(k).Enabled && F_data(k).point_index == p) {
          F_data(k).Enabled = false;
          Picture2[k].Visible = false;
        }
      }
      for (int s = kFirstSupport; s < supports_count && s <= kLastSupport; ++s) {
        if (R_data(s).Enabled && R_data(s).point_index == p) {
          R_data(s).Enabled = false;
          Image1[s].Visible = false;
          P_data(p).R_type = kNoSupport;
        }
      }
    }
  }

  // Bar block: only a bar that exists.
  if (Option3[kBars].Value.get() && KeyCode == ui::vbKeyDelete && selected_kind == kPickedBar && sel >= 0 && sel < lines_count &&
      Line1.exists(sel) && Line1[sel].Visible.get()) {
    truss_edited();
    hide_bar(sel);
    clear_bar_ends(sel);
  }

  // Load block: only a load still in use.
  if (Option3[kLoads].Value.get() && KeyCode == ui::vbKeyDelete && selected_kind == kPickedLoad && sel >= 0 && sel < forces_count && sel < kMaxLoads &&
      F_data(sel).Enabled) {
    force_rec& f = F_data(sel);
    truss_edited();
    Picture2[sel].Visible = false;
    f.Enabled = false;
    if (P_data.contains(f.point_index)) {
      if (f.type_f == kLoadDown || f.type_f == kLoadUp) P_data(f.point_index).F_type_y = 0;
      if (f.type_f == kLoadRight || f.type_f == kLoadLeft) P_data(f.point_index).F_type_x = 0;
    }
  }

  // Support block: only a support still standing.
  if (Option3[kSupports].Value.get() && KeyCode == ui::vbKeyDelete && sel >= kFirstSupport && sel < supports_count && sel <= kLastSupport &&
      R_data(sel).Enabled) {
    truss_edited();
    Image1[sel].Visible = false;
    R_data(sel).Enabled = false;
    if (P_data.contains(R_data(sel).point_index)) P_data(R_data(sel).point_index).R_type = kNoSupport;
  }

  // Space applies the current tool to the selected point, when a point is what is selected.
  if (KeyCode == ui::vbKeySpace && selected_kind == kPickedPoint && sel < kFirstSupport && live_point(sel)) {
    Image1_Click(sel);
    Image1_MouseDown(sel, 0, 0, 0, 0);
  }
}

void Form1::Picture2_MouseMove(int Index, int Button, int Shift, float X, float Y) {
  if (Option3[kLoads].Value.get() && Index >= 0 && Index < kMaxLoads) {
    restore_arrows();
    highlight_arrow(Index);
    selected_index = Integer(Index);
    selected_kind = kPickedLoad;
  }
  Text5.Text = ui::CStr(int(selected_index));
}
