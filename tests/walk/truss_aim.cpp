#include "tests/walk/truss_aim.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

#include "tests/walk/walker.h"
#include "truss/solver/Form2.h"
#include "truss/solver/common1.h"
#include "truss/workspace/Form1.h"
#include "ui/vbtext.h"

namespace truss_walk {

using namespace common1;

bool finishedBar(Form1& f, int j) {
  return f.Line1.exists(j) && f.Line1[j].Visible.get() && !(f.bar_pending && j == f.bar_index);
}

std::string trussInputs(Form1& f) {
  std::string o;
  auto put = [&o](auto v) { o.append(reinterpret_cast<const char*>(&v), sizeof v); };
  bool reached[51] = {};
  for (int j = 0; j < lines_count && j <= 200; ++j) {
    if (!finishedBar(f, j)) continue;
    for (int p = 0; p <= 50; ++p) reached[p] = reached[p] || P_L_index(j, p, 0) == -1;
    const ui::LineControl& l = f.Line1[j];
    put(j), put(l.X1.get()), put(l.Y1.get()), put(l.X2.get()), put(l.Y2.get()), put(line_E(j)), put(line_A(j));
  }
  for (int p = 0; p <= 49; ++p)
    if (reached[p] && f.live_point(p))
      put(p), put(P_data(p).x), put(P_data(p).y), put(P_data(p).R_type), put(P_data(p).F_type_x), put(P_data(p).F_type_y);
  for (float v : f_value) put(v);
  put(scale_mm);
  return o;
}

namespace {

// The strip: place k lies in the bottom row for an even k and in the row above for an odd one, each
// half a step right of the one before, so that every point closes a triangle with the two before it
// and the strip is stiff at every length. It lies where the canvas opens, above point 0 and clear of
// its axes, and left of where the tool panel covers the canvas.
constexpr float kLeft = 600, kBottom = 28500, kStep = 300, kRise = 600;
// A point this near its place stands on it (a click lands on the pixel it aims at).
constexpr float kOnPlace = 30;
// A stray point this near a place that waits for its point covers the place: it is dragged onto it.
constexpr float kCovering = 250;
// A bar shorter than this gives a point no direction to hang by.
constexpr float kTooNear = 100;
// E (GPa) and A (mm²) of every bar as the program starts.
constexpr float kStartE = 210, kStartA = 1000;

struct Spot {
  float x, y;
};
Spot place(int k) { return {kLeft + float(k / 2) * kStep + float(k % 2) * kStep / 2, kBottom - float(k % 2) * kRise}; }

float distance(int p, float x, float y) { return std::hypot(P_data(p).x - x, P_data(p).y - y); }
float distance(int p, int q) { return distance(p, P_data(q).x, P_data(q).y); }

// The sine of the angle at p between its directions to a and to b: near 0 when the three lie on a line.
float spread(int p, int a, int b) {
  const float ax = P_data(a).x - P_data(p).x, ay = P_data(a).y - P_data(p).y;
  const float bx = P_data(b).x - P_data(p).x, by = P_data(b).y - P_data(p).y;
  const float la = std::hypot(ax, ay), lb = std::hypot(bx, by);
  if (!(la > 0) || !(lb > 0)) return 0;
  return std::fabs(ax * by - ay * bx) / (la * lb);
}

std::string shown(const ui::Menu& m) {
  std::string c = m.Caption.get();
  c.erase(std::remove(c.begin(), c.end(), '&'), c.end());
  return c;
}

bool solved() { return Form2Form.exists() && Form2Form->solution_current; }

// The truss as one step of the aim finds it.
struct Survey {
  int target = 0;
  std::vector<int> live;
  std::array<int, TrussAim::kMostPoints> at{};  // the point standing on each place wanted, or -1
  std::array<int, 51> placeOf{};                 // the place a point stands on, or -1: a stray point
  std::array<std::vector<int>, 51> joined;       // the points finished bars join each point to
  int bars = 0;

