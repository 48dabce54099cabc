#include "ui/views.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <QToolButton>
#include <QRadioButton>
#include <QRubberBand>
#include <QScrollBar>
#include <QSlider>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>
#include <cmath>
#include <map>

#include "ui/dispatch.h"
#include "ui/filelists.h"
#include "ui/font.h"
#include "ui/grid.h"
#include "ui/keys.h"
#include "ui/menu.h"
#include "ui/picture_qt.h"
#include "ui/picturebox.h"

namespace ui {

int px(float twips) { return int(std::lround(twips / kTwipsPerPixel)); }
QColor toQColor(Color c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

static const char* kControlProp = "kesvoControl";

Control* controlOf(QWidget* w) {
  for (; w; w = w->parentWidget()) {
    QVariant v = w->property(kControlProp);
    if (v.isValid()) return static_cast<Control*>(v.value<void*>());
    // A message box or menu lying over a form's window is not part of the form.
    if (w->isWindow()) break;
  }
  return nullptr;
}

namespace {

// Never destroyed: global windows leave it as they are destroyed at exit.
std::map<Form*, QPointer<FormWindow>>& windows() {
  static auto* w = new std::map<Form*, QPointer<FormWindow>>;
  return *w;
}

QString qs(const std::string& s) { return QString::fromStdString(s); }

float toTwips(qreal p) { return float(p) * kTwipsPerPixel; }

int mouseButtons(Qt::MouseButtons b) {
  int r = 0;
  if (b & Qt::LeftButton) r |= vbLeftButton;
  if (b & Qt::RightButton) r |= vbRightButton;
  if (b & Qt::MiddleButton) r |= vbMiddleButton;
  return r;
}

int shiftBits(Qt::KeyboardModifiers m) {
  int s = 0;
  if (m & Qt::ShiftModifier) s |= vbShiftMask;
  if (m & Qt::ControlModifier) s |= vbCtrlMask;
  if (m & Qt::AltModifier) s |= vbAltMask;
  return s;
}

Qt::CursorShape cursorOf(int pointer) {
  switch (pointer) {
    case vbArrow: return Qt::ArrowCursor;
    case vbCrosshair: return Qt::CrossCursor;
    case vbSizeAll: return Qt::SizeAllCursor;
    case 3: return Qt::IBeamCursor;
    case 11: return Qt::WaitCursor;
    case 99: return Qt::PointingHandCursor;
    default: return Qt::ArrowCursor;
  }
}

QFont fontFor(Control& c) {
  QFont f = hebrewFont();
  if (!c.FontName.get().empty()) f = fontNamed(c.FontName.get());
  if (c.FontSize.get() > 0) f.setPointSizeF(c.FontSize.get());
  f.setBold(c.FontBold.get());
  return f;
}

}  // namespace

std::vector<int> statusPanelWidths(const QFontMetrics& fm, const std::vector<QString>& texts, int total) {
  const int nominal = px(1440), least = 24, pad = 10;
  std::vector<int> need, w;
  for (const QString& t : texts) {
    need.push_back(std::max(least, t.isEmpty() ? 0 : fm.horizontalAdvance(t) + pad));
    w.push_back(std::max(need.back(), nominal));
  }
  if (w.empty()) return w;
  int sum = 0, slack = 0;
  for (std::size_t i = 0; i < w.size(); ++i) {
    sum += w[i];
    slack += w[i] - need[i];
  }
  if (sum <= total) {
    w.back() += total - sum;
    return w;
  }
  // Too little room: the panels give up the room their texts do not need, in proportion.
  int over = sum - total;
  for (std::size_t i = 0; i < w.size() && slack > 0; ++i)
    w[i] -= int(std::ceil(double(std::min(over, slack)) * (w[i] - need[i]) / slack));
  sum = 0;
  for (int x : w) sum += x;
  w.back() += total - sum;
  return w;
}

QStringList wrapCaption(const QFontMetrics& fm, const QString& caption, int width) {
  QStringList lines;
  QString line;
  for (const QString& word : caption.split(' ', Qt::SkipEmptyParts)) {
    QString longer = line.isEmpty() ? word : line + ' ' + word;
    if (!line.isEmpty() && fm.horizontalAdvance(longer) > width) {
      lines << line;
      line = word;
    } else {
      line = longer;
    }
  }
  if (!line.isEmpty()) lines << line;
  return lines;
}

namespace {

// ---- automatic drag of icons and markers ----

// A press on a control whose DragMode is 1 arms a drag; moving a few pixels starts it. While it runs,
// DragOver goes to the control under the pointer that handles it (the source itself excluded), and the
// release drops there. A press and release without moving stays a click. Once armed, the source gets
// no MouseMove: a window takes its grab offset from the last one (drag_dx of the beam canvas), and
// the outline keeps that same offset, so the drop lands where the outline was.
struct DragState {
  Control* source = nullptr;
  QPointer<QWidget> sourceWidget;
  QPoint pressGlobal;
  QPoint grabOffset;
  bool active = false;
  Control* lastTarget = nullptr;
  QPointer<QRubberBand> band;
};
DragState g_drag;

// The last MouseMove a control was given, in its widget's pixels.
struct LastMove {
  Control* control = nullptr;
  QPointer<QWidget> widget;
  QPoint pos;
};
LastMove g_lastMove;

QWidget* targetHost(Control& c) { return c.form() == &c ? windowOf(*c.form())->client() : childHost(c); }

Control* dragTargetAt(const QPoint& global, QPointF* local, bool forDrop) {
  QWidget* w = QApplication::widgetAt(global);
  Control* c = controlOf(w);
  while (c) {
    if (c != g_drag.source && c->handlesDrag(forDrop) && c->view()) break;
    c = c->container() ? c->container() : (c == c->form() ? nullptr : c->form());
  }
  if (!c) return nullptr;
  QWidget* host = targetHost(*c);
  if (!host) return nullptr;
  *local = host->mapFromGlobal(QPointF(global));
  return c;
}

void endDrag() {
  if (g_drag.sourceWidget) g_drag.sourceWidget->setAttribute(Qt::WA_TransparentForMouseEvents, false);
  // Hidden at once: a drop that opens a message box keeps the deletion waiting until the box closes.
  if (g_drag.band) {
    g_drag.band->hide();
    g_drag.band->deleteLater();
  }
  g_drag = DragState{};
}

// Mouse handling shared by every widget that shows a control: the control's own event runs, and the
// event never goes on to the container (the original never passed it on).
void mouseEvent(Control& c, QWidget* w, int which, QMouseEvent* e) {
  e->accept();
  int button = which == 1 ? mouseButtons(e->buttons()) : mouseButtons(e->button());
  int shift = shiftBits(e->modifiers());
  QPoint global = e->globalPosition().toPoint();
  if (which == 0 && c.DragMode.get() == 1 && e->button() == Qt::LeftButton) {
    g_drag = DragState{};
    g_drag.source = &c;
    g_drag.sourceWidget = w;
    g_drag.pressGlobal = global;
    bool moved = g_lastMove.control == &c && g_lastMove.widget == w;
    g_drag.grabOffset = moved ? g_lastMove.pos : e->position().toPoint();
  }
  if (g_drag.source == &c && which == 1 && (e->buttons() & Qt::LeftButton)) {
    if (!g_drag.active && (global - g_drag.pressGlobal).manhattanLength() >= 4) {
      g_drag.active = true;
      w->setAttribute(Qt::WA_TransparentForMouseEvents, true);
      QWidget* top = w->window();
      g_drag.band = new QRubberBand(QRubberBand::Rectangle, top);
      g_drag.band->show();
    }
    if (g_drag.active) {
      QWidget* top = w->window();
      if (g_drag.band)
        g_drag.band->setGeometry(QRect(top->mapFromGlobal(global - g_drag.grabOffset), w->size()));
      QPointF local;
      Control* t = dragTargetAt(global, &local, false);
      if (Control* last = g_drag.lastTarget; last && last != t && last->DragOver) {
        // Left for another control or for nothing: where the pointer is now, in the one it left.
        QWidget* host = targetHost(*last);
        QPointF at = host ? host->mapFromGlobal(QPointF(global)) : QPointF();
        guarded(*last, "DragOver", [&] { last->DragOver(c, toTwips(at.x()), toTwips(at.y()), vbLeave); });
      }
      if (t)
        guarded(*t, "DragOver", [&] {
          t->DragOver(c, toTwips(local.x()), toTwips(local.y()), t == g_drag.lastTarget ? vbOver : vbEnter);
        });
      g_drag.lastTarget = t;
      return;
    }
    return;  // armed, not yet dragging
  }
  if (g_drag.source == &c && which == 2 && g_drag.active) {
    QPointF local;
    Control* t = dragTargetAt(global, &local, true);
    endDrag();
    if (t) guarded(*t, "DragDrop", [&] { t->DragDrop(c, toTwips(local.x()), toTwips(local.y())); });
    return;
  }
  if (which == 2 && g_drag.source == &c) endDrag();
  if (which == 1) g_lastMove = LastMove{&c, w, e->position().toPoint()};
  static const char* const kNames[3] = {"MouseDown", "MouseMove", "MouseUp"};
  guarded(c, kNames[which],
          [&] { c.raiseMouse(which, button, shift, toTwips(e->position().x()), toTwips(e->position().y())); });
}

// ---- views ----

class QtView : public View {
 public:
  QtView(Control& c, QWidget* w) : c_(c), w_(w) {
    w->setProperty(kControlProp, QVariant::fromValue<void*>(&c));
    w->setMouseTracking(true);
    w->setAttribute(Qt::WA_Hover, false);
  }
  ~QtView() override {
    if (w_) w_->deleteLater();
  }
  void sync() override {
    if (!w_) return;
    syncCommon();
    syncOwn();
  }
  QWidget* widget() const { return w_; }

 protected:
  virtual void syncOwn() {}
  void syncCommon() {
    QRect g(px(c_.Left), px(c_.Top), std::max(0, px(c_.Width)), std::max(0, px(c_.Height)));
    if (w_->geometry() != g) w_->setGeometry(g);
    bool onTab = true;
    if (auto* tab = dynamic_cast<TabControl*>(c_.container())) onTab = c_.TabPage.get() == tab->Tab.get();
    bool vis = c_.Visible.get() && onTab;
    if (w_->isVisibleTo(w_->parentWidget()) != vis) w_->setVisible(vis);
    w_->setEnabled(c_.Enabled.get());
    QString tip = qs(c_.ToolTipText);
    if (w_->toolTip() != tip) w_->setToolTip(tip);
    // The default pointer is the container's, so a window's hourglass shows over its controls too.
    if (c_.MousePointer.get() == vbDefault)
      w_->unsetCursor();
    else
      w_->setCursor(cursorOf(c_.MousePointer));
    QFont f = fontFor(c_);
    if (w_->font() != f) w_->setFont(f);
    w_->setLayoutDirection(c_.RightToLeft.get() ? Qt::RightToLeft : Qt::LeftToRight);
  }
  Control& c_;
  QPointer<QWidget> w_;
};

template <class Base>
class Hooked : public Base {
 public:
  using Base::Base;
  Control* control = nullptr;

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    QPointer<QWidget> self(this);
    if (control) mouseEvent(*control, this, 0, e);
    if (self) Base::mousePressEvent(e);
    e->accept();
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    QPointer<QWidget> self(this);
    if (control) mouseEvent(*control, this, 1, e);
    if (self) Base::mouseMoveEvent(e);
    e->accept();
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    QPointer<QWidget> self(this);
    if (control) mouseEvent(*control, this, 2, e);
    if (self) Base::mouseReleaseEvent(e);
    e->accept();
  }
  void focusInEvent(QFocusEvent* e) override {
    Base::focusInEvent(e);
    if (control && control->GotFocus) guarded(*control, "GotFocus", [&] { control->GotFocus(); });
  }
  void focusOutEvent(QFocusEvent* e) override {
    Base::focusOutEvent(e);
    if (control && control->LostFocus) guarded(*control, "LostFocus", [&] { control->LostFocus(); });
  }
};

// A widget that only shows: it takes every mouse event for its control, clicks included.
class Passive : public QWidget {
 public:
  Passive(Control& c, QWidget* parent) : QWidget(parent), c_(c) {}

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    pressed_ = true;
    mouseEvent(c_, this, 0, e);
  }
  void mouseMoveEvent(QMouseEvent* e) override { mouseEvent(c_, this, 1, e); }
  void mouseReleaseEvent(QMouseEvent* e) override {
    QPointer<QWidget> self(this);
    bool wasDrag = g_drag.active && g_drag.source == &c_;
    bool click = pressed_ && rect().contains(e->position().toPoint()) && e->button() == Qt::LeftButton;
    pressed_ = false;
    mouseEvent(c_, this, 2, e);
    if (self && click && !wasDrag) guarded(c_, "Click", [&] { c_.raiseClick(); });
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    e->accept();
    if (c_.DblClick) guarded(c_, "DblClick", [&] { c_.DblClick(); });
  }
  void focusInEvent(QFocusEvent*) override {
    if (c_.GotFocus) guarded(c_, "GotFocus", [&] { c_.GotFocus(); });
  }
  void focusOutEvent(QFocusEvent*) override {
    if (c_.LostFocus) guarded(c_, "LostFocus", [&] { c_.LostFocus(); });
  }
  Control& c_;
  bool pressed_ = false;
};

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
    // Broken lines only at width 1, as the original drew them.
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
      if (img_.Stretch.get())
        p.drawImage(rect(), pictureImage(pic));
      else
        p.drawImage(0, 0, pictureImage(pic));
    }
    if (img_.BorderStyle.get()) {
      p.setPen(Qt::black);
      p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
  }
  Image& img_;
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
    int a = l_.Alignment.get();
    Qt::Alignment al = a == 1 ? Qt::AlignRight : a == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
    if (l_.RightToLeft.get() && a != 2) al = a == 1 ? Qt::AlignLeft : Qt::AlignRight;
    int flags = int(al | Qt::AlignTop) | (l_.WordWrap.get() ? int(Qt::TextWordWrap) : 0);
    p.drawText(rect(), flags, qs(l_.Caption));
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

