// Events from Qt to the handlers: key codes as the windows number them, mouse events that stay with
// the control under the pointer, and the drag of an icon onto its canvas.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <QToolTip>
#include <QtTest/qtestspontaneevent.h>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRubberBand>
#include <QWidget>
#include <memory>

#include "ui/control_array.h"
#include "ui/dispatch.h"
#include "ui/form.h"
#include "ui/keys.h"
#include "ui/picturebox.h"
#include "ui/qt_services.h"
#include "ui/services.h"
#include "ui/vbtext.h"
#include "ui/views.h"
#include "ui/widgets.h"

namespace {

TEST(Keys, CodesAreTheWindowsWhateverTheLayout) {
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
  f.Label1.Click = [] {};  // a label that takes clicks
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

// Bar numbers over the ends of short bars, an axis's caption over the canvas: a label that takes no
// click lets presses, releases and clicks through to what lies under it, keeps its moves and tooltip.
TEST_F(Delivery, ALabelThatTakesNoClickLetsItThroughToWhatIsUnderIt) {
  ui::ControlArray<ui::Label> Number{&f, &f.Picture7, "Number"};
  Number.Load(3);
  Number[3].Move(1650, 1650, 330, 210);  // its corner over the icon (1500, 1500, 450 by 450)
  Number[3].ToolTipText = "Sigma ( 3 ) =";
  ui::makeView(Number[3]);
  int moves = 0;
  Number.MouseMove = [&](int, int, int, float, float) { ++moves; };  // a hover, not a click
  int iconDowns = 0, iconClicks = 0;
  f.Image1.DragMode = 0;
  f.Image1.MouseDown = [&](int, int, float, float) { ++iconDowns; };
  f.Image1.Click = [&] { ++iconClicks; };
  std::vector<std::pair<float, float>> canvasUps;
  f.Picture7.MouseUp = [&](int, int, float x, float y) { canvasUps.push_back({x, y}); };
  // A second number under the first (two short bars meeting at a point), which lets clicks through too.
  Number.Load(4);
  Number[4].Move(1600, 1600, 330, 210);
  ui::makeView(Number[4]);
  QWidget* label = ui::childHost(Number[3]);
  ASSERT_NE(label, nullptr);
  label->raise();
  // Over the icon.
  ui::deliverMouse(Number[3], 1, 0, 0, 30, 30);
  ui::deliverMouse(Number[3], 0, 1, 0, 30, 30);
  ui::deliverMouse(Number[3], 2, 1, 0, 30, 30);
  EXPECT_EQ(iconDowns, 1);
  EXPECT_EQ(iconClicks, 1) << "the icon under the number is clicked";
  EXPECT_EQ(moves, 1) << "the hover stays the label's";
  // Beyond the icon's edge (1950), over the bare canvas: the canvas gets it at its own place.
  ui::deliverMouse(Number[3], 0, 1, 0, 315, 150);
  ui::deliverMouse(Number[3], 2, 1, 0, 315, 150);
  ASSERT_EQ(canvasUps.size(), 1u);
  EXPECT_EQ(canvasUps[0].first, 1650.0f + 315);
  EXPECT_EQ(canvasUps[0].second, 1650.0f + 150);
  EXPECT_EQ(iconDowns, 1);
  // Its tooltip is still its own: the label is what the pointer is over.
  const QPoint over = label->mapToGlobal(QPoint(2, 2));
  EXPECT_EQ(QApplication::widgetAt(over), label);
  EXPECT_EQ(label->toolTip(), QStringLiteral("Sigma ( 3 ) ="));
  // A drag begun through the label carries the icon.
  f.Image1.DragMode = 1;
  float dropX = -1;
  f.Picture7.DragDrop = [&](ui::Control& source, float x, float) { dropX = &source == &f.Image1 ? x : -2; };
  ui::deliverMouse(Number[3], 0, 1, 0, 30, 30);
  ui::deliverMouse(Number[3], 1, 1, 0, 600, 300);
  ui::deliverMouse(Number[3], 1, 1, 0, 900, 300);
  ui::deliverMouse(Number[3], 2, 1, 0, 900, 300);
  EXPECT_EQ(dropX, 1650.0f + 900);
  // A label with a click handler keeps its clicks.
  int labelClicks = 0;
  Number.Click = [&](int) { ++labelClicks; };
  ui::deliverMouse(Number[3], 0, 1, 0, 30, 30);
  ui::deliverMouse(Number[3], 2, 1, 0, 30, 30);
  EXPECT_EQ(labelClicks, 1);
  EXPECT_EQ(iconDowns, 2) << "only the drag's press reached the icon since";
}

std::vector<std::string> g_failures;

TEST_F(Delivery, AFailingHandlerStopsThereAndTheProgramGoesOn) {
  ui::ControlArray<ui::Label> Label2{&f, &f.Picture7, "Label2"};
  Label2.Load(3);
  Label2[3].Move(300, 3000, 900, 300);
  int canvas = 0;
  // A stale index, as a missed check in a window would use it.
  Label2.MouseDown = [&](int, int, int, float, float) { Label2[7].Caption = "x"; };
  f.Picture7.MouseDown = [&](int, int, float, float) { ++canvas; };
  g_failures.clear();
  auto previous = ui::setHandlerFailureHook(
      [](const std::string& handler, const std::string& what) { g_failures.push_back(handler + ": " + what); });
  ui::deliverMouse(Label2[3], 0, 1, 0, 30, 30);
  ui::deliverMouse(f.Picture7, 0, 1, 0, 30, 30);
  ui::setHandlerFailureHook(previous);
  EXPECT_EQ(g_failures, (std::vector<std::string>{"Board.Label2_MouseDown(3): Label2(7) does not exist"}));
  EXPECT_EQ(canvas, 1) << "the next event is handled as usual";
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

TEST_F(Delivery, ADragReportsWhereThePointerIsAndLandsWhereItsOutlineWas) {
  // A marker array with no drag handlers of its own, lying on the canvas under the drag's path.
  ui::ControlArray<ui::Image> Marker{&f, &f.Picture7, "Marker"};
  Marker.Load(0);
  Marker[0].Move(3000, 1500, 600, 600);
  Marker[0].Visible = true;
  ui::makeView(Marker[0]);
  float dragDx = -1;
  f.Image1.MouseMove = [&](int, int, float x, float) { dragDx = x; };
  struct Over {
    float x, y;
    int state;
  };
  std::vector<Over> overs;
  f.Picture7.DragOver = [&](ui::Control&, float x, float y, int st) { overs.push_back({x, y, st}); };
  float landed = -1;
  f.Picture7.DragDrop = [&](ui::Control&, float x, float) { landed = x - dragDx; };
  QWidget* icon = ui::childHost(f.Image1);
  QWidget* canvas = ui::childHost(f.Picture7);
  ASSERT_NE(icon, nullptr);
  ASSERT_NE(canvas, nullptr);
  auto send = [&](QEvent::Type t, QPoint inCanvas, Qt::MouseButton b, Qt::MouseButtons bs) {
    QPointF g = canvas->mapToGlobal(QPointF(inCanvas));
    QMouseEvent e(t, icon->mapFromGlobal(g), g, b, bs, Qt::NoModifier);
    QApplication::sendEvent(icon, &e);
  };
  // The icon's top left is canvas pixel (100, 100).
  send(QEvent::MouseMove, {110, 110}, Qt::NoButton, Qt::NoButton);
  send(QEvent::MouseButtonPress, {112, 111}, Qt::LeftButton, Qt::LeftButton);
  send(QEvent::MouseMove, {114, 112}, Qt::NoButton, Qt::LeftButton);  // within the threshold
  EXPECT_EQ(dragDx, 150.0f) << "a move within the threshold is no longer the icon's";
  send(QEvent::MouseMove, {180, 130}, Qt::NoButton, Qt::LeftButton);
  send(QEvent::MouseMove, {220, 130}, Qt::NoButton, Qt::LeftButton);  // over the marker
  ASSERT_NE(ui::windowOf(f), nullptr);
  auto* band = ui::windowOf(f)->findChild<QRubberBand*>();
  ASSERT_NE(band, nullptr);
  int outlineLeft = canvas->mapFrom(ui::windowOf(f), band->geometry().topLeft()).x();
  send(QEvent::MouseMove, {560, 130}, Qt::NoButton, Qt::LeftButton);  // off the canvas (500 pixels wide)
  send(QEvent::MouseMove, {220, 130}, Qt::NoButton, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, {220, 130}, Qt::LeftButton, Qt::NoButton);
  ASSERT_EQ(overs.size(), 4u);
  EXPECT_EQ(overs[1].state, ui::vbOver) << "a marker that handles no drag is no target";
  EXPECT_EQ(overs[1].x, 220 * 15.0f);
  EXPECT_EQ(overs[2].state, ui::vbLeave);
  EXPECT_EQ(overs[2].x, 560 * 15.0f) << "a leave carries the real position";
  EXPECT_EQ(overs[2].y, 130 * 15.0f);
  EXPECT_EQ(overs[3].state, ui::vbEnter);
  EXPECT_EQ(landed, float(outlineLeft) * 15.0f) << "the icon lands where its outline was";
}

// A bar's tooltip while the data window has the keys: a window of the program shows its tooltips while
// another of its windows is active.
TEST(Tooltips, ShowWhileAnotherWindowOfTheProgramIsActive) {
  ui::QtServices svc{"t"};
  Board main;
  struct Data : ui::Form {
    Data() : ui::Form("Data") { setClientSize(3000, 2000); }
  } data;
  main.Label1.ToolTipText = "Sigma ( 0 ) =";
  ui::FormWindow* mw = ui::realize(main);
  mw->show();
  data.Show();
  ui::FormWindow* dw = ui::windowOf(data);
  ASSERT_NE(dw, nullptr);
  dw->activateWindow();
  QApplication::processEvents();
  ASSERT_EQ(QApplication::activeWindow(), dw);
  QWidget* label = ui::childHost(main.Label1);
  // The pointer comes to rest over the label, as the window system tells it; the style shows tooltips
  // at once.
  struct Prompt : QProxyStyle {
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint h, const QStyleOption* o, const QWidget* w, QStyleHintReturn* r) const override {
      return h == SH_ToolTip_WakeUpDelay ? 0 : QProxyStyle::styleHint(h, o, w, r);
    }
  };
  auto style = std::make_unique<Prompt>(QStyleFactory::create("Fusion"));
  label->setStyle(style.get());
  QToolTip::hideText();
  QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), label->mapToGlobal(QPointF(5, 5)), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QSpontaneKeyEvent::setSpontaneous(&move);
  QApplication::instance()->notify(label, &move);
  for (int i = 0; i < 100 && !QToolTip::isVisible(); ++i) QApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), QStringLiteral("Sigma ( 0 ) ="));
  QToolTip::hideText();
  label->setStyle(nullptr);
  data.Unload();
  ui::unrealize(main);
}

