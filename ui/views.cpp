// The windows of the forms: the top-level widget of each form with its menu bar and client area, the
// making and dropping of every control's view, and what the view files share.
#include "ui/views.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScreen>
#include <QTextLayout>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <map>

#include "ui/clip.h"
#include "ui/font.h"
#include "ui/menu.h"
#include "ui/vbtext.h"
#include "ui/widgets.h"

namespace ui {

int px(float twips) { return safePixel(double(twips) / kTwipsPerPixel); }
QColor toQColor(Color c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

const char* const kControlProp = "kesvoControl";

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

}  // namespace

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

Qt::LayoutDirection readingOrder(const QString& s, Qt::LayoutDirection control) {
  const auto hebrew = [](QChar c) { return c.direction() == QChar::DirR || c.direction() == QChar::DirAL; };
  for (QChar c : s) {
    if (c.isSpace()) continue;
    if (hebrew(c)) return Qt::RightToLeft;
    break;
  }
  return std::any_of(s.begin(), s.end(), hebrew) ? control : Qt::LeftToRight;
}

QString inReadingOrder(const QString& s, Qt::LayoutDirection control) {
  if (s.isEmpty()) return s;
  const QChar isolate(readingOrder(s, control) == Qt::RightToLeft ? 0x2067 : 0x2066), pop(0x2069);
  return isolate + s + pop;
}

QString fittedNumber(const QString& s, const std::function<bool(const QString&)>& fits) {
  static const QRegularExpression decimal(QStringLiteral("^\\s*[-+]?\\d*\\.(\\d+)$"));
  const QRegularExpressionMatch m = decimal.match(s);
  if (!m.hasMatch() || fits(s)) return s;
  const std::string text = s.toStdString();
  // Each fewer decimal is rounded from the whole text, never from a rounding before it; a carry that
  // lengthens the integer part ("9.99" -> "10.0") costs one more decimal.
  for (qsizetype d = m.capturedLength(1); d-- > 0;) {
    const QString t = QString::fromStdString(roundDecimals(text, std::size_t(d)));
    if (fits(t)) return t;
  }
  return s;
}

qreal naturalWidth(const QString& s, const QFont& font, Qt::LayoutDirection direction) {
  QTextLayout layout(s, font);
  QTextOption option;
  option.setWrapMode(QTextOption::ManualWrap);
  option.setTextDirection(direction);
  layout.setTextOption(option);
  layout.beginLayout();
  qreal width = 0;
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(1e6);
    width = std::max(width, line.naturalTextWidth());
  }
  layout.endLayout();
  return width;
}

Qt::Alignment shownAlignment(int a, bool rtl) {
  if (a == 2) return Qt::AlignHCenter | Qt::AlignAbsolute;
  return ((a == 1) != rtl ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignAbsolute;
}

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
  client_ = makeClientSurface(form, this);
  layout->addWidget(client_, 1);
  setFont(hebrewFont());
  setWindowTitle(qs(form.Caption));
  // Its tooltips show also while another window of the program is active (Application::notify keeps
  // them from showing while none is).
  setAttribute(Qt::WA_AlwaysShowToolTips);
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
  int mb = menuBar_ ? px(kMenuBarTwips) : 0;
  const QSize size(std::max(1, px(form_.ScaleWidth())), std::max(1, px(form_.ScaleHeight()) + mb));
  setGeometry(QRect(clientPlace(QPoint(px(form_.Left), px(form_.Top)), size), size));
  setWindowTitle(qs(form_.Caption));
  Qt::LayoutDirection dir = form_.RightToLeft.get() ? Qt::RightToLeft : Qt::LeftToRight;
  if (layoutDirection() != dir) setLayoutDirection(dir);
  if (form_.MousePointer.get() == vbDefault)
    unsetCursor();
  else
    setCursor(cursorOf(form_.MousePointer));
  applying_ = false;
}

// Left and Top are the window's outer corner; the layer places the client area one nominal frame in
// from it and reads it back the same way, so showing a window again never moves it, whatever frame
// the window manager gives it and whenever it tells Qt of it.
QPoint FormWindow::frameOffset() const {
  if (form_.frameless()) return {};
  return {px(kFrameSideTwips), px(kFrameSideTwips + kCaptionTwips)};
}

QPoint FormWindow::clientPlace(QPoint outer, QSize size) const {
  QPoint at = outer + frameOffset();
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (!screen) return at;
  // The title bar stays on the screen, where it can be dragged: the frame's real top (or the nominal
  // one before the window manager has told it) below the screen's top, and a grip of the window within
  // the screen's sides and above its bottom.
  const QRect avail = screen->availableGeometry();
  const int top = std::max(frameOffset().y(), geometry().y() - frameGeometry().y());
  const int grip = std::min(size.width(), 80);
  at.setY(std::clamp(at.y(), avail.top() + top, std::max(avail.top() + top, avail.bottom() - top)));
  at.setX(std::clamp(at.x(), avail.left() + grip - size.width(), std::max(avail.left(), avail.right() - grip)));
  return at;
}

void FormWindow::closeEvent(QCloseEvent* e) {
  e->ignore();
  guarded(form_, "Unload", [&] { form_.userClose(); });
}

void FormWindow::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  if (!applying_) {
    // The user resized the window: the form's size follows, in whole pixels.
    int mb = menuBar_ ? px(kMenuBarTwips) : 0;
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
    const QPoint outer = geometry().topLeft() - frameOffset();
    form_.Left.setQuietly(float(outer.x()) * kTwipsPerPixel);
    form_.Top.setQuietly(float(outer.y()) * kTwipsPerPixel);
  }
}

void FormWindow::giveKeysBackTo(QWidget* keys) {
  keysBack_ = keys;
  keysBackSince_.start();
}

void FormWindow::changeEvent(QEvent* e) {
  QWidget::changeEvent(e);
  if (e->type() != QEvent::ActivationChange || !isActiveWindow()) return;
  if (keysBack_) {
    // Only the activations that follow the show (the window system's and the program's own request,
    // in either order); a later one is the user's choice of this window.
    if (keysBackSince_.elapsed() < 500) {
      keysBack_->activateWindow();
      return;
    }
    keysBack_ = nullptr;
  }
  if (!raiseOwned_) return;
  raiseOwned_ = false;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    auto* w = dynamic_cast<FormWindow*>(top);
    if (w && w != this && w->isVisible() && w->form().owner() == &form_) {
      // Shown before its owner had a window of the window system, it was not marked as the owner's:
      // marked now, for the window managers that keep an owned window in front of its owner.
      if (w->windowHandle() && windowHandle() && w->windowHandle()->transientParent() != windowHandle())
        w->windowHandle()->setTransientParent(windowHandle());
      w->raise();
      w->activateWindow();
    }
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
    makeMenuView(*m, *fw);
    return;
  }
  Control* host = c.container() ? c.container() : form;
  QWidget* parent = childHost(*host);
  if (!parent) return;
  std::unique_ptr<View> v;
  for (auto make : {makeInputView, makeBarView, makeGridView, makeFileListView, makeSurfaceView})
    if ((v = make(c, parent))) break;
  if (v) c.setView(std::move(v));
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
  endDragsOf(form);
  forgetKeys(form);
  for (Control* c : form.allControls()) c->dropView();
  windows().erase(&form);
  form.dropView();
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