// A command button: the picture above the caption, the caption wrapped on word boundaries within the
// button, both centred.
class ButtonWidget : public Hooked<QToolButton> {
 public:
  using Hooked<QToolButton>::Hooked;

 protected:
  void paintEvent(QPaintEvent*) override {
    QStylePainter p(this);
    QStyleOptionToolButton opt;
    initStyleOption(&opt);
    opt.text.clear();
    opt.icon = QIcon();
    opt.toolButtonStyle = Qt::ToolButtonIconOnly;
    p.drawComplexControl(QStyle::CC_ToolButton, opt);
    QRect r = rect().adjusted(3, 3, -3, -3);
    if (isDown()) r.translate(1, 1);
    QPixmap pm = icon().isNull() ? QPixmap() : icon().pixmap(iconSize());
    QFontMetrics fm(font());
    QStringList lines = wrapCaption(fm, text(), r.width());
    int gap = !pm.isNull() && !lines.isEmpty() ? 2 : 0;
    int total = (pm.isNull() ? 0 : pm.height()) + gap + int(lines.size()) * fm.height();
    int y = r.top() + std::max(0, (r.height() - total) / 2);
    if (!pm.isNull()) {
      p.drawPixmap(r.left() + (r.width() - pm.width()) / 2, y, pm);
      y += pm.height() + gap;
    }
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    for (const QString& line : lines) {
      p.drawText(QRect(r.left(), y, r.width(), fm.height()), Qt::AlignHCenter | Qt::AlignTop, line);
      y += fm.height();
    }
  }
};

