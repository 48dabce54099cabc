#pragma once
// The grid: a table of text cells addressed by row and column from 0; row 0 and column 0 are the fixed
// headers. The grid never edits a cell by itself: the window's KeyDown and KeyPress handlers do all
// in-cell editing. Setting Row or Col from code chooses the cell for Text and raises no EnterCell; only the
// user's moves (mouse or keys) raise it.

#include <string>
#include <vector>

#include "ui/control.h"

namespace ui {

class Grid : public Control {
 public:
  using Control::Control;
  const char* kind() const override { return "MSFlexGrid"; }

  int Rows() const { return rows_; }
  int Cols() const { return cols_; }
  void setRows(int rows);
  void setCols(int cols);
  int Row() const { return row_; }
  int Col() const { return col_; }
  // A row or column outside the grid throws std::out_of_range, as a cell outside it does.
  void setRow(int row);
  void setCol(int col);
  std::string Text() const;
  void setText(const std::string& text);
  const std::string& TextMatrix(int row, int col) const;  // valid until the grid next changes
  void setTextMatrix(int row, int col, const std::string& text);
  float ColWidth(int col) const;
  void setColWidth(int col, float twips);
  Prop<bool> LeftToRight{this, false};  // reading order of the cells

  std::function<void()> EnterCell;
  // What a click or an arrow key of the user does: the cell changes and EnterCell runs.
  void userSelect(int row, int col);

  // For the view: bumped whenever the cells or sizes change.
  unsigned revision() const { return revision_; }

 private:
  void resize(int rows, int cols);
  void changed();
  int rows_ = 2, cols_ = 2, row_ = 1, col_ = 1;
  std::vector<std::string> cells_ = std::vector<std::string>(4);
  std::vector<float> colWidths_ = std::vector<float>(2, 960.0f);
  unsigned revision_ = 0;
};

}  // namespace ui
