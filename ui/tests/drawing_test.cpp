// The drawing surface: segments kept with the pen they were drawn with, Cls leaving the controls, and
// the raster modes rendered so that drawing twice in XOR restores the picture.
#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

#include <cmath>
#include <vector>

#include "ui/clip.h"
#include "ui/form.h"
#include "ui/picturebox.h"
#include "ui/qt_services.h"
#include "ui/views.h"

namespace {

struct Canvas : ui::Form {
  Canvas() : ui::Form("Canvas") {
    Width = 6000;
    Height = 5000;
    Picture3.Move(0, 0, 4500, 3000);
    Picture3.BorderStyle = 0;
    Line4.X1 = 100;
    Line4.X2 = 100;
    Line4.Y2 = 2000;
  }
  ui::PictureBox Picture3{this, nullptr, "Picture3"};
  ui::LineControl Line4{this, &Picture3, "Line4"};
};

TEST(Drawing, SegmentsKeepThePenTheyWereDrawnWith) {
  ui::QtServices svc("t");
  Canvas f;
  f.Picture3.DrawWidth = 2;
  f.Picture3.Line(0, 1980, 10000, 1980, ui::RGB(0, 255, 0));
  f.Picture3.DrawMode = 7;
  f.Picture3.DrawStyle = 2;
  f.Picture3.Line(5, 6, 7, 8, ui::RGB(255, 0, 0));
  ASSERT_EQ(f.Picture3.drawn().size(), 2u);
  const ui::Segment& a = f.Picture3.drawn()[0];
  EXPECT_EQ(a.width, 2);
  EXPECT_EQ(a.mode, 13);
  EXPECT_EQ(a.color, ui::RGB(0, 255, 0));
  EXPECT_EQ(a.x2, 10000.0f);
  const ui::Segment& b = f.Picture3.drawn()[1];
  EXPECT_EQ(b.mode, 7);
  EXPECT_EQ(b.style, 2);
  f.Picture3.Cls();
  EXPECT_TRUE(f.Picture3.drawn().empty());
  EXPECT_TRUE(f.Line4.Visible.get()) << "Cls leaves the controls";
  f.Picture3.DrawMode = 40;
  EXPECT_EQ(f.Picture3.DrawMode.get(), 16);
}

TEST(Drawing, XorTwiceRestoresThePicture) {
  ui::QtServices svc("t");
  Canvas f;
  f.Line4.Visible = false;
  ui::FormWindow* w = ui::realize(f);
  w->show();
  QWidget* box = ui::childHost(f.Picture3);
  ASSERT_NE(box, nullptr);
  f.Picture3.Line(0, 0, 3000, 1500, ui::RGB(0, 0, 255));
  QImage before = box->grab().toImage();
  f.Picture3.DrawMode = 7;
  f.Picture3.DrawWidth = 3;
  f.Picture3.Line(0, 1500, 3000, 0, ui::RGB(255, 255, 0));
  QImage mid = box->grab().toImage();
  EXPECT_NE(before, mid);
  f.Picture3.Line(0, 1500, 3000, 0, ui::RGB(255, 255, 0));
  EXPECT_EQ(before, box->grab().toImage());
  ui::unrealize(f);
}

TEST(Drawing, ALargeCanvasKeepsItsSize) {
  ui::QtServices svc("t");
  Canvas f;
  f.Picture3.Move(-2000, -27000, 30000, 30000);
  EXPECT_EQ(f.Picture3.Left.get(), -2000.0f);
  EXPECT_EQ(f.Picture3.ScaleHeight(), 30000.0f);
  ui::FormWindow* w = ui::realize(f);
  QWidget* box = ui::childHost(f.Picture3);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->geometry(), QRect(-133, -1800, 2000, 2000));
  (void)w;
  ui::unrealize(f);
}

