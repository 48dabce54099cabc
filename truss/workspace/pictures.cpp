#include "truss/workspace/pictures.h"

#include <algorithm>

#include "truss/solver/common1.h"
#include "ui/control.h"

namespace truss {

namespace {
constexpr ui::Color kInk = ui::RGB(0, 0, 0);
constexpr ui::Color kSelected = ui::RGB(230, 0, 0);
constexpr ui::Color kGround = ui::RGB(70, 70, 70);
constexpr ui::Color kLoad = ui::RGB(0, 120, 0);
constexpr ui::Color kHighlight = ui::RGB(255, 0, 255);
}  // namespace

ui::Picture markerPicture(int size, bool selected) {
  int px = size <= 1 ? 6 : size == 2 ? 8 : 10;
  return ui::Picture::draw(px, px, [px, selected](ui::PicturePainter& p) {
    ui::Color c = selected ? kSelected : kInk;
    float r = float(px) / 2;
    p.pen(c, 1);
    p.brush(selected ? kSelected : ui::RGB(255, 255, 255));
    p.ellipse(r, r, r - 0.5f, r - 0.5f);
    if (!selected) {
      p.brush(c);
      p.ellipse(r, r, r / 3, r / 3);
    }
  });
}

ui::Picture supportPicture(int kind, bool selected) {
  ui::Color c = selected ? kSelected : kGround;
  ui::Color fill = selected ? ui::RGB(255, 200, 200) : ui::RGB(210, 210, 210);
  if (kind == 2) {
    // Roller moving in y: the triangle points left, to the point, with its rollers against a wall.
    return ui::Picture::draw(16, 24, [c, fill](ui::PicturePainter& p) {
      p.pen(c, 1.2f);
      p.brush(fill);
      p.polygon({1, 12, 10, 5, 10, 19});
      p.noBrush();
      p.ellipse(12, 8, 1.6f, 1.6f);
      p.ellipse(12, 16, 1.6f, 1.6f);
      p.line(14.5f, 2, 14.5f, 22);
      for (float y = 4; y <= 22; y += 4) p.line(14.5f, y, 16, y - 2);
    });
  }
  return ui::Picture::draw(24, 16, [kind, c, fill](ui::PicturePainter& p) {
    p.pen(c, 1.2f);
    p.brush(fill);
    p.polygon({12, 1, 5, 10, 19, 10});
    float ground = 11.5f;
    if (kind == 1) {
      p.noBrush();
      p.ellipse(8, 12, 1.6f, 1.6f);
      p.ellipse(16, 12, 1.6f, 1.6f);
      ground = 14.5f;
    }
    p.line(2, ground, 22, ground);
    for (float x = 4; x <= 22; x += 4) p.line(x, ground, x - 2, std::min(16.0f, ground + 2));
  });
}

ui::Picture arrowPicture(int type_f, bool highlighted) {
  ui::Color c = highlighted ? kHighlight : kLoad;
  bool vertical = type_f == common1::kLoadDown || type_f == common1::kLoadUp;
  int w = vertical ? 7 : 26, h = vertical ? 26 : 7;
  return ui::Picture::draw(w, h, [type_f, c, highlighted](ui::PicturePainter& p) {
    p.pen(c, highlighted ? 2.0f : 1.5f);
    p.brush(c);
    switch (type_f) {
      case common1::kLoadDown:  // down: the head at the bottom, next to the point
        p.line(3.5f, 0, 3.5f, 20);
        p.polygon({0, 19, 7, 19, 3.5f, 26});
        break;
      case common1::kLoadUp:  // up: the head at the top
        p.line(3.5f, 6, 3.5f, 26);
        p.polygon({0, 7, 7, 7, 3.5f, 0});
        break;
      case common1::kLoadRight:  // right
        p.line(0, 3.5f, 20, 3.5f);
        p.polygon({19, 0, 19, 7, 26, 3.5f});
        break;
      default:  // left: the head next to the point
        p.line(6, 3.5f, 26, 3.5f);
        p.polygon({7, 0, 7, 7, 0, 3.5f});
        break;
    }
  });
}

}  // namespace truss
