// The automatic drag of icons and markers, and the mouse events of every widget that shows a control.
#include "ui/widgets.h"

#include <QApplication>
#include <QRubberBand>

namespace ui {

namespace {

// A press on a control whose DragMode is 1 arms a drag; moving a few pixels starts it. While it runs,
// DragOver goes to the control under the pointer that handles it (the source itself excluded), and the
// release drops there. A press and release without moving stays a click. Once armed, the source gets
// no MouseMove: a window takes its grab offset from the last one (drag_dx of the beam canvas), and
// the outline keeps that same offset, so the drop lands where the outline was.
struct DragState {
  Control* source = nullptr;
  QPointer<QWidget> sourceWidget;
  QPoint pressGlobal;
  QPoint grabOffset;
  bool active = false;
  Control* lastTarget = nullptr;
  QPointer<QRubberBand> band;
};
DragState g_drag;

// The last MouseMove a control was given, in its widget's pixels.
struct LastMove {
  Control* control = nullptr;
  QPointer<QWidget> widget;
  QPoint pos;
};
LastMove g_lastMove;

QWidget* targetHost(Control& c) { return c.form() == &c ? windowOf(*c.form())->client() : childHost(c); }

Control* dragTargetAt(const QPoint& global, QPointF* local, bool forDrop) {
  QWidget* w = QApplication::widgetAt(global);
  Control* c = controlOf(w);
  while (c) {
    if (c != g_drag.source && c->handlesDrag(forDrop) && c->view()) break;
    c = c->container() ? c->container() : (c == c->form() ? nullptr : c->form());
  }
  if (!c) return nullptr;
  QWidget* host = targetHost(*c);
  if (!host) return nullptr;
  *local = host->mapFromGlobal(QPointF(global));
  return c;
}

void endDrag() {
  if (g_drag.sourceWidget) g_drag.sourceWidget->setAttribute(Qt::WA_TransparentForMouseEvents, false);
  // Hidden at once: a drop that opens a message box keeps the deletion waiting until the box closes.
  if (g_drag.band) {
    g_drag.band->hide();
    g_drag.band->deleteLater();
  }
  g_drag = DragState{};
}

}  // namespace

void mouseEvent(Control& c, QWidget* w, int which, QMouseEvent* e) {
  e->accept();
  int button = which == 1 ? mouseButtons(e->buttons()) : mouseButtons(e->button());
  int shift = shiftBits(e->modifiers());
  QPoint global = e->globalPosition().toPoint();
  if (which == 0 && c.DragMode.get() == 1 && e->button() == Qt::LeftButton) {
    g_drag = DragState{};
    g_drag.source = &c;
    g_drag.sourceWidget = w;
    g_drag.pressGlobal = global;
    bool moved = g_lastMove.control == &c && g_lastMove.widget == w;
    g_drag.grabOffset = moved ? g_lastMove.pos : e->position().toPoint();
  }
  if (g_drag.source == &c && which == 1 && (e->buttons() & Qt::LeftButton)) {
    if (!g_drag.active && (global - g_drag.pressGlobal).manhattanLength() >= 4) {
      g_drag.active = true;
      w->setAttribute(Qt::WA_TransparentForMouseEvents, true);
      QWidget* top = w->window();
      g_drag.band = new QRubberBand(QRubberBand::Rectangle, top);
      g_drag.band->show();
    }
    if (g_drag.active) {
      QWidget* top = w->window();
      if (g_drag.band)
        g_drag.band->setGeometry(QRect(top->mapFromGlobal(global - g_drag.grabOffset), w->size()));
      QPointF local;
      Control* t = dragTargetAt(global, &local, false);
      if (Control* last = g_drag.lastTarget; last && last != t && last->DragOver) {
        // Left for another control or for nothing: where the pointer is now, in the one it left.
        QWidget* host = targetHost(*last);
        QPointF at = host ? host->mapFromGlobal(QPointF(global)) : QPointF();
        guarded(*last, "DragOver", [&] { last->DragOver(c, toTwips(at.x()), toTwips(at.y()), vbLeave); });
      }
      if (t)
        guarded(*t, "DragOver", [&] {
          t->DragOver(c, toTwips(local.x()), toTwips(local.y()), t == g_drag.lastTarget ? vbOver : vbEnter);
        });
      g_drag.lastTarget = t;
      return;
    }
    return;  // armed, not yet dragging
  }
  if (g_drag.source == &c && which == 2 && g_drag.active) {
    QPointF local;
    Control* t = dragTargetAt(global, &local, true);
    endDrag();
    if (t) guarded(*t, "DragDrop", [&] { t->DragDrop(c, toTwips(local.x()), toTwips(local.y())); });
    return;
  }
  if (which == 2 && g_drag.source == &c) endDrag();
  if (which == 1) g_lastMove = LastMove{&c, w, e->position().toPoint()};
  static const char* const kNames[3] = {"MouseDown", "MouseMove", "MouseUp"};
  guarded(c, kNames[which],
          [&] { c.raiseMouse(which, button, shift, toTwips(e->position().x()), toTwips(e->position().y())); });
}

bool draggingFrom(const Control& c) { return g_drag.active && g_drag.source == &c; }

void endDragsOf(Form& form) {
  if (g_drag.source && g_drag.source->form() == &form) endDrag();
}

}  // namespace ui
