// Menu items: actions on the window's menu bar and in its menus.
#include "ui/widgets.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "ui/menu.h"

namespace ui {

namespace {

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