// Message boxes read as every text of the program: a line that holds Hebrew right to left even when it
// starts with a Latin letter, a line without Hebrew left to right.
TEST(Messages, EachLineReadsInItsOwnOrder) {
  ui::QtServices svc{"t"};
  const struct {
    const char* text;
    std::vector<Qt::LayoutDirection> lines;
  } cases[] = {
      {"E ו-A חייבים להיות מספרים חיוביים - נשמר הערך הקודם", {Qt::RightToLeft}},
      {"ערך לא בתחום", {Qt::RightToLeft}},
      {" singular ", {Qt::LeftToRight}},
      {"-0.5", {Qt::LeftToRight}},
      {"2 נקודות\n-0.5", {Qt::RightToLeft, Qt::LeftToRight}},
  };
  for (const auto& c : cases) {
    std::vector<Qt::LayoutDirection> shown;
    QString buttons;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
      ASSERT_NE(label, nullptr);
      // The label lays its text out as a document, a paragraph a line.
      QTextDocument laidOut;
      laidOut.setPlainText(label->text());
      for (QTextBlock b = laidOut.firstBlock(); b.isValid(); b = b.next()) shown.push_back(b.textDirection());
      EXPECT_EQ(box->layoutDirection(), Qt::RightToLeft) << "its button at the right";
      box->done(QMessageBox::Ok);
    });
    ui::MsgBox(c.text);
    EXPECT_EQ(shown, c.lines) << c.text;
  }
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

