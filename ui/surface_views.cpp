// Picture boxes, frames and form client areas (the drawing surface), images and labels.
#include "ui/widgets.h"

#include <QApplication>
#include <QImage>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "ui/clip.h"
#include "ui/picture_qt.h"
#include "ui/picturebox.h"

namespace ui {

namespace {

// Beyond this many pixels from its surface a shape is drawn as the part of it that can show.
constexpr double kNativeReach = 1 << 15;

int penWidth(int width) { return std::clamp(width, 1, 64); }

// What can show of a surface of this size under a pen of this width: the surface and the pen's reach.
ClipBox reach(QSize area, int pen) {
  return ClipBox{0, 0, double(area.width()), double(area.height())}.grown(pen + 2);
}

// A line given in twips as Qt gets it: in pixels, cut to the part that can show; false when none can.
bool shownLine(double x1, double y1, double x2, double y2, QSize area, int pen, QLineF* line) {
  ClipLine l{x1 / kTwipsPerPixel, y1 / kTwipsPerPixel, x2 / kTwipsPerPixel, y2 / kTwipsPerPixel};
  if (!clipToBox(l, reach(area, pen))) return false;
  *line = QLineF(l.x1, l.y1, l.x2, l.y2);
  return true;
}

// A rectangle or an oval given in pixels, drawn whole when it lies near its surface and otherwise as the
// piece of its outline (and fill) that can show.
void drawShape(QPainter& p, const QRectF& r, int kind, QSize area, int pen) {
  const ClipBox near = ClipBox{0, 0, double(area.width()), double(area.height())}.grown(kNativeReach);
  const bool oval = kind == 2 || kind == 3;
  if (r.left() >= near.left && r.top() >= near.top && r.right() <= near.right && r.bottom() <= near.bottom) {
    if (oval)
      p.drawEllipse(r);
    else if (kind == 4 || kind == 5)
      p.drawRoundedRect(r, 6, 6);
    else
      p.drawRect(r);
    return;
  }
  std::vector<ClipPoint> outline;
  if (oval) {
    // Around the whole oval coarsely, and finely where it passes the surface, so that the piece that
    // shows follows the curve to a fraction of a pixel.
    const double cx = r.center().x(), cy = r.center().y(), rx = r.width() / 2, ry = r.height() / 2;
    const double facing = std::atan2((area.height() / 2.0 - cy) / ry, (area.width() / 2.0 - cx) / rx);
    const double span = std::min(std::numbers::pi, 4 * std::hypot(area.width(), area.height()) / std::min(std::abs(rx), std::abs(ry)));
    std::vector<double> angles;
    for (int i = 0; i < 720; ++i) angles.push_back(2 * std::numbers::pi * i / 720);
    for (int i = 0; i <= 1024; ++i) angles.push_back(std::fmod(facing - span + 2 * span * i / 1024 + 4 * std::numbers::pi, 2 * std::numbers::pi));
    std::sort(angles.begin(), angles.end());
    for (double a : angles) outline.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
  } else {
    outline = {{r.left(), r.top()}, {r.right(), r.top()}, {r.right(), r.bottom()}, {r.left(), r.bottom()}};
  }
  const std::vector<ClipPoint> shown = clipToBox(outline, reach(area, pen));
  if (shown.size() < 3) return;
  QPolygonF polygon;
  for (const ClipPoint& q : shown) polygon << QPointF(q.x, q.y);
  p.drawPolygon(polygon);
}

}  // namespace

void drawLightweight(QPainter& p, Control& host) {
  p.setRenderHint(QPainter::Antialiasing, false);
  const QSize area = p.device() ? QSize(p.device()->width(), p.device()->height()) : QSize();
  for (Control* ch : host.children()) {
    if (!ch->isLightweight() || !ch->Visible.get()) continue;
    if (auto* tab = dynamic_cast<TabControl*>(&host); tab && ch->TabPage.get() != tab->Tab.get()) continue;
    if (auto* l = dynamic_cast<LineControl*>(ch)) {
      const int width = penWidth(l->BorderWidth.get());
      QPen pen(toQColor(l->BorderColor), width);
      if (l->BorderStyle.get() == 2) pen.setStyle(Qt::DashLine);
      if (l->BorderStyle.get() == 3) pen.setStyle(Qt::DotLine);
      if (l->BorderStyle.get() == 0) pen.setStyle(Qt::NoPen);
      p.setPen(pen);
      QLineF shown;
      if (shownLine(l->X1.get(), l->Y1.get(), l->X2.get(), l->Y2.get(), area, width, &shown)) p.drawLine(shown);
    } else if (auto* s = dynamic_cast<Shape*>(ch)) {
      const int width = penWidth(s->BorderWidth.get());
      p.setPen(QPen(toQColor(s->BorderColor), width));
      if (s->FillStyle.get() == 0)
        p.setBrush(toQColor(s->FillColor));
      else
        p.setBrush(Qt::NoBrush);
      const double left = s->Left.get(), top = s->Top.get(), w = s->Width.get(), h = s->Height.get();
      if (!std::isfinite(left) || !std::isfinite(top) || !std::isfinite(w) || !std::isfinite(h)) continue;
      const QRectF r(left / kTwipsPerPixel, top / kTwipsPerPixel, w / kTwipsPerPixel, h / kTwipsPerPixel);
      drawShape(p, r, s->Shape_.get(), area, width);
    }
  }
}

namespace {

// Form client areas, frames and picture boxes: the background, the drawing layer of a picture box, and
// the line controls and shapes lying on it; the other controls are child widgets above.
class Surface : public Passive {
 public:
  Surface(Control& c, QWidget* parent) : Passive(c, parent) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    if (dynamic_cast<PictureBox*>(&c)) setFocusPolicy(Qt::StrongFocus);
  }
  void segment(const Segment* s) {
    auto* pb = dynamic_cast<PictureBox*>(&c_);
    if (!pb) return;
    if (!s) {
      layer_ = QImage();
      update();
      return;
    }
    ensureLayer();
    QPainter p(&layer_);
    paintSegment(p, *s);
    // Only the part of the line that can show becomes a rectangle.
    const int w = penWidth(s->width) + 2;
    QLineF shown;
    if (!shownLine(s->x1, s->y1, s->x2, s->y2, layer_.size(), penWidth(s->width), &shown)) return;
    update(QRectF(shown.p1(), shown.p2()).normalized().toAlignedRect().adjusted(-w, -w, w, w));
  }
  void resized() {
    auto* pb = dynamic_cast<PictureBox*>(&c_);
    if (pb && shown_ && size() != shownSize_) lose(*pb);
    // What was drawn before the window was shown (a spectrum painted at load) shows from the start.
    bool pending = layer_.isNull() && pb && !pb->drawn().empty();
    if (pending || (!layer_.isNull() && layer_.size() != size())) {
      layer_ = QImage();
      if (pb && !pb->drawn().empty()) {
        ensureLayer();
        QPainter p(&layer_);
        for (const Segment& s : pb->drawn()) paintSegment(p, s);
      }
    }
  }

