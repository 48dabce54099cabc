// The grid: a table view over the grid's cells that leaves in-cell editing to the window.
#include "ui/widgets.h"

#include <QAbstractButton>
#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>
#include <QTableView>
#include <algorithm>
#include <vector>

#include "ui/grid.h"

namespace ui {

namespace {

// The table's model belongs to the table, so that the table never outlives it (its selection would be
// left without a model); the grid is cut from it when the grid's view goes, and the table waiting for
// Qt to delete it is then empty.
class GridModel : public QAbstractTableModel {
 public:
  GridModel(Grid& g, QObject* parent) : QAbstractTableModel(parent), g_(&g) {}
  int rowCount(const QModelIndex& = {}) const override { return g_ ? std::max(0, g_->Rows() - 1) : 0; }
  int columnCount(const QModelIndex& = {}) const override { return g_ ? std::max(0, g_->Cols() - 1) : 0; }
  QVariant data(const QModelIndex& i, int role) const override {
    if (!g_ || role != Qt::DisplayRole || !i.isValid()) return {};
    return qs(g_->TextMatrix(i.row() + 1, i.column() + 1));
  }
  // The header draws its texts in the grid's direction: each is isolated in its own reading order.
  QVariant headerData(int s, Qt::Orientation o, int role) const override {
    if (!g_ || role != Qt::DisplayRole) return {};
    const Grid& g = *g_;
    if (o == Qt::Horizontal)
      return s + 1 < g.Cols() && g.Rows() > 0 ? inReadingOrder(qs(g.TextMatrix(0, s + 1)), direction()) : QVariant();
    return s + 1 < g.Rows() && g.Cols() > 0 ? inReadingOrder(qs(g.TextMatrix(s + 1, 0)), direction()) : QVariant();
  }
  // The grid's direction: its columns run from the right in a right-to-left window unless it reads
  // left to right.
  Qt::LayoutDirection direction() const {
    return g_ && !g_->LeftToRight.get() && g_->form()->RightToLeft.get() ? Qt::RightToLeft : Qt::LeftToRight;
  }
  QString corner() const { return g_ && g_->Rows() > 0 && g_->Cols() > 0 ? qs(g_->TextMatrix(0, 0)) : QString(); }
  // A new size resets the model; new text only repaints, so filling a 101 by 101 grid cell by cell
  // stays cheap.
  // True when the model was reset, which gives the table's columns their default widths again.
  bool refresh() {
    if (rows_ != g_->Rows() || cols_ != g_->Cols()) {
      beginResetModel();
      rows_ = g_->Rows();
      cols_ = g_->Cols();
      endResetModel();
      return true;
    }
    if (rowCount() > 0 && columnCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Horizontal, 0, std::max(0, columnCount() - 1));
    emit headerDataChanged(Qt::Vertical, 0, std::max(0, rowCount() - 1));
    return false;
  }
  void forgetGrid() {
    beginResetModel();
    g_ = nullptr;
    endResetModel();
  }

 private:
  Grid* g_;
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

// A cell reads in its own order whatever the grid's direction ("-0.5", not "0.5-", in a grid whose
// columns run from the right), and stands at the side its columns start from.
class CellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* o, const QModelIndex& i) const override {
    QStyledItemDelegate::initStyleOption(o, i);
    const bool rtl = o->direction == Qt::RightToLeft;
    o->displayAlignment = shownAlignment(0, rtl) | Qt::AlignVCenter;
    o->direction = readingOrder(o->text, o->direction);
    // A number wider than its cell drops its last decimals rather than its end ("-100000.0..."); one
    // whose integer part alone is too wide stands from its start, its sign and leading digits shown.
    // The room is the one the style draws the text in: the item's text rectangle less its margins,
    // against the text's width in fractions of a pixel, which is where Qt elides.
    const QWidget* w = o->widget;
    const QStyle* style = w ? w->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, w) + 1;
    const qreal room = style->subElementRect(QStyle::SE_ItemViewItemText, o, w).width() - 2 * margin;
    const auto fits = [&](const QString& t) { return naturalWidth(t, o->font, o->direction) <= room; };
    o->text = fittedNumber(o->text, fits);
    if (!fits(o->text) && o->direction == Qt::LeftToRight)
      o->displayAlignment = Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter;
  }
};