// The first click of a double click unloads the window; the second half still reaches the button's
// widget, which Qt deletes only later, and must find nothing of the view or control that are gone.
TEST(Owned, TheSecondClickOnAButtonThatUnloadedItsWindowReachesNothing) {
  ui::QtServices svc{"t"};
  ui::Services* previous = ui::setServices(&svc);
  {
    struct Closer : ui::Form {
      Closer() : ui::Form("Closer") {
        Width = 3000, Height = 2000;
        Command1.Move(300, 300, 1200, 450);
        Command1.Click = [this] {
          ++clicks;
          Unload();
        };
      }
      ui::CommandButton Command1{this, nullptr, "Command1"};
      int clicks = 0;
    } f;
    f.Show();
    auto* view = dynamic_cast<ui::QtView*>(f.Command1.view());
    ASSERT_NE(view, nullptr);
    QPointer<QWidget> button = view->widget();
    QPointF at(10, 10);
    auto send = [&](QEvent::Type t) {
      QMouseEvent e(t, at, button->mapToGlobal(at), Qt::LeftButton,
                    t == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(button, &e);
    };
    send(QEvent::MouseButtonPress);
    send(QEvent::MouseButtonRelease);
    ASSERT_FALSE(f.loaded());
    ASSERT_FALSE(button.isNull()) << "the widget outlives its view until Qt deletes it";
    send(QEvent::MouseButtonDblClick);
    send(QEvent::MouseButtonRelease);
    EXPECT_EQ(f.clicks, 1);
  }
  ui::setServices(previous);
}

// A window destroyed while it is on screen: hiding it moves the focus out of a text box whose control
// is already gone.
TEST(Owned, AWindowDestroyedWhileShownSendsNoFocusChangeToItsGoneControls) {
  ui::QtServices svc{"t"};
  ui::Services* previous = ui::setServices(&svc);
  int lost = 0;
  {
    struct Entry : ui::Form {
      explicit Entry(int& lost) : ui::Form("Entry") {
        Width = 3000, Height = 2000;
        Text1.Move(300, 300, 1200, 300);
        Text1.LostFocus = [&lost] { ++lost; };
      }
      ui::TextBox Text1{this, nullptr, "Text1"};
    };
    auto f = std::make_unique<Entry>(lost);
    f->Show();
    ASSERT_NE(ui::windowOf(*f), nullptr);
    ui::windowOf(*f)->activateWindow();
    f->Text1.SetFocus();
    QApplication::processEvents();
    f.reset();
    QApplication::processEvents();
  }
  EXPECT_EQ(lost, 0);
  ui::setServices(previous);
}

// The program gives a control of one of its windows the keys while another of its windows has them
// (the beam canvas on hover, after the tool window was used): that window takes the keys as well, so
// the next key reaches the control.
TEST(Owned, FocusSetIntoAnotherWindowOfTheProgramTakesTheKeysThere) {
  ui::QtServices svc{"t"};
  ui::Services* previous = ui::setServices(&svc);
  {
    struct Main : ui::Form {
      Main() : ui::Form("Main") {
        Width = 6000, Height = 4000;
        Picture7.Move(0, 0, 3000, 3000);
      }
      ui::PictureBox Picture7{this, nullptr, "Picture7"};
    } main;
    struct Tools : ui::Form {
      Tools() : ui::Form("Tools") {
        Left = 7000, Width = 3000, Height = 2000;
        Command6.Move(300, 300, 1200, 450);
      }
      ui::CommandButton Command6{this, nullptr, "Command6"};
    } tools;
    main.Show();
    tools.Show(ui::vbModeless, &main);
    ui::windowOf(tools)->activateWindow();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), ui::windowOf(tools));
    main.Picture7.SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), ui::windowOf(main));
    EXPECT_EQ(QApplication::focusWidget(), ui::childHost(main.Picture7));
    ui::unrealize(tools);
    ui::unrealize(main);
  }
  ui::setServices(previous);
}

}  // namespace