class ButtonView : public QtView {
 public:
  ButtonView(CommandButton& c, ButtonWidget* b) : QtView(c, b), b_(c), w(b) {
    w->control = &c;
    QObject::connect(w, &QToolButton::clicked, [this] { guarded(b_, "Click", [&] { b_.raiseClick(); }); });
  }
  void syncOwn() override {
    w->setText(qs(b_.Caption));
    if (!b_.Picture_.get().isNull()) {
      QPixmap pm = QPixmap::fromImage(pictureImage(b_.Picture_.get()));
      w->setIcon(pm);
      w->setIconSize(pm.size());
    } else {
      w->setIcon(QIcon());
    }
    w->update();
  }
  CommandButton& b_;
  ButtonWidget* w;
};

class TextView : public QtView {
 public:
  TextView(TextBox& c, QWidget* parent) : QtView(c, make(c, parent)), t_(c) {
    line_ = qobject_cast<QLineEdit*>(w_.data());
    multi_ = qobject_cast<QPlainTextEdit*>(w_.data());
  }
  void syncOwn() override {
    QString s = qs(t_.Text);
    if (line_) {
      if (line_->text() != s) line_->setText(s);
      line_->setReadOnly(t_.Locked.get());
      int a = t_.Alignment.get();
      line_->setAlignment(a == 1 ? Qt::AlignRight : a == 2 ? Qt::AlignHCenter : Qt::AlignLeft);
    } else if (multi_) {
      if (multi_->toPlainText() != s) multi_->setPlainText(s);
      multi_->setReadOnly(t_.Locked.get());
    }
  }

 private:
  // Static: it runs before the view itself exists, so it touches only the control and the widget.
  static QWidget* make(TextBox& c, QWidget* parent) {
    if (c.MultiLine.get()) {
      auto* m = new Hooked<QPlainTextEdit>(parent);
      m->control = &c;
      QObject::connect(m, &QPlainTextEdit::textChanged, [&c, m] {
        std::string s = m->toPlainText().toStdString();
        if (c.Text.get() != s) guarded(c, "Change", [&] { c.Text = s; });
      });
      return m;
    }
    auto* l = new Hooked<QLineEdit>(parent);
    l->control = &c;
    QObject::connect(l, &QLineEdit::textEdited,
                     [&c](const QString& s) { guarded(c, "Change", [&] { c.Text = s.toStdString(); }); });
    return l;
  }
  TextBox& t_;
  QLineEdit* line_ = nullptr;
  QPlainTextEdit* multi_ = nullptr;
};

