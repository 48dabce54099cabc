// What the widgets show: tab rows, wrapped captions, status panels, pointers, slider borders and
// keys, drawing that is lost without AutoRedraw, owned and right-to-left windows, a splash.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QSlider>
#include <QTableView>
#include <QTimer>

#include "ui/form.h"
#include "ui/grid.h"
#include "ui/picturebox.h"
#include "ui/qt_services.h"
#include "ui/views.h"

namespace {

struct Tools : ui::Form {
  Tools() : ui::Form("Tools") {
    setClientSize(3465, 6855);
    SSTab1.Move(-60, -60, 3705, 6915);
    const char* captions[] = {"     אובייקטים     ", "   נתונים  ", "סימולציה", "    מאפייני גרף     ",
                              "ערכי קיצון ומאמצים"};
    for (int i = 0; i < 5; ++i) SSTab1.setTabCaption(i, captions[i]);
    SSTab1.Tab = 3;
    Command14.Caption = "שחרור גזירה";
    Command14.Move(180, 720, 675, 915);
    Slider2.Move(120, 2000, 2000, 450);
    Slider2.Max = 10;
    StatusBar2.Move(0, 6000, 3465, 330);
  }
  ui::TabControl SSTab1{this, nullptr, "SSTab1", 5, 3};
  ui::CommandButton Command14{this, &SSTab1, "Command14"};
  ui::Slider Slider2{this, &SSTab1, "Slider2"};
  ui::StatusBar StatusBar2{this, nullptr, "StatusBar2", 4};
  ui::Menu aa0{this, nullptr, "aa0", "קובץ"};
  ui::Menu aa1{this, &aa0, "aa1", "יציאה"};
  ui::Menu bb0{this, nullptr, "bb0", "עזרה"};
};

struct Rendering : ::testing::Test {
  ui::QtServices svc{"t"};
  Tools f;
  ui::FormWindow* w = nullptr;
  void SetUp() override {
    w = ui::realize(f);
    w->applyGeometry();
    w->show();
  }
  void TearDown() override { ui::unrealize(f); }
};

TEST_F(Rendering, TabsStandInRowsWithTheCurrentRowNextToThePage) {
  QRect current = ui::tabRect(f.SSTab1, 3), first = ui::tabRect(f.SSTab1, 0);
  EXPECT_GT(current.top(), first.top()) << "tab 3's row stands next to the page";
  EXPECT_EQ(ui::tabRect(f.SSTab1, 4).top(), current.top());
  EXPECT_GT(first.left(), ui::tabRect(f.SSTab1, 2).left()) << "the first tab at the right";
  QWidget* tabs = ui::childHost(f.SSTab1);
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(first.width(), tabs->width() / 3);
  for (int i = 0; i < 5; ++i) {
    QFont font;
    QRect r = ui::tabRect(f.SSTab1, i, &font);
    QString caption = QString::fromStdString(f.SSTab1.TabCaption(i)).trimmed();
    EXPECT_LE(QFontMetrics(font).horizontalAdvance(caption), r.width() - 6) << "caption " << i << " shows whole";
    EXPECT_GE(font.pointSizeF(), 7.0) << "and readable";
  }
  // A click on a tab of the far row makes that row the near one.
  QPoint at = ui::tabRect(f.SSTab1, 1).center();
  QMouseEvent press(QEvent::MouseButtonPress, at, tabs->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(tabs, &press);
  EXPECT_EQ(f.SSTab1.Tab.get(), 1);
  EXPECT_GT(ui::tabRect(f.SSTab1, 0).top(), ui::tabRect(f.SSTab1, 3).top());
  EXPECT_LE(ui::tabRect(f.SSTab1, 0).bottom() + 1, 720 / 15 - 2) << "the rows leave room for the page's controls";
}

TEST_F(Rendering, CaptionsWrapOnWordsWithinTheirWidth) {
  QWidget* button = ui::childHost(f.Command14);
  ASSERT_NE(button, nullptr);
  QFontMetrics fm(button->font());
  int width = 675 / 15 - 6;
  QStringList lines = ui::wrapCaption(fm, QString::fromUtf8("שחרור גזירה"), width);
  EXPECT_EQ(lines, (QStringList{QString::fromUtf8("שחרור"), QString::fromUtf8("גזירה")}));
  for (const QString& l : lines) EXPECT_LE(fm.horizontalAdvance(l), width);
  EXPECT_EQ(ui::wrapCaption(fm, QString::fromUtf8("הצג/הסתר צירים לקורה"), 300).size(), 1);
  EXPECT_EQ(ui::wrapCaption(fm, " סמך", 40), QStringList{QString::fromUtf8("סמך")});
}

// Each character 10 pixels wide, so that the cases read as columns.
TEST(LabelLines, BreakAtBlanksAsAWordWrappingLabelDoes) {
  const auto advance = [](const QString& s) { return int(s.size()) * 10; };
  struct Case {
    const char* text;
    int width;
    QStringList lines;
  } cases[] = {
      {"aaa bbb ccc", 70, {"aaa bbb", "ccc"}},
      {"ab  cd", 60, {"ab  cd"}},                      // blanks inside a line stay
      {"ab   cd", 60, {"ab", "cd"}},                    // blanks that pad the line push the next word down
      {"ab                    cd ef", 50, {"ab", "cd ef"}},  // however long the padding, it is swallowed
      {" ab", 50, {" ab"}},                             // a leading blank indents
      {"ab   ", 100, {"ab"}},
      {"abcdefg", 30, {"abc", "def", "g"}},             // a word wider than the label is broken
      {"ab abcdefg", 50, {"ab", "abcde", "fg"}},
      {"ab\r\n\ncd", 100, {"ab", "", "cd"}},
      {"", 100, {""}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ui::wrapLines(advance, QString::fromUtf8(c.text), c.width), c.lines) << '"' << c.text << '"';
  EXPECT_EQ(ui::wrapLines(advance, "abcdefg", 30, true), QStringList{"abcdefg"}) << "a button keeps its words whole";
}

struct Note : ui::Form {
  Note() : ui::Form("Note") {
    setClientSize(3000, 1000);
    Label1.Move(0, 0, 3000, 1000);
    Label1.RightToLeft = true;
  }
  ui::Label Label1{this, nullptr, "Label1"};
};

// The blanks after "FER" pad its line, so "2." starts the next one; both lines read from the right.
TEST(LabelLines, AWrappedRightToLeftLabelStartsEachLineAtTheRight) {
  ui::QtServices svc{"t"};
  Note f;
  ui::FormWindow* w = ui::realize(f);
  w->applyGeometry();
  w->show();
  QWidget* label = ui::childHost(f.Label1);
  ASSERT_NE(label, nullptr);
  QFontMetrics fm(label->font());
  const QString first = QString::fromUtf8("פתרון FER"), second = QString::fromUtf8("2.  תיקון");
  QString blanks(60, ' ');
  ASSERT_GT(fm.horizontalAdvance(first + blanks), label->width()) << "the blanks reach past the line's end";
  f.Label1.Caption = (first + blanks + second).toStdString();
  QImage shot = label->grab().toImage();
  // Where each line's ink begins and ends.
  auto ink = [&](int line) {
    int lo = shot.width(), hi = -1;
    for (int y = line * fm.lineSpacing(); y < std::min(shot.height(), (line + 1) * fm.lineSpacing()); ++y)
      for (int x = 0; x < shot.width(); ++x)
        if (qGray(shot.pixel(x, y)) < 128) lo = std::min(lo, x), hi = std::max(hi, x);
    return std::pair{lo, hi};
  };
  for (int line : {0, 1}) {
    auto [lo, hi] = ink(line);
    ASSERT_GE(hi, 0) << "line " << line << " shows";
    EXPECT_GE(hi, label->width() - 6) << "line " << line << " starts at the right";
  }
  EXPECT_NEAR(ink(0).second - ink(0).first, fm.horizontalAdvance(first), 4) << "no blanks on the first line";
  EXPECT_NEAR(ink(1).second - ink(1).first, fm.horizontalAdvance(second), 4) << "nor at the start of the second";
  EXPECT_EQ(ink(2).second, -1) << "two lines only";
  ui::unrealize(f);
}

TEST_F(Rendering, StatusPanelsShowTheirTextsWhole) {
  QWidget* bar = ui::childHost(f.StatusBar2);
  ASSERT_NE(bar, nullptr);
  QFontMetrics fm(bar->font());
  QString hint = QString::fromUtf8("באפשרותך לשנות מקומים של אובייקטים כירצונך כמו כן להשתמש בכל האפשרויות בסרגל כלים");
  const int room = 10680 / 15;
  std::vector<int> w = ui::statusPanelWidths(fm, {"X=03.25", "", "", hint}, room);
  ASSERT_EQ(w.size(), 4u);
  EXPECT_EQ(w[0] + w[1] + w[2] + w[3], room);
  EXPECT_GE(w[3], fm.horizontalAdvance(hint) + 4) << "the long hint shows whole";
  EXPECT_GE(w[0], fm.horizontalAdvance("X=03.25"));
  std::vector<int> roomy = ui::statusPanelWidths(fm, {"a", "", "", "b"}, room);
  EXPECT_EQ(roomy[0], 1440 / 15) << "with room to spare a panel is an inch wide";
}

TEST_F(Rendering, TheWindowsPointerShowsOverItsControls) {
  QWidget* button = ui::childHost(f.Command14);
  ASSERT_NE(button, nullptr);
  f.MousePointer = 11;
  EXPECT_EQ(w->cursor().shape(), Qt::WaitCursor);
  EXPECT_EQ(button->cursor().shape(), Qt::WaitCursor);
  f.MousePointer = ui::vbDefault;
  EXPECT_EQ(button->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(Rendering, ASliderMovedByTheKeysScrollsAndChanges) {
  std::vector<std::string> log;
  f.Slider2.Scroll = [&] { log.push_back("scroll " + std::to_string(f.Slider2.Value.get())); };
  f.Slider2.Change = [&] { log.push_back("change " + std::to_string(f.Slider2.Value.get())); };
  auto* s = qobject_cast<QSlider*>(ui::childHost(f.Slider2));
  ASSERT_NE(s, nullptr);
  QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
  QApplication::sendEvent(s, &right);
  EXPECT_EQ(f.Slider2.Value.get(), 1);
  EXPECT_EQ(log, (std::vector<std::string>{"scroll 1", "change 1"}));
  f.Slider2.BorderStyle = 1;
  QImage framed = s->grab().toImage();
  EXPECT_EQ(framed.pixelColor(0, s->height() / 2), QColor(Qt::black)) << "BorderStyle 1 frames the slider";
}

TEST_F(Rendering, MenusAndTabsRunFromTheRightAndControlsKeepTheirPlaces) {
  ASSERT_NE(w->menuBar(), nullptr);
  EXPECT_EQ(w->menuBar()->layoutDirection(), Qt::RightToLeft);
  QAction* file = w->menuBar()->actions().value(0);
  ASSERT_NE(file, nullptr);
  EXPECT_GT(w->menuBar()->actionGeometry(file).left(), w->menuBar()->width() / 2) << "\"קובץ\" at the right";
  ASSERT_NE(file->menu(), nullptr);
  EXPECT_EQ(file->menu()->layoutDirection(), Qt::RightToLeft);
  QWidget* button = ui::childHost(f.Command14);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->geometry().topLeft(), QPoint(12, 48)) << "positions are as given";
}

TEST(Windows, AGridReadsFromTheRightUnlessSetLeftToRight) {
  ui::QtServices svc{"t"};
  struct Tables : ui::Form {
    Tables() : ui::Form("Tables") { setClientSize(6000, 4000); }
    ui::Grid MSFlexGrid1{this, nullptr, "MSFlexGrid1"};
    ui::Grid MSFlexGrid2{this, nullptr, "MSFlexGrid2"};
  } f;
  f.MSFlexGrid2.LeftToRight = true;
  ui::realize(f);
  QWidget* right = ui::childHost(f.MSFlexGrid1);
  QWidget* left = ui::childHost(f.MSFlexGrid2);
  ASSERT_NE(right, nullptr);
  ASSERT_NE(left, nullptr);
  EXPECT_EQ(right->layoutDirection(), Qt::RightToLeft);
  EXPECT_EQ(left->layoutDirection(), Qt::LeftToRight);
  ui::unrealize(f);
}

struct Canvas : ui::Form {
  Canvas() : ui::Form("Canvas") {
    setClientSize(6000, 4000);
    Picture1.Move(0, 0, 3000, 3000);
  }
  ui::PictureBox Picture1{this, nullptr, "Picture1"};
};

TEST(AutoRedraw, ADrawingWithoutItIsLostWhenTheBoxIsUncovered) {
  ui::QtServices svc{"t"};
  Canvas f;
  ui::FormWindow* w = ui::realize(f);
  w->show();
  QWidget* box = ui::childHost(f.Picture1);
  ASSERT_NE(box, nullptr);
  box->grab();  // painted once: on the screen
  f.Picture1.Line(0, 0, 3000, 3000, ui::RGB(255, 0, 0));
  f.Picture1.AutoRedraw = true;
  f.Picture1.Visible = false;
  f.Picture1.Visible = true;
  EXPECT_EQ(f.Picture1.drawn().size(), 1u) << "with AutoRedraw the drawing stays";
  f.Picture1.AutoRedraw = false;
  f.Picture1.Visible = false;
  f.Picture1.Visible = true;
  EXPECT_TRUE(f.Picture1.drawn().empty());
  EXPECT_NE(box->grab().toImage().pixelColor(100, 100), QColor(255, 0, 0));
  ui::unrealize(f);
}

// A stretched image shows a fitting picture drawn at the image's size (a line 2 pixels from its left
// edge stays there), a bitmap scaled to it.
TEST(Images, AFittingPictureIsDrawnAtTheImagesSizeNotScaled) {
  ui::QtServices svc{"t"};
  struct Strip : ui::Form {
    Strip() : ui::Form("Strip") { setClientSize(3000, 1000); }
    ui::Image Image1{this, nullptr, "Image1"};
  } f;
  f.Image1.Stretch = true;
  f.Image1.Picture_ = ui::Picture::drawFitting(10, 10, [](ui::PicturePainter& p, float, float h) {
    p.pen(ui::RGB(255, 0, 0), 1);
    p.line(2.5f, 0, 2.5f, h);
  });
  f.Image1.Move(0, 0, 1500, 150);
  ui::FormWindow* w = ui::realize(f);
  w->show();
  QWidget* image = ui::childHost(f.Image1);
  ASSERT_NE(image, nullptr);
  const QImage shot = image->grab().toImage();
  ASSERT_EQ(shot.width(), 100);
  EXPECT_EQ(shot.pixelColor(2, 5), QColor(255, 0, 0));
  EXPECT_NE(shot.pixelColor(25, 5), QColor(255, 0, 0));
  ui::unrealize(f);
}

TEST(Windows, OwnedModalWindowsStayInFrontAndASplashIsFramelessAndCentred) {
  ui::QtServices svc{"t"};
  struct Splash : ui::Form {
    Splash() : ui::Form("Splash") {
      BorderStyle = 3;
      ControlBox = false;
      StartUpPosition = 2;
      setClientSize(6000, 3600);
    }
  } splash;
  struct Main : ui::Form {
    explicit Main(ui::Form& s) : ui::Form("Main"), splash(s) { setClientSize(9000, 6000); }
    void Form_Load() override { splash.Show(ui::vbModal, this); }
    ui::Form& splash;
  } main(splash);
  bool checked = false;
  QTimer::singleShot(0, [&] {
    ui::FormWindow* sw = ui::windowOf(splash);
    ASSERT_NE(sw, nullptr);
    EXPECT_EQ(sw->parentWidget(), ui::windowOf(main)) << "a modal window stays in front of its owner";
    EXPECT_TRUE(sw->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(splash.Left.get(), (svc.screenWidthTwips() - splash.Width.get()) / 2);
    EXPECT_EQ(splash.Top.get(), (svc.screenHeightTwips() - splash.Height.get()) / 2);
    checked = true;
    splash.Unload();
  });
  main.Show();
  EXPECT_TRUE(checked);
  // Centred on its owner.
  main.Move(1500, 1200);
  Splash owned;
  owned.StartUpPosition = 1;
  owned.Show(ui::vbModeless, &main);
  EXPECT_EQ(owned.Left.get() + owned.Width.get() / 2, main.Left.get() + main.Width.get() / 2);
  EXPECT_EQ(owned.Top.get() + owned.Height.get() / 2, main.Top.get() + main.Height.get() / 2);
  ui::unrealize(owned);
  ui::unrealize(splash);
  ui::unrealize(main);
}

}  // namespace
