#pragma once
// The model reset of the beam program and the picture code of each object's icon.
#include "beam/solver/Module20.h"

// Puts the model into the state of an empty beam and parks all 50 icons in the palette strip.
void new_beam();
// The image-list code of an object's kind, as its icon shows before any sign is given to its load.
Integer kind_icon(Byte index);
// The image-list code of the icon of object index (0: no picture); + 20 is its highlighted form. A fixed
// end standing on a beam end shows its wall against that end.
Integer object_icon(Byte index);