class CheckView : public QtView {
 public:
  CheckView(CheckBox& c, Hooked<QCheckBox>* w) : QtView(c, w), c2_(c), w2_(w) {
    w->control = &c;
    QObject::connect(w, &QCheckBox::clicked,
                     [this](bool on) { guarded(c2_, "Click", [&] { c2_.Value = on ? 1 : 0; }); });
  }
  void syncOwn() override {
    w2_->setText(qs(c2_.Caption));
    w2_->setChecked(c2_.Value.get() == 1);
  }
  CheckBox& c2_;
  Hooked<QCheckBox>* w2_;
};

class OptionView : public QtView {
 public:
  OptionView(OptionButton& c, Hooked<QRadioButton>* w) : QtView(c, w), o_(c), w2_(w) {
    w->control = &c;
    w->setAutoExclusive(false);
    QObject::connect(w, &QRadioButton::clicked, [this](bool) {
      w2_->setChecked(o_.Value.get());
      guarded(o_, "Click", [&] { o_.Value = true; });
    });
  }
  void syncOwn() override {
    w2_->setText(qs(o_.Caption));
    w2_->setChecked(o_.Value.get());
  }
  OptionButton& o_;
  Hooked<QRadioButton>* w2_;
};

class ComboView : public QtView {
 public:
  ComboView(ComboBox& c, Hooked<QComboBox>* w) : QtView(c, w), c2_(c), w2_(w) {
    w->control = &c;
    QObject::connect(w, QOverload<int>::of(&QComboBox::activated),
                     [this](int i) { guarded(c2_, "Click", [&] { c2_.ListIndex = i; }); });
  }
  void syncOwn() override {
    QSignalBlocker block(w2_);
    QStringList items;
    for (auto& s : c2_.items()) items << qs(s);
    QStringList now;
    for (int i = 0; i < w2_->count(); ++i) now << w2_->itemText(i);
    if (now != items) {
      w2_->clear();
      w2_->addItems(items);
    }
    // Without a chosen item the box shows its Text: the item of that text when there is one (the list
    // index stays -1), else the text itself.
    int shown = c2_.ListIndex.get();
    if (shown < 0 && !c2_.Text.get().empty()) shown = w2_->findText(qs(c2_.Text), Qt::MatchExactly);
    w2_->setCurrentIndex(shown);
    if (shown < 0) {
      w2_->setPlaceholderText(qs(c2_.Text));
      QPalette pal = w2_->palette();
      pal.setColor(QPalette::PlaceholderText, pal.color(QPalette::ButtonText));
      w2_->setPalette(pal);
    }
  }
  ComboBox& c2_;
  Hooked<QComboBox>* w2_;
};

// Sliders and scroll bars; BorderStyle 1 draws a frame round the control (the truss magnification
// slider shows so that it has the arrow keys).
template <class W>
class RangeWidget : public Hooked<W> {
 public:
  using Hooked<W>::Hooked;
  bool border = false;

 protected:
  void paintEvent(QPaintEvent* e) override {
    Hooked<W>::paintEvent(e);
    if (!border) return;
    QPainter p(this);
    p.setPen(Qt::black);
    p.drawRect(this->rect().adjusted(0, 0, -1, -1));
  }
};

// The user's moves: dragging the thumb runs Scroll while it moves and Change once it is let go; a key,
// a click beside the thumb or an arrow button moves by a step and runs Change (a slider also runs
// Scroll first).
template <class W>
class RangeView : public QtView {
 public:
  RangeView(RangeControl& c, RangeWidget<W>* w) : QtView(c, w), r_(c), w2_(w) {
    w->control = &c;
    QObject::connect(w, &W::sliderPressed, [this] { pressValue_ = r_.Value.get(); });
    QObject::connect(w, &W::sliderMoved, [this](int v) { guarded(r_, "Scroll", [&] { r_.userScroll(v); }); });
    QObject::connect(w, &W::sliderReleased, [this] {
      if (r_.Value.get() != pressValue_ && r_.Change) guarded(r_, "Change", [&] { r_.Change(); });
    });
    QObject::connect(w, &W::actionTriggered, [this](int action) {
      if (action == QAbstractSlider::SliderMove || action == QAbstractSlider::SliderNoAction) return;
      int v = w2_->sliderPosition();
      if (v == r_.Value.get()) return;
      if constexpr (std::is_same_v<W, QSlider>)
        if (!guarded(r_, "Scroll", [&] { r_.userScroll(v); })) return;
      if (v != r_.Value.get())
        guarded(r_, "Change", [&] { r_.Value = v; });
      else if (r_.Change)
        guarded(r_, "Change", [&] { r_.Change(); });
    });
  }
  void syncOwn() override {
    QSignalBlocker block(w2_);
    w2_->setOrientation(r_.Orientation.get() ? Qt::Vertical : Qt::Horizontal);
    w2_->setRange(std::min(r_.Min.get(), r_.Max.get()), std::max(r_.Min.get(), r_.Max.get()));
    w2_->setSingleStep(r_.SmallChange.get());
    w2_->setPageStep(r_.LargeChange.get());
    w2_->setValue(r_.Value.get());
    w2_->border = r_.BorderStyle.get() != 0;
    w2_->update();
    if constexpr (std::is_same_v<W, QSlider>) {
      w2_->setTickPosition(QSlider::TicksBelow);
      w2_->setTickInterval(std::max(1, r_.TickFrequency.get()));
    }
  }
  RangeControl& r_;
  RangeWidget<W>* w2_;
  int pressValue_ = 0;
};

