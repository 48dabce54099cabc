// Fixed-end reactions of point forces, moments and distributed loads: each load is attached to the
// element that holds it (or to the node it stands on), and its clamped-end reactions are added to the
// element's fer, in the element order force left, force right, moment left, moment right (up and
// counter-clockwise positive). With L the element length, a the load's distance from the left node,
// b = L - a and uL the real length of a twip:
//   point force P:  P b^2 (2a + L) / L^3,  P a^2 (3L - 2a) / L^3,  P a b^2 uL / L^2,  -P a^2 b uL / L^2
//   moment M:       6 M a b / (L^3 uL),    -6 M a b / (L^3 uL),    M b (3a - L) / L^2, M a (2L - 3a) / L^2
// A distributed load w over a..a+s is the point-force terms integrated with w uL dx on dx.
#include <cmath>

#include "beam/solver/beam_solver.h"

using namespace Module20;

namespace {

void pointTerms(elem_rec& el, const load_rec& slot, bool force, double sign) {
  const double L = el.length, a = slot.pos, b = L - a, uL = unit_L, v = slot.value;
  if (L == 0) return;  // an element of no length carries no terms
  const double L2 = std::pow(L, 2), L3 = std::pow(L, 3);
  if (force) {
    el.fer(1) += sign * v * std::pow(b, 2) * (2 * a + L) / L3;
    el.fer(2) += sign * v * std::pow(a, 2) * (3 * L - 2 * a) / L3;
    el.fer(3) += sign * v * std::pow(b, 2) * a * uL / L2;
    el.fer(4) -= sign * v * b * std::pow(a, 2) * uL / L2;
  } else {
    el.fer(1) += sign * 6 * v * a * b / (L3 * uL);
    el.fer(2) -= sign * 6 * v * a * b / (L3 * uL);
    el.fer(3) += sign * v * b * (3 * a - L) / L2;
    el.fer(4) += sign * v * a * (2 * L - 3 * a) / L2;
  }
}

void distTerms(elem_rec& el, const dist_rec& slot, double sign) {
  const double L = el.length, a = slot.pos, s = slot.span, w = slot.value, uL = unit_L;
  if (L == 0) return;
  const double L2 = std::pow(L, 2), L3 = std::pow(L, 3);
  const double inner = 2 * a * (a * (2 * a + 3 * s - 3 * L) + s * (2 * s - 3 * L));
  el.fer(1) += sign * uL * (s * w / 2) * (2 * L3 + std::pow(s, 3) - 2 * L * s * s + inner) / L3;
  el.fer(2) -= sign * uL * (s * w / 2) * (std::pow(s, 3) - 2 * L * s * s + inner) / L3;
  el.fer(3) += sign * uL * uL * (s * w / 12) *
               (6 * L2 * s - 8 * L * s * s + 3 * std::pow(s, 3) + 6 * a * (a * (2 * a + 3 * s - 4 * L) + 2 * s * (s - 2 * L) + 2 * L2)) / L2;
  el.fer(4) -= sign * uL * uL * (s * w / 12) * (s * s * (4 * L - 3 * s) + 6 * a * (a * (2 * L - 2 * a - 3 * s) + 2 * s * (L - s))) / L2;
}

// Takes a point load's previous placement out of the model; k is its slot (object - 20 or - 30).
void removePoint(bool force, int k) {
  node_load_rec& rec = force ? node_force(k) : node_moment(k);
  if (rec.dof > 0) {
    const double v = rec.value;
    if (node_load.contains(rec.dof)) node_load(rec.dof) += force ? -v : v;
    if (rec.split == -1) {
      if (node_load.contains(rec.dof)) node_load(rec.dof) += force ? v / 2 : -v / 2;
      for (int e = 1; e < n_elem && elem.contains(e + 1); ++e)
        if (elem(e).dof(force ? 2 : 4) == rec.dof) {
          const Byte other = elem(e + 1).dof(force ? 1 : 3);
          if (node_load.contains(other)) node_load(other) += force ? -v / 2 : v / 2;
          break;
        }
      rec.split = 0;
    }
    rec.dof = 0;
    rec.value = 0;
    return;
  }
  Byte& at = force ? force_at_node(k) : moment_at_node(k);
  if (at > 0) {
    at = 0;
    Byte& count = node_load_count(force ? kForces : kMoments);
    if (count > 0) --count;
    return;
  }
  for (k_loop = 1; k_loop <= n_elem && elem.contains(k_loop); ++k_loop) {
    elem_rec& el = elem(k_loop);
    load_rec& slot = force ? el.p_load(k) : el.m_load(k);
    if (slot.on == True) {
      slot.on = False;
      pointTerms(el, slot, force, -1);
      slot.value = 0;
      slot.pos = 0;
      Byte& count = force ? el.p_count : el.m_count;
      if (count > 0) --count;
      return;
    }
  }
}

void removeDist(int k) {
  for (k_loop = 1; k_loop <= n_elem && elem.contains(k_loop); ++k_loop) {
    elem_rec& el = elem(k_loop);
    dist_rec& slot = el.w_load(k);
    if (slot.on != True) continue;
    slot.on = False;
    distTerms(el, slot, -1);
    slot = {};
    if (el.w_count > 0) --el.w_count;
    if (k_loop < n_elem && elem(k_loop + 1).w_load(k).on != True) return;
  }
}

}  // namespace

