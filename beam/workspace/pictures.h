#pragma once
// The pictures of the beam program: the object icons of the image list (codes 1..13, their highlighted
// forms at code + 20) and the splash picture.
#include "ui/picture.h"

namespace beam {

// The codes of a fixed end standing on the left and on the right end of the beam.
inline constexpr int kFixedOnLeftEnd = 12, kFixedOnRightEnd = 13;

// The picture of an image-list code; a null picture for a code with none (0 included).
ui::Picture objectPicture(int code);
ui::Picture splashPicture();
// Button pictures of the tool window: clear all, confirm, find the extremes.
ui::Picture clearPicture();
ui::Picture confirmPicture();
ui::Picture searchPicture();

}  // namespace beam