class StatusWidget : public Passive {
 public:
  StatusWidget(StatusBar& c, QWidget* parent) : Passive(c, parent), s_(c) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    int n = s_.PanelCount();
    if (n == 0) return;
    std::vector<QString> texts;
    for (int i = 1; i <= n; ++i) texts.push_back(qs(s_.Panels(i).Text));
    std::vector<int> widths = statusPanelWidths(fontMetrics(), texts, width());
    // Panel 1 at the left.
    for (int i = 0, x = 0; i < n; x += widths[std::size_t(i)], ++i) {
      QRect r(x + 1, 1, widths[std::size_t(i)] - 2, height() - 2);
      p.setPen(QColor(150, 150, 150));
      p.drawRect(r);
      p.setPen(Qt::black);
      p.drawText(r.adjusted(3, 0, -3, 0), Qt::AlignVCenter | Qt::AlignLeft, qs(s_.Panels(i + 1).Text));
    }
  }
  StatusBar& s_;
};

class StatusView : public QtView {
 public:
  using QtView::QtView;
  void syncOwn() override {
    auto& s = static_cast<StatusBar&>(c_);
    // The status bar keeps to the bottom of its window, full width.
    QWidget* parent = w_->parentWidget();
    int h = std::max(1, px(s.Height.get() > 0 ? s.Height.get() : 315.0f));
    if (parent) w_->setGeometry(0, parent->height() - h, parent->width(), h);
    w_->update();
  }
};

// The tab strip: TabsPerRow tabs to a row, all of one width, the first tab at the right as the window
// reads; the row of the current tab stands next to the page, and the rows beyond it follow in turn
// above. A caption too long for its tab wraps onto a second line, and the captions take a smaller
// size when the rows would otherwise reach down to the page's first control.
class TabWidget : public Passive {
 public:
  TabWidget(TabControl& c, QWidget* parent) : Passive(c, parent), t_(c) {}
  void syncTabs() {
    layoutRows();
    update();
  }
  int rows() const { return std::max(1, (t_.Tabs() + perRow() - 1) / perRow()); }
  int perRow() const {
    int per = t_.TabsPerRow() > 0 ? t_.TabsPerRow() : t_.Tabs();
    return std::max(1, std::min(per, t_.Tabs()));
  }
  QRect tabRect(int tab) const {
    int per = perRow(), w = width() / per, col = tab % per;
    int row = tab / per, sel = t_.Tab.get() / per;
    int line = (row - sel - 1 + 2 * rows()) % rows();
    int x = rightToLeft() ? width() - (col + 1) * w : col * w;
    return QRect(x, line * rowHeight_, w, rowHeight_);
  }
  int tabAt(QPoint p) const {
    for (int i = 0; i < t_.Tabs(); ++i)
      if (tabRect(i).contains(p)) return i;
    return -1;
  }
  const QFont& captionFont() const { return captionFont_; }

 protected:
  bool rightToLeft() const { return layoutDirection() == Qt::RightToLeft || t_.form()->RightToLeft.get(); }
  QString caption(int tab) const { return qs(t_.TabCaption(tab)).trimmed(); }
  int rowHeightWith(const QFont& f) const {
    QFontMetrics fm(f);
    int h = fm.height() + 6;
    int w = std::max(1, width() / perRow() - 6);
    for (int i = 0; i < t_.Tabs(); ++i)
      h = std::max(h, fm.boundingRect(QRect(0, 0, w, 1000), Qt::AlignCenter | Qt::TextWordWrap, caption(i)).height() + 4);
    return h;
  }
  void layoutRows() {
    int room = 1 << 20;
    for (Control* ch : t_.children()) room = std::min(room, px(ch->Top) - 2);
    captionFont_ = font();
    rowHeight_ = rowHeightWith(captionFont_);
    while (rows() * rowHeight_ > room && captionFont_.pointSizeF() > 6.5) {
      captionFont_.setPointSizeF(captionFont_.pointSizeF() - 0.5);
      rowHeight_ = rowHeightWith(captionFont_);
    }
  }
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), toQColor(t_.BackColor));
    int top = rows() * rowHeight_;
    QColor edge(128, 128, 128);
    p.setPen(edge);
    p.drawRect(rect().adjusted(0, top - 1, -1, -1));
    p.setFont(captionFont_);
    for (int i = 0; i < t_.Tabs(); ++i) {
      QRect r = tabRect(i);
      bool current = i == t_.Tab.get();
      QRect face = current ? r.adjusted(0, -1, -1, 1) : r.adjusted(1, 2, -2, 0);
      p.fillRect(face, current ? toQColor(t_.BackColor) : toQColor(t_.BackColor).darker(104));
      p.setPen(edge);
      p.drawLine(face.topLeft(), face.topRight());
      p.drawLine(face.topLeft(), face.bottomLeft());
      p.drawLine(face.topRight(), face.bottomRight());
      p.setPen(toQColor(t_.ForeColor));
      p.drawText(r.adjusted(3, 0, -3, 0), Qt::AlignCenter | Qt::TextWordWrap, caption(i));
    }
    drawLightweight(p, t_);
  }
  void mousePressEvent(QMouseEvent* e) override {
    int tab = tabAt(e->position().toPoint());
    if (tab < 0) return Passive::mousePressEvent(e);
    e->accept();
    if (tab != t_.Tab.get()) guarded(t_, "Click", [&] { t_.Tab = tab; });
  }
  void resizeEvent(QResizeEvent*) override { layoutRows(); }
  TabControl& t_;
  int rowHeight_ = 20;
  QFont captionFont_;
};

class TabView : public QtView {
 public:
  TabView(TabControl& c, TabWidget* w) : QtView(c, w), tw_(w) {}
  void syncOwn() override { tw_->syncTabs(); }
  void childChanged(Control&) override {
    if (w_) w_->update();
  }
  TabWidget* tw_;
};