void BeamSolver::place_point(bool force, int k) {
  const load_rec& obj = force ? forces(20 + k) : moments(30 + k);
  const Single x = obj.pos;
  for (k_loop = 1; k_loop <= n_elem && elem.contains(k_loop); ++k_loop) {
    elem_rec& el = elem(k_loop);
    const Single r = Single(el.x_start) + el.length;
    if (k_loop == 1 && x > 10050) return;  // off the beam
    if (k_loop == 1 && x == 0) {
      const Byte d = force ? (el.dof(1) == 1 ? Byte(1) : Byte(0)) : el.dof(3);
      if (d > 0) {
        node_load(d) += force ? obj.value : -obj.value;
        node_load_rec& rec = force ? node_force(k) : node_moment(k);
        rec.dof = d;
        rec.value = obj.value;
      } else {
        (force ? force_at_node(k) : moment_at_node(k)) = Byte(node_list(0).obj);
        ++node_load_count(force ? kForces : kMoments);
      }
      return;
    }
    if (r > x) {
      load_rec& slot = force ? el.p_load(k) : el.m_load(k);
      slot.on = True;
      slot.pos = x - Single(el.x_start);
      slot.value = obj.value;
      pointTerms(el, slot, force, 1);
      ++(force ? el.p_count : el.m_count);
      return;
    }
    if (r == x) {
      const Byte d = el.dof(force ? 2 : 4);
      if (d > 0) {
        node_load(d) += force ? obj.value : -obj.value;
        node_load_rec& rec = force ? node_force(k) : node_moment(k);
        rec.dof = d;
        rec.value = obj.value;
        const Integer o = node_list(k_loop).obj;
        const bool shares = kind_of(o) == (force ? Kind::release : Kind::hinge);
        if (k_loop < n_elem && shares) {
          const Byte other = elem(k_loop + 1).dof(force ? 1 : 3);
          const double half = obj.value / 2.0;
          node_load(d) += force ? -half : half;
          if (node_load.contains(other)) node_load(other) += force ? half : -half;
          rec.split = -1;
        }
      } else {
        (force ? force_at_node(k) : moment_at_node(k)) = Byte(node_list(k_loop).obj);
        ++node_load_count(force ? kForces : kMoments);
      }
      return;
    }
  }
}

void BeamSolver::place_dist(int k) {
  const dist_rec& obj = dist_loads(40 + k);
  Single x = obj.pos, r = obj.span;
  for (k_loop = 1; k_loop <= n_elem && elem.contains(k_loop); ++k_loop) {
    elem_rec& el = elem(k_loop);
    if (!(Single(el.x_start) + el.length > x)) continue;
    dist_rec& slot = el.w_load(k);
    slot.on = True;
    slot.pos = x - Single(el.x_start);
    slot.value = obj.value;
    ++el.w_count;
    const bool past = Single(el.length - slot.pos) < r;
    slot.span = past ? el.length - slot.pos : r;
    distTerms(el, slot, 1);
    if (!past) return;
    x = Single(el.x_start) + el.length;
    r = r - slot.span;
  }
}

void BeamSolver::fer_force(Integer& obj) {
  if (kind_of(obj) == Kind::force) {
    removePoint(true, obj - last_of(Kind::release));
    place_point(true, obj - last_of(Kind::release));
  }
  solution();
}

void BeamSolver::fer_moment(Integer& obj) {
  if (kind_of(obj) == Kind::moment) {
    removePoint(false, obj - last_of(Kind::force));
    place_point(false, obj - last_of(Kind::force));
  }
  solution();
}

void BeamSolver::fer_dist(Integer& obj) {
  if (kind_of(obj) == Kind::dist) {
    removeDist(obj - last_of(Kind::moment));
    place_dist(obj - last_of(Kind::moment));
  }
  solution();
}

void BeamSolver::fer_all() {
  // Everything a load can leave behind is cleared, whatever the layout it was placed in: an entry
  // kept from a layout with more equations or elements would act later as a load nobody placed.
  for (auto& el : elem) {
    el.fer.fill(0);
    el.p_count = el.m_count = el.w_count = 0;
    el.p_load.fill({});
    el.m_load.fill({});
    el.w_load.fill({});
  }
  node_force.fill({});
  node_moment.fill({});
  force_at_node.fill(0);
  moment_at_node.fill(0);
  node_load_count(kForces) = node_load_count(kMoments) = 0;
  node_load.fill(0);

  for (i_loop = 1; i_loop <= 10; ++i_loop) {
    if (forces(20 + i_loop).on == True) place_point(true, i_loop);
    if (moments(30 + i_loop).on == True) place_point(false, i_loop);
    if (dist_loads(40 + i_loop).on == True) place_dist(i_loop);
  }
  if (mechanism != True) solution();
}
