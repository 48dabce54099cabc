#pragma once
// Typing a number into a grid's cells, as the windows' grids take it (the grid itself edits nothing; the
// window's KeyDown and KeyPress handlers hand their keys here): the characters of a number (KeyAscii 45
// to 57: '-', '.', '/' and the digits) build the current cell's text, Backspace takes the last one back
// and Delete empties the cell. The first character typed into a cell just entered (its grid's Tag "1")
// replaces its old text. The heading row and column are neither typed in nor emptied. What is typed
// belongs to one cell: entering another, or typing into another grid, starts a new number.

#include <string>

#include "ui/grid.h"

namespace ui {

class CellTyping {
 public:
  // The user entered a cell of g, or the program filled g afresh.
  void enterCell(Grid& g);
  void keyDown(Grid& g, int KeyCode);
  void keyPress(Grid& g, int KeyAscii);

 private:
  std::string typed_;
  const Grid* grid_ = nullptr;  // the grid typed_ was typed into
};

}  // namespace ui