class GridModel : public QAbstractTableModel {
 public:
  explicit GridModel(Grid& g) : g_(g) {}
  int rowCount(const QModelIndex& = {}) const override { return std::max(0, g_.Rows() - 1); }
  int columnCount(const QModelIndex& = {}) const override { return std::max(0, g_.Cols() - 1); }
  QVariant data(const QModelIndex& i, int role) const override {
    if (role != Qt::DisplayRole || !i.isValid()) return {};
    return qs(g_.TextMatrix(i.row() + 1, i.column() + 1));
  }
  QVariant headerData(int s, Qt::Orientation o, int role) const override {
    if (role != Qt::DisplayRole) return {};
    if (o == Qt::Horizontal) return s + 1 < g_.Cols() && g_.Rows() > 0 ? qs(g_.TextMatrix(0, s + 1)) : QVariant();
    return s + 1 < g_.Rows() && g_.Cols() > 0 ? qs(g_.TextMatrix(s + 1, 0)) : QVariant();
  }
  // A new size resets the model; new text only repaints, so filling a 101 by 101 grid cell by cell
  // stays cheap.
  void refresh() {
    if (rows_ != g_.Rows() || cols_ != g_.Cols()) {
      beginResetModel();
      rows_ = g_.Rows();
      cols_ = g_.Cols();
      endResetModel();
      return;
    }
    if (rowCount() > 0 && columnCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Horizontal, 0, std::max(0, columnCount() - 1));
    emit headerDataChanged(Qt::Vertical, 0, std::max(0, rowCount() - 1));
  }

 private:
  Grid& g_;
  int rows_ = -1, cols_ = -1;
};

// The grid moves its current cell by the arrow keys, Tab and the mouse only: every other key is the
// window's (its KeyDown and KeyPress handlers do the in-cell editing), so no typed character searches
// the cells.
class GridTable : public Hooked<QTableView> {
 public:
  using Hooked<QTableView>::Hooked;
  void keyboardSearch(const QString&) override {}

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    switch (e->key()) {
      case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down: case Qt::Key_Tab:
      case Qt::Key_Backtab:
        if (!(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
          Hooked<QTableView>::keyPressEvent(e);
          return;
        }
        break;
      default: break;
    }
    e->accept();
  }
};

class GridView : public QtView {
 public:
  GridView(Grid& g, GridTable* w) : QtView(g, w), g_(g), t_(w), model_(g) {
    w->control = &g;
    w->setModel(&model_);
    w->setEditTriggers(QAbstractItemView::NoEditTriggers);
    w->setSelectionMode(QAbstractItemView::SingleSelection);
    w->setSelectionBehavior(QAbstractItemView::SelectItems);
    w->verticalHeader()->setDefaultSectionSize(16);
    w->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    w->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    QObject::connect(w->selectionModel(), &QItemSelectionModel::currentChanged,
                     [this](const QModelIndex& cur, const QModelIndex&) {
                       if (syncing_ || !cur.isValid()) return;
                       guarded(g_, "EnterCell", [&] { g_.userSelect(cur.row() + 1, cur.column() + 1); });
                     });
  }
  void syncOwn() override {
    syncing_ = true;
    if (g_.revision() != seen_) {
      seen_ = g_.revision();
      model_.refresh();
      if (g_.Cols() > 0) t_->verticalHeader()->setFixedWidth(std::max(1, px(g_.ColWidth(0))));
      for (int c = 1; c < g_.Cols(); ++c) t_->setColumnWidth(c - 1, std::max(1, px(g_.ColWidth(c))));
    }
    // Columns run from the right in a right-to-left window unless the grid reads left to right.
    bool rtl = !g_.LeftToRight.get() && g_.form()->RightToLeft.get();
    t_->setLayoutDirection(rtl ? Qt::RightToLeft : Qt::LeftToRight);
    if (g_.Row() > 0 && g_.Col() > 0) t_->setCurrentIndex(model_.index(g_.Row() - 1, g_.Col() - 1));
    syncing_ = false;
  }
  Grid& g_;
  GridTable* t_;
  GridModel model_;
  unsigned seen_ = ~0u;
  bool syncing_ = false;
};

class FolderView : public QtView {
 public:
  FolderView(DirListBox& d, Hooked<QListWidget>* w) : QtView(d, w), d_(d), w2_(w) {
    w->control = &d;
    QObject::connect(w, &QListWidget::itemDoubleClicked, [this](QListWidgetItem* it) {
      guarded(d_, "Change", [&] { d_.userOpen(it->data(Qt::UserRole).toString().toStdString()); });
    });
  }
  void syncOwn() override {
    QSignalBlocker block(w2_);
    w2_->clear();
    auto* top = new QListWidgetItem(QString::fromStdString(d_.Path.get()), w2_);
    top->setData(Qt::UserRole, QString("."));
    QFont bold = w2_->font();
    bold.setBold(true);
    top->setFont(bold);
    for (auto& e : d_.items()) {
      auto* it = new QListWidgetItem((e == ".." ? QString("..") : "  " + qs(e)), w2_);
      it->setData(Qt::UserRole, qs(e));
    }
  }
  DirListBox& d_;
  Hooked<QListWidget>* w2_;
};

class FilesView : public QtView {
 public:
  FilesView(FileListBox& f, Hooked<QListWidget>* w) : QtView(f, w), f_(f), w2_(w) {
    w->control = &f;
    QObject::connect(w, &QListWidget::itemClicked, [this](QListWidgetItem* it) {
      guarded(f_, "Click", [&] { f_.userChoose(w2_->row(it)); });
    });
  }
  void syncOwn() override {
    QSignalBlocker block(w2_);
    QStringList items;
    for (auto& e : f_.items()) items << qs(e);
    QStringList now;
    for (int i = 0; i < w2_->count(); ++i) now << w2_->item(i)->text();
    if (now != items) {
      w2_->clear();
      w2_->addItems(items);
    }
  }
  FileListBox& f_;
  Hooked<QListWidget>* w2_;
};

