// The tutorial window's graphs: step one, step two and the full solution, on scales fitted to the figures
// they draw.
#include "beam/workspace/properties.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "beam/workspace/Form20.h"
#include "ui/vbtext.h"

using namespace Module20;

namespace {

constexpr ui::Color kGraphColor[3] = {ui::RGB(0, 255, 0), ui::RGB(255, 0, 0), ui::RGB(0, 0, 255)};
// The largest shear, moment and deflection of the full solution are drawn this far from the zero line.
constexpr Single kGraphReach[3] = {1000, 1200, 900};
constexpr int kGraphStep = 15;

// A graph line, cut to a band far beyond any picture so that no drawing gets a coordinate of absurd
// size; a line with an end that is not a number is not drawn at all.
void graphLine(ui::PictureBox& box, double x1, double y1, double x2, double y2, ui::Color color) {
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return;
  constexpr double lo = -1e6, hi = 1e6;
  double t0 = 0, t1 = 1;
  const double dy = y2 - y1;
  if (dy == 0) {
    if (y1 < lo || y1 > hi) return;
  } else {
    double ta = (lo - y1) / dy, tb = (hi - y1) / dy;
    if (ta > tb) std::swap(ta, tb);
    t0 = std::max(t0, ta);
    t1 = std::min(t1, tb);
    if (t0 > t1) return;
  }
  const double dx = x2 - x1;
  box.Line(float(x1 + t0 * dx), float(y1 + t0 * dy), float(x1 + t1 * dx), float(y1 + t1 * dy), color);
}

}  // namespace

void properties::fit_scales(std::initializer_list<int> steps, ui::Array<Single, 0, 2>& largest,
                            ui::Array<Single, 0, 2>& scale) {
  for (int k = 0; k <= 2; ++k) largest(k) = 0;
  for (int step : steps) {
    loads_ = step != 2;
    for (tut_elem = 1; tut_elem <= n_elem && elem.contains(tut_elem); ++tut_elem) {
      left_end_values(step);
      const int n = ui::CInt(elem(tut_elem).length);
      for (i_loop = 0; i_loop <= n; i_loop += kGraphStep) {
        point_values(i_loop);
        const Single v[3] = {V_x, M_x, def_x};
        for (int k = 0; k <= 2; ++k)
          if (ok_[k] && std::abs(v[k]) > std::abs(largest(k))) largest(k) = v[k];
      }
    }
  }
  loads_ = true;
  // A graph of residue alone is flat: a scale of its own would blow it up to a graph of noise.
  for (int k = 0; k <= 2; ++k)
    scale(k) = std::abs(largest(k)) > flatResidue(k) ? std::abs(kGraphReach[k] / largest(k)) : 10.0f;
}

void properties::fit_steps() {
  fit_scales({1, 2}, step_max, step_scale);
  // Half the picture, less the pen's width, so that the line stays whole inside it.
  const double room = double(tut_height) / 2 - 2 * 15.0;
  for (int k = 0; k <= 2; ++k) {
    const double reach = std::abs(double(step_max(k)) * tut_scale(k));
    const bool flat = !(std::abs(step_max(k)) > flatResidue(k));
    step_scale(k) = flat || reach <= room ? tut_scale(k) : Single(tut_scale(k) * (room / reach));
  }
}

Single properties::step1(Single a, Single x, Byte n) {
  const Single d = x - a;
  if (d > 0) return Single(std::pow(double(d * unit_L), double(n)));
  return 0;
}

void properties::left_end_values(int step) {
  const elem_rec& el = elem(tut_elem);
  EI_cur = el.E_rel * el.I_rel * unit_E * unit_I;
  auto d = [&](int k) { return el.dof(k) != 0 && P.contains(el.dof(k)) ? Single(P(el.dof(k))) : 0.0f; };
  if (step == 1) {
    V0 = Single(el.fer(1));
    M0 = Single(el.fer(3));
    def0 = teta0 = 0;
    return;
  }
  V0 = Single(step == 2 ? el.kd(1) : el.fer(1) + el.kd(1));
  M0 = Single(step == 2 ? el.kd(3) : el.fer(3) + el.kd(3));
  def0 = d(1);
  teta0 = d(3);
}