// The fixed corner cell (row 0, column 0) shows its text as the other fixed cells do; Qt's corner
// button would leave it blank.
class CornerPainter : public QObject {
 public:
  CornerPainter(const GridModel* m, QObject* parent) : QObject(parent), m_(m) {}

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() != QEvent::Paint || !m_) return false;
    auto* w = static_cast<QWidget*>(o);
    QStyleOptionHeader opt;
    opt.initFrom(w);
    opt.rect = w->rect();
    opt.position = QStyleOptionHeader::OnlyOneSection;
    opt.textAlignment = Qt::AlignCenter;
    opt.text = inReadingOrder(m_->corner(), m_->direction());
    QPainter p(w);
    w->style()->drawControl(QStyle::CE_Header, &opt, &p, w);
    return true;
  }

 private:
  QPointer<const GridModel> m_;
};

class GridView : public QtView {
 public:
  GridView(Grid& g, GridTable* w) : QtView(g, w), g_(g), t_(w), model_(new GridModel(g, w)) {
    w->control = &g;
    w->setModel(model_);
    w->setItemDelegate(new CellDelegate(w));
    corner_ = w->findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    if (corner_) corner_->installEventFilter(new CornerPainter(model_, corner_));
    w->setEditTriggers(QAbstractItemView::NoEditTriggers);
    w->setSelectionMode(QAbstractItemView::SingleSelection);
    w->setSelectionBehavior(QAbstractItemView::SelectItems);
    w->verticalHeader()->setDefaultSectionSize(16);
    w->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    w->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // A column wider than the grid (a long number) scrolls into view to its last character; scrolling
    // by whole columns never shows the end of the only column or the last one.
    w->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    entered_ = QObject::connect(w->selectionModel(), &QItemSelectionModel::currentChanged, w,
                                [this](const QModelIndex& cur, const QModelIndex&) {
                                  if (syncing_ || !cur.isValid()) return;
                                  guarded(g_, "EnterCell", [&] { g_.userSelect(cur.row() + 1, cur.column() + 1); });
                                });
  }
  ~GridView() override {
    QObject::disconnect(entered_);
    if (model_) model_->forgetGrid();
  }
  void syncOwn() override {
    syncing_ = true;
    if (g_.revision() != seen_) {
      seen_ = g_.revision();
      if (model_->refresh()) widths_.clear();
      if (corner_) corner_->update();
      // A solve writes every cell of a 101 by 101 grid one by one: only widths that changed reach Qt.
      widths_.resize(std::size_t(std::max(0, g_.Cols())), -1);
      for (int c = 0; c < g_.Cols(); ++c) {
        int w = std::max(1, px(g_.ColWidth(c)));
        if (widths_[std::size_t(c)] == w) continue;
        widths_[std::size_t(c)] = w;
        if (c == 0)
          t_->verticalHeader()->setFixedWidth(w);
        else
          t_->setColumnWidth(c - 1, w);
      }
    }
    // Columns run from the right in a right-to-left window unless the grid reads left to right.
    t_->setLayoutDirection(model_->direction());
    if (g_.Row() > 0 && g_.Col() > 0) t_->setCurrentIndex(model_->index(g_.Row() - 1, g_.Col() - 1));
    syncing_ = false;
  }
  Grid& g_;
  GridTable* t_;
  QPointer<GridModel> model_;  // the table's
  QMetaObject::Connection entered_;
  unsigned seen_ = ~0u;
  bool syncing_ = false;
  QPointer<QAbstractButton> corner_;
  std::vector<int> widths_;  // pixels last given to Qt, per column; -1 for none yet
};

}  // namespace

std::unique_ptr<View> makeGridView(Control& c, QWidget* parent) {
  if (auto* g = dynamic_cast<Grid*>(&c)) return std::make_unique<GridView>(*g, new GridTable(parent));
  return nullptr;
}

}  // namespace ui