namespace {

struct KeyForm : ui::Form {
  KeyForm() : ui::Form("KeyForm") {
    KeyPreview = true;
    Width = 6000;
    Height = 4000;
    Picture1.Move(0, 0, 3000, 3000);
  }
  ui::PictureBox Picture1{this, nullptr, "Picture1"};
  ui::Menu ff0{this, nullptr, "ff0", "אפשריות"};
  ui::Menu ffe{this, &ff0, "ffe", "פתור בכל גרירה"};
  ui::Menu sep{this, &ff0, "sep", "-"};
  ui::Menu cc1{this, nullptr, "cc1", "&פתור"};
  std::vector<std::string> log;
  void Form_KeyDown(int& KeyCode, int) override { log.push_back("down " + std::to_string(KeyCode)); }
  void Form_KeyUp(int& KeyCode, int) override { log.push_back("up " + std::to_string(KeyCode)); }
  void Form_KeyPress(int& KeyAscii) override { log.push_back("press " + std::to_string(KeyAscii)); }
};

struct QtForms : ::testing::Test {
  ui::QtServices svc{"t"};
  KeyForm f;
  void SetUp() override { ui::realize(f)->show(); }
  void TearDown() override { ui::unrealize(f); }
  void key(QEvent::Type t, int qtKey, quint32 scan, const QString& text, bool repeat) {
    QWidget* w = ui::childHost(f.Picture1);
    ASSERT_NE(w, nullptr);
    QKeyEvent e(t, qtKey, Qt::NoModifier, scan, 0, 0, text, repeat);
    QApplication::sendEvent(w, &e);
  }
};

TEST_F(QtForms, KeysArriveWithTheWindowsCodesAndRepeatGivesOneKeyUp) {
  key(QEvent::KeyPress, Qt::Key_Delete, 119, "", false);
  key(QEvent::KeyRelease, Qt::Key_Delete, 119, "", false);
  // The key that carries D on a Hebrew layout: the Hebrew letter gimel.
  key(QEvent::KeyPress, 0x05d2, 40, QString(QChar(0x05d2)), false);
  key(QEvent::KeyRelease, 0x05d2, 40, QString(QChar(0x05d2)), false);
  EXPECT_EQ(f.log, (std::vector<std::string>{"down 46", "up 46", "down 68", "press 226", "up 68"}));
  f.log.clear();
  key(QEvent::KeyPress, Qt::Key_Right, 114, "", false);
  key(QEvent::KeyRelease, Qt::Key_Right, 114, "", true);
  key(QEvent::KeyPress, Qt::Key_Right, 114, "", true);
  key(QEvent::KeyRelease, Qt::Key_Right, 114, "", true);
  key(QEvent::KeyPress, Qt::Key_Right, 114, "", true);
  key(QEvent::KeyRelease, Qt::Key_Right, 114, "", false);
  EXPECT_EQ(f.log, (std::vector<std::string>{"down 39", "down 39", "down 39", "up 39"}));
}

TEST_F(QtForms, AMenuChoiceRunsClickAndTheHandlerOwnsTheCheckMark) {
  int clicks = 0;
  f.ffe.Checked = true;
  f.ffe.Click = [&] {
    ++clicks;
    f.ffe.Checked = !f.ffe.Checked.get();
  };
  QAction* a = nullptr;
  ASSERT_NE(ui::windowOf(f), nullptr);
  for (QAction* act : ui::windowOf(f)->findChildren<QAction*>())
    if (act->text() == QString::fromUtf8("פתור בכל גרירה")) a = act;
  ASSERT_NE(a, nullptr);
  a->trigger();
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(f.ffe.Checked.get());
  EXPECT_FALSE(a->isChecked());
  f.ffe.Enabled = false;
  f.ffe.choose();
  EXPECT_EQ(clicks, 1) << "a disabled item does nothing";
  EXPECT_TRUE(f.sep.isSeparator());
  EXPECT_TRUE(f.hasMenuBar());
}

}  // namespace

