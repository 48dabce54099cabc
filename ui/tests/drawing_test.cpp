// The drawing surface: segments kept with the pen they were drawn with, Cls leaving the controls, and
// the raster modes rendered so that drawing twice in XOR restores the picture.
#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

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

}  // namespace
