#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include "ui/control.h"
#include "ui/font.h"
#include "ui/picture_qt.h"

namespace ui {

namespace {

class QtPicturePainter : public PicturePainter {
 public:
  explicit QtPicturePainter(QImage& img) : p_(&img) {
    p_.setRenderHint(QPainter::Antialiasing, true);
    p_.setBrush(Qt::NoBrush);
  }
  void pen(std::uint32_t color, float width) override {
    QPen pen(toColor(color), qreal(width));
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p_.setPen(pen);
  }
  void brush(std::uint32_t color) override { p_.setBrush(toColor(color)); }
  void noBrush() override { p_.setBrush(Qt::NoBrush); }
  void line(float x1, float y1, float x2, float y2) override { p_.drawLine(QPointF(x1, y1), QPointF(x2, y2)); }
  void rect(float x, float y, float w, float h) override { p_.drawRect(QRectF(x, y, w, h)); }
  void ellipse(float cx, float cy, float rx, float ry) override { p_.drawEllipse(QPointF(cx, cy), rx, ry); }
  void arc(float cx, float cy, float rx, float ry, float startDeg, float spanDeg) override {
    p_.drawArc(QRectF(cx - rx, cy - ry, 2 * rx, 2 * ry), int(startDeg * 16), int(spanDeg * 16));
  }
  void polygon(const std::vector<float>& xy) override {
    QPolygonF poly;
    for (std::size_t i = 0; i + 1 < xy.size(); i += 2) poly << QPointF(xy[i], xy[i + 1]);
    p_.drawPolygon(poly);
  }
  void text(float x, float y, const std::string& utf8, float pointSize) override {
    QFont f = hebrewFont();
    f.setPointSizeF(pointSize);
    p_.setFont(f);
    p_.drawText(QPointF(x, y), QString::fromStdString(utf8));
  }

 private:
  static QColor toColor(std::uint32_t c) { return QColor(int(c & 255), int((c >> 8) & 255), int((c >> 16) & 255)); }
  QPainter p_;
};

}  // namespace

Picture Picture::draw(int w, int h, const std::function<void(PicturePainter&)>& paint) {
  auto d = std::make_shared<PictureData>();
  d->image = QImage(std::max(1, w), std::max(1, h), QImage::Format_ARGB32_Premultiplied);
  d->image.fill(Qt::transparent);
  {
    QtPicturePainter p(d->image);
    paint(p);
  }
  Picture pic;
  pic.data_ = std::move(d);
  return pic;
}

Picture Picture::drawFitting(int w, int h, std::function<void(PicturePainter&, float, float)> paint) {
  Picture pic = draw(w, h, [&](PicturePainter& p) { paint(p, float(std::max(1, w)), float(std::max(1, h))); });
  std::const_pointer_cast<PictureData>(pic.data_)->fit = std::move(paint);
  return pic;
}

bool Picture::fits() const { return data_ && data_->fit; }

Picture Picture::fittedTo(int w, int h) const {
  if (!fits() || (w == widthPixels() && h == heightPixels())) return *this;
  const auto& paint = data_->fit;
  return draw(w, h, [&](PicturePainter& p) { paint(p, float(std::max(1, w)), float(std::max(1, h))); });
}

std::uint32_t Picture::pixel(int x, int y) const {
  if (!data_ || !data_->image.valid(x, y)) return 0;
  const QColor c = data_->image.pixelColor(x, y);
  return std::uint32_t(c.red()) | std::uint32_t(c.green()) << 8 | std::uint32_t(c.blue()) << 16 |
         std::uint32_t(c.alpha()) << 24;
}

int Picture::widthPixels() const { return data_ ? data_->image.width() : 0; }
int Picture::heightPixels() const { return data_ ? data_->image.height() : 0; }

const QImage& pictureImage(const Picture& p) {
  static const QImage empty;
  return p.data() ? p.data()->image : empty;
}

}  // namespace ui