#include <QCoreApplication>
#include <QScrollBar>
#include <QTableView>

#include "ui/grid.h"

namespace {

struct GridWindow : ui::Form {
  GridWindow() : ui::Form("GridWindow") {
    Width = 6000;
    Height = 4000;
    MSFlexGrid1.Move(0, 0, 5000, 3000);
    MSFlexGrid1.setRows(4);
    MSFlexGrid1.setCols(4);
  }
  ui::Grid MSFlexGrid1{this, nullptr, "MSFlexGrid1"};
};

TEST(QtGrid, TheUsersCellChoiceRaisesEnterCellAndCodeDoesNot) {
  ui::QtServices svc("t");
  GridWindow f;
  ui::realize(f)->show();
  int entered = 0;
  f.MSFlexGrid1.EnterCell = [&] { ++entered; };
  auto* view = qobject_cast<QTableView*>(ui::childHost(f.MSFlexGrid1));
  ASSERT_NE(view, nullptr);
  f.MSFlexGrid1.setRow(2);
  f.MSFlexGrid1.setCol(2);
  f.MSFlexGrid1.setText("7");
  EXPECT_EQ(entered, 0);
  EXPECT_EQ(view->model()->data(view->model()->index(1, 1)).toString(), "7");
  view->setCurrentIndex(view->model()->index(2, 0));
  EXPECT_EQ(entered, 1);
  EXPECT_EQ(f.MSFlexGrid1.Row(), 3);
  EXPECT_EQ(f.MSFlexGrid1.Col(), 1);
  EXPECT_EQ(view->editTriggers(), QAbstractItemView::NoEditTriggers) << "the grid never edits a cell itself";
  ui::unrealize(f);
}

// A grid's window unloaded while its table has a current cell and the focus: the table waits for Qt to
// delete it with its model still set, so nothing complains of a selection without a model, and the
// grid's cells are no longer read.
std::vector<QString> g_warnings;

TEST(QtGrid, ATableGoingAfterItsWindowUnloadedKeepsItsModel) {
  ui::QtServices svc("t");
  GridWindow f;
  ui::FormWindow* w = ui::realize(f);
  w->show();
  w->activateWindow();
  auto* view = qobject_cast<QTableView*>(ui::childHost(f.MSFlexGrid1));
  ASSERT_NE(view, nullptr);
  view->setFocus();
  view->setCurrentIndex(view->model()->index(1, 1));
  QApplication::processEvents();
  QPointer<QTableView> table(view);
  g_warnings.clear();
  const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& m) {
    g_warnings.push_back(m);
  });
  ui::unrealize(f);
  ASSERT_TRUE(table) << "the table waits for its deletion";
  ASSERT_NE(table->model(), nullptr);
  EXPECT_EQ(table->model()->rowCount(), 0) << "it no longer shows the grid";
  table->clearSelection();
  table->setCurrentIndex(QModelIndex());
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QApplication::processEvents();
  qInstallMessageHandler(previous);
  EXPECT_FALSE(table);
  for (const QString& m : g_warnings) EXPECT_FALSE(m.contains("QItemSelectionModel")) << m.toStdString();
}