 protected:
  void paintEvent(QPaintEvent* e) override {
    shown_ = true;
    shownSize_ = size();
    QPainter p(this);
    p.setClipRegion(e->region());
    auto* pb = dynamic_cast<PictureBox*>(&c_);
    if (!layer_.isNull())
      p.drawImage(0, 0, layer_);
    else
      p.fillRect(rect(), toQColor(c_.BackColor));
    if (pb && layer_.isNull() && !pb->Picture_.get().isNull())
      p.drawImage(0, 0, pictureImage(pb->Picture_.get()));
    if (auto* fr = dynamic_cast<Frame*>(&c_); fr && fr->BorderStyle.get()) {
      p.setPen(QColor(160, 160, 160));
      QFontMetrics fm(font());
      int top = fm.height() / 2;
      p.drawRect(QRect(0, top, width() - 1, height() - top - 1));
      QString cap = qs(fr->Caption);
      if (!cap.isEmpty()) {
        int tw = fm.horizontalAdvance(cap) + 8;
        QRect tr = fr->RightToLeft.get() ? QRect(width() - tw - 8, 0, tw, fm.height()) : QRect(8, 0, tw, fm.height());
        p.fillRect(tr, toQColor(c_.BackColor));
        p.setPen(toQColor(c_.ForeColor));
        p.setLayoutDirection(readingOrder(cap, fr->RightToLeft.get() ? Qt::RightToLeft : Qt::LeftToRight));
        p.drawText(tr, Qt::AlignCenter, cap);
      }
    }
    if (pb && pb->BorderStyle.get()) {
      p.setPen(QColor(128, 128, 128));
      p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    drawLightweight(p, c_);
  }
  void resizeEvent(QResizeEvent*) override { resized(); }
  // Without AutoRedraw the drawing is only on the screen: a box that is uncovered again (shown after
  // being hidden, or given a new size) has lost it.
  void showEvent(QShowEvent*) override {
    if (auto* pb = dynamic_cast<PictureBox*>(&c_); pb && hidden_) lose(*pb);
    hidden_ = false;
  }
  void hideEvent(QHideEvent*) override {
    if (shown_ && !window()->isMinimized()) hidden_ = true;
  }
  void lose(PictureBox& pb) {
    if (pb.AutoRedraw.get()) return;
    layer_ = QImage();
    pb.drawingLost();
    update();
  }
  bool shown_ = false, hidden_ = false;
  QSize shownSize_;

 private:
  void ensureLayer() {
    if (!layer_.isNull()) return;
    layer_ = QImage(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    layer_.fill(toQColor(c_.BackColor));
    auto* pb = dynamic_cast<PictureBox*>(&c_);
    if (pb && !pb->Picture_.get().isNull()) {
      QPainter p(&layer_);
      p.drawImage(0, 0, pictureImage(pb->Picture_.get()));
    }
  }
  static void paintSegment(QPainter& p, const Segment& s) {
    static const QPainter::CompositionMode kModes[17] = {
        QPainter::RasterOp_SourceXorDestination,     // unused 0
        QPainter::RasterOp_ClearDestination,          // 1 black
        QPainter::RasterOp_NotSourceAndNotDestination,  // 2 not merge pen
        QPainter::RasterOp_NotSourceAndDestination,   // 3 mask not pen
        QPainter::RasterOp_NotSource,                 // 4 not copy pen
        QPainter::RasterOp_SourceAndNotDestination,   // 5 mask pen not
        QPainter::RasterOp_NotDestination,            // 6 invert
        QPainter::RasterOp_SourceXorDestination,      // 7 xor pen
        QPainter::RasterOp_NotSourceOrNotDestination,  // 8 not mask pen
        QPainter::RasterOp_SourceAndDestination,      // 9 mask pen
        QPainter::RasterOp_NotSourceXorDestination,   // 10 not xor pen
        QPainter::CompositionMode_Destination,        // 11 nop
        QPainter::RasterOp_NotSourceOrDestination,    // 12 merge not pen
        QPainter::CompositionMode_Source,             // 13 copy pen
        QPainter::RasterOp_SourceOrNotDestination,    // 14 merge pen not
        QPainter::RasterOp_SourceOrDestination,       // 15 merge pen
        QPainter::RasterOp_SetDestination,            // 16 white
    };
    if (s.style == 5 || s.mode == 11) return;
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setCompositionMode(kModes[std::clamp(s.mode, 1, 16)]);
    const int width = penWidth(s.width);
    QPen pen(toQColor(s.color), width);
    pen.setCapStyle(Qt::FlatCap);
    // Broken lines only at width 1; wider lines are always solid.
    if (width <= 1) {
      static const Qt::PenStyle kStyles[7] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                              Qt::DashDotDotLine, Qt::NoPen, Qt::SolidLine};
      pen.setStyle(kStyles[std::clamp(s.style, 0, 6)]);
    }
    p.setPen(pen);
    QLineF shown;
    if (p.device() && shownLine(s.x1, s.y1, s.x2, s.y2, QSize(p.device()->width(), p.device()->height()), width, &shown))
      p.drawLine(shown);
  }
  QImage layer_;
};

class SurfaceView : public QtView {
 public:
  SurfaceView(Control& c, Surface* s) : QtView(c, s), s_(s) {}
  void childChanged(Control&) override {
    if (w_) w_->update();
  }
  void drawn(const Segment* seg) override {
    if (w_) s_->segment(seg);
  }

