// Command buttons, text boxes, check boxes, option buttons, combo boxes, sliders and scroll bars.
#include "ui/widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QStyle>
#include <QScrollBar>
#include <QSlider>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <functional>
#include <type_traits>

#include "ui/picture_qt.h"

namespace ui {

namespace {

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
    QPixmap pm = icon().isNull() ? QPixmap() : icon().pixmap(iconSize());
    QFontMetrics fm(font());
    QStringList lines = wrapCaption(fm, text(), r.width());
    int gap = !pm.isNull() && !lines.isEmpty() ? 2 : 0;
    int total = (pm.isNull() ? 0 : pm.height()) + gap + int(lines.size()) * fm.height();
    // A caption that would reach past the margins takes them, so that its last line shows whole.
    if (total > r.height()) {
      r = rect().adjusted(1, 1, -1, -1);
      gap = 0;
      total = (pm.isNull() ? 0 : pm.height()) + int(lines.size()) * fm.height();
    }
    if (isDown()) r.translate(1, 1);
    int y = r.top() + std::max(0, (r.height() - total) / 2);
    if (!pm.isNull()) {
      p.drawPixmap(r.left() + (r.width() - pm.width()) / 2, y, pm);
      y += pm.height() + gap;
    }
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.setLayoutDirection(readingOrder(text(), layoutDirection()));
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

// A one-line box that tells its view when it gains or loses the focus.
class TextLine : public Hooked<QLineEdit> {
 public:
  using Hooked<QLineEdit>::Hooked;
  std::function<void()> focusChanged;
  // Whether a text shows whole in the box, measured as the line edit lays it out: within its frame,
  // text margins and inner margin, with a pixel for the caret after it.
  bool fits(const QString& text) const {
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    const QRect r = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this).marginsRemoved(textMargins());
    return qRound(naturalWidth(text, font(), layoutDirection())) + 1 <= r.width() - 2 * kInnerMargin;
  }
  static constexpr int kInnerMargin = 2;  // the line edit's own, between its contents and its text

 protected:
  void focusInEvent(QFocusEvent* e) override {
    Hooked<QLineEdit>::focusInEvent(e);
    if (focusChanged) focusChanged();
  }
  void focusOutEvent(QFocusEvent* e) override {
    Hooked<QLineEdit>::focusOutEvent(e);
    if (focusChanged) focusChanged();
  }
};

class TextView : public QtView {
 public:
  TextView(TextBox& c, QWidget* parent) : QtView(c, make(c, parent)), t_(c) {
    line_ = dynamic_cast<TextLine*>(w_.data());
    multi_ = qobject_cast<QPlainTextEdit*>(w_.data());
    // The whole text while the user is in the box, to edit; a fitted one once he leaves it.
    if (line_) line_->focusChanged = [this] { sync(); };
  }
  ~TextView() override {
    if (auto* l = dynamic_cast<TextLine*>(w_.data())) l->focusChanged = nullptr;
  }
  void syncOwn() override {
    const QString s = qs(t_.Text);
    const bool rtl = t_.RightToLeft.get();
    if (line_) {
      const QString shown = line_->hasFocus() ? s : fittedNumber(s, [this](const QString& t) { return line_->fits(t); });
      if (line_->text() != shown) {
        line_->setText(shown);
        // What the program writes shows from its start: a number wider than its box keeps its sign and
        // leading digits in view. The user's own typing keeps its caret.
        if (!line_->hasFocus()) line_->setCursorPosition(0);
      }
      line_->setReadOnly(t_.Locked.get());
      line_->setAlignment(shownAlignment(t_.Alignment.get(), rtl) | Qt::AlignVCenter);
      if (t_.selectionPending) {
        t_.selectionPending = false;
        // Applied once the event that asked for it is over: a click's own handling would put the caret
        // at the pointer and drop the selection.
        QPointer<QLineEdit> l(line_);
        const int start = std::max(0, t_.SelStart.get()), length = std::max(0, t_.SelLength.get());
        QTimer::singleShot(0, l, [l, start, length] {
          if (l) l->setSelection(std::min(start, int(l->text().size())), length);
        });
      }
    } else if (multi_) {
      if (multi_->toPlainText() != s) multi_->setPlainText(s);
      multi_->setReadOnly(t_.Locked.get());

    }
  }
  // A one-line box reads in its text's own order ("-0.5" keeps its sign at the left in a right-to-left
  // box); where the text stands is the control's (shownAlignment). An empty box has the control's.
  Qt::LayoutDirection direction() const override {
    const QString s = qs(t_.Text);
    if (!line_ || s.isEmpty()) return QtView::direction();
    return readingOrder(s, QtView::direction());
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
    auto* l = new TextLine(parent);
    l->control = &c;
    QObject::connect(l, &QLineEdit::textEdited,
                     [&c](const QString& s) { guarded(c, "Change", [&] { c.Text = s.toStdString(); }); });
    return l;
  }
  TextBox& t_;
  TextLine* line_ = nullptr;
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
    w2_->setText(inReadingOrder(qs(c2_.Caption), direction()));
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
    w2_->setText(inReadingOrder(qs(o_.Caption), direction()));
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

}  // namespace

std::unique_ptr<View> makeInputView(Control& c, QWidget* parent) {
  if (auto* b = dynamic_cast<CommandButton*>(&c)) return std::make_unique<ButtonView>(*b, new ButtonWidget(parent));
  if (auto* t = dynamic_cast<TextBox*>(&c)) return std::make_unique<TextView>(*t, parent);
  if (auto* k = dynamic_cast<CheckBox*>(&c)) return std::make_unique<CheckView>(*k, new Hooked<QCheckBox>(parent));
  if (auto* o = dynamic_cast<OptionButton*>(&c))
    return std::make_unique<OptionView>(*o, new Hooked<QRadioButton>(parent));
  if (auto* cb = dynamic_cast<ComboBox*>(&c)) return std::make_unique<ComboView>(*cb, new Hooked<QComboBox>(parent));
  if (auto* sl = dynamic_cast<Slider*>(&c))
    return std::make_unique<RangeView<QSlider>>(*sl, new RangeWidget<QSlider>(parent));
  if (auto* sb = dynamic_cast<ScrollBar*>(&c))
    return std::make_unique<RangeView<QScrollBar>>(*sb, new RangeWidget<QScrollBar>(parent));
  return nullptr;
}

}  // namespace ui
