#include "ui/control.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "ui/form.h"
#include "ui/grid.h"
#include "ui/menu.h"
#include "ui/picturebox.h"
#include "ui/services.h"
#include "ui/view.h"

namespace ui {

namespace {
ViewFactory g_factory = nullptr;
}
void setViewFactory(ViewFactory f) { g_factory = f; }
ViewFactory viewFactory() { return g_factory; }

void notifyChanged(Control* owner, const void* which) {
  if (owner) owner->propertyChanged(which);
}

// ---- Control ----

Control::Control(Form* form, Control* container, std::string name)
    : form_(form), container_(container), name_(std::move(name)) {
  if (container_) container_->children_.push_back(this);
  if (form_ && form_ != this) form_->registerControl(this);
}

Control::~Control() {
  if (container_) {
    auto& c = container_->children_;
    c.erase(std::remove(c.begin(), c.end(), this), c.end());
  }
  if (form_ && form_ != this) form_->unregisterControl(this);
  view_.reset();
}

void Control::setView(std::unique_ptr<View> v) {
  view_ = std::move(v);
  if (view_) view_->sync();
}

void Control::dropView() { view_.reset(); }

void Control::Move(float left, float top) {
  Left = left;
  Top = top;
}

void Control::Move(float left, float top, float width, float height) {
  Left = left;
  Top = top;
  Width = width;
  Height = height;
}

void Control::SetFocus() { services().setFocus(*this); }

bool Control::shownInContainer() const {
  for (const Control* c = this; c && c != form_; c = c->container_)
    if (!c->Visible) return false;
  return true;
}

void Control::raiseClick() {
  if (Click) Click();
}

void Control::raiseMouse(int which, int Button, int Shift, float X, float Y) {
  auto& slot = which == 0 ? MouseDown : which == 1 ? MouseMove : MouseUp;
  if (slot) slot(Button, Shift, X, Y);
}

void Control::raiseKeyDown(int& KeyCode, int Shift) {
  if (KeyDown) KeyDown(KeyCode, Shift);
}
void Control::raiseKeyUp(int& KeyCode, int Shift) {
  if (KeyUp) KeyUp(KeyCode, Shift);
}
void Control::raiseKeyPress(int& KeyAscii) {
  if (KeyPress) KeyPress(KeyAscii);
}

bool Control::handlesDrag(bool drop) const {
  bool own = drop ? bool(DragDrop) : bool(DragOver);
  return own && (!dragProbe_ || dragProbe_(drop));
}

bool Control::handlesClicks() const {
  if (clickProbe_) return clickProbe_();
  return MouseDown || MouseUp || Click || DblClick;
}

void Control::syncView() {
  if (view_) view_->sync();
  if (isLightweight()) {
    Control* host = container_ ? container_ : form_;
    if (host && host->view_) host->view_->childChanged(*this);
  }
}

void Control::propertyChanged(const void*) { syncView(); }

// ---- buttons and boxes ----

void CommandButton::propertyChanged(const void* which) {
  if (which == &Value) {
    if (Value.get()) {
      Value.setQuietly(false);
      raiseClick();
    }
    return;
  }
  Control::propertyChanged(which);
}

void TextBox::propertyChanged(const void* which) {
  if (which == &SelStart || which == &SelLength) selectionPending = true;
  Control::propertyChanged(which);
  if (which == &Text && Change) Change();
}

void CheckBox::propertyChanged(const void* which) {
  Control::propertyChanged(which);
  if (which == &Value) raiseClick();
}

void OptionButton::propertyChanged(const void* which) {
  Control::propertyChanged(which);
  if (which != &Value || !Value.get()) return;
  // One chosen option per container: the others fall back without a Click of their own.
  Control* host = container() ? container() : form();
  if (host) {
    for (Control* c : host->children()) {
      if (c == this) continue;
      if (auto* o = dynamic_cast<OptionButton*>(c); o && o->Value.get()) {
        o->Value.setQuietly(false);
        o->syncView();
      }
    }
    if (!container() && form()) {
      // Options lying on the form itself are not in any container's child list.
      for (Control* c : form()->allControls()) {
        auto* o = dynamic_cast<OptionButton*>(c);
        if (o && o != this && !o->container() && o->Value.get()) {
          o->Value.setQuietly(false);
          o->syncView();
        }
      }
    }
  }
  raiseClick();
}

void ComboBox::AddItem(const std::string& item) {
  items_.push_back(item);
  syncView();
}

void ComboBox::Clear() {
  items_.clear();
  ListIndex.setQuietly(-1);
  Text.setQuietly("");
  syncView();
}

std::string ComboBox::List(int i) const {
  if (i < 0 || i >= int(items_.size())) return {};
  return items_[std::size_t(i)];
}

void ComboBox::propertyChanged(const void* which) {
  if (which == &ListIndex) {
    int i = ListIndex.get();
    if (i < -1 || i >= int(items_.size())) {
      // An index outside the list is refused; the list stays as it was.
      ListIndex.setQuietly(-1);
      throw std::out_of_range(Name() + ".ListIndex out of range");
    }
    Text.setQuietly(i >= 0 ? items_[std::size_t(i)] : std::string());
    syncView();
    raiseClick();
    return;
  }
  Control::propertyChanged(which);
}

// ---- sliders and scroll bars ----

void RangeControl::clampValue() {
  int lo = std::min(Min.get(), Max.get()), hi = std::max(Min.get(), Max.get());
  int v = std::clamp(Value.get(), lo, hi);
  if (v != Value.get()) Value = v;  // runs Change through propertyChanged
}

void RangeControl::propertyChanged(const void* which) {
  if (which == &Value) {
    int lo = std::min(Min.get(), Max.get()), hi = std::max(Min.get(), Max.get());
    int v = std::clamp(Value.get(), lo, hi);
    Value.setQuietly(v);
    Control::propertyChanged(which);
    if (Change) Change();
    return;
  }
  Control::propertyChanged(which);
  if (which == &Min || which == &Max) clampValue();
}

void RangeControl::userScroll(int value) {
  if (value == Value.get()) return;
  Value.setQuietly(value);
  if (Scroll) Scroll();
}

ScrollBar::ScrollBar(Form* form, Control* container, std::string name, int orientation)
    : RangeControl(form, container, std::move(name)) {
  Orientation.setQuietly(orientation);
  Max.setQuietly(32767);
}

// ---- timer ----

Timer::Timer(Form* form, Control* container, std::string name) : Control(form, container, std::move(name)) {
  Visible.setQuietly(false);
}

Timer::~Timer() { services().timerDestroyed(*this); }

void Timer::tick() {
  if (running() && Tick) Tick();
}

bool Timer::running() const { return Enabled.get() && Interval.get() > 0; }

void Timer::propertyChanged(const void* which) {
  if (which == &Enabled || which == &Interval) services().timerChanged(*this);
}

// ---- image ----

void Image::propertyChanged(const void* which) {
  if (which == &Picture_ && !Stretch.get() && !Picture_.get().isNull()) {
    Width.setQuietly(Picture_.get().widthTwips());
    Height.setQuietly(Picture_.get().heightTwips());
  }
  Control::propertyChanged(which);
}

// ---- status bar, tabs ----

StatusBar::StatusBar(Form* form, Control* container, std::string name, int panels)
    : Control(form, container, std::move(name)) {
  for (int i = 0; i < panels; ++i) panels_.push_back(std::make_unique<Panel>(this));
}

StatusBar::Panel& StatusBar::Panels(int i) {
  if (i < 1 || i > int(panels_.size())) throw std::out_of_range(Name() + ".Panels out of range");
  return *panels_[std::size_t(i - 1)];
}

TabControl::TabControl(Form* form, Control* container, std::string name, int tabs, int tabsPerRow)
    : Control(form, container, std::move(name)), captions_(std::size_t(tabs)), tabsPerRow_(tabsPerRow) {}

void TabControl::setTabCaption(int tab, const std::string& caption) {
  if (tab < 0 || tab >= Tabs()) throw std::out_of_range(Name() + ".TabCaption out of range");
  captions_[std::size_t(tab)] = caption;
  syncView();
}

const std::string& TabControl::TabCaption(int tab) const {
  if (tab < 0 || tab >= Tabs()) throw std::out_of_range(Name() + ".TabCaption out of range");
  return captions_[std::size_t(tab)];
}

void TabControl::propertyChanged(const void* which) {
  if (which == &Tab) {
    Tab.setQuietly(std::clamp(Tab.get(), 0, std::max(0, Tabs() - 1)));
    Control::propertyChanged(which);
    for (Control* c : children())
      if (c->view()) c->view()->sync();
    raiseClick();
    return;
  }
  Control::propertyChanged(which);
}

// ---- picture box ----

float PictureBox::ScaleWidth() const { return std::max(0.0f, Width.get() - (BorderStyle.get() ? 60.0f : 0.0f)); }
float PictureBox::ScaleHeight() const {
  return std::max(0.0f, Height.get() - (BorderStyle.get() ? 60.0f : 0.0f));
}

void PictureBox::Cls() {
  ++revision_;
  drawn_.clear();
  if (view()) view()->drawn(nullptr);
}

void PictureBox::Line(float x1, float y1, float x2, float y2, Color color) {
  ++revision_;
  drawn_.push_back(Segment{x1, y1, x2, y2, color, DrawWidth.get(), DrawStyle.get(), DrawMode.get()});
  if (view()) view()->drawn(&drawn_.back());
}

void PictureBox::propertyChanged(const void* which) {
  if (which == &DrawWidth) DrawWidth.setQuietly(std::clamp(DrawWidth.get(), 1, 32767));
  if (which == &DrawStyle) DrawStyle.setQuietly(std::clamp(DrawStyle.get(), 0, 6));
  if (which == &DrawMode) DrawMode.setQuietly(std::clamp(DrawMode.get(), 1, 16));
  if (which == &Picture_ && AutoSize.get() && !Picture_.get().isNull()) {
    Width.setQuietly(Picture_.get().widthTwips());
    Height.setQuietly(Picture_.get().heightTwips());
  }
  Control::propertyChanged(which);
}

// ---- grid ----

void Grid::resize(int rows, int cols) {
  rows = std::max(rows, 0);
  cols = std::max(cols, 0);
  // The data window sizes its grids at every solve, mostly to the size they have.
  if (rows == rows_ && cols == cols_) return;
  if (cols == cols_) {
    // Rows are whole runs of cells: the kept ones stay in place, new ones come empty.
    cells_.resize(std::size_t(rows) * std::size_t(cols));
  } else {
    std::vector<std::string> cells(std::size_t(rows) * std::size_t(cols));
    for (int r = 0; r < std::min(rows, rows_); ++r)
      for (int c = 0; c < std::min(cols, cols_); ++c)
        cells[std::size_t(r) * std::size_t(cols) + std::size_t(c)] =
            std::move(cells_[std::size_t(r) * std::size_t(cols_) + std::size_t(c)]);
    cells_ = std::move(cells);
  }
  colWidths_.resize(std::size_t(cols), 960.0f);
  rows_ = rows;
  cols_ = cols;
  row_ = std::clamp(row_, 0, std::max(0, rows_ - 1));
  col_ = std::clamp(col_, 0, std::max(0, cols_ - 1));
  changed();
}

void Grid::setRows(int rows) { resize(rows, cols_); }
void Grid::setCols(int cols) { resize(rows_, cols); }

void Grid::setRow(int row) {
  if (row < 0 || row >= rows_) throw std::out_of_range(Name() + ".Row out of range");
  row_ = row;
  syncView();
}
void Grid::setCol(int col) {
  if (col < 0 || col >= cols_) throw std::out_of_range(Name() + ".Col out of range");
  col_ = col;
  syncView();
}

std::string Grid::Text() const { return TextMatrix(row_, col_); }
void Grid::setText(const std::string& text) { setTextMatrix(row_, col_, text); }

const std::string& Grid::TextMatrix(int row, int col) const {
  if (row < 0 || row >= rows_ || col < 0 || col >= cols_) throw std::out_of_range(Name() + " cell out of range");
  return cells_[std::size_t(row) * std::size_t(cols_) + std::size_t(col)];
}

void Grid::setTextMatrix(int row, int col, const std::string& text) {
  if (row < 0 || row >= rows_ || col < 0 || col >= cols_) throw std::out_of_range(Name() + " cell out of range");
  cells_[std::size_t(row) * std::size_t(cols_) + std::size_t(col)] = text;
  changed();
}

float Grid::ColWidth(int col) const {
  if (col < 0 || col >= cols_) throw std::out_of_range(Name() + ".ColWidth out of range");
  return colWidths_[std::size_t(col)];
}

void Grid::setColWidth(int col, float twips) {
  if (col < 0 || col >= cols_) throw std::out_of_range(Name() + ".ColWidth out of range");
  colWidths_[std::size_t(col)] = twips;
  changed();
}

void Grid::userSelect(int row, int col) {
  if (row < 0 || row >= rows_ || col < 0 || col >= cols_) return;
  if (row == row_ && col == col_) return;
  row_ = row;
  col_ = col;
  syncView();
  if (EnterCell) EnterCell();
}

void Grid::changed() {
  ++revision_;
  syncView();
}

// ---- menu ----

Menu::Menu(Form* form, Menu* parent, std::string name, std::string caption)
    : Control(form, nullptr, std::move(name)), parent_(parent) {
  Caption.setQuietly(std::move(caption));
  if (form) form->registerMenu(this);
}

Menu::Menu(Form* form, Control*, std::string name, Menu* parent, std::string caption)
    : Menu(form, parent, std::move(name), std::move(caption)) {}

void Menu::choose() {
  if (Enabled.get() && Visible.get()) raiseClick();
}

}  // namespace ui