 protected:
  void syncOwn() override {
    QPalette pal = w_->palette();
    w_->update();
  }
  Surface* s_;
};

class ImageWidget : public Passive {
 public:
  ImageWidget(Image& c, QWidget* parent) : Passive(c, parent), img_(c) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const Picture& pic = img_.Picture_.get();
    if (!pic.isNull()) {
      if (img_.Stretch.get() && pic.fits()) {
        // Drawn at this size once, and again only when the picture or the size changes.
        if (!(source_ == pic) || shown_.widthPixels() != width() || shown_.heightPixels() != height()) {
          source_ = pic;
          shown_ = pic.fittedTo(width(), height());
        }
        p.drawImage(0, 0, pictureImage(shown_));
      } else if (img_.Stretch.get()) {
        p.drawImage(rect(), pictureImage(pic));
      } else {
        p.drawImage(0, 0, pictureImage(pic));
      }
    }
    if (img_.BorderStyle.get()) {
      p.setPen(Qt::black);
      p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
  }
  Image& img_;
  Picture source_, shown_;  // the picture last drawn at this widget's size, and that drawing
};

// A widget that only shows and lets presses, releases and clicks through to what lies under it while
// its control handles none of them (a bar's number over the end of a short bar, an axis's caption over
// the canvas): the widget under it gets them as though it had been pressed itself, and the moves while
// that button is held. The moves of the pointer over it, and its tooltip, stay its own.
class ClickThrough : public Passive {
 public:
  using Passive::Passive;

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    if (!passOn(e)) Passive::mousePressEvent(e);
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    if (!passOn(e)) Passive::mouseMoveEvent(e);
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (!passOn(e)) Passive::mouseReleaseEvent(e);
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    if (!passOn(e)) Passive::mouseDoubleClickEvent(e);
  }