void properties::point_values(Integer x) {
  V_x = M_x = def_x = 0;
  const Single xs = Single(x), X = xs * unit_L;
  if (elem.contains(tut_elem) && loads_) {
    const elem_rec& el = elem(tut_elem);
    int c = el.p_count + el.m_count + el.w_count;
    for (j_loop = 1; j_loop <= 10 && c > 0; ++j_loop) {
      const load_rec& p = el.p_load(j_loop);
      if (p.on == True) {
        --c;
        V_x += p.value * step1(p.pos, xs, 0);
        M_x += p.value * step1(p.pos, xs, 1);
        def_x -= p.value / 6 * step1(p.pos, xs, 3);
      }
      const load_rec& m = el.m_load(j_loop);
      if (m.on == True) {
        --c;
        M_x += m.value * step1(m.pos, xs, 0);
        def_x -= m.value / 2 * step1(m.pos, xs, 2);
      }
      const dist_rec& w = el.w_load(j_loop);
      if (w.on == True) {
        --c;
        const Single b = w.pos + w.span;
        V_x += w.value * (step1(w.pos, xs, 1) - step1(b, xs, 1));
        M_x += w.value / 2 * (step1(w.pos, xs, 2) - step1(b, xs, 2));
        def_x -= w.value / 24 * (step1(w.pos, xs, 4) - step1(b, xs, 4));
      }
    }
  }
  V_x = (V0 - V_x) * unit_F;
  M_x = (M0 + M_x - X * V0) * unit_F;
  // An element of no stiffness has no deflection line: it is left out rather than drawn from a
  // division by zero.
  ok_[2] = EI_cur != 0;
  def_x = ok_[2] ? (X * X * (X * V0 / 6 - M0 / 2) + (X * teta0 + def0) * EI_cur + def_x) * unit_F / EI_cur : 0.0f;
  Single* v[3] = {&V_x, &M_x, &def_x};
  for (int k = 0; k <= 2; ++k) {
    if (k < 2) ok_[k] = true;
    if (!std::isfinite(*v[k])) {
      *v[k] = 0;
      ok_[k] = false;
    }
  }
}

void properties::sweep(int step, ui::PictureBox& canvas) {
  if (!elem.contains(tut_elem)) return;
  left_end_values(step);
  const elem_rec& el = elem(tut_elem);
  const int n = ui::CInt(el.length);
  // Step two is the same closed form without the element's loads.
  loads_ = step != 2;
  const ui::Array<Single, 0, 2>& scale = step == 3 ? tut_scale : step_scale;
  for (int x = 0; x <= n; x += kGraphStep) {
    const double prev[3] = {double(V_x) * scale(0), double(M_x) * scale(1), double(def_x) * scale(2)};
    const bool prevOk[3] = {ok_[0], ok_[1], ok_[2]};
    point_values(Integer(x));
    // Element 1 has no left neighbour to join: its graph starts at its own first point.
    if (x == 0 && tut_elem == 1) continue;
    const double H = step == 3 ? double(Form20Form->Picture3.Height) : double(tut_height);
    const Single now[3] = {V_x, M_x, def_x};
    for (int g = 0; g <= 2; ++g) {
      if (!prevOk[g] || !ok_[g]) continue;
      graphLine(canvas, el.x_start + x - kGraphStep, H / 2 - prev[g], el.x_start + x, H / 2 - double(now[g]) * scale(g),
                kGraphColor[g]);
    }
  }
  loads_ = true;
}

void properties::fun31() { sweep(1, Picture1); }
void properties::fun32() { sweep(2, Picture2); }
void properties::fun33() { sweep(3, Form20Form->Picture3); }

void properties::bb_1_Click() {
  // Without a solution of the beam as it now stands the window is filled again instead, and says why
  // there is none. The fit draws the solution as it now stands, also one solved since the last fill, so
  // its scales are taken from that solution.
  if (!Form20Form->solution_current || mechanism == True || !bb_1.Enabled) {
    aa2_Click();
    return;
  }
  fit_scales({3}, tut_max, tut_scale);
  Form20& main = *Form20Form;
  main.Picture3.Cls();
  main.Picture3.DrawWidth = 2;
  for (tut_elem = 1; tut_elem <= n_elem && elem.contains(tut_elem); ++tut_elem) fun33();
}
