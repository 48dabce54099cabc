#pragma once
// A picture: the bitmap of an icon, a marker, a button or a picture box. Pictures are shared handles,
// compared by handle (the windows ask whether an icon shows this very picture); the windows draw their own pictures with
// the small painter below, so no window needs a Qt type.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ui {

class PictureData;  // defined on the Qt side

class PicturePainter {
 public:
  virtual ~PicturePainter() = default;
  // Coordinates in pixels of the picture; colours as RGB(r, g, b) with red in the low byte.
  virtual void pen(std::uint32_t color, float width) = 0;
  virtual void brush(std::uint32_t color) = 0;  // fill colour of the closed shapes
  virtual void noBrush() = 0;
  virtual void line(float x1, float y1, float x2, float y2) = 0;
  virtual void rect(float x, float y, float w, float h) = 0;
  virtual void ellipse(float cx, float cy, float rx, float ry) = 0;
  virtual void arc(float cx, float cy, float rx, float ry, float startDeg, float spanDeg) = 0;
  virtual void polygon(const std::vector<float>& xy) = 0;
  virtual void text(float x, float y, const std::string& utf8, float pointSize) = 0;
};

class Picture {
 public:
  Picture() = default;
  // A picture of w by h pixels, transparent, drawn by the given function.
  static Picture draw(int w, int h, const std::function<void(PicturePainter&)>& paint);
  // A picture drawn anew at every size it is shown at, rather than a bitmap scaled to it: an image with
  // Stretch set shows it drawn at the image's size. paint gets the width and height in pixels; w by h is
  // the picture's own size (a new picture gives an image without Stretch that size).
  static Picture drawFitting(int w, int h, std::function<void(PicturePainter&, float w, float h)> paint);
  bool fits() const;
  // The picture as shown at w by h pixels: a fitting picture drawn at that size, any other as it is.
  Picture fittedTo(int w, int h) const;
  // The colour of pixel (x, y) as RGB (red in the low byte) with its opacity in the top byte; 0 outside
  // the picture.
  std::uint32_t pixel(int x, int y) const;

  bool isNull() const { return !data_; }
  int widthPixels() const;
  int heightPixels() const;
  float widthTwips() const { return float(widthPixels()) * 15.0f; }
  float heightTwips() const { return float(heightPixels()) * 15.0f; }
  const PictureData* data() const { return data_.get(); }

  friend bool operator==(const Picture& a, const Picture& b) { return a.data_ == b.data_; }

 private:
  std::shared_ptr<const PictureData> data_;
};

}  // namespace ui
