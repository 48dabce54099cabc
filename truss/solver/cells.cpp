#include "truss/solver/cells.h"

#include <algorithm>
#include <cmath>

#include "ui/vbtext.h"

namespace truss {

namespace {
// A digit of the grid's font is about 7 pixels wide; a cell has a few pixels of margin on each side.
constexpr float kTwipsPerChar = 105, kMargin = 180;

float textWidth(const std::string& s) {
  int chars = 0;
  for (unsigned char ch : s)
    if ((ch & 0xC0) != 0x80) ++chars;  // count characters, not the bytes of UTF-8
  return float(chars) * kTwipsPerChar + kMargin;
}
}  // namespace

void setCell(ui::Grid& g, int r, int c, const std::string& text) {
  if (r >= 0 && c >= 0 && r < g.Rows() && c < g.Cols()) g.setTextMatrix(r, c, text);
}

std::string cellText(float v) { return std::isfinite(v) ? ui::CStr(v) : std::string(); }
std::string cellText(double v) { return std::isfinite(v) ? ui::CStr(v) : std::string(); }

void fitColumns(ui::Grid& g, float least) {
  for (int c = 0; c < g.Cols(); ++c) {
    float w = least;
    for (int r = 0; r < g.Rows(); ++r) w = std::max(w, textWidth(g.TextMatrix(r, c)));
    if (g.ColWidth(c) != w) g.setColWidth(c, w);
  }
}

}  // namespace truss
