// Events from Qt to the handlers: key codes as the original numbered them, mouse events that stay with
// the control under the pointer, and the drag of an icon onto its canvas.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "ui/form.h"
#include "ui/keys.h"
#include "ui/picturebox.h"
#include "ui/qt_services.h"
#include "ui/views.h"

namespace {

TEST(Keys, CodesAreTheOriginalsWhateverTheLayout) {
  struct Case {
    int qtKey;
    unsigned scan;
    int code;
  } cases[] = {
      {Qt::Key_Delete, 119, 46},   {Qt::Key_Left, 113, 37},  {Qt::Key_Up, 111, 38},
      {Qt::Key_Right, 114, 39},    {Qt::Key_Down, 116, 40},  {Qt::Key_Space, 65, 32},
      {Qt::Key_D, 40, 'D'},        {Qt::Key_T, 0, 84},       {Qt::Key_Return, 36, 13},
      // Hebrew layout: the keys that carry D, R, F, C and T give Hebrew letters.
      {0x05d2, 40, 'D'},           {0x05e8, 27, 'R'},        {0x05db, 41, 'F'},
      {0x05d1, 54, 'C'},           {0x05d0, 28, 'T'},        {0x05d2, 0, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ui::vbKeyCode(c.qtKey, c.scan), c.code) << std::hex << c.qtKey;
  EXPECT_EQ(ui::vbShiftBits(Qt::ShiftModifier | Qt::AltModifier), 5);
  EXPECT_EQ(ui::vbKeyAscii(U'5'), 53);
  EXPECT_EQ(ui::vbKeyAscii(U'\u05d0'), 0xE0);
}

struct Board : ui::Form {
  Board() : ui::Form("Board") {
    Width = 9000;
    Height = 6000;
    Picture7.Move(0, 0, 7500, 4500);
    Image1.Move(1500, 1500, 450, 450);
    Image1.DragMode = 1;
    Label1.Move(4500, 300, 900, 300);
  }
  ui::PictureBox Picture7{this, nullptr, "Picture7"};
  ui::Image Image1{this, &Picture7, "Image1"};
  ui::Label Label1{this, &Picture7, "Label1"};
};

struct Delivery : ::testing::Test {
  ui::QtServices svc{"t"};
  Board f;
  void SetUp() override {
    ui::FormWindow* w = ui::realize(f);
    w->applyGeometry();
    w->show();
  }
  void TearDown() override { ui::unrealize(f); }
};

TEST_F(Delivery, AChildsMouseEventNeverReachesItsContainer) {
  int canvas = 0;
  f.Picture7.MouseDown = [&](int, int, float, float) { ++canvas; };
  ui::deliverMouse(f.Image1, 0, 1, 0, 30, 30);
  ui::deliverMouse(f.Image1, 2, 1, 0, 30, 30);
  ui::deliverMouse(f.Label1, 0, 1, 0, 30, 30);
  EXPECT_EQ(canvas, 0);
  float gotX = -1;
  f.Picture7.MouseDown = [&](int b, int, float x, float) {
    ++canvas;
    EXPECT_EQ(b, 2);
    gotX = x;
  };
  ui::deliverMouse(f.Picture7, 0, 2, 0, 3000, 600);
  EXPECT_EQ(canvas, 1);
  EXPECT_EQ(gotX, 3000.0f);
}

TEST_F(Delivery, APressAndReleaseWithoutMovingIsAClick) {
  int clicks = 0, downs = 0;
  f.Image1.Click = [&] { ++clicks; };
  f.Image1.MouseDown = [&](int, int, float, float) { ++downs; };
  ui::deliverMouse(f.Image1, 0, 1, 0, 30, 30);
  ui::deliverMouse(f.Image1, 2, 1, 0, 30, 30);
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(clicks, 1);
}

TEST_F(Delivery, AnIconDraggedOverItsCanvasDropsThere) {
  std::vector<int> states;
  float dropX = -1, dropY = -1;
  ui::Control* source = nullptr;
  f.Picture7.DragOver = [&](ui::Control&, float, float, int st) { states.push_back(st); };
  f.Picture7.DragDrop = [&](ui::Control& s, float x, float y) {
    source = &s;
    dropX = x;
    dropY = y;
  };
  QWidget* icon = ui::childHost(f.Image1);
  ASSERT_NE(icon, nullptr);
  auto send = [&](QEvent::Type t, QPoint local, Qt::MouseButton b, Qt::MouseButtons bs) {
    QWidget* target = icon;
    QPointF g = icon->mapToGlobal(QPointF(local));
    QMouseEvent e(t, target->mapFromGlobal(g), g, b, bs, Qt::NoModifier);
    QApplication::sendEvent(icon, &e);
  };
  send(QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
  send(QEvent::MouseMove, {60, 40}, Qt::NoButton, Qt::LeftButton);
  send(QEvent::MouseMove, {100, 50}, Qt::NoButton, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, {100, 50}, Qt::LeftButton, Qt::NoButton);
  ASSERT_EQ(source, &f.Image1);
  EXPECT_EQ(dropX, 1500.0f + 100 * 15);
  EXPECT_EQ(dropY, 1500.0f + 50 * 15);
  ASSERT_FALSE(states.empty());
  EXPECT_EQ(states.front(), ui::vbEnter);
  EXPECT_EQ(f.Image1.Left.get(), 1500.0f) << "the icon itself moves only when the handler moves it";
}

TEST(Owned, AWindowShownFromItsOwnersLoadStaysInFrontOfIt) {
  ui::QtServices svc{"t"};
  ui::Services* previous = ui::setServices(&svc);
  {
    struct Tip : ui::Form {
      Tip() : ui::Form("Tip") { Width = 3000, Height = 2000; }
    } tip;
    struct Main : ui::Form {
      explicit Main(ui::Form& t) : ui::Form("Main"), tip(t) { Width = 6000, Height = 4000; }
      void Form_Load() override { tip.Show(ui::vbModeless, this); }
      ui::Form& tip;
    } main(tip);
    main.Show();
    ASSERT_NE(ui::windowOf(tip), nullptr);
    EXPECT_EQ(ui::windowOf(tip)->parentWidget(), ui::windowOf(main));
    EXPECT_TRUE(ui::windowOf(tip)->isVisible());
    ui::unrealize(tip);
    ui::unrealize(main);
  }
  ui::setServices(previous);
}

}  // namespace
