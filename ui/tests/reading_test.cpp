// What the widgets show of a text: numbers from the left and Hebrew from the right whatever the
// control's direction, a box's text from its start, a grid's corner, menu items at the right of a
// right-to-left menu, and windows that keep their place and their title bar on the screen.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPaintEngine>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QTableView>

#include "ui/form.h"
#include "ui/grid.h"
#include "ui/qt_services.h"
#include "ui/vbtext.h"
#include "ui/views.h"
#include "ui/widgets.h"

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

// The ink a widget paints on a transparent image, cut to its bounding box, so that texts laid out in
// different places (a cell aligned right or left) compare by what they read.
QImage ink(const QImage& painted, QRect within = {}) {
  if (within.isNull()) within = painted.rect();
  int l = within.right() + 1, r = within.left() - 1, t = within.bottom() + 1, b = within.top() - 1;
  for (int y = within.top(); y <= within.bottom(); ++y)
    for (int x = within.left(); x <= within.right(); ++x)
      if (qAlpha(painted.pixel(x, y)) > 0 && qGray(painted.pixel(x, y)) < 128) {
        l = std::min(l, x), r = std::max(r, x), t = std::min(t, y), b = std::max(b, y);
      }
  if (r < l) return {};
  return painted.copy(QRect(QPoint(l, t), QPoint(r, b)));
}

// How far two inks are apart: the difference of their coverage, pixel by pixel, at the best of a few
// pixels' shifts (their boxes may differ by an edge pixel of anti-aliasing).
long distance(const QImage& a, const QImage& b) {
  const int w = std::max(a.width(), b.width()), h = std::max(a.height(), b.height());
  const auto at = [](const QImage& i, int x, int y) {
    if (x < 0 || y < 0 || x >= i.width() || y >= i.height()) return 0;
    return (255 - qGray(i.pixel(x, y))) * qAlpha(i.pixel(x, y)) / 255;
  };
  long best = -1;
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -2; dx <= 2; ++dx) {
      long d = 0;
      for (int y = -1; y <= h; ++y)
        for (int x = -2; x <= w + 1; ++x) d += std::abs(at(a, x, y) - at(b, x + dx, y + dy));
      if (best < 0 || d < best) best = d;
    }
  return best;
}

// The shown ink is the expected reading, not the other one (glyphs at other sub-pixel places differ a
// little in their edges).
bool readsAs(const QImage& shown, const QImage& expected, const QImage& wrong) {
  return !shown.isNull() && distance(shown, expected) < distance(shown, wrong) / 2;
}

