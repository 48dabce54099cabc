// The node list along the beam, the elements between neighbouring nodes and the numbering of their
// free degrees of freedom.
#include "beam/solver/beam_solver.h"
#include "ui/vbtext.h"

#include <algorithm>

using namespace Module20;

namespace {

// Where an icon's centre lies: support icons are 360 twips wide, the other node objects 150.
float centreOffset(Integer index) { return kind_of(index) == Kind::support ? 180.0f : 75.0f; }

Integer innerX(float left, Integer index) { return ui::CInt(left + centreOffset(index) - canvas::kBeamLeft); }

// The Left of a node object's icon standing on the left or the right end of the beam, by its kind.
float leftEndLeft(Integer index) {
  const Kind k = kind_of(index);
  return k == Kind::fixed_end ? 165.0f : k == Kind::hinge || k == Kind::release ? 150.0f : 105.0f;
}
float rightEndLeft(Integer index) {
  const Kind k = kind_of(index);
  return k == Kind::fixed_end ? 10285.0f : k == Kind::hinge || k == Kind::release ? 10270.0f : 10105.0f;
}
// Where an icon dropped on a taken end goes instead: just inside the beam.
constexpr float kBesideRightEnd = 10015;

// The shortest element beside a beam end: one key step at the smallest step. A mouse drop closer to an
// end than this stands on the end; any other placement stands this far from it.
constexpr int kShortestEndElement = 15;

// The icon, as dropped, covers the beam end at x (its Left and Width in canvas twips).
bool covers(float width, float left, float end) { return left <= end && left + width >= end; }

}  // namespace

void BeamSolver::sort_p(Integer index, Placing how) {
  if (!has_icon(index)) return;
  int found = -1;
  for (int i = 0; i <= n_elem && node_list.contains(i); ++i)
    if (node_list(i).obj == index) {
      found = i;
      break;
    }
  if (found >= 0) {
    if (found == 0) {
      left_end = False;
      node_list(0).obj = 0;
      ++n_elem;
    }
    if (found == n_elem) {
      right_end = False;
      node_list(found).obj = 0;
      ++n_elem;
    }
    if (found != 0)
      for (int i = found; i <= n_elem - 1; ++i)
        if (node_list.contains(i + 1)) node_list(i) = node_list(i + 1);
  } else {
    ++n_elem;
  }

  using namespace canvas;
  // A dropped icon that covers a beam end stands on it, as one that would leave an element shorter than
  // a key step: the student sees it on the end, so no overhang too short to see may arise.
  const float left = icon_left(index), width = icon_width(index);
  const bool mouse = how == Placing::by_mouse;
  const bool onLeft = covers(width, left, kBeamLeft) || innerX(left, index) < kShortestEndElement;
  const bool onRight = covers(width, left, kBeamRight) || innerX(left, index) > kBeamTwips - kShortestEndElement;
  if (left <= kLeftZone || (mouse && onLeft)) {
    if (!left_end) {
      set_icon_left(index, leftEndLeft(index));
      left_end = True;
      node_list(0).obj = index;
      if (node_list.contains(n_elem)) node_list(n_elem) = {0, kBeamTwips};
      --n_elem;
      return;
    }
    set_icon_left(index, kBeamLeft);
  } else if (left >= kRightZone || (mouse && onRight)) {
    if (!right_end) {
      set_icon_left(index, rightEndLeft(index));
      right_end = True;
      if (node_list.contains(n_elem - 1)) node_list(n_elem - 1).obj = index;
      if (node_list.contains(n_elem)) node_list(n_elem) = {0, kBeamTwips};
      --n_elem;
      return;
    }
    set_icon_left(index, kBesideRightEnd);
  }

  // An inner node: nodes 0..n_elem - 1 are the others, the last at kBeamTwips. Its x must lie strictly
  // inside the beam and differ from every other node's, or an element of no length would follow.
  auto taken = [](int x) {
    for (int i = 0; i <= n_elem - 1 && node_list.contains(i); ++i)
      if (node_list(i).x == x) return true;
    return false;
  };
  constexpr int first = kShortestEndElement, last = kBeamTwips - kShortestEndElement;
  int x = std::clamp(int(innerX(icon_left(index), index)), first, last);
  if (taken(x)) x += 100;
  x = std::min(x, last);
  // The nearest free place, searching outwards: there are at most 22 nodes on 9971 places.
  for (int d = 0; taken(x); ++d) {
    const int up = x + d, down = x - d;
    if (up <= last && !taken(up)) x = up;
    else if (down >= first && !taken(down)) x = down;
  }
  if (x != innerX(icon_left(index), index)) set_icon_left(index, float(x) + kBeamLeft - centreOffset(index));
  int at = 1;
  while (at <= n_elem - 1 && node_list.contains(at) && node_list(at).x < x) ++at;
  for (int j = n_elem; j >= at + 1; --j)
    if (node_list.contains(j)) node_list(j) = node_list(j - 1);
  node_list(at) = {index, Integer(x)};
  if (node_list.contains(n_elem + 1)) node_list(n_elem + 1) = {0, kBeamTwips};
}

