// The drive, folder and file lists of the open and save window.
#include "ui/widgets.h"

#include <QComboBox>
#include <QListWidget>

#include "ui/filelists.h"

namespace ui {

namespace {

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

}  // namespace

std::unique_ptr<View> makeFileListView(Control& c, QWidget* parent) {
  if (auto* dl = dynamic_cast<DirListBox*>(&c)) return std::make_unique<FolderView>(*dl, new Hooked<QListWidget>(parent));
  if (auto* fl = dynamic_cast<FileListBox*>(&c)) return std::make_unique<FilesView>(*fl, new Hooked<QListWidget>(parent));
  if (auto* dr = dynamic_cast<DriveListBox*>(&c)) return std::make_unique<DriveView>(*dr, new Hooked<QComboBox>(parent));
  return nullptr;
}

}  // namespace ui