QImage rendered(QWidget* w) {
  QImage img(w->size(), QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  w->render(&img, {}, {}, QWidget::DrawChildren);
  return img;
}

// A text drawn in a given reading order, as a reader expects to see it.
QImage reads(const QString& text, const QFont& font, Qt::LayoutDirection order) {
  QFontMetrics fm(font);
  QImage img(fm.horizontalAdvance(text) + 20, fm.height() + 4, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setFont(font);
  p.setPen(Qt::black);
  p.setLayoutDirection(order);
  p.drawText(img.rect(), Qt::AlignCenter, text);
  p.end();
  return ink(img);
}

struct Panel : ui::Form {
  Panel() : ui::Form("Panel") {
    setClientSize(6000, 4000);
    Label5.Caption = "שם המשתנה=";
    Label5.Move(120, 120, 2400, 300);
    Label6.Caption = "-0.5";
    Label6.RightToLeft = true;
    Label6.Move(120, 480, 2400, 300);
    Label7.Caption = "=כוח תגובה";
    Label7.Move(120, 1560, 2400, 300);
    Label8.Caption = "1.  חלוקת הקורה לאלמנטים:";
    Label8.RightToLeft = true;
    Label8.Move(120, 1920, 2400, 300);
    Text1.RightToLeft = true;
    Text1.Move(120, 840, 700, 300);
    Check1.Caption = "גזירה=";
    Check1.Move(120, 1200, 2400, 300);
  }
  ui::Label Label5{this, nullptr, "Label5"};
  ui::Label Label6{this, nullptr, "Label6"};
  ui::Label Label7{this, nullptr, "Label7"};
  ui::Label Label8{this, nullptr, "Label8"};
  ui::TextBox Text1{this, nullptr, "Text1"};
  ui::CheckBox Check1{this, nullptr, "Check1"};
};

struct Reading : ::testing::Test {
  ui::QtServices svc{"t"};
  Panel f;
  ui::FormWindow* w = nullptr;
  void SetUp() override { w = ui::realize(f); }
  void TearDown() override { ui::unrealize(f); }
};

TEST_F(Reading, LabelsReadInTheirTextsOwnOrderWhateverTheirDirection) {
  const struct {
    ui::Label& label;
    Qt::LayoutDirection order;
  } cases[] = {{f.Label5, Qt::RightToLeft}, {f.Label6, Qt::LeftToRight}, {f.Label7, Qt::LeftToRight},
               {f.Label8, Qt::RightToLeft}};
  for (const auto& c : cases) {
    QWidget* widget = ui::childHost(c.label);
    ASSERT_NE(widget, nullptr) << c.label.Name();
    const QString text = QString::fromStdString(c.label.Caption);
    const QImage shown = ink(rendered(widget));
    const Qt::LayoutDirection other = c.order == Qt::RightToLeft ? Qt::LeftToRight : Qt::RightToLeft;
    ASSERT_NE(reads(text, widget->font(), c.order), reads(text, widget->font(), other)) << "the orders differ";
    EXPECT_TRUE(readsAs(shown, reads(text, widget->font(), c.order), reads(text, widget->font(), other)))
        << c.label.Caption.get();
  }
}

TEST_F(Reading, ATextBoxShowsWhatTheProgramWroteFromItsStartInItsOwnOrder) {
  auto* line = qobject_cast<QLineEdit*>(ui::childHost(f.Text1));
  ASSERT_NE(line, nullptr);
  // A number too wide for its box drops only its last decimals, rounded; one whose integer part alone is
  // too wide shows whole from its start.
  const struct {
    const char* text;
    const char* shown;
  } cases[] = {{"-49600.0000", "-49600"}, {"0.25", "0.25"}, {"-1234567890123", "-1234567890123"}};
  for (const auto& c : cases) {
    f.Text1.Text = c.text;
    EXPECT_EQ(line->text().toStdString().substr(0, std::string(c.shown).size()), c.shown) << c.text;
    EXPECT_TRUE(std::string(c.text).rfind(line->text().toStdString(), 0) == 0) << c.text << " shows its start";
    EXPECT_FALSE(line->text().endsWith('.')) << c.text;
    EXPECT_EQ(line->cursorPosition(), 0) << c.text << ": the sign and leading digits show";
    EXPECT_EQ(line->layoutDirection(), Qt::LeftToRight) << "a number reads from the left in a right-to-left box";
    EXPECT_EQ(line->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight | Qt::AlignAbsolute)
        << "and stands at the right, where the box's text stands";
  }
  // In the box the user edits the whole text.
  f.Text1.Text = "-49600.0000";
  w->show();
  w->activateWindow();
  line->setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(line->hasFocus());
  EXPECT_EQ(line->text(), u("-49600.0000"));
  line->clearFocus();
  EXPECT_TRUE(line->text().startsWith(u("-49600")) && line->text().size() < 11) << "fitted again once left";
  f.Text1.Text = "שלום";
  EXPECT_EQ(line->layoutDirection(), Qt::RightToLeft);
  EXPECT_EQ(line->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight | Qt::AlignAbsolute);
}

TEST_F(Reading, ACheckBoxCaptionReadsInItsOwnOrder) {
  auto* box = qobject_cast<QCheckBox*>(ui::childHost(f.Check1));
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->layoutDirection(), Qt::LeftToRight) << "the box keeps its side";
  EXPECT_EQ(box->text(), QChar(0x2067) + u("גזירה=") + QChar(0x2069)) << "its Hebrew caption is a right-to-left run";
}

struct Tables : ui::Form {
  Tables() : ui::Form("Tables") {
    setClientSize(6000, 4000);
    for (ui::Grid* g : {&Right, &Left}) {
      g->Move(0, 0, 4000, 1500);
      g->setRows(3);
      g->setCols(3);
      g->setTextMatrix(0, 0, "מס. אלמנט");
      g->setColWidth(0, 1400);
      g->setColWidth(1, 900);
      g->setColWidth(2, 1400);
      g->setTextMatrix(1, 2, "-0.5");
      g->setTextMatrix(2, 2, "-1E+30");
    }
    Left.Top = 2000;
    Left.LeftToRight = true;
  }
  ui::Grid Right{this, nullptr, "Right"};
  ui::Grid Left{this, nullptr, "Left"};
};

QImage cellInk(ui::Grid& g, int row, int col) {
  auto* t = qobject_cast<QTableView*>(ui::childHost(g));
  EXPECT_NE(t, nullptr) << g.Name();
  if (!t) return {};
  QRect r = t->visualRect(t->model()->index(row - 1, col - 1)).adjusted(1, 1, -1, -1);
  return ink(rendered(t->viewport()), r);
}

TEST(GridCells, NumbersReadFromTheLeftAndTheCornerShowsItsText) {
  ui::QtServices svc{"t"};
  Tables f;
  ui::FormWindow* w = ui::realize(f);
  w->resize(400, 300);
  for (int row : {1, 2}) {
    const QString text = QString::fromStdString(f.Right.TextMatrix(row, 2));
    ASSERT_NE(ui::childHost(f.Right), nullptr);
    const QFont font = ui::childHost(f.Right)->font();
    EXPECT_TRUE(readsAs(cellInk(f.Right, row, 2), reads(text, font, Qt::LeftToRight), reads(text, font, Qt::RightToLeft)))
        << text.toStdString() << " reads from the left";
  }
  auto* t = qobject_cast<QTableView*>(ui::childHost(f.Right));
  ASSERT_NE(t, nullptr);
  auto* corner = t->findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
  ASSERT_NE(corner, nullptr);
  const QImage withText = ink(rendered(corner));
  f.Right.setTextMatrix(0, 0, "");
  const QImage blank = ink(rendered(corner));
  EXPECT_NE(withText, blank) << "the corner shows \"מס. אלמנט\"";
  ui::unrealize(f);
}

TEST(GridCells, ANumberWiderThanItsCellDropsOnlyItsLastDecimals) {
  ui::QtServices svc{"t"};
  Tables f;
  f.Right.setColWidth(2, 900);
  f.Right.setTextMatrix(1, 2, "-100000.0000");
  ui::FormWindow* w = ui::realize(f);
  w->resize(400, 300);
  const QString text = u("-100000.0000");
  auto* t = qobject_cast<QTableView*>(ui::childHost(f.Right));
  ASSERT_NE(t, nullptr);
  const QFont font = t->font();
  const int room = t->columnWidth(1) - 6;
  ASSERT_GT(QFontMetrics(font).horizontalAdvance(text), room) << "too wide for its cell";
  const QImage shown = cellInk(f.Right, 1, 2);
  // The cell shows the number's start up to some decimal, not Qt's "-100000.0…".
  long best = -1;
  for (qsizetype n = text.indexOf('.'); n <= text.size(); ++n) {
    const long d = distance(shown, reads(text.left(n), font, Qt::LeftToRight));
    if (best < 0 || d < best) best = d;
  }
  const QString elided = QFontMetrics(font).elidedText(text, Qt::ElideRight, room);
  ASSERT_NE(elided, text);
  EXPECT_LT(best * 2, distance(shown, reads(elided, font, Qt::LeftToRight)));
  ui::unrealize(f);
}

TEST(FittedNumbers, RoundToTheDecimalsThatFitAndNeverEndOnAPoint) {
  // A room of n characters.
  const struct {
    const char* text;
    int room;
    const char* shown;
  } cases[] = {
      {"-48756.59766", 11, "-48756.5977"}, {"-3455.8948", 9, "-3455.895"}, {"1.2344", 5, "1.234"},
      {"9.996", 4, "10.0"},    // the carry lengthens the integer part: one decimal fewer than 9.99's
      {"99.96", 4, "100"},     // "100.0" would not fit
      {"9.99", 3, "10"},       // nor "10.0": no bare '.' either
      {"-49600.0000", 6, "-49600"},
      {"-0.0004", 5, "0.000"}, // rounds to zero: no sign
      {"0.25", 4, "0.25"},     // fits as it is
      {"-49600.0000", 5, "-49600.0000"},  // its integer part alone is too wide: whole, from its start
      {"-1E+30", 3, "-1E+30"}, {"מס. אלמנט", 3, "מס. אלמנט"},
  };
  for (const auto& c : cases) {
    const auto fits = [&](const QString& t) { return t.size() <= c.room; };
    EXPECT_EQ(ui::fittedNumber(u(c.text), fits), u(c.shown)) << c.text << " in " << c.room;
  }
}

// A paint device that keeps the texts drawn on it, as Qt hands them to it: a text a view elides arrives
// with its ellipsis.
class TextRecorder : public QPaintDevice {
 public:
  explicit TextRecorder(const QWidget* like) : like_(like) {}
  QPaintEngine* paintEngine() const override { return &engine_; }
  QString texts() const { return engine_.texts; }

 protected:
  int metric(PaintDeviceMetric m) const override {
    switch (m) {
      case PdmWidth: return like_->width();
      case PdmHeight: return like_->height();
      case PdmDpiX: case PdmPhysicalDpiX: return like_->logicalDpiX();
      case PdmDpiY: case PdmPhysicalDpiY: return like_->logicalDpiY();
      case PdmDepth: return 32;
      case PdmDevicePixelRatio: return 1;
      case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
      default: return 0;
    }
  }

 private:
  struct Engine : QPaintEngine {
    Engine() : QPaintEngine(AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawTextItem(const QPointF&, const QTextItem& t) override { texts += t.text(); }
    Type type() const override { return User; }
    QString texts;
  };
  const QWidget* like_;
  mutable Engine engine_;
};

struct OneCell : ui::Form {
  OneCell() : ui::Form("OneCell") {
    setClientSize(9000, 3000);
    Grid1.Move(0, 0, 8000, 1500);
    Grid1.setRows(2);
    Grid1.setCols(2);
    Grid1.setColWidth(0, 300);
  }
  ui::Grid Grid1{this, nullptr, "Grid1"};
};

// The shown text is the number rounded to some of its decimals, with its whole integer part.
bool roundedFrom(const QString& shown, const std::string& full) {
  const qsizetype point = shown.indexOf('.');
  const std::size_t decimals = point < 0 ? 0 : std::size_t(shown.size() - point - 1);
  return !shown.isEmpty() && QString::fromStdString(ui::roundDecimals(full, decimals)) == shown;
}

TEST(GridCells, ANumberWiderThanItsCellIsDrawnRoundedAndWholeAtEveryWidth) {
  ui::QtServices svc{"t"};
  OneCell f;
  ui::FormWindow* w = ui::realize(f);
  w->resize(700, 300);
  auto* t = qobject_cast<QTableView*>(ui::childHost(f.Grid1));
  ASSERT_NE(t, nullptr);
  for (const char* number : {"-48756.59766", "1000000.0000", "-3455.8948", "9.99996"}) {
    f.Grid1.setTextMatrix(1, 1, number);
    int shortened = 0, whole = 0;
    for (float width = 600; width <= 2400; width += 15) {
      f.Grid1.setColWidth(1, width);
      TextRecorder drawn(t->viewport());
      t->viewport()->render(&drawn);
      const QString text = drawn.texts();
      const QString where = QString("%1 in %2 px").arg(number).arg(t->columnWidth(0));
      if (text.contains(QChar(0x2026))) {
        // Elided only while the cell is too narrow for the integer part: never once a wider cell showed
        // the number whole or rounded.
        EXPECT_EQ(shortened + whole, 0) << where.toStdString() << " shows " << text.toStdString();
        continue;
      }
      if (text == number) ++whole;
      EXPECT_TRUE(roundedFrom(text, number)) << where.toStdString() << " shows " << text.toStdString();
      EXPECT_FALSE(text.endsWith('.')) << where.toStdString();
      if (text != number) ++shortened;
    }
    EXPECT_GT(shortened, 0) << number << " was shortened at some width";
  }
  ui::unrealize(f);
}

TEST(TextBoxes, ANumberWiderThanItsBoxShowsRoundedAndUncutAtEveryWidth) {
  ui::QtServices svc{"t"};
  Panel f;
  ui::FormWindow* w = ui::realize(f);
  w->resize(600, 400);
  auto* line = qobject_cast<QLineEdit*>(ui::childHost(f.Text1));
  ASSERT_NE(line, nullptr);
  for (const char* number : {"-48756.59766", "-3455.8948"}) {
    f.Text1.Text = number;
    int shortened = 0;
    for (float width = 600; width <= 1800; width += 15) {
      f.Text1.Width = width;
      const QString shown = line->text();
      const std::string where = std::string(number) + " in " + std::to_string(line->width()) + " px";
      ASSERT_TRUE(roundedFrom(shown, number)) << where << " shows " << shown.toStdString();
      if (shown == u(number)) continue;  // whole, or too narrow even for its integer part: from its start
      ++shortened;
      // Its last digit whole: the ink inside the frame is as wide as the text's own.
      const QImage inside = ink(rendered(line), line->rect().adjusted(1, 1, -2, -2));
      QLineEdit wide(shown);
      wide.setFont(line->font());
      wide.resize(400, line->height());
      const QImage whole = ink(rendered(&wide), wide.rect().adjusted(1, 1, -2, -2));
      EXPECT_EQ(inside.width(), whole.width()) << where << " shows " << shown.toStdString();
    }
    EXPECT_GT(shortened, 0) << number;
  }
  ui::unrealize(f);
}

struct Menus : ui::Form {
  Menus() : ui::Form("Menus") { setClientSize(6000, 3000); }
  ui::Menu view{this, nullptr, "view", "תצוגה"};
  ui::Menu shortItem{this, &view, "shortItem", "גרף"};
  ui::Menu longItem{this, &view, "longItem", "פתור בכל גרירה"};
};

// The right edge of the ink of each item's text row, left of the check column.
int textRight(QMenu* m, QAction* a) {
  QImage img(m->size(), QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  m->render(&img);
  QRect r = m->actionGeometry(a);
  r.setRight(r.right() - r.height() - 4);
  return ink(img, r).isNull() ? -1 : [&] {
    for (int x = r.right(); x >= r.left(); --x)
      for (int y = r.top(); y <= r.bottom(); ++y)
        if (qGray(img.pixel(x, y)) < 128 && qAlpha(img.pixel(x, y)) > 0) return x;
    return -1;
  }();
}

TEST(MenuItems, StandAtTheRightOfARightToLeftMenu) {
  ui::QtServices svc{"t"};
  Menus f;
  f.shortItem.Checked = true;
  ui::FormWindow* w = ui::realize(f);
  QMenu* menu = w->menuBar()->actions().value(0) ? w->menuBar()->actions()[0]->menu() : nullptr;
  ASSERT_NE(menu, nullptr);
  menu->adjustSize();
  const QList<QAction*> items = menu->actions();
  ASSERT_EQ(items.size(), 2);
  const int a = textRight(menu, items[0]), b = textRight(menu, items[1]);
  ASSERT_GT(a, 0);
  EXPECT_LE(std::abs(a - b), 2) << "both texts end at the same place, next to the marks";
  EXPECT_GT(a, menu->width() / 2) << "at the right of the menu";
  ui::unrealize(f);
}

struct Data : ui::Form {
  Data() : ui::Form("Data") {
    Caption = "נתונים ונוסחאות";
    setClientSize(3000, 2000);
  }
};

TEST(WindowPlace, AWindowShownAgainStandsWhereItStoodWithItsTitleOnTheScreen) {
  ui::QtServices svc{"t"};
  Data f;
  f.Move(1500, 1200);
  f.Show();
  ui::FormWindow* w = ui::windowOf(f);
  ASSERT_NE(w, nullptr);
  const QRect first = w->geometry();
  EXPECT_EQ(first.topLeft(), QPoint(100 + 4, 80 + 22)) << "the client area one frame in from Left and Top";
  for (int i = 0; i < 3; ++i) {
    f.Hide();
    f.Show();
    EXPECT_EQ(w->geometry(), first) << "shown again, " << i;
    EXPECT_FLOAT_EQ(f.Top.get(), 1200.0f);
  }
  // The user moves it: the form follows, and it stays there when shown again.
  w->move(w->pos() + QPoint(30, 40));
  const QRect moved = w->geometry();
  EXPECT_FLOAT_EQ(f.Left.get(), 1500.0f + 30 * 15);
  EXPECT_FLOAT_EQ(f.Top.get(), 1200.0f + 40 * 15);
  f.Hide();
  f.Show();
  EXPECT_EQ(w->geometry(), moved);
  // Placed above or beside the screen, the title bar still shows.
  const QRect avail = w->screen()->availableGeometry();
  f.Move(-9000, -6000);
  EXPECT_GE(w->geometry().top(), avail.top() + 22);
  EXPECT_GT(w->geometry().right(), avail.left());
  f.Move(float(avail.right()) * 15 + 3000, float(avail.bottom()) * 15 + 3000);
  EXPECT_LE(w->geometry().top(), avail.bottom() - 22);
  EXPECT_LT(w->geometry().left(), avail.right());
  f.Unload();
}

TEST(WindowPlace, AStartUpPositionPlacesTheFirstShowingOnlyAndShowRestoresAMinimisedWindow) {
  ui::QtServices svc{"t"};
  Data f;
  f.StartUpPosition = 2;
  f.Show();
  EXPECT_FLOAT_EQ(f.Left.get(), (svc.screenWidthTwips() - f.Width.get()) / 2) << "centred when first shown";
  ui::FormWindow* w = ui::windowOf(f);
  ASSERT_NE(w, nullptr);
  w->move(w->pos() + QPoint(-40, -30));
  const float left = f.Left.get(), top = f.Top.get();
  f.Hide();
  f.Show();
  EXPECT_FLOAT_EQ(f.Left.get(), left) << "shown again where the user moved it";
  EXPECT_FLOAT_EQ(f.Top.get(), top);
  f.Unload();
  f.Show();
  EXPECT_FLOAT_EQ(f.Left.get(), left) << "also after an unload";
  w = ui::windowOf(f);
  ASSERT_NE(w, nullptr);
  w->showMinimized();
  ASSERT_TRUE(w->isMinimized());
  f.Show();
  EXPECT_FALSE(w->isMinimized()) << "back from the task bar";
  EXPECT_TRUE(w->isVisible());
  f.Unload();
}

}  // namespace
