#include "tests/widths/widths.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QRegularExpression>
#include <map>
#include <sstream>

#include "ui/form.h"
#include "ui/grid.h"
#include "ui/vbtext.h"
#include "ui/views.h"

namespace widths {

Services::Services() { ui::setViewFactory(&ui::makeView); }
Services::~Services() { ui::setViewFactory(nullptr); }

void Services::showForm(ui::Form& form, bool modal, ui::Form* owner) {
  if (!modal) {
    ui::FormWindow* w = ui::realize(form);
    w->applyGeometry();
    w->show();
  }
  ScriptedServices::showForm(form, modal, owner);
}

void Services::hideForm(ui::Form& form) {
  if (ui::FormWindow* w = ui::windowOf(form)) w->hide();
  ScriptedServices::hideForm(form);
}

void Services::formUnloaded(ui::Form& form) {
  if (ui::FormWindow* w = ui::windowOf(form)) w->hide();
  ui::unrealize(form);
  ScriptedServices::formUnloaded(form);
}

std::string Offender::line() const {
  std::ostringstream o;
  o << where << ": \"" << text << "\" needs " << need << " px, has " << room;
  return o.str();
}

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

std::string nameOf(const ui::Control& c) {
  std::string n = c.form()->Name() + "/" + c.Name();
  if (c.Index() >= 0) n += "(" + std::to_string(c.Index()) + ")";
  return n;
}

struct Checker {
  std::map<std::string, Offender> found;  // by where and text: a text seen on several pages once
  std::set<const ui::Control*> measured;

  void need(const std::string& where, const QString& text, int need, int room) {
    if (text.trimmed().isEmpty() || need <= room) return;
    Offender o{where, text.toStdString(), need, room};
    found.emplace(where + ":" + o.text, o);
  }

  // A word-wrapped text: every word whole on its line, and every line within the height.
  void wrapped(const std::string& where, const QFontMetrics& fm, const QString& text, int width, int height,
               int lineEndBlanks = 0) {
    for (const QString& word : text.split(QRegularExpression("[ \n]"), Qt::SkipEmptyParts))
      need(where, word, fm.horizontalAdvance(word), width);
    const QStringList lines = ui::wrapLines(fm, text, width, lineEndBlanks);
    need(where, text, int(lines.size()) * fm.lineSpacing() - fm.leading(), height);
  }