// The widths are handed to the table only when they change; a new size gives the table default
// widths, which must not stand.
TEST(QtGrid, ColumnWidthsStandAfterTheGridIsResized) {
  ui::QtServices svc("t");
  GridWindow f;
  ui::realize(f)->show();
  auto* view = qobject_cast<QTableView*>(ui::childHost(f.MSFlexGrid1));
  ASSERT_NE(view, nullptr);
  f.MSFlexGrid1.setColWidth(2, 1500);
  EXPECT_EQ(view->columnWidth(1), 100);
  f.MSFlexGrid1.setRows(6);
  f.MSFlexGrid1.setCols(5);
  f.MSFlexGrid1.setColWidth(4, 900);
  EXPECT_EQ(view->columnWidth(1), 100);
  EXPECT_EQ(view->columnWidth(3), 60);
  f.MSFlexGrid1.setRow(1);
  f.MSFlexGrid1.setCol(1);
  f.MSFlexGrid1.setText("5");
  EXPECT_EQ(view->columnWidth(1), 100);
  ui::unrealize(f);
}

TEST(QtGrid, AColumnWiderThanTheGridScrollsToItsEnd) {
  ui::QtServices svc("t");
  GridWindow f;
  f.MSFlexGrid1.setCols(2);
  f.MSFlexGrid1.setColWidth(1, 9000);
  f.MSFlexGrid1.LeftToRight = true;
  ui::realize(f)->show();
  auto* view = qobject_cast<QTableView*>(ui::childHost(f.MSFlexGrid1));
  ASSERT_NE(view, nullptr);
  QCoreApplication::processEvents();  // the table lays itself out
  QScrollBar* bar = view->horizontalScrollBar();
  bar->setValue(bar->maximum());
  EXPECT_EQ(view->columnViewportPosition(0) + view->columnWidth(0), view->viewport()->width());
  ui::unrealize(f);
}

}  // namespace

