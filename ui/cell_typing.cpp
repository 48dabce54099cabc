#include "ui/cell_typing.h"

#include "ui/keys.h"
#include "ui/vbtext.h"

namespace ui {

namespace {
bool heading(const Grid& g) { return g.Row() < 1 || g.Col() < 1; }
}  // namespace

void CellTyping::enterCell(Grid& g) {
  g.Tag = "1";
  typed_.clear();
  grid_ = &g;
}

void CellTyping::keyDown(Grid& g, int KeyCode) {
  if (KeyCode != vbKeyDelete || heading(g)) return;
  g.setText("");
  enterCell(g);
}

void CellTyping::keyPress(Grid& g, int KeyAscii) {
  if (heading(g)) return;
  // Typing in another grid (its cell already current, so not entered) starts a number of its own.
  if (grid_ != &g) {
    typed_.clear();
    grid_ = &g;
  }
  if (KeyAscii >= 45 && KeyAscii <= 57) {
    if (Val(g.Tag.get()) == 1) {
      typed_.clear();
      g.Tag = "0";
    }
    typed_ += char(KeyAscii);
    g.setText(typed_);
  } else if (KeyAscii == vbKeyBack && !typed_.empty()) {
    typed_.pop_back();
    g.setText(typed_);
  }
}

}  // namespace ui
