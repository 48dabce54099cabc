#pragma once
// The Qt side of the forms layer: the widgets that show a form and its controls. Only ui/ includes this.

#include <QApplication>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QStringList>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

#include "ui/control.h"
#include "ui/form.h"
#include "ui/view.h"

class QMenuBar;
class QEventLoop;

namespace ui {

int px(float twips);
QColor toQColor(Color c);
// The control a widget shows, walking up to the nearest widget that shows one.
Control* controlOf(QWidget* w);
// The widget that holds a control's children (a form's client area, a frame, a picture box, a tab control).
QWidget* childHost(Control& c);

// The top-level window of a form: menu bar on top, client area below.
class FormWindow : public QWidget {
 public:
  explicit FormWindow(Form& form);
  Form& form() { return form_; }
  QWidget* client() { return client_; }
  QMenuBar* menuBar() { return menuBar_; }
  // Size and place from the form: its client area one nominal frame in from the outer corner (Left,
  // Top), moved where needed to keep the title bar on the screen.
  void applyGeometry();
  QPoint frameOffset() const;
  QPoint clientPlace(QPoint outer, QSize clientSize) const;
  // Shown owned by another window (stays in front of it) or on its own; frameless when its form is.
  void setOwned(QWidget* owner, bool modal);
  // Puts the windows it owns back in front of it once it is on screen and active: a window manager
  // stacks a window mapped after the windows it owns (the main window at the end of its start-up, after
  // the tip of the day) over them.
  void raiseOwnedWhenActive() { raiseOwned_ = true; }
  // Shown inactive: when the window manager activates it after all (as most do with a window just
  // mapped), the window that had the keys gets them back.
  void giveKeysBackTo(QWidget* keys);
  QEventLoop* modalLoop = nullptr;

 protected:
  void closeEvent(QCloseEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  Form& form_;
  QWidget* client_;
  QMenuBar* menuBar_ = nullptr;
  bool applying_ = false;
  bool raiseOwned_ = false;
  QPointer<QWidget> keysBack_;
  QElapsedTimer keysBackSince_;
};

// Makes the window and every control's widget of a form (once), then shows it.
FormWindow* realize(Form& form);
// Makes the view of one control of an already realized form.
void makeView(Control& c);
// Destroys the window and every view of a form.
void unrealize(Form& form);
FormWindow* windowOf(Form& form);

// The application of every program and test: it routes the keys of every window to its form (key
// preview first) and to the control that has the focus, with the windows' key codes, and gives the
// widget the key as the handlers left it. A held key gives repeated KeyDown and one KeyUp, whether the
// platform flags the repeats or sends them as release and press pairs; a KeyUp goes only to the form
// its KeyDown reached.
class Application : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* e) override;

 private:
  // False: the key is swallowed. replaced: the event the widget gets instead.
  bool routeKey(QObject* receiver, QKeyEvent* e, std::optional<QKeyEvent>& replaced);
};

// A release with a time stamp waits briefly for the press that would make it a repeat; this ends the
// wait at once (the KeyUp runs now). Tests call it after the last release of a sequence.
void settleKeys();
// A form's window goes: the keys held in it are no longer down anywhere.
void forgetKeys(Form& form);

// The widths of a status bar's panels: each at least an inch and wide enough for its text; the last
// one takes what is left; when the bar is too narrow the panels give up the room their texts do not
// need first.
std::vector<int> statusPanelWidths(const QFontMetrics& fm, const std::vector<QString>& texts, int total);
// A caption broken into lines on word boundaries so that each line fits width pixels where it can (a
// single word wider than that stands alone on its line); runs of blanks count as one.
QStringList wrapCaption(const QFontMetrics& fm, const QString& caption, int width);
// A label's caption broken into lines as a word-wrapping label breaks it: at blanks, each line within
// width pixels as advance measures it. A run of blanks that reaches the end of a line is swallowed
// there, so blanks that pad a line push the next word to the next line; blanks inside a line stay; a
// word wider than the line is broken where it must be (or, with wholeWords, stands alone); a line feed
// always ends a line.
// With lineEndBlanks above 0, a run of at least that many blanks after a word ends its line too.
QStringList wrapLines(const std::function<int(const QString&)>& advance, const QString& text, int width,
                      bool wholeWords = false, int lineEndBlanks = 0);
QStringList wrapLines(const QFontMetrics& fm, const QString& text, int width, int lineEndBlanks = 0);
// The lines a word-wrapping label shows its caption in, width pixels wide in the font of fm.
QStringList labelLines(const QFontMetrics& fm, const Label& label, int width);

// Where a tab control's widget shows the caption of a tab, in its pixels, and in which font.
QRect tabRect(TabControl& t, int tab, QFont* font = nullptr);

// Sends a mouse event as the window system would, for tests that check delivery through Qt.
void deliverMouse(Control& c, int which, int button, int shift, float x, float y);

}  // namespace ui
