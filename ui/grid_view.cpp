// The grid: a table view over the grid's cells that leaves in-cell editing to the window.
#include "ui/widgets.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>
#include <algorithm>
#include <vector>

#include "ui/grid.h"

namespace ui {

namespace {

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
  // True when the model was reset, which gives the table's columns their default widths again.
  bool refresh() {
    if (rows_ != g_.Rows() || cols_ != g_.Cols()) {
      beginResetModel();
      rows_ = g_.Rows();
      cols_ = g_.Cols();
      endResetModel();
      return true;
    }
    if (rowCount() > 0 && columnCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Horizontal, 0, std::max(0, columnCount() - 1));
    emit headerDataChanged(Qt::Vertical, 0, std::max(0, rowCount() - 1));
    return false;
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
    // A column wider than the grid (a long number) scrolls into view to its last character; scrolling
    // by whole columns never shows the end of the only column or the last one.
    w->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
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
      if (model_.refresh()) widths_.clear();
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
  std::vector<int> widths_;  // pixels last given to Qt, per column; -1 for none yet
};

}  // namespace

std::unique_ptr<View> makeGridView(Control& c, QWidget* parent) {
  if (auto* g = dynamic_cast<Grid*>(&c)) return std::make_unique<GridView>(*g, new GridTable(parent));
  return nullptr;
}

}  // namespace ui
