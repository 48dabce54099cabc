#pragma once
// The Qt image behind a Picture.

#include <QImage>

#include "ui/picture.h"

namespace ui {

class PictureData {
 public:
  QImage image;
};

const QImage& pictureImage(const Picture& p);

}  // namespace ui
