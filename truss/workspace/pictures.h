#pragma once
// The pictures of the truss canvas: point markers in three sizes, supports of the three kinds and load
// arrows of the four directions, each in its normal and its selected (highlighted) form.

#include "ui/picture.h"

namespace truss {

// size 1..3: markers of 6, 8 and 10 pixels (half sizes 45, 60 and 75 twips).
ui::Picture markerPicture(int size, bool selected);
// kind 0 fixed, 1 roller moving in x, 2 roller moving in y. Fixed and x-roller pictures stand below their
// point (24 by 16 pixels), the y-roller stands to its right (16 by 24 pixels).
ui::Picture supportPicture(int kind, bool selected);
// 1 down, 2 right, 3 left, 4 up (the load's type_f). Vertical arrows are 7 by 26 pixels, horizontal ones
// 26 by 7.
ui::Picture arrowPicture(int type_f, bool highlighted);

}  // namespace truss
