// Values along an element from its left-end values and its loads, written with singularity brackets
// <x - a>^n (0 before a), and the graphs of shear, moment and deflection drawn from them.
//   V(x) = (V0 - sum P<a>^0 - sum w(<a>^1 - <b>^1)) unit_F
//   M(x) = (M0 + sum P<a>^1 + sum Mo<a>^0 + sum w/2 (<a>^2 - <b>^2) - V0 X) unit_F
//   v(x) = (X^2 (V0 X / 6 - M0 / 2) + (teta0 X + def0) EI - sum P/6<a>^3 - sum Mo/2<a>^2
//           - sum w/24 (<a>^4 - <b>^4)) unit_F / EI
#include <algorithm>
#include <cmath>

#include "beam/solver/beam_solver.h"
#include "ui/vbtext.h"

using namespace Module20;

namespace {
// Which of the three graphs (0 shear, 1 moment, 2 deflection) are switched on in the tool window.
struct Switches {
  bool on[3] = {false, false, false};
  bool any() const { return on[kShearGraph] || on[kMomentGraph] || on[kDeflectionGraph]; }
};


template <class On>
Switches graphSwitches(On on) {
  Switches s;
  for (int g = 0; g <= 2; ++g) s.on[g] = on(g);
  return s;
}
}  // namespace

Single flatResidue(int g) {
  const double F = std::abs(double(unit_F)), L = std::abs(double(beam_length));
  double stiffest = 0;
  for (int e = 1; e <= n_elem && elem.contains(e); ++e)
    stiffest = std::max(stiffest, std::abs(double(elem(e).E_rel) * elem(e).I_rel * unit_E * unit_I));
  const double unit = g == 0 ? F : g == 1 ? F * L : F * L * L * L / stiffest;
  return std::isfinite(unit) ? Single(1e-5 * unit) : 0.0f;
}

Single BeamSolver::step1(Single a, Single x, Byte n, Byte e) {
  const Single d = x - a;
  if (!(d > 0)) return 0;
  // Whole powers as products: b is a Single widened, so b * b is exact and b^3, b^4 are rounded once, to
  // the double nearest the true power, as the power function gives it.
  const double b = double(d * unit_L);
  switch (n) {
    case 0: return 1;
    case 1: return Single(b);
    case 2: return Single(b * b);
    case 3: return Single(b * b * b);
    case 4: {
      const double b2 = b * b;
      return Single(b2 * b2);
    }
    default: return Single(std::pow(b, double(n)));
  }
}

namespace {
// value_x with the switches already read: a drawing reads them once, not at every point.
void valuesAt(BeamSolver& f, Integer x, const Switches& sw) {
  V_x = M_x = def_x = 0;
  if (!elem.contains(cur_elem)) return;
  const elem_rec& el = elem(cur_elem);
  const bool onV = sw.on[kShearGraph], onM = sw.on[kMomentGraph], onD = sw.on[kDeflectionGraph];
  const Single xs = Single(x), X = xs * unit_L;
  int c = el.p_count + el.m_count + el.w_count;
  for (j_loop = 1; j_loop <= 10 && c > 0; ++j_loop) {
    const load_rec& p = el.p_load(j_loop);
    if (p.on == True) {
      --c;
      if (onV) V_x += p.value * f.step1(p.pos, xs, 0, cur_elem);
      if (onM) M_x += p.value * f.step1(p.pos, xs, 1, cur_elem);
      if (onD) def_x -= p.value / 6 * f.step1(p.pos, xs, 3, cur_elem);
    }
    const load_rec& m = el.m_load(j_loop);
    if (m.on == True) {
      --c;
      if (onM) M_x += m.value * f.step1(m.pos, xs, 0, cur_elem);
      if (onD) def_x -= m.value / 2 * f.step1(m.pos, xs, 2, cur_elem);
    }
    const dist_rec& w = el.w_load(j_loop);
    if (w.on == True) {
      --c;
      const Single b = w.pos + w.span;
      if (onV) V_x += w.value * (f.step1(w.pos, xs, 1, cur_elem) - f.step1(b, xs, 1, cur_elem));
      if (onM) M_x += w.value / 2 * (f.step1(w.pos, xs, 2, cur_elem) - f.step1(b, xs, 2, cur_elem));
      if (onD) def_x -= w.value / 24 * (f.step1(w.pos, xs, 4, cur_elem) - f.step1(b, xs, 4, cur_elem));
    }
  }
  if (onV) V_x = (V0 - V_x) * unit_F;
  if (onM) M_x = (M0 + M_x - V0 * X) * unit_F;
  // An element of no stiffness has no deflection line of its own; its value is left out.
  if (onD) def_x = EI_cur != 0 ? (X * X * (V0 * X / 6 - M0 / 2) + (teta0 * X + def0) * EI_cur + def_x) * unit_F / EI_cur : 0.0f;
  if (!std::isfinite(V_x)) V_x = 0;
  if (!std::isfinite(M_x)) M_x = 0;
  if (!std::isfinite(def_x)) def_x = 0;
}
}  // namespace