TEST(Clipping, ASegmentIsCutAtTheBoxAlongItsOwnLine) {
  const ui::ClipBox box{0, 0, 100, 50};
  const double inf = INFINITY, nan = NAN;
  const struct {
    const char* name;
    ui::ClipLine line;
    bool shows;
    ui::ClipLine shown;
  } cases[] = {
      {"inside", {10, 10, 90, 40}, true, {10, 10, 90, 40}},
      {"far below, as a graph off its scale", {50, 25, 50, 6.7e8}, true, {50, 25, 50, 50}},
      {"through, both ends far out", {-1e300, 25, 1e300, 25}, true, {0, 25, 100, 25}},
      {"slanted across a corner", {-10, 40, 20, 70}, true, {0, 50, 0, 50}},
      {"kept in its direction", {90, 40, 10, 10}, true, {90, 40, 10, 10}},
      {"beside the box", {110, 0, 110, 50}, false, {}},
      {"along an edge", {0, 50, 100, 50}, true, {0, 50, 100, 50}},
      {"passing by a corner", {90, -20, 120, 10}, false, {}},
      {"an end that is not finite", {50, 25, 50, inf}, false, {}},
      {"not a number", {nan, 25, 50, 25}, false, {}},
      {"a point", {5, 5, 5, 5}, true, {5, 5, 5, 5}},
  };
  for (const auto& c : cases) {
    ui::ClipLine l = c.line;
    ASSERT_EQ(ui::clipToBox(l, box), c.shows) << c.name;
    if (!c.shows) continue;
    EXPECT_NEAR(l.x1, c.shown.x1, 1e-9) << c.name;
    EXPECT_NEAR(l.y1, c.shown.y1, 1e-9) << c.name;
    EXPECT_NEAR(l.x2, c.shown.x2, 1e-9) << c.name;
    EXPECT_NEAR(l.y2, c.shown.y2, 1e-9) << c.name;
  }
  // Ends at the far ends of the doubles: some piece within the box.
  ui::ClipLine diagonal{-1.7e308, -1.7e308, 1.7e308, 1.7e308};
  ASSERT_TRUE(ui::clipToBox(diagonal, box));
  for (double x : {diagonal.x1, diagonal.x2}) EXPECT_TRUE(x >= 0 && x <= 100) << x;
  for (double y : {diagonal.y1, diagonal.y2}) EXPECT_TRUE(y >= 0 && y <= 50) << y;
  // A polygon far larger than the box is the box; one beside it is nothing; one not finite is nothing.
  const std::vector<ui::ClipPoint> huge{{-1e30, -1e30}, {1e30, -1e30}, {1e30, 1e30}, {-1e30, 1e30}};
  const std::vector<ui::ClipPoint> shown = ui::clipToBox(huge, box);
  ASSERT_EQ(shown.size(), 4u);
  for (const ui::ClipPoint& q : shown) EXPECT_TRUE((q.x == 0 || q.x == 100) && (q.y == 0 || q.y == 50));
  EXPECT_TRUE(ui::clipToBox({{200, 0}, {300, 0}, {300, 10}}, box).empty());
  EXPECT_TRUE(ui::clipToBox({{10, 10}, {inf, 10}, {10, 20}}, box).empty());
  // Pixel positions Qt can add up.
  EXPECT_EQ(ui::safePixel(1e12), int(ui::kMaxPixels));
  EXPECT_EQ(ui::safePixel(-1e12), -int(ui::kMaxPixels));
  EXPECT_EQ(ui::safePixel(nan), 0);
  EXPECT_EQ(ui::safePixel(12.6), 13);
}

// A graph far off its scale: segments, line controls and shapes at every distance, also not finite,
// are drawn as the parts of them that show, and nothing overflows (the sanitized build aborts on a
// signed overflow).
TEST(Drawing, WhatIsDrawnFarOffTheSurfaceShowsItsPartOnIt) {
  ui::QtServices svc("t");
  Canvas f;
  f.Picture3.BackColor = ui::RGB(255, 255, 255);
  f.Line4.Visible = false;
  ui::FormWindow* w = ui::realize(f);
  w->applyGeometry();
  w->show();
  QWidget* box = ui::childHost(f.Picture3);
  ASSERT_NE(box, nullptr);
  const float inf = INFINITY, nan = NAN;
  f.Picture3.DrawWidth = 3;
  // A vertical line from the middle of the box to y 1e10 twips, as the deflection of "X1000" draws it.
  f.Picture3.Line(1500, 1500, 1500, 1e10f, ui::RGB(0, 0, 255));
  for (float far : {1e10f, -1e10f, 3e38f, -3e38f, inf, -inf, nan}) {
    f.Picture3.Line(0, far, 4500, far, ui::RGB(255, 0, 0));
    f.Picture3.Line(far, 0, far, 3000, ui::RGB(255, 0, 0));
    f.Picture3.Line(far, far, -far, 3000, ui::RGB(255, 0, 0));
  }
  // The colour at (x, y) or at a pixel next to it, across a line of a few pixels' width.
  const auto near = [](const QImage& img, int x, int y, QColor c) {
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (img.pixelColor(x + dx, y + dy) == c) return true;
    return false;
  };
  QImage drawn = box->grab().toImage();
  EXPECT_TRUE(near(drawn, 100, 190, QColor(0, 0, 255))) << "the part of the line that shows";
  EXPECT_EQ(drawn.pixelColor(100, 50), QColor(255, 255, 255));
  // Line controls and shapes lying on the box.
  ui::LineControl far1{&f, &f.Picture3, "far1"}, far2{&f, &f.Picture3, "far2"};
  far1.BorderWidth = 2;
  far1.X1 = 3000, far1.Y1 = 1500, far1.X2 = 3000, far1.Y2 = -1e12f;
  far2.X1 = nan, far2.Y1 = 0, far2.X2 = inf, far2.Y2 = 3e38f;
  ui::Shape ring{&f, &f.Picture3, "ring"}, sheet{&f, &f.Picture3, "sheet"}, lost{&f, &f.Picture3, "lost"};
  // A circle of 1e9 twips whose edge passes through the box's lower part.
  ring.Shape_ = 3;
  ring.BorderColor = ui::RGB(0, 160, 0);
  ring.BorderWidth = 2;
  ring.Move(2257 - 5e8f, 2250, 1e9f, 1e9f);
  sheet.Shape_ = 0;
  sheet.FillStyle = 0;
  sheet.FillColor = ui::RGB(255, 255, 0);
  sheet.Move(-3e37f, 2700, 6e37f, 3e37f);
  lost.Move(nan, 0, inf, 1e30f);
  drawn = box->grab().toImage();
  EXPECT_TRUE(near(drawn, 200, 50, QColor(0, 0, 0))) << "the line control up from the middle";
  EXPECT_TRUE(near(drawn, 150, 150, QColor(0, 160, 0))) << "the top of the ring";
  EXPECT_TRUE(near(drawn, 20, 150, QColor(0, 160, 0))) << "and its edge beside it";
  EXPECT_EQ(drawn.pixelColor(20, 190), QColor(255, 255, 0)) << "the sheet under the box's bottom";
  EXPECT_EQ(drawn.pixelColor(20, 100), QColor(255, 255, 255));
  ui::unrealize(f);
}

}  // namespace