 private:
  bool keepsClicks() const { return c_.handlesClicks() || c_.DragMode.get() == 1; }
  // The widget under this one at a point of the screen, past the other labels there that let clicks
  // through.
  QWidget* below(QPointF global) {
    QWidget* top = window();
    const QPoint at = top->mapFromGlobal(global).toPoint();
    std::vector<QPointer<QWidget>> passed{this};
    setAttribute(Qt::WA_TransparentForMouseEvents, true);
    QWidget* w = top->childAt(at);
    for (auto* c = dynamic_cast<ClickThrough*>(w); c && !c->keepsClicks(); c = dynamic_cast<ClickThrough*>(w)) {
      c->setAttribute(Qt::WA_TransparentForMouseEvents, true);
      passed.push_back(c);
      w = top->childAt(at);
    }
    for (const QPointer<QWidget>& p : passed)
      if (p) p->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    return w ? w : top;
  }
  // True when the event went on to the widget under this one.
  bool passOn(QMouseEvent* e) {
    const bool press = e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick;
    // The first button pressed chooses where this press and everything until the last release go.
    if (press && !(e->buttons() & ~e->button())) target_ = keepsClicks() ? nullptr : below(e->globalPosition());
    QPointer<QWidget> target = target_;
    if (!target) return false;
    if (e->type() == QEvent::MouseButtonRelease && !(e->buttons() & Qt::MouseButtonMask)) target_ = nullptr;
    QMouseEvent passed(e->type(), target->mapFromGlobal(e->globalPosition()), e->globalPosition(), e->button(),
                       e->buttons(), e->modifiers(), e->pointingDevice());
    QApplication::sendEvent(target, &passed);
    e->accept();
    return true;
  }
  QPointer<QWidget> target_;  // what the held button's press went to
};

class LabelWidget : public ClickThrough {
 public:
  LabelWidget(Label& c, QWidget* parent) : ClickThrough(c, parent), l_(c) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    if (l_.BackStyle.get() == 1) p.fillRect(rect(), toQColor(l_.BackColor));
    if (l_.BorderStyle.get()) p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setPen(toQColor(l_.ForeColor));
    const int flags = int(shownAlignment(l_.Alignment.get(), l_.RightToLeft.get()) | Qt::AlignTop);
    // The caption reads in its own order, line by line: a Hebrew one as a right-to-left paragraph (its
    // stops and Latin words fall where a Hebrew reader expects them, "גזירה=" with "=" at its left), a
    // number from the left ("-0.5") whatever the label's direction; the alignment is the visual one.
    const QString caption = qs(l_.Caption);
    p.setLayoutDirection(readingOrder(caption, l_.RightToLeft.get() ? Qt::RightToLeft : Qt::LeftToRight));
    if (!l_.WordWrap.get()) {
      p.drawText(rect(), flags, caption);
      return;
    }
    // The lines are broken here rather than by Qt, whose wrapping keeps the blanks that pad a line on
    // it: in a right-to-left line they push the words out of the label.
    QFontMetrics fm(font());
    int y = 0;
    for (const QString& line : labelLines(fm, l_, width())) {
      if (y >= height()) break;
      p.drawText(QRect(0, y, width(), fm.height()), flags, line);
      y += fm.lineSpacing();
    }
  }
  Label& l_;
};

