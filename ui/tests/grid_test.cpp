// The grid: cells addressed by row and column, resized keeping what fits, and EnterCell only for the user.
#include <gtest/gtest.h>

#include "ui/cell_typing.h"
#include "ui/form.h"
#include "ui/grid.h"
#include "ui/testing.h"

namespace {

struct GridForm : ui::Form {
  GridForm() : ui::Form("GridForm") {}
  ui::Grid MSFlexGrid1{this, nullptr, "MSFlexGrid1"};
};

struct GridTest : ::testing::Test {
  ui::ScriptedServices svc;
  GridForm f;
  ui::Grid& g = f.MSFlexGrid1;
};

TEST_F(GridTest, RowColChooseTheCellForText) {
  g.setRows(4);
  g.setCols(3);
  g.setRow(0);
  g.setCol(1);
  g.setText("E");
  g.setRow(3);
  g.setCol(2);
  g.setText(" 1.5");
  EXPECT_EQ(g.TextMatrix(0, 1), "E");
  EXPECT_EQ(g.TextMatrix(3, 2), " 1.5");
  EXPECT_EQ(g.Text(), " 1.5");
  EXPECT_THROW(g.setRow(4), std::out_of_range);
  EXPECT_EQ(g.Row(), 3);
}

TEST_F(GridTest, ResizingKeepsTheCellsThatStillFit) {
  g.setRows(3);
  g.setCols(3);
  g.setTextMatrix(1, 1, "a");
  g.setTextMatrix(2, 2, "b");
  g.setRows(2);
  g.setCols(5);
  EXPECT_EQ(g.TextMatrix(1, 1), "a");
  EXPECT_EQ(g.TextMatrix(1, 4), "");
  EXPECT_THROW(g.TextMatrix(2, 2), std::out_of_range);
  g.setColWidth(4, 700);
  EXPECT_EQ(g.ColWidth(4), 700.0f);
}

// A size that drops cells and then brings them back shows them empty, whichever way it went; the same
// size again keeps every cell.
TEST_F(GridTest, CellsDroppedByAResizeComeBackEmpty) {
  struct Case {
    const char* name;
    int rows, cols;
  };
  for (const Case& c : {Case{"fewer rows", 2, 4}, Case{"fewer columns", 4, 2}, Case{"fewer of both", 2, 2},
                        Case{"the same size", 4, 4}}) {
    SCOPED_TRACE(c.name);
    g.setRows(4);
    g.setCols(4);
    for (int r = 0; r < 4; ++r)
      for (int col = 0; col < 4; ++col) g.setTextMatrix(r, col, std::to_string(r * 10 + col));
    g.setRows(c.rows);
    g.setCols(c.cols);
    g.setRows(4);
    g.setCols(4);
    for (int r = 0; r < 4; ++r)
      for (int col = 0; col < 4; ++col)
        EXPECT_EQ(g.TextMatrix(r, col), r < c.rows && col < c.cols ? std::to_string(r * 10 + col) : "")
            << r << "," << col;
  }
}

TEST_F(GridTest, OnlyTheUsersMovesRaiseEnterCell) {
  int entered = 0;
  g.EnterCell = [&] { ++entered; };
  g.setRows(5);
  g.setCols(5);
  g.setRow(2);
  g.setCol(3);
  EXPECT_EQ(entered, 0);
  g.userSelect(4, 4);
  EXPECT_EQ(entered, 1);
  EXPECT_EQ(g.Row(), 4);
  g.userSelect(4, 4);
  g.userSelect(9, 9);  // outside the grid: nothing
  EXPECT_EQ(entered, 1);
}

TEST_F(GridTest, HoldsAHundredAndOneSquare) {
  g.setRows(101);
  g.setCols(101);
  for (int r = 0; r < 101; ++r)
    for (int c = 0; c < 101; ++c) g.setTextMatrix(r, c, std::to_string(r * 1000 + c));
  EXPECT_EQ(g.TextMatrix(100, 100), "100100");
  EXPECT_EQ(g.Tag.get(), "");
}

struct TwoGridForm : ui::Form {
  TwoGridForm() : ui::Form("TwoGridForm") {
    for (ui::Grid* g : {&A, &B}) {
      g->setRows(3);
      g->setCols(3);
      g->setTextMatrix(0, 1, "E");
      g->setTextMatrix(1, 1, "210");
      g->setRow(1);
      g->setCol(1);
    }
  }
  ui::Grid A{this, nullptr, "A"};
  ui::Grid B{this, nullptr, "B"};
};

TEST(CellTyping, ANumberIsTypedIntoTheCellEnteredAndNeverIntoAHeading) {
  ui::ScriptedServices svc;
  TwoGridForm f;
  ui::CellTyping typing;
  auto type = [&](ui::Grid& g, const std::string& keys) {
    for (char ch : keys) typing.keyPress(g, ch == '<' ? 8 : int(ch));
  };
  typing.enterCell(f.A);
  type(f.A, "7a5.<2");  // a letter is not a number's; Backspace takes the point back
  EXPECT_EQ(f.A.TextMatrix(1, 1), "752");
  // Another grid starts a number of its own, and the first grid goes on with its own text.
  type(f.B, "-1");
  EXPECT_EQ(f.B.TextMatrix(1, 1), "-1");
  type(f.A, "3");
  EXPECT_EQ(f.A.TextMatrix(1, 1), "3");
  // Delete empties the cell; what is typed then starts afresh.
  typing.keyDown(f.A, 46);
  EXPECT_EQ(f.A.TextMatrix(1, 1), "");
  type(f.A, "9");
  EXPECT_EQ(f.A.TextMatrix(1, 1), "9");
  // The heading row is neither typed in nor emptied.
  f.A.setRow(0);
  typing.enterCell(f.A);
  type(f.A, "5");
  typing.keyDown(f.A, 46);
  EXPECT_EQ(f.A.TextMatrix(0, 1), "E");
}

}  // namespace
