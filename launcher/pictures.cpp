#include "launcher/pictures.h"

#include "ui/control.h"

namespace launcher {

namespace {
constexpr ui::Color kInk = ui::RGB(20, 40, 110);
constexpr ui::Color kLoad = ui::RGB(200, 30, 30);
constexpr ui::Color kGround = ui::RGB(90, 90, 90);

void support(ui::PicturePainter& p, float x, float y) {
  p.pen(kGround, 1.5f);
  p.brush(ui::RGB(220, 220, 220));
  p.polygon({x, y, x - 7, y + 10, x + 7, y + 10});
  p.line(x - 10, y + 12, x + 10, y + 12);
}

void arrowDown(ui::PicturePainter& p, float x, float y0, float y1) {
  p.pen(kLoad, 2);
  p.line(x, y0, x, y1);
  p.brush(kLoad);
  p.polygon({x, y1 + 2, x - 4, y1 - 5, x + 4, y1 - 5});
}
}  // namespace

ui::Picture trussPicture() {
  return ui::Picture::draw(96, 64, [](ui::PicturePainter& p) {
    const float y0 = 46, y1 = 16;
    const float xs[] = {10, 35, 60, 85};
    p.pen(kInk, 2.5f);
    p.line(xs[0], y0, xs[3], y0);
    p.line(xs[1], y1, xs[2], y1);
    p.line(xs[0], y0, xs[1], y1);
    p.line(xs[1], y1, xs[1], y0);
    p.line(xs[1], y0, xs[2], y1);
    p.line(xs[2], y1, xs[2], y0);
    p.line(xs[2], y1, xs[3], y0);
    p.brush(ui::RGB(255, 255, 255));
    for (float x : xs) p.ellipse(x, y0, 2.5f, 2.5f);
    p.ellipse(xs[1], y1, 2.5f, 2.5f);
    p.ellipse(xs[2], y1, 2.5f, 2.5f);
    support(p, xs[0], y0 + 3);
    support(p, xs[3], y0 + 3);
    arrowDown(p, xs[1], 0, y1 - 4);
  });
}

ui::Picture beamPicture() {
  return ui::Picture::draw(96, 64, [](ui::PicturePainter& p) {
    // A distributed load over a beam on two supports.
    for (float x = 14; x <= 82; x += 11) arrowDown(p, x, 6, 24);
    p.pen(kLoad, 1.5f);
    p.line(14, 6, 82, 6);
    p.pen(kInk, 1);
    p.brush(ui::RGB(70, 110, 200));
    p.rect(6, 28, 84, 8);
    support(p, 14, 37);
    support(p, 82, 37);
  });
}

ui::Picture exitPicture() {
  return ui::Picture::draw(32, 32, [](ui::PicturePainter& p) {
    // An open door.
    p.pen(kGround, 2);
    p.noBrush();
    p.rect(6, 4, 18, 24);
    p.brush(ui::RGB(150, 90, 40));
    p.polygon({6, 4, 16, 8, 16, 31, 6, 28});
    p.pen(kLoad, 2.5f);
    p.line(18, 16, 29, 16);
    p.line(29, 16, 25, 12);
    p.line(29, 16, 25, 20);
  });
}

}  // namespace launcher
