// Picture boxes, frames and form client areas (the drawing surface), images and labels.
#include "ui/widgets.h"

#include <QImage>
#include <algorithm>

#include "ui/picture_qt.h"
#include "ui/picturebox.h"

namespace ui {

void drawLightweight(QPainter& p, Control& host) {
  p.setRenderHint(QPainter::Antialiasing, false);
  for (Control* ch : host.children()) {
    if (!ch->isLightweight() || !ch->Visible.get()) continue;
    if (auto* tab = dynamic_cast<TabControl*>(&host); tab && ch->TabPage.get() != tab->Tab.get()) continue;
    if (auto* l = dynamic_cast<LineControl*>(ch)) {
      QPen pen(toQColor(l->BorderColor), std::max(1, l->BorderWidth.get()));
      if (l->BorderStyle.get() == 2) pen.setStyle(Qt::DashLine);
      if (l->BorderStyle.get() == 3) pen.setStyle(Qt::DotLine);
      if (l->BorderStyle.get() == 0) pen.setStyle(Qt::NoPen);
      p.setPen(pen);
      p.drawLine(QPointF(l->X1 / kTwipsPerPixel, l->Y1 / kTwipsPerPixel),
                 QPointF(l->X2 / kTwipsPerPixel, l->Y2 / kTwipsPerPixel));
    } else if (auto* s = dynamic_cast<Shape*>(ch)) {
      p.setPen(QPen(toQColor(s->BorderColor), std::max(1, s->BorderWidth.get())));
      if (s->FillStyle.get() == 0)
        p.setBrush(toQColor(s->FillColor));
      else
        p.setBrush(Qt::NoBrush);
      QRectF r(s->Left / kTwipsPerPixel, s->Top / kTwipsPerPixel, s->Width / kTwipsPerPixel,
               s->Height / kTwipsPerPixel);
      int k = s->Shape_.get();
      if (k == 2 || k == 3)
        p.drawEllipse(r);
      else if (k == 4 || k == 5)
        p.drawRoundedRect(r, 6, 6);
      else
        p.drawRect(r);
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
    int w = s->width + 2;
    QRect r = QRectF(QPointF(s->x1 / kTwipsPerPixel, s->y1 / kTwipsPerPixel),
                     QPointF(s->x2 / kTwipsPerPixel, s->y2 / kTwipsPerPixel))
                  .normalized()
                  .toAlignedRect()
                  .adjusted(-w, -w, w, w);
    update(r);
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
    QPen pen(toQColor(s.color), std::max(1, s.width));
    pen.setCapStyle(Qt::FlatCap);
    // Broken lines only at width 1; wider lines are always solid.
    if (s.width <= 1) {
      static const Qt::PenStyle kStyles[7] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                              Qt::DashDotDotLine, Qt::NoPen, Qt::SolidLine};
      pen.setStyle(kStyles[std::clamp(s.style, 0, 6)]);
    }
    p.setPen(pen);
    p.drawLine(QPointF(s.x1 / kTwipsPerPixel, s.y1 / kTwipsPerPixel),
               QPointF(s.x2 / kTwipsPerPixel, s.y2 / kTwipsPerPixel));
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

class LabelWidget : public Passive {
 public:
  LabelWidget(Label& c, QWidget* parent) : Passive(c, parent), l_(c) {}

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
