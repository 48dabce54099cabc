#pragma once
// The Qt image behind a Picture.

#include <QImage>
#include <functional>

#include "ui/picture.h"

namespace ui {

class PictureData {
 public:
  QImage image;
  // How a fitting picture is drawn at a size of its own; empty for a bitmap.
  std::function<void(PicturePainter&, float, float)> fit;
};

const QImage& pictureImage(const Picture& p);

}  // namespace ui
