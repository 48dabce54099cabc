#include "truss/solver/cells.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "ui/vbtext.h"

namespace truss {

namespace {
// A digit of the grid's font is about 7 pixels wide; a cell has a few pixels of margin on each side.
constexpr float kTwipsPerChar = 105, kMargin = 180;

int characters(const std::string& s) {
  int chars = 0;
  for (unsigned char ch : s) chars += (ch & 0xC0) != 0x80 ? 1 : 0;  // count characters, not the bytes of UTF-8
  return chars;
}
}  // namespace

void setCell(ui::Grid& g, int r, int c, const std::string& text) {
  if (r >= 0 && c >= 0 && r < g.Rows() && c < g.Cols()) g.setTextMatrix(r, c, text);
}

void clearBody(ui::Grid& g, int first) {
  for (int r = first; r < g.Rows(); ++r)
    for (int c = 1; c < g.Cols(); ++c)
      if (!g.TextMatrix(r, c).empty()) g.setTextMatrix(r, c, "");
}

std::string barHeading(int bar) { return "L(" + ui::Str(bar) + " )"; }


void fitColumns(ui::Grid& g, float least) {
  // A column is as wide as its longest text; the cells lie row by row, so they are read in that order.
  std::vector<int> longest(std::size_t(std::max(g.Cols(), 0)), -1);  // -1: a column without cells
  for (int r = 0; r < g.Rows(); ++r)
    for (int c = 0; c < g.Cols(); ++c)
      longest[std::size_t(c)] = std::max(longest[std::size_t(c)], characters(g.TextMatrix(r, c)));
  for (int c = 0; c < g.Cols(); ++c) {
    const int chars = longest[std::size_t(c)];
    const float w = chars < 0 ? least : std::max(least, float(chars) * kTwipsPerChar + kMargin);
    if (g.ColWidth(c) != w) g.setColWidth(c, w);
  }
}

}  // namespace truss