  Survey(Form1& f, int wanted) : target(wanted) {
    at.fill(-1);
    placeOf.fill(-1);
    for (int p = 0; p <= 49; ++p)
      if (f.live_point(p)) live.push_back(p);
    for (int j = 0; j < lines_count && j <= 200; ++j) {
      if (!finishedBar(f, j)) continue;
      int first = -1, second = -1;
      for (int p = 0; p <= 50; ++p)
        if (P_L_index(j, p, 0) == -1) (P_L_index(j, p, 1) == -1 ? second : first) = p;
      if (first < 0 || second < 0 || first == second) continue;
      joined[std::size_t(first)].push_back(second);
      joined[std::size_t(second)].push_back(first);
      ++bars;
    }
    for (int k = 0; k < target; ++k) {
      const Spot s = place(k);
      int best = -1;
      for (int p : live)
        if (placeOf[std::size_t(p)] < 0 && distance(p, s.x, s.y) <= kOnPlace &&
            (best < 0 || distance(p, s.x, s.y) < distance(best, s.x, s.y)))
          best = p;
      at[std::size_t(k)] = best;
      if (best >= 0) placeOf[std::size_t(best)] = k;
    }
  }

  bool onStrip(int p) const { return placeOf[std::size_t(p)] >= 0; }
  // A marker a click on the canvas can make a point of (the first hidden one up to the count, below 50).
  static bool freeMarker(Form1& f) {
    if (points_count > 50) return false;
    for (int v = 0; v <= std::min(int(points_count), 49); ++v)
      if (!f.Image1[v].Visible.get()) return true;
    return false;
  }
  // A stray point no bar reaches, which the solve takes away (point 0 it keeps).
  bool unjoinedStray() const {
    for (int q : live)
      if (q > 0 && !onStrip(q) && joined[std::size_t(q)].empty()) return true;
    return false;
  }
  bool roomForPoint(Form1& f) const { return freeMarker(f) || unjoinedStray(); }
  bool joins(int p, int q) const {
    const auto& j = joined[std::size_t(p)];
    return std::find(j.begin(), j.end(), q) != j.end();
  }
  // The strip's points a bar joins p to, far enough to give it a direction.
  std::vector<int> stripNeighbours(int p) const {
    std::vector<int> out;
    for (int q : joined[std::size_t(p)])
      if (onStrip(q) && distance(p, q) > kOnPlace) out.push_back(q);
    return out;
  }
  // A stray point hangs stiffly from the strip when bars join it to the strip in two directions.
  bool anchored(int p) const {
    const std::vector<int> n = stripNeighbours(p);
    for (std::size_t i = 0; i < n.size(); ++i)
      for (std::size_t j = i + 1; j < n.size(); ++j)
        if (spread(p, n[i], n[j]) > 0.2f) return true;
    return false;
  }
  // A stray point the solve would take as part of the truss (a bar reaches it, or it is point 0,
  // which the solve keeps) and that moves against it: it needs bars to the strip. A fixed one is ground.
  bool loose(int p) const {
    if (onStrip(p) || P_data(p).R_type == 1) return false;
    return (!joined[std::size_t(p)].empty() || p == 0) && !anchored(p);
  }
  // Part of the stiff truss: a point of the strip, or a stray that hangs from it.
  bool body(int p) const { return onStrip(p) || (!joined[std::size_t(p)].empty() && anchored(p)); }
  // The points of the strip the next bar of a loose point may go to, nearest first, each giving it a
  // new direction.
  std::vector<int> anchorsFor(int p) const {
    const std::vector<int> n = stripNeighbours(p);
    std::vector<std::pair<float, int>> by;
    for (int k = 0; k < target; ++k) {
      const int q = at[std::size_t(k)];
      if (q >= 0 && q != p && !joins(p, q) && distance(p, q) > kTooNear && (n.empty() || spread(p, n.front(), q) > 0.3f))
        by.push_back({distance(p, q), q});
    }
    std::sort(by.begin(), by.end());
    std::vector<int> out;
    for (auto [d, q] : by) out.push_back(q);
    return out;
  }
};

// The restraints of the stiff truss: a fixed point holds both directions, a roller the one it does
// not move in. Three that are neither parallel nor meet in one point hold it as a whole.
using Row = std::array<double, 3>;
void restraints(int p, int type, std::vector<Row>& rows) {
  const Spot o = place(0);
  const double x = (P_data(p).x - o.x) / 1000, y = (P_data(p).y - o.y) / 1000;
  if (type == 1 || type == 3) rows.push_back({1, 0, -y});
  if (type == 1 || type == 2) rows.push_back({0, 1, x});
}
int rank(std::vector<Row> rows) {
  int r = 0;
  for (int c = 0; c < 3 && r < int(rows.size()); ++c) {
    std::size_t pivot = std::size_t(r);
    for (std::size_t i = std::size_t(r); i < rows.size(); ++i)
      if (std::fabs(rows[i][std::size_t(c)]) > std::fabs(rows[pivot][std::size_t(c)])) pivot = i;
    if (std::fabs(rows[pivot][std::size_t(c)]) < 1e-6) continue;
    std::swap(rows[pivot], rows[std::size_t(r)]);
    for (std::size_t i = std::size_t(r) + 1; i < rows.size(); ++i) {
      const double m = rows[i][std::size_t(c)] / rows[std::size_t(r)][std::size_t(c)];
      for (std::size_t k = 0; k < 3; ++k) rows[i][k] -= m * rows[std::size_t(r)][k];
    }
    ++r;
  }
  return r;
}

// A support the tool would put on p (1 fixed, 2 roller in x, 3 roller in y): only on a point without
// one, and not where it would hold a load.
bool supportFits(int p, int tool) {
  const point_rec& q = P_data(p);
  if (q.R_type != 0) return false;
  return tool == 1 ? q.F_type_x == 0 && q.F_type_y == 0 : tool == 2 ? q.F_type_y == 0 : q.F_type_x == 0;
}
// A load the tool would put on p (4 down, 6 right), in a direction the point moves in.
bool loadFits(int p, int tool) {
  const point_rec& q = P_data(p);
  if (q.R_type == 1) return false;
  return tool == Form1::kDown ? q.F_type_y == 0 && q.R_type != 2 : q.F_type_x == 0 && q.R_type != 3;
}
bool loaded(int p) {
  const point_rec& q = P_data(p);
  return q.R_type != 1 && ((q.F_type_y != 0 && q.R_type != 2) || (q.F_type_x != 0 && q.R_type != 3));
}

}  // namespace

bool TrussAim::step(walk::Walk& w) {
  if (!Form1Form.exists() || !Form1Form->loaded() || !Form1Form->Visible.get()) return false;
  Form1& f = *Form1Form;
  switch (next(w, f)) {
    case Outcome::kSent:
      blocked_ = 0;
      return true;
    case Outcome::kIdle:
      blocked_ = 0;
      return false;
    case Outcome::kBlocked:
      break;
  }
  if (++blocked_ < 40) return false;
  // Stuck a long while (its places covered, a truss that will not solve): the user starts anew.
  blocked_ = 0;
  return w.chooseMenu(f, shown(f.aa1), shown(f.aa2));
}

TrussAim::Outcome TrussAim::next(walk::Walk& w, Form1& f) {
  using walk::Walk;
  auto sent = [](bool s) { return s ? Outcome::kSent : Outcome::kBlocked; };
  // The tool, reached as the user reaches it: the panel brought back, its first tab shown.
  auto tool = [&](int t) {
    bool chosen = true;
    for (int k = Form1::kBar; k <= Form1::kLeft; ++k) chosen = chosen && f.Option4[k].Value.get() == (k == t);
    if (chosen) return Outcome::kIdle;
    if (!f.SSTab2.Visible.get()) return sent(w.moveOnto(f.Picture7));
    if (f.SSTab2.Tab.get() != 0) return sent(w.chooseTab(f.SSTab2, 0));
    return sent(w.clickControl(f.Option4[t]));
  };
  // The tool, then the point clicked.
  auto apply = [&](int t, int p) {
    const Outcome o = tool(t);
    if (o != Outcome::kIdle) return o;
    return sent(w.clickControl(f.Image1[p]));
  };
  auto join = [&](int a, int b) {
    const Outcome o = tool(Form1::kBar);
    if (o != Outcome::kIdle) return o;
    if (!Walk::onScreen(f.Image1[a]) || !Walk::onScreen(f.Image1[b])) return Outcome::kBlocked;
    w.clickControl(f.Image1[a]);
    w.clickControl(f.Image1[b]);
    return Outcome::kSent;
  };
  // A truss that would not solve with E or A other than the program starts with (a stiffness too small
  // to tell from none): the user opens the data window and types them back for every bar.
  auto restoreEA = [&] {
    bool other = false;
    for (int j = 0; j < lines_count && j <= 200; ++j)
      other = other || (finishedBar(f, j) && (line_E(j) != kStartE || line_A(j) != kStartA));
    if (!other) return Outcome::kIdle;
    if (!Form2Form.exists() || !Form2Form->loaded() || !Form2Form->Visible.get()) return sent(w.chooseMenu(f, shown(f.bb1), ""));
    Form2& d = *Form2Form;
    if (!d.Option3[Form2::kNoPanel].Value.get()) return sent(w.clickControl(d.Option3[Form2::kNoPanel]));
    if (!d.Option1[0].Value.get()) return sent(w.clickControl(d.Option1[0]));
    if (ui::Val(d.Text2[0].Text.get()) != kStartE) return sent(w.typeInto(d.Text2[0], "210"));
    if (ui::Val(d.Text2[1].Text.get()) != kStartA) return sent(w.typeInto(d.Text2[1], "1000"));
    return sent(w.clickControl(d.Command6));
  };
  auto solve = [&] { return sent(w.chooseMenu(f, shown(f.cc1), "")); };

  for (int pass = 0; pass < 2; ++pass) {
    const Survey s(f, target_);
    // A truss without bars (new, or opened from a file) grows from its first triangle again.
    if (s.bars == 0 && target_ > 3) {
      target_ = 3;
      return next(w, f);
    }

    // A bar waiting for its second end: the one the strip wants, or one that holds the point it starts at.
    if (f.bar_pending == 1) {
      int a = -1;
      for (int p = 0; p <= 50 && a < 0; ++p)
        if (P_L_index(f.bar_index, p, 0) == -1) a = p;
      if (a < 0 || !f.live_point(a)) return Outcome::kBlocked;
      // Where the user would end it, most wanted first, among the points he can click.
      std::vector<int> ends;
      if (s.onStrip(a)) {
        const int k = s.placeOf[std::size_t(a)];
        for (int j : {k - 1, k - 2, k + 1, k + 2})
          if (j >= 0 && j < target_ && s.at[std::size_t(j)] >= 0 && !s.joins(a, s.at[std::size_t(j)])) ends.push_back(s.at[std::size_t(j)]);
      } else if (s.loose(a)) {
        ends = s.anchorsFor(a);
      }
      // Else the nearest point of the strip it is not joined to yet, or the nearest point at all.
      std::vector<std::pair<float, int>> near;
      for (int q : s.live)
        if (q != a) near.push_back({distance(a, q) + (s.onStrip(q) && !s.joins(a, q) && distance(a, q) > kTooNear ? 0.0f : 1e6f), q});
      std::sort(near.begin(), near.end());
      for (auto [d, q] : near) ends.push_back(q);
      int b = -1;
      for (int q : ends)
        if (b < 0 && Walk::onScreen(f.Image1[q])) b = q;
      if (b < 0) return Outcome::kBlocked;
      return apply(Form1::kBar, b);
    }

    // The strip is on the canvas as it opens: scrolled away, the user scrolls back.
    const Spot first = place(0), last = place(target_ - 1);
    const float left = -f.Picture1.Left, top = -f.Picture1.Top;
    if (first.x - 200 < left || last.x + 200 > left + f.Picture5.Width || last.y - 300 < top ||
        first.y + 300 > top + f.Picture5.Height) {
      if (f.VScroll1.Value.get() != f.VScroll1.Max.get()) return sent(w.dragThumbToEnd(f.VScroll1, false));
      if (f.HScroll1.Value.get() != f.HScroll1.Min.get()) return sent(w.dragThumbToEnd(f.HScroll1, true));
      return Outcome::kBlocked;
    }

    // The strip in order, each point and then its bars to the two before it.
    for (int k = 0; k < target_; ++k) {
      const int p = s.at[std::size_t(k)];
      if (p < 0) {
        const Spot at = place(k);
        // A stray point lying over the place, or one that bars hold (a point of the strip dragged
        // away), is dragged onto it.
        std::vector<int> strays;
        for (int q : s.live)
          if (!s.onStrip(q) && distance(q, at.x, at.y) <= kCovering) strays.push_back(q);
        for (int q : s.live)
          if (!s.onStrip(q) && distance(q, at.x, at.y) > kCovering && !s.joined[std::size_t(q)].empty()) strays.push_back(q);
        for (int q : strays)
          if (w.dragControl(f.Image1[q], f.Picture1, at.x, at.y)) return Outcome::kSent;
        // The data window lying over the canvas takes the drop: the user closes it first.
        if (!strays.empty() && Form2Form.exists() && Form2Form->loaded() && Form2Form->Visible.get())
          return sent(w.closeForm(*Form2Form));
        if (!s.freeMarker(f)) {
          // No marker left for the point: a solve takes away the points no bar reaches; without
          // those the strip stays as long as it is.
          if (s.unjoinedStray()) return solve();
          if (k < 3) return Outcome::kBlocked;
          target_ = k;
          return next(w, f);
        }
        return sent(w.clickControlAt(f.Picture1, at.x, at.y));
      }
      for (int j : {k - 1, k - 2})
        if (j >= 0 && s.at[std::size_t(j)] >= 0 && !s.joins(p, s.at[std::size_t(j)])) return join(s.at[std::size_t(j)], p);
    }

    // Stray points the solve would take in hang from the strip by two bars.
    for (int p : s.live)
      if (s.loose(p)) {
        if (!Walk::onScreen(f.Image1[p])) return Outcome::kBlocked;
        for (int q : s.anchorsFor(p))
          if (Walk::onScreen(f.Image1[q])) return join(q, p);
        return Outcome::kBlocked;
      }

    // Supports that hold the truss as a whole: fixed at its first point, a roller at its third,
    // or others where those cannot go.
    std::vector<Row> held;
    for (int p : s.live)
      if (s.body(p)) restraints(p, P_data(p).R_type, held);
    if (rank(held) < 3 && supports_count <= 299) {
      std::vector<std::pair<int, int>> tries = {{s.at[0], Form1::kFixed}, {s.at[2], Form1::kRollerX}};
      for (int k = 0; k < target_; ++k)
        for (int t : {Form1::kFixed, Form1::kRollerX, Form1::kRollerY}) tries.push_back({s.at[std::size_t(k)], t});
      for (auto [p, t] : tries) {
        if (p < 0 || !supportFits(p, t)) continue;
        std::vector<Row> more = held;
        restraints(p, t, more);
        if (rank(more) > rank(held)) return apply(t, p);
      }
      return Outcome::kBlocked;
    }

    // A load, on the first point of the upper row where it can go.
    bool any = false;
    for (int p : s.live) any = any || (s.body(p) && loaded(p));
    if (!any && forces_count <= 39) {
      for (int k : {1, 3, 0, 2})
        for (int t : {Form1::kDown, Form1::kRight})
          if (k < target_ && s.at[std::size_t(k)] >= 0 && loadFits(s.at[std::size_t(k)], t)) return apply(t, s.at[std::size_t(k)]);
    }

    // The solve draws the displaced shape and colours the bars when the options say so.
    if (!f.dd3.Checked.get()) return sent(w.chooseMenu(f, shown(f.dd1), shown(f.dd3)));
    if (!f.dd4.Checked.get()) return sent(w.chooseMenu(f, shown(f.dd1), shown(f.dd4)));

    // Ready: solved, it stays a while for the walk's edits; unsolved, it is solved now or grows first.
    const bool grows = target_ < kMostPoints && s.roomForPoint(f);
    if (solved()) {
      if (!grows || !w.chance(0.3)) return Outcome::kIdle;
      ++target_;
      continue;
    }
    const std::string inputs = trussInputs(f);
    if (inputs == failed_) {
      const Outcome o = restoreEA();
      if (o != Outcome::kIdle) return o;
    }
    if (inputs != failed_ && (!grows || w.chance(0.4))) {
      const Outcome o = solve();
      if (!solved()) failed_ = inputs;
      return o;
    }
    if (!grows) return Outcome::kBlocked;
    ++target_;
  }
  return Outcome::kIdle;
}

}  // namespace truss_walk
