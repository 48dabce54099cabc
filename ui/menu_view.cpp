// Menu items: actions on the window's menu bar and in its menus.
#include "ui/widgets.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>
#include <algorithm>

#include "ui/menu.h"

namespace ui {

namespace {

// A right-to-left menu shows its item texts at its right, next to the check marks; the platform's
// style leaves them ragged at the left.
class MenuStyle : public QProxyStyle {
 public:
  void drawControl(ControlElement el, const QStyleOption* opt, QPainter* p, const QWidget* w) const override {
    const auto* mi = qstyleoption_cast<const QStyleOptionMenuItem*>(opt);
    if (el != CE_MenuItem || !mi || mi->direction != Qt::RightToLeft || mi->text.isEmpty() ||
        mi->menuItemType == QStyleOptionMenuItem::Separator) {
      QProxyStyle::drawControl(el, opt, p, w);
      return;
    }
    QStyleOptionMenuItem blank(*mi);
    blank.text.clear();
    QProxyStyle::drawControl(el, &blank, p, w);
    const QString text = mi->text.section('\t', 0, 0);
    const int check = std::max(mi->maxIconWidth, mi->rect.height());
    const QRect room = mi->rect.adjusted(mi->rect.height(), 0, -(check + 4), 0);
    const bool enabled = mi->state & State_Enabled, selected = mi->state & State_Selected;
    p->save();
    p->setFont(mi->font);
    p->setLayoutDirection(readingOrder(text, Qt::RightToLeft));
    proxy()->drawItemText(p, room, Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter | Qt::TextShowMnemonic |
                                       Qt::TextSingleLine | Qt::TextDontClip,
                          mi->palette, enabled, text, selected ? QPalette::HighlightedText : QPalette::Text);
    p->restore();
  }
};

// Never destroyed: menus of the global windows may still paint while the program ends.
QStyle* menuStyle() {
  static QStyle* style = new MenuStyle;
  return style;
}

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

bool makeMenuView(Menu& menu, FormWindow& fw) {
  Menu* m = &menu;
  Form* form = m->form();
  QMenu* parentMenu = nullptr;
  if (m->parentMenu()) {
    auto* pv = dynamic_cast<MenuView*>(m->parentMenu()->view());
    if (!pv) return false;
    parentMenu = pv->submenu();
  }
  bool hasChildren = false;
  for (Menu* other : form->menus())
    if (other->parentMenu() == m) hasChildren = true;
  QMenu* sub = nullptr;
  QAction* a = nullptr;
  if (hasChildren) {
    sub = new QMenu(qs(m->Caption), &fw);
    sub->setLayoutDirection(fw.layoutDirection());  // a popup does not inherit it
    sub->setStyle(menuStyle());
    a = sub->menuAction();
    (parentMenu ? static_cast<QWidget*>(parentMenu) : fw.menuBar())->addAction(a);
  } else {
    a = new QAction(qs(m->Caption), &fw);
    if (parentMenu)
      parentMenu->addAction(a);
    else if (fw.menuBar())
      fw.menuBar()->addAction(a);
  }
  m->setView(std::make_unique<MenuView>(*m, a, sub));
  return true;
}

}  // namespace ui
