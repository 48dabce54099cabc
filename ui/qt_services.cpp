#include "ui/qt_services.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QTime>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <unistd.h>

#include "ui/control.h"
#include "ui/dispatch.h"
#include "ui/form.h"
#include "ui/views.h"
#include "ui/widgets.h"

namespace ui {

QtServices::QtServices(std::string title) : title_(std::move(title)), previous_(setServices(this)) {
  setViewFactory(&makeView);
}

QtServices::~QtServices() {
  for (auto& [t, q] : timers_) delete q;
  setViewFactory(nullptr);
  setServices(previous_);
}

namespace {

// A message box of the program: its buttons run from the right, and each line of its text reads in its
// own order, as the forms layer reads every text: a line that holds Hebrew right to left, whatever it
// starts with ("E ו-A חייבים להיות מספרים חיוביים" with "E ו-A" at the right), a line without it ("-0.5",
// " singular ") left to right. The box lays each line out as a paragraph of its own, which would take
// its direction from its first letter: a mark of the line's order goes first.
void prepare(QMessageBox& box, const std::string& prompt) {
  QStringList lines = QString::fromStdString(prompt).split('\n');
  for (QString& line : lines)
    line.prepend(QChar(readingOrder(line, Qt::RightToLeft) == Qt::RightToLeft ? 0x200F : 0x200E));
  box.setTextFormat(Qt::PlainText);
  box.setText(lines.join('\n'));
  box.setLayoutDirection(Qt::RightToLeft);
}

}  // namespace

int QtServices::msgBox(const std::string& prompt, const std::string& title) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), QString(), QMessageBox::Ok,
                  QApplication::activeWindow());
  prepare(box, prompt);
  box.exec();
  return 1;
}

int QtServices::askYesNo(const std::string& prompt, const std::string& title) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), QString(),
                  QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
  prepare(box, prompt);
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes ? vbYes : vbNo;
}

int QtServices::askYesNoCancel(const std::string& prompt, const std::string& title) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), QString(),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QApplication::activeWindow());
  prepare(box, prompt);
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::Cancel);
  box.button(QMessageBox::Yes)->setText(QString::fromUtf8("כן"));
  box.button(QMessageBox::No)->setText(QString::fromUtf8("לא"));
  box.button(QMessageBox::Cancel)->setText(QString::fromUtf8("ביטול"));
  const int answer = box.exec();
  return answer == QMessageBox::Yes ? vbYes : answer == QMessageBox::No ? vbNo : vbCancel;
}

void QtServices::showForm(Form& form, bool modal, Form* owner) {
  FormWindow* w = realize(form);
  // An owned window, modal or not, stays in front of its owner, also when it is shown while its owner
  // is still loading and has no window yet (a tip or splash shown from the owner's Form_Load).
  FormWindow* ow = nullptr;
  if (owner) {
    ow = windowOf(*owner);
    if (!ow && owner->loaded()) ow = realize(*owner);
  }
  w->setOwned(ow, modal);
  w->applyGeometry();
  if (modal) w->setWindowModality(Qt::ApplicationModal);
  const bool activate = modal || form.activatesOnShow();
  QWidget* keys = activate ? nullptr : QApplication::activeWindow();
  if (keys && keys != w) w->giveKeysBackTo(keys);
  // A window minimised to the task bar comes back as it was before.
  if (w->isMinimized()) w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
  w->show();
  w->raise();
  if (activate) w->activateWindow();
  w->raiseOwnedWhenActive();
  if (!modal) return;
  QEventLoop loop;
  w->modalLoop = &loop;
  QPointer<FormWindow> guard(w);
  while (form.loaded() && form.Visible.get() && guard) loop.exec();
  if (guard) guard->modalLoop = nullptr;
}

void QtServices::hideForm(Form& form) {
  if (FormWindow* w = windowOf(form)) {
    w->hide();
    if (w->modalLoop) w->modalLoop->quit();
  }
}

void QtServices::formUnloaded(Form& form) {
  if (FormWindow* w = windowOf(form)) {
    if (w->modalLoop) w->modalLoop->quit();
    w->hide();
  }
  unrealize(form);
  // The program ends when its last window has unloaded (a hidden window that is
  // still loaded keeps it running).
  if (!anyFormLoaded()) QCoreApplication::quit();
}

void QtServices::timerChanged(Timer& t) {
  QTimer*& q = timers_[&t];
  if (!q) {
    q = new QTimer();
    QObject::connect(q, &QTimer::timeout, [&t] { guarded(t, "Timer", [&] { t.tick(); }); });
  }
  if (t.running())
    q->start(t.Interval.get());
  else
    q->stop();
}

void QtServices::timerDestroyed(Timer& t) {
  auto it = timers_.find(&t);
  if (it == timers_.end()) return;
  delete it->second;
  timers_.erase(it);
}

bool QtServices::startProgram(const std::string& path) {
  QFileInfo fi(QString::fromStdString(path));
  if (!fi.exists() || !fi.isExecutable()) return false;
  return QProcess::startDetached(fi.absoluteFilePath(), {}, fi.absolutePath());
}

void QtServices::endProgram() {
  std::fflush(nullptr);
  _exit(0);
}

float QtServices::screenWidthTwips() {
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? float(s->geometry().width()) * kTwipsPerPixel : 12000.0f;
}

float QtServices::screenHeightTwips() {
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? float(s->geometry().height()) * kTwipsPerPixel : 9000.0f;
}

std::string QtServices::appPath() { return QCoreApplication::applicationDirPath().toStdString(); }

float QtServices::rnd() {
  // Rounding to float can give 1 itself; Rnd stays below 1.
  float r = std::uniform_real_distribution<float>(0.0f, 1.0f)(rng_);
  return r < 1.0f ? r : std::nextafter(1.0f, 0.0f);
}

void QtServices::randomize() { rng_.seed(unsigned(QTime::currentTime().msecsSinceStartOfDay())); }

double QtServices::timer() { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }

void QtServices::setFocus(Control& c) {
  if (auto* f = dynamic_cast<Form*>(&c)) {
    if (FormWindow* w = windowOf(*f)) w->activateWindow();
    return;
  }
  QWidget* w = childHost(c);
  if (!w) return;
  // The keys go to the control in its window: when another window of this program has them, its own
  // window takes them first (a program never takes them from another program this way).
  QWidget* top = w->window();
  QWidget* active = QApplication::activeWindow();
  if (active && active != top && top->isVisible()) top->activateWindow();
  w->setFocus(Qt::OtherFocusReason);
}

}  // namespace ui
