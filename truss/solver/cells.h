#pragma once
// Numbers into grid cells, as every grid of the data window shows them: a cell the grid does not have is
// not written (a number that is not finite shows as an empty cell by ui::finiteCStr), and a column is made wide enough for
// its longest text so no number is cut short.

#include <string>

#include "ui/grid.h"

namespace truss {

void setCell(ui::Grid& g, int r, int c, const std::string& text);
// Empties every cell below the headings (row 0 and column 0, and the rows above `first`).
void clearBody(ui::Grid& g, int first = 1);
// A bar's column heading: bar 0 is L( 0 ).
std::string barHeading(int bar);
// Widens every column (the heading column too) to its longest text; columns never get narrower than
// `least` twips.
void fitColumns(ui::Grid& g, float least = 600);

}  // namespace truss