  void control(ui::Control& c, QWidget* w) {
    measured.insert(&c);
    const std::string where = nameOf(c);
    const QFontMetrics fm = w->fontMetrics();
    if (auto* l = dynamic_cast<ui::Label*>(&c)) {
      const QString caption = qs(l->Caption);
      if (l->WordWrap.get()) {
        wrapped(where, fm, caption, w->width(), w->height(), l->LineEndBlanks.get());
      } else {
        for (const QString& line : caption.split('\n')) need(where, line, fm.horizontalAdvance(line), w->width());
      }
    } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
      // The frame and the box's own margins on either side.
      const int frame = w->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
      need(where, e->text(), fm.horizontalAdvance(e->text()), w->width() - 2 * frame - 4);
      // A box may show a number rounded to fewer decimals, never less than its integer part.
      const QString full = qs(static_cast<ui::TextBox&>(c).Text);
      const qsizetype point = e->text().indexOf('.');
      const std::size_t decimals = point < 0 ? 0 : std::size_t(e->text().size() - point - 1);
      if (e->text() != full && qs(ui::roundDecimals(full.toStdString(), decimals)) != e->text())
        need(where, full, fm.horizontalAdvance(full), fm.horizontalAdvance(e->text()));
    } else if (auto* b = qobject_cast<QToolButton*>(w)) {
      // Words whole within the margins; the lines and the picture within the button, its margins
      // taken where they must be.
      const QString caption = b->text().simplified();
      for (const QString& word : caption.split(' ', Qt::SkipEmptyParts)) need(where, word, fm.horizontalAdvance(word), w->width() - 6);
      const int lines = int(ui::wrapCaption(fm, caption, w->width() - 6).size());
      need(where, caption, lines * fm.height() + (b->icon().isNull() ? 0 : b->iconSize().height()), w->height() - 2);
    } else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
      auto* a = static_cast<QAbstractButton*>(w);
      const bool check = qobject_cast<QCheckBox*>(w);
      const int mark = w->style()->pixelMetric(check ? QStyle::PM_IndicatorWidth : QStyle::PM_ExclusiveIndicatorWidth, nullptr, w) +
                       w->style()->pixelMetric(check ? QStyle::PM_CheckBoxLabelSpacing : QStyle::PM_RadioButtonLabelSpacing, nullptr, w);
      need(where, a->text(), fm.horizontalAdvance(a->text()) + mark, w->width());
    } else if (auto* cb = qobject_cast<QComboBox*>(w)) {
      const QString t = cb->currentIndex() >= 0 ? cb->currentText() : cb->placeholderText();
      need(where, t, fm.horizontalAdvance(t) + 24, w->width());
    } else if (auto* t = qobject_cast<QTableView*>(w)) {
      grid(static_cast<ui::Grid&>(c), t, where);
    } else if (auto* tabs = dynamic_cast<ui::TabControl*>(&c)) {
      QWidget* client = w->window();
      for (int i = 0; i < tabs->Tabs(); ++i) {
        QFont font;
        const QRect r = ui::tabRect(*tabs, i, &font);
        const QString caption = qs(tabs->TabCaption(i)).trimmed();
        need(where + " tab " + std::to_string(i), caption, QFontMetrics(font).horizontalAdvance(caption), r.width() - 6);
        // The tab itself lies within the window.
        const QRect shown = QRect(w->mapTo(client, r.topLeft()), r.size()).intersected(client->rect());
        need(where + " tab " + std::to_string(i), caption, r.width(), shown.width());
      }
    } else if (auto* fr = dynamic_cast<ui::Frame*>(&c); fr && fr->BorderStyle.get()) {
      const QString caption = qs(fr->Caption);
      // The caption's box stands 8 pixels in from the frame's edge.
      need(where, caption, fm.horizontalAdvance(caption) + 8, w->width() - 8);
    } else {
      measured.erase(&c);  // a control without a text of its own
    }
  }

  const QRegularExpression number{QStringLiteral("^\\s*[-+]?\\d*\\.\\d+$")};

  void grid(ui::Grid& g, QTableView* t, const std::string& where) {
    const QFontMetrics fm = t->fontMetrics();
    const int margin = 2 * (t->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, t) + 1);
    for (int r = 0; r < g.Rows(); ++r)
      for (int col = 0; col < g.Cols(); ++col) {
        const QString text = qs(g.TextMatrix(r, col));
        const int room = col == 0 ? t->verticalHeader()->width() : t->columnWidth(col - 1);
        // A data cell may drop a number's last decimals, never its integer part.
        const bool decimal = r > 0 && col > 0 && number.match(text).hasMatch();
        const QString whole = decimal ? text.left(text.indexOf('.')) : text;
        need(where + " cell " + std::to_string(r) + "," + std::to_string(col), text, fm.horizontalAdvance(whole) + margin, room);
      }
  }

  void form(ui::Form& f) {
    std::vector<ui::TabControl*> tabs;
    for (ui::Control* c : f.allControls())
      if (auto* t = dynamic_cast<ui::TabControl*>(c)) tabs.push_back(t);
    walk(f);
    // Every page of every tab control, then the page the window stood at.
    for (ui::TabControl* t : tabs) {
      const int was = t->Tab.get();
      for (int i = 0; i < t->Tabs(); ++i) {
        t->Tab = i;
        walk(f);
      }
      t->Tab = was;
    }
  }

  void walk(ui::Form& f) {
    ui::FormWindow* window = ui::windowOf(f);
    for (ui::Control* c : f.allControls()) {
      if (!c->view()) continue;
      QWidget* w = ui::childHost(*c);
      if (!w || !w->isVisibleTo(window)) continue;
      control(*c, w);
    }
  }
};

}  // namespace

std::vector<Offender> check(int* measured) {
  Checker ch;
  for (QWidget* top : QApplication::topLevelWidgets())
    if (auto* w = dynamic_cast<ui::FormWindow*>(top); w && w->isVisible()) ch.form(w->form());
  if (measured) *measured = int(ch.measured.size());
  std::vector<Offender> out;
  for (auto& [key, o] : ch.found) out.push_back(o);
  return out;
}

std::string report(const std::vector<Offender>& found, const std::set<std::string>& excluded) {
  std::string out;
  std::set<std::string> seen;
  for (const Offender& o : found) {
    if (!seen.insert(o.where + ":" + o.text).second) continue;
    if (excluded.count(o.where) || excluded.count(o.where + ":" + o.text)) continue;
    bool prefix = false;
    for (const std::string& e : excluded)
      if (!e.empty() && e.back() == '*' && o.where.compare(0, e.size() - 1, e, 0, e.size() - 1) == 0) prefix = true;
    if (!prefix) out += o.line() + "\n";
  }
  return out;
}

}  // namespace widths