void BeamSolver::remove_p(Integer index) {
  int found = -1;
  for (int i = 0; i <= n_elem && node_list.contains(i); ++i)
    if (node_list(i).obj == index) {
      found = i;
      break;
    }
  if (found < 0) return;
  if (found == 0) {
    left_end = False;
    node_list(0).obj = 0;
    return;
  }
  if (found == n_elem) {
    right_end = False;
    node_list(found).obj = 0;
    return;
  }
  for (int i = found; i <= n_elem - 1; ++i) node_list(i) = node_list(i + 1);
  --n_elem;
}

void BeamSolver::number_dof() {
  free_dof = 0;
  for (int e = 1; e <= n_elem && elem.contains(e); ++e) {
    elem(e).length = Single(node_list(e).x - node_list(e - 1).x);
    elem(e).x_start = node_list(e - 1).x;
  }
  auto fresh = [] { return Byte(++free_dof); };
  for (int e = 1; e <= n_elem && elem.contains(e); ++e) {
    elem_rec& el = elem(e);
    const Integer a = node_list(e - 1).obj, b = node_list(e).obj;
    // The kinds of the left and right node (none: a free end); a node holding anything but a node
    // object gives the element no freedoms from that side.
    const Kind ka = kind_of(a), kb = kind_of(b);
    const bool a_other = a > last_of(Kind::release), b_other = b > last_of(Kind::release);
    const bool last = e == n_elem;
    const elem_rec* prev = e > 1 ? &elem(e - 1) : nullptr;
    // Deflection left.
    if (a_other) el.dof(1) = 0;
    else if (!prev) el.dof(1) = ka == Kind::none || ka == Kind::release ? fresh() : Byte(0);
    else if (ka == Kind::release) el.dof(1) = fresh();
    else if (ka == Kind::hinge) el.dof(1) = prev->dof(2);
    else el.dof(1) = 0;
    // Deflection right.
    if (b_other) el.dof(2) = 0;
    else if (kb == Kind::none || kb == Kind::release) el.dof(2) = fresh();
    else if (kb == Kind::hinge) el.dof(2) = last ? Byte(0) : fresh();
    else el.dof(2) = 0;
    // Rotation left.
    if (a_other) el.dof(3) = 0;
    else if (!prev) el.dof(3) = ka == Kind::none || ka == Kind::support || ka == Kind::hinge ? fresh() : Byte(0);
    else if (ka == Kind::support || ka == Kind::release) el.dof(3) = prev->dof(4);
    else if (ka == Kind::hinge) el.dof(3) = fresh();
    else el.dof(3) = 0;
    // Rotation right.
    if (b_other) el.dof(4) = 0;
    else if (kb == Kind::release) el.dof(4) = last ? Byte(0) : fresh();
    else if (kb == Kind::fixed_end) el.dof(4) = 0;
    else el.dof(4) = fresh();
  }
  asamb_K();
}
