#pragma once
// The pictures on the launcher's buttons.

#include "ui/picture.h"

namespace launcher {

ui::Picture trussPicture();
ui::Picture beamPicture();
ui::Picture exitPicture();

}  // namespace launcher