class LabelView : public QtView {
 public:
  using QtView::QtView;
  void syncOwn() override { w_->update(); }
};
class ImageView : public QtView {
 public:
  using QtView::QtView;
  void syncOwn() override { w_->update(); }
};

}  // namespace

QStringList wrapLines(const std::function<int(const QString&)>& advance, const QString& text, int width,
                      bool wholeWords, int lineEndBlanks) {
  QStringList lines;
  QString line;
  // Starts a line with word, breaking it over as many lines as it needs.
  auto place = [&](QString word) {
    while (!wholeWords && word.size() > 1 && advance(word) > width) {
      qsizetype fit = 1;
      while (fit < word.size() && advance(word.left(fit + 1)) <= width) ++fit;
      if (fit < word.size() && word[fit - 1].isHighSurrogate() && fit > 1) --fit;
      lines << word.left(fit);
      word = word.mid(fit);
    }
    line = word;
  };
  QString plain = text;
  plain.remove('\r');
  for (const QString& paragraph : plain.split('\n')) {
    line.clear();
    for (qsizetype i = 0, n = paragraph.size(); i < n;) {
      qsizetype w = i;
      while (w < n && paragraph[w] == ' ') ++w;
      qsizetype e = w;
      while (e < n && paragraph[e] != ' ') ++e;
      if (w == e) break;  // blanks that end the paragraph end its last line
      const QString blanks = paragraph.mid(i, w - i), word = paragraph.mid(w, e - w);
      i = e;
      const QString longer = line + blanks + word;
      if (lineEndBlanks > 0 && blanks.size() >= lineEndBlanks && !line.isEmpty()) {
        lines << line;
        place(word);
      } else if (advance(longer) <= width) {
        line = longer;
      } else {
        if (!line.isEmpty()) lines << line;
        place(word);
      }
    }
    lines << line;
  }
  return lines;
}

QStringList wrapLines(const QFontMetrics& fm, const QString& text, int width, int lineEndBlanks) {
  // A line fits when its ink does: the blank side bearings of its outer letters may fall outside the
  // label, so that a word sized to its label is not broken for a pixel it does not paint.
  const auto bearing = [&fm](QChar c, bool left) {
    return c == ' ' ? 0 : std::max(0, left ? fm.leftBearing(c) : fm.rightBearing(c));
  };
  return wrapLines(
      [&](const QString& s) {
        if (s.isEmpty()) return 0;
        const bool rtl = s.isRightToLeft();
        const QChar leftmost = rtl ? s.back() : s.front(), rightmost = rtl ? s.front() : s.back();
        return fm.horizontalAdvance(s) - bearing(leftmost, true) - bearing(rightmost, false);
      },
      text, width, false, lineEndBlanks);
}

QStringList labelLines(const QFontMetrics& fm, const Label& label, int width) {
  return wrapLines(fm, qs(label.Caption), width, label.LineEndBlanks.get());
}

QStringList wrapCaption(const QFontMetrics& fm, const QString& caption, int width) {
  const QString words = caption.split(' ', Qt::SkipEmptyParts).join(' ');
  if (words.isEmpty()) return {};
  return wrapLines([&fm](const QString& s) { return fm.horizontalAdvance(s); }, words, width, true);
}

std::unique_ptr<View> makeSurfaceView(Control& c, QWidget* parent) {
  if (auto* l = dynamic_cast<Label*>(&c)) return std::make_unique<LabelView>(c, new LabelWidget(*l, parent));
  if (auto* im = dynamic_cast<Image*>(&c)) return std::make_unique<ImageView>(c, new ImageWidget(*im, parent));
  if (c.isContainer()) return std::make_unique<SurfaceView>(c, new Surface(c, parent));
  return nullptr;
}

// The form's own client area.
QWidget* makeClientSurface(Form& form, QWidget* parent) { return new Surface(form, parent); }

}  // namespace ui