class DriveView : public QtView {
 public:
  DriveView(DriveListBox& d, Hooked<QComboBox>* w) : QtView(d, w), d_(d), w2_(w) {
    w->control = &d;
    QObject::connect(w, QOverload<int>::of(&QComboBox::activated),
                     [this](int i) { guarded(d_, "Change", [&] { d_.Drive = w2_->itemText(i).toStdString(); }); });
  }
  void syncOwn() override {
    QSignalBlocker block(w2_);
    w2_->clear();
    for (auto& e : d_.items()) w2_->addItem(qs(e));
    w2_->setCurrentText(qs(d_.Drive));
  }
  DriveListBox& d_;
  Hooked<QComboBox>* w2_;
};

class MenuView : public View {
 public:
  MenuView(Menu& m, QAction* a, QMenu* sub) : m_(m), a_(a), sub_(sub) {
    QObject::connect(a, &QAction::triggered, [this] {
      if (a_) a_->setChecked(m_.Checked.get());
      guarded(m_, "Click", [&] { m_.choose(); });
    });
  }
  ~MenuView() override {
    if (sub_) sub_->deleteLater();
    if (a_) a_->deleteLater();
  }
  void sync() override {
    if (!a_) return;
    if (m_.isSeparator()) {
      a_->setText(QString());
      a_->setSeparator(true);
    } else {
      a_->setText(qs(m_.Caption));
      a_->setCheckable(m_.Checked.get());
      a_->setChecked(m_.Checked.get());
    }
    a_->setEnabled(m_.Enabled.get());
    a_->setVisible(m_.Visible.get());
  }
  QMenu* submenu() const { return sub_; }

 private:
  Menu& m_;
  QPointer<QAction> a_;
  QPointer<QMenu> sub_;
};

}  // namespace

// ---- form windows ----

FormWindow::FormWindow(Form& form) : QWidget(nullptr), form_(form) {
  setProperty(kControlProp, QVariant::fromValue<void*>(&form));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  if (form.hasMenuBar()) {
    menuBar_ = new QMenuBar(this);
    layout->setMenuBar(menuBar_);
  }
  setLayoutDirection(form.RightToLeft.get() ? Qt::RightToLeft : Qt::LeftToRight);
  auto* s = new Surface(form, this);
  client_ = s;
  layout->addWidget(s, 1);
  setFont(hebrewFont());
  setWindowTitle(qs(form.Caption));
  setOwned(nullptr, false);
}

void FormWindow::setOwned(QWidget* owner, bool modal) {
  Qt::WindowFlags f = owner ? (modal ? Qt::Dialog : Qt::Tool) : Qt::Window;
  if (form_.frameless()) f |= Qt::FramelessWindowHint;
  if (owner != parentWidget())
    setParent(owner, f);
  else if (windowFlags() != f)
    setWindowFlags(f);
}

void FormWindow::applyGeometry() {
  applying_ = true;
  int mb = menuBar_ ? px(300) : 0;
  resize(std::max(1, px(form_.ScaleWidth())), std::max(1, px(form_.ScaleHeight()) + mb));
  move(px(form_.Left), px(form_.Top));
  setWindowTitle(qs(form_.Caption));
  Qt::LayoutDirection dir = form_.RightToLeft.get() ? Qt::RightToLeft : Qt::LeftToRight;
  if (layoutDirection() != dir) setLayoutDirection(dir);
  if (form_.MousePointer.get() == vbDefault)
    unsetCursor();
  else
    setCursor(cursorOf(form_.MousePointer));
  applying_ = false;
}

void FormWindow::closeEvent(QCloseEvent* e) {
  e->ignore();
  guarded(form_, "Unload", [&] { form_.userClose(); });
}

void FormWindow::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  if (!applying_) {
    // The user resized the window: the form's size follows, in whole pixels.
    int mb = menuBar_ ? px(300) : 0;
    float sw = float(width()) * kTwipsPerPixel, sh = float(height() - mb) * kTwipsPerPixel;
    if (std::abs(sw - form_.ScaleWidth()) >= kTwipsPerPixel || std::abs(sh - form_.ScaleHeight()) >= kTwipsPerPixel) {
      float w = sw + (form_.Width.get() - form_.ScaleWidth());
      float h = sh + (form_.Height.get() - form_.ScaleHeight());
      form_.Width.setQuietly(w);
      form_.Height.setQuietly(h);
    }
  }
  for (Control* c : form_.allControls())
    if (dynamic_cast<StatusBar*>(c) && c->view()) c->view()->sync();
  if (form_.loaded()) guarded(form_, "Resize", [&] { form_.Form_Resize(); });
}

void FormWindow::moveEvent(QMoveEvent* e) {
  QWidget::moveEvent(e);
  if (!applying_ && !isMinimized()) {
    form_.Left.setQuietly(float(x()) * kTwipsPerPixel);
    form_.Top.setQuietly(float(y()) * kTwipsPerPixel);
  }
}

class FormView : public View {
 public:
  explicit FormView(FormWindow* w) : w_(w) {}
  ~FormView() override {
    if (w_) {
      w_->hide();
      w_->deleteLater();
    }
  }
  void sync() override {
    if (w_) w_->applyGeometry();
  }
  void childChanged(Control&) override {
    if (w_) w_->client()->update();
  }
  FormWindow* window() const { return w_; }

 private:
  QPointer<FormWindow> w_;
};

FormWindow* windowOf(Form& form) {
  auto it = windows().find(&form);
  return it == windows().end() ? nullptr : it->second.data();
}

QWidget* childHost(Control& c) {
  if (auto* f = dynamic_cast<Form*>(&c)) {
    FormWindow* w = windowOf(*f);
    return w ? w->client() : nullptr;
  }
  if (auto* v = dynamic_cast<QtView*>(c.view())) return v->widget();
  return nullptr;
}

