// Status bars and the tab strip of tab controls.
#include "ui/widgets.h"

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

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
      p.setLayoutDirection(readingOrder(texts[std::size_t(i)], layoutDirection()));
      p.drawText(r.adjusted(3, 0, -3, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::AlignAbsolute, texts[std::size_t(i)]);
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
// above. The rows take a smaller font when they would otherwise reach down to the page's first
// control, and a caption too wide for its tab is set narrower, then smaller, until it fits.
class TabWidget : public Passive {
 public:
  TabWidget(TabControl& c, QWidget* parent) : Passive(c, parent), t_(c) {
    // The strip takes the keys when it is clicked, and first when its window is activated, so that no
    // box of a page the user only turned to takes the next key.
    setFocusPolicy(Qt::StrongFocus);
  }
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
    return QRect(x, hidden() + line * rowHeight_, w, rowHeight_);
  }
  // A tab control placed partly above its container shows its rows below the edge.
  int hidden() const { return std::max(0, -y()); }
  int tabAt(QPoint p) const {
    for (int i = 0; i < t_.Tabs(); ++i)
      if (tabRect(i).contains(p)) return i;
    return -1;
  }
  QString caption(int tab) const { return qs(t_.TabCaption(tab)).trimmed(); }
  QFont captionFont(int tab) const {
    QFont f = rowFont_;
    int room = std::max(1, width() / perRow() - 6);
    int wide = QFontMetrics(f).horizontalAdvance(caption(tab));
    if (wide <= room) return f;
    f.setStretch(std::max(75, 100 * room / wide));
    while (QFontMetrics(f).horizontalAdvance(caption(tab)) > room && f.pointSizeF() > 5.5)
      f.setPointSizeF(f.pointSizeF() - 0.5);
    return f;
  }

 protected:
  bool rightToLeft() const { return layoutDirection() == Qt::RightToLeft || t_.form()->RightToLeft.get(); }
  void layoutRows() {
    int room = 1 << 20;
    for (Control* ch : t_.children()) room = std::min(room, px(ch->Top) - 2 - hidden());
    rowFont_ = font();
    rowHeight_ = QFontMetrics(rowFont_).height() + 6;
    while (rows() * rowHeight_ > room && rowFont_.pointSizeF() > 6.5) {
      rowFont_.setPointSizeF(rowFont_.pointSizeF() - 0.5);
      rowHeight_ = QFontMetrics(rowFont_).height() + 6;
    }
  }
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), toQColor(t_.BackColor));
    int top = hidden() + rows() * rowHeight_;
    QColor edge(128, 128, 128);
    p.setPen(edge);
    p.drawRect(rect().adjusted(0, top - 1, -1, -1));
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
      p.setFont(captionFont(i));
      p.setLayoutDirection(readingOrder(caption(i), rightToLeft() ? Qt::RightToLeft : Qt::LeftToRight));
      p.drawText(r.adjusted(3, 0, -3, 0), Qt::AlignCenter, caption(i));
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
  QFont rowFont_;
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

std::unique_ptr<View> makeBarView(Control& c, QWidget* parent) {
  if (auto* st = dynamic_cast<StatusBar*>(&c)) return std::make_unique<StatusView>(c, new StatusWidget(*st, parent));
  if (auto* tc = dynamic_cast<TabControl*>(&c)) return std::make_unique<TabView>(*tc, new TabWidget(*tc, parent));
  return nullptr;
}

QRect tabRect(TabControl& t, int tab, QFont* font) {
  auto* w = dynamic_cast<TabWidget*>(childHost(t));
  if (w && font) *font = w->captionFont(tab);
  return w ? w->tabRect(tab) : QRect();
}

}  // namespace ui