#include <QTimer>

namespace {

struct Dialog : ui::Form {
  Dialog() : ui::Form("Dialog") {
    Width = 3000;
    Height = 2000;
  }
  int resizes = 0;
  void Form_Resize() override { ++resizes; }
};

TEST(QtModal, AModalShowReturnsWhenTheWindowUnloads) {
  ui::QtServices svc("t");
  Dialog d;
  QTimer::singleShot(0, [&] { d.Unload(); });
  d.Show(ui::vbModal);
  EXPECT_FALSE(d.loaded());
  EXPECT_EQ(ui::windowOf(d), nullptr) << "the window goes with the unload";
  EXPECT_GE(d.resizes, 1);
}

}  // namespace

namespace {

struct Boxes : ui::Form {
  Boxes() : ui::Form("Boxes") {
    Width = 6000;
    Height = 4000;
    Text1.Move(300, 300, 2000, 300);
    Text2.MultiLine = true;
    Text2.Move(300, 900, 3000, 900);
    Text1.Text = "one line";
    Text2.Text = "first\nsecond";
  }
  ui::TextBox Text1{this, nullptr, "Text1"};
  ui::TextBox Text2{this, nullptr, "Text2"};
};

TEST(TextBoxes, ShowTheirTextAndFollowLaterChanges) {
  ui::QtServices svc{"t"};
  Boxes f;
  ui::FormWindow* w = ui::realize(f);
  auto* line = w->findChild<QLineEdit*>();
  auto* multi = w->findChild<QPlainTextEdit*>();
  ASSERT_TRUE(line && multi);
  EXPECT_EQ(line->text().toStdString(), "one line");
  EXPECT_EQ(multi->toPlainText().toStdString(), "first\nsecond");
  f.Text1.Text = "changed";
  EXPECT_EQ(line->text().toStdString(), "changed");
  ui::unrealize(f);
}

// A click whose handler selects the whole text leaves it selected once the click is over, so typing
// replaces it.
TEST(TextBoxes, AClickThatSelectsTheTextLeavesItSelected) {
  ui::QtServices svc{"t"};
  Boxes f;
  f.Text1.Text = "0.2500";
  f.Text1.MouseDown = [&](int, int, float, float) {
    f.Text1.SelStart = 0;
    f.Text1.SelLength = ui::Len(f.Text1.Text.get());
  };
  ui::FormWindow* w = ui::realize(f);
  w->show();
  auto* line = w->findChild<QLineEdit*>();
  ASSERT_NE(line, nullptr);
  for (int round = 0; round < 2; ++round) {  // the second click selects again, with the same values
    line->deselect();
    QPointF at(40, 8);
    QMouseEvent press(QEvent::MouseButtonPress, at, line->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(line, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, line->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(line, &release);
    QApplication::processEvents();
    EXPECT_EQ(line->selectedText().toStdString(), "0.2500") << round;
  }
  ui::unrealize(f);
}

}  // namespace

namespace {

struct Sheet : ui::Form {
  Sheet() : ui::Form("Sheet") {
    Width = 6000;
    Height = 4000;
    Picture1.BorderStyle = 0;
    Picture1.BackColor = ui::RGB(255, 255, 255);
    Picture1.Move(0, 0, 3000, 1500);
  }
  ui::PictureBox Picture1{this, nullptr, "Picture1"};
};

TEST(Drawing, LinesDrawnBeforeTheWindowIsShownAreOnItsSurface) {
  ui::QtServices svc{"t"};
  Sheet f;
  f.Picture1.DrawWidth = 3;
  f.Picture1.Line(0, 750, 3000, 750, ui::RGB(255, 0, 0));
  ui::FormWindow* w = ui::realize(f);
  w->applyGeometry();
  w->show();
  QApplication::processEvents();
  QWidget* surface = ui::childHost(f.Picture1);
  ASSERT_TRUE(surface);
  QImage img = surface->grab().toImage();
  EXPECT_EQ(img.pixelColor(100, 50), QColor(255, 0, 0));
  EXPECT_EQ(img.pixelColor(100, 20), QColor(255, 255, 255));
  ui::unrealize(f);
}

}  // namespace
