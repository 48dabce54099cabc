#include "beam/workspace/pictures.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "ui/control.h"

namespace beam {

namespace {

constexpr ui::Color kInk = ui::RGB(20, 40, 110);
constexpr ui::Color kLoad = ui::RGB(200, 30, 30);
constexpr ui::Color kHot = ui::RGB(255, 140, 0);

// Icon sizes in pixels (15 twips each): the solver and the canvas centre a support 180 twips, the
// other node objects 75 twips, a force 60 and a moment 135 twips right of the icon's Left.
ui::Picture drawCode(int code) {
  const bool hot = code > 20;
  const int base = hot ? code - 20 : code;
  const ui::Color ink = hot ? kHot : kInk, load = hot ? kHot : kLoad;
  switch (base) {
    case 1:  // support: a triangle under the beam
      return ui::Picture::draw(24, 24, [ink](ui::PicturePainter& p) {
        p.pen(ink, 1.5f);
        p.brush(ui::RGB(220, 220, 220));
        p.polygon({12, 1, 3, 17, 21, 17});
        p.line(1, 20, 23, 20);
        for (float x = 3; x < 23; x += 5) p.line(x, 20, x - 3, 23);
      });
    case 2:  // fixed end: a wall with hatching
      return ui::Picture::draw(10, 30, [ink](ui::PicturePainter& p) {
        p.pen(ink, 2);
        p.line(5, 1, 5, 29);
        p.pen(ink, 1);
        for (float y = 2; y < 29; y += 5) p.line(5, y, 9, y + 4);
      });
    case kFixedOnLeftEnd:
    case kFixedOnRightEnd:  // a fixed end on a beam end: the wall against the end, its hatching outside
      return ui::Picture::draw(10, 30, [ink, base](ui::PicturePainter& p) {
        // The icon stands with its Left 8 pixels before the left end (165 against 285), or on the right
        // end (Left 10285): the wall's two columns end at the one end or start at the other.
        const bool left = base == kFixedOnLeftEnd;
        const float wall = left ? 7 : 1, out = left ? -1 : 1;
        p.pen(ink, 2);
        p.line(wall, 1, wall, 29);
        p.pen(ink, 1);
        for (float y = 2; y < 26; y += 5) p.line(wall + out, y, wall + 5 * out, y + 4);
      });
    case 3:  // hinge: a ring on the beam
      return ui::Picture::draw(10, 30, [ink](ui::PicturePainter& p) {
        p.pen(ink, 1.5f);
        p.brush(ui::RGB(255, 255, 255));
        p.ellipse(5, 15, 4, 4);
      });
    case 4:  // shear release: two parallel bars across the beam
      return ui::Picture::draw(10, 30, [ink](ui::PicturePainter& p) {
        p.pen(ink, 1.5f);
        p.line(3, 5, 3, 25);
        p.line(7, 5, 7, 25);
      });
    case 6:
    case 9:  // point force, down (positive) or up (negative)
      return ui::Picture::draw(8, 29, [load, base](ui::PicturePainter& p) {
        p.pen(load, 1.5f);
        p.brush(load);
        p.line(4, 1, 4, 28);
        if (base == 6) p.polygon({4, 28, 0.5f, 21, 7.5f, 21});
        else p.polygon({4, 1, 0.5f, 8, 7.5f, 8});
      });
    case 10:
    case 7:  // moment, counter-clockwise (positive) or clockwise (negative)
      return ui::Picture::draw(18, 30, [load, base](ui::PicturePainter& p) {
        p.pen(load, 1.5f);
        p.noBrush();
        p.arc(9, 15, 7, 7, 200, 250);
        p.brush(load);
        if (base == 10) p.polygon({2, 10, 0, 17, 6, 14});
        else p.polygon({16, 10, 18, 17, 12, 14});
      });
    case 8:
    case 11:  // distributed load, down (positive) or up (negative): a line over a row of arrows spread
              // evenly over the whole span, drawn at the width the load's icon has
      return ui::Picture::drawFitting(33, 17, [load, base](ui::PicturePainter& p, float w, float h) {
        p.pen(load, 1);
        p.brush(load);
        const bool down = base == 8;
        const float top = down ? 1 : h - 1, tip = down ? h - 1 : 1, head = down ? -4 : 4;
        p.line(0, top, w, top);
        const float first = 2, last = std::max(first, w - 3);
        const int gaps = std::max(1, int(std::lround((last - first) / 7)));
        for (int i = 0; i <= gaps; ++i) {
          // On a pixel's centre, so that every shaft is one crisp pixel wide.
          const float x = std::floor(first + (last - first) * float(i) / float(gaps)) + 0.5f;
          p.line(x, 1, x, h - 1);
          p.polygon({x, tip, x - 2, tip + head, x + 2, tip + head});
        }
      });
    default:
      return {};
  }
}

}  // namespace

ui::Picture objectPicture(int code) {
  static std::map<int, ui::Picture> cache;
  auto it = cache.find(code);
  if (it == cache.end()) it = cache.emplace(code, drawCode(code)).first;
  return it->second;
}

ui::Picture splashPicture() {
  return ui::Picture::draw(120, 60, [](ui::PicturePainter& p) {
    p.pen(kInk, 3);
    p.line(10, 30, 110, 30);
    p.pen(kInk, 1.5f);
    p.brush(ui::RGB(220, 220, 220));
    p.polygon({15, 32, 8, 44, 22, 44});
    p.polygon({105, 32, 98, 44, 112, 44});
    p.pen(kLoad, 2);
    p.brush(kLoad);
    p.line(60, 5, 60, 26);
    p.polygon({60, 28, 56, 20, 64, 20});
  });
}

ui::Picture clearPicture() {
  return ui::Picture::draw(20, 20, [](ui::PicturePainter& p) {
    p.pen(kLoad, 2.5f);
    p.line(4, 4, 16, 16);
    p.line(16, 4, 4, 16);
  });
}

ui::Picture confirmPicture() {
  return ui::Picture::draw(20, 20, [](ui::PicturePainter& p) {
    p.pen(ui::RGB(0, 140, 0), 2.5f);
    p.line(3, 11, 8, 16);
    p.line(8, 16, 17, 4);
  });
}

ui::Picture searchPicture() {
  return ui::Picture::draw(20, 20, [](ui::PicturePainter& p) {
    p.pen(kInk, 2);
    p.noBrush();
    p.ellipse(8, 8, 5, 5);
    p.line(12, 12, 18, 18);
  });
}

}  // namespace beam