void BeamSolver::value_x(Integer x) { valuesAt(*this, x, graphSwitches([this](int g) { return graph_on(g); })); }

namespace {
// The left-end values of the current element, the inputs of value_x.
void leftEndValues() {
  const elem_rec& el = elem(cur_elem);
  V0 = Single(el.fer(1) + el.kd(1));
  M0 = Single(el.fer(3) + el.kd(3));
  EI_cur = unit_E * unit_I * el.E_rel * el.I_rel;
  def0 = el.dof(1) != 0 && P.contains(el.dof(1)) ? Single(P(el.dof(1))) : 0.0f;
  teta0 = el.dof(3) != 0 && P.contains(el.dof(3)) ? Single(P(el.dof(3))) : 0.0f;
}
}  // namespace

void BeamSolver::fun3() {
  if (!elem.contains(cur_elem)) return;
  const float H = graph_height();
  leftEndValues();
  const Switches sw = graphSwitches([this](int g) { return graph_on(g); });
  // With every graph off the sweep draws nothing and finds no extreme: it is not walked, and the values
  // are left as its points would leave them, nothing computed.
  if (!sw.any()) {
    V_x = M_x = def_x = 0;
    return;
  }
  const elem_rec& el = elem(cur_elem);
  const int s = std::max(1, graph_step()) * 15;
  const int n = ui::CInt(el.length);
  // Rounding residue where a graph is zero is drawn on the zero line: magnified by a large scale it
  // would scatter about it.
  const Single residue[3] = {flatResidue(0), flatResidue(1), flatResidue(2)};
  auto drawn = [&](int g, Single v) { return std::abs(v) < residue[g] ? 0.0f : v; };
  for (int x = 0; x <= n; x += s) {
    const Single prev[3] = {V_x, M_x, def_x};
    valuesAt(*this, Integer(x), sw);
    const Single now[3] = {V_x, M_x, def_x};
    for (int g = 0; g <= 2; ++g) {
      if (!sw.on[g]) continue;
      const float X2 = float(x + el.x_start), X1 = X2 - float(s);
      const float Y2 = H / 2 - H * graf_scale(g) * drawn(g, now[g]), Y1 = H / 2 - H * graf_scale(g) * drawn(g, prev[g]);
      if (!std::isfinite(Y1) || !std::isfinite(Y2)) continue;
      draw_graph(X1, Y1, X2, Y2, graf_color(g));
    }
    if (find_max == True)
      for (int g = 0; g <= 2; ++g)
        if (std::abs(now[g]) > std::abs(graf_max(g, 0))) {
          graf_max(g, 0) = now[g];
          graf_max(g, 1) = Single(x + el.x_start) * unit_L;
        }
  }
}

void BeamSolver::point_graf(Integer x) {
  auto show = [this](int g, Single v, const char* pattern) {
    show_value(g, solution_current ? ui::finiteFormat(v, pattern) : "");
  };
  if (!solution_current) {
    for (int g = 0; g <= 2; ++g) show(g, 0, "");
    return;
  }
  cur_elem = n_elem;
  for (i_loop = 1; i_loop <= n_elem; ++i_loop)
    if (Single(elem(i_loop).x_start) + elem(i_loop).length > Single(x)) {
      cur_elem = Byte(i_loop);
      break;
    }
  if (!elem.contains(cur_elem)) return;
  leftEndValues();
  value_x(Integer(x - elem(cur_elem).x_start));
  show(0, V_x, "0.000");
  show(1, M_x, "0.000");
  show(2, def_x * unit_def, "0.00000");
}