void makeView(Control& c) {
  if (c.view() || c.isLightweight() || dynamic_cast<Timer*>(&c)) return;
  Form* form = c.form();
  FormWindow* fw = windowOf(*form);
  if (!fw) return;
  if (auto* m = dynamic_cast<Menu*>(&c)) {
    QMenu* parentMenu = nullptr;
    if (m->parentMenu()) {
      auto* pv = dynamic_cast<MenuView*>(m->parentMenu()->view());
      if (!pv) return;
      parentMenu = pv->submenu();
    }
    bool hasChildren = false;
    for (Menu* other : form->menus())
      if (other->parentMenu() == m) hasChildren = true;
    QMenu* sub = nullptr;
    QAction* a = nullptr;
    if (hasChildren) {
      sub = new QMenu(qs(m->Caption), fw);
      sub->setLayoutDirection(fw->layoutDirection());  // a popup does not inherit it
      a = sub->menuAction();
      (parentMenu ? static_cast<QWidget*>(parentMenu) : fw->menuBar())->addAction(a);
    } else {
      a = new QAction(qs(m->Caption), fw);
      if (parentMenu)
        parentMenu->addAction(a);
      else if (fw->menuBar())
        fw->menuBar()->addAction(a);
    }
    c.setView(std::make_unique<MenuView>(*m, a, sub));
    return;
  }
  Control* host = c.container() ? c.container() : form;
  QWidget* parent = childHost(*host);
  if (!parent) return;
  std::unique_ptr<View> v;
  if (auto* b = dynamic_cast<CommandButton*>(&c)) {
    v = std::make_unique<ButtonView>(*b, new ButtonWidget(parent));
  } else if (auto* l = dynamic_cast<Label*>(&c)) {
    v = std::make_unique<LabelView>(c, new LabelWidget(*l, parent));
  } else if (auto* t = dynamic_cast<TextBox*>(&c)) {
    v = std::make_unique<TextView>(*t, parent);
  } else if (auto* k = dynamic_cast<CheckBox*>(&c)) {
    v = std::make_unique<CheckView>(*k, new Hooked<QCheckBox>(parent));
  } else if (auto* o = dynamic_cast<OptionButton*>(&c)) {
    v = std::make_unique<OptionView>(*o, new Hooked<QRadioButton>(parent));
  } else if (auto* cb = dynamic_cast<ComboBox*>(&c)) {
    v = std::make_unique<ComboView>(*cb, new Hooked<QComboBox>(parent));
  } else if (auto* sl = dynamic_cast<Slider*>(&c)) {
    v = std::make_unique<RangeView<QSlider>>(*sl, new RangeWidget<QSlider>(parent));
  } else if (auto* sb = dynamic_cast<ScrollBar*>(&c)) {
    v = std::make_unique<RangeView<QScrollBar>>(*sb, new RangeWidget<QScrollBar>(parent));
  } else if (auto* im = dynamic_cast<Image*>(&c)) {
    v = std::make_unique<ImageView>(c, new ImageWidget(*im, parent));
  } else if (auto* st = dynamic_cast<StatusBar*>(&c)) {
    v = std::make_unique<StatusView>(c, new StatusWidget(*st, parent));
  } else if (auto* tc = dynamic_cast<TabControl*>(&c)) {
    v = std::make_unique<TabView>(*tc, new TabWidget(*tc, parent));
  } else if (auto* g = dynamic_cast<Grid*>(&c)) {
    v = std::make_unique<GridView>(*g, new GridTable(parent));
  } else if (auto* dl = dynamic_cast<DirListBox*>(&c)) {
    v = std::make_unique<FolderView>(*dl, new Hooked<QListWidget>(parent));
  } else if (auto* fl = dynamic_cast<FileListBox*>(&c)) {
    v = std::make_unique<FilesView>(*fl, new Hooked<QListWidget>(parent));
  } else if (auto* dr = dynamic_cast<DriveListBox*>(&c)) {
    v = std::make_unique<DriveView>(*dr, new Hooked<QComboBox>(parent));
  } else if (c.isContainer()) {
    auto* s = new Surface(c, parent);
    v = std::make_unique<SurfaceView>(c, s);
  } else {
    return;
  }
  c.setView(std::move(v));
}

FormWindow* realize(Form& form) {
  if (FormWindow* w = windowOf(form)) return w;
  auto* w = new FormWindow(form);
  windows()[&form] = w;
  form.setView(std::make_unique<FormView>(w));
  for (Control* c : form.allControls()) makeView(*c);
  for (Control* c : form.allControls())
    if (c->view()) c->view()->sync();
  return w;
}

void unrealize(Form& form) {
  if (g_drag.source && g_drag.source->form() == &form) endDrag();
  forgetKeys(form);
  for (Control* c : form.allControls()) c->dropView();
  windows().erase(&form);
  form.dropView();
}

QRect tabRect(TabControl& t, int tab, QFont* font) {
  auto* w = dynamic_cast<TabWidget*>(childHost(t));
  if (w && font) *font = w->captionFont();
  return w ? w->tabRect(tab) : QRect();
}

void deliverMouse(Control& c, int which, int button, int shift, float x, float y) {
  QWidget* w = nullptr;
  if (auto* v = dynamic_cast<QtView*>(c.view())) w = v->widget();
  if (auto* f = dynamic_cast<Form*>(&c)) w = windowOf(*f) ? windowOf(*f)->client() : nullptr;
  if (!w) return;
  QPointF local(x / kTwipsPerPixel, y / kTwipsPerPixel);
  QEvent::Type t = which == 0 ? QEvent::MouseButtonPress : which == 1 ? QEvent::MouseMove : QEvent::MouseButtonRelease;
  Qt::MouseButton b = button & vbRightButton ? Qt::RightButton : button & vbMiddleButton ? Qt::MiddleButton
                      : button ? Qt::LeftButton : Qt::NoButton;
  Qt::KeyboardModifiers m;
  if (shift & vbShiftMask) m |= Qt::ShiftModifier;
  if (shift & vbCtrlMask) m |= Qt::ControlModifier;
  if (shift & vbAltMask) m |= Qt::AltModifier;
  QMouseEvent e(t, local, w->mapToGlobal(local), which == 1 ? Qt::NoButton : b, which == 2 ? Qt::MouseButtons() : Qt::MouseButtons(b), m);
  QApplication::sendEvent(w, &e);
}

}  // namespace ui
