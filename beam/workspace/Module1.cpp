#include "beam/workspace/Module1.h"

#include <cmath>

#include "beam/workspace/Form20.h"
#include "beam/workspace/pictures.h"
#include "ui/vbtext.h"

using namespace Module20;

void new_beam() {
  Form20& f = *Form20Form;
  f.Picture3.Cls();
  unit_F = 1;
  beam_length = 1;
  unit_I = 1;
  unit_E = 1;
  unit_def = 1;
  unit_L = beam_length / kBeamTwips;
  // The cursor stands on the graphs from the start, and a solve reads its values out there: its position
  // shows beside them before the user first moves it.
  f.show_cursor_position();
  for (i_loop = 1; i_loop <= 10; ++i_loop) {
    forces(20 + i_loop).value = 1;
    moments(30 + i_loop).value = 1;
    dist_loads(40 + i_loop).value = 1;
  }
  node_list(0) = {0, 0};
  node_list(1) = {0, kBeamTwips};
  for (i_loop = kForces; i_loop <= kDistLoads; ++i_loop) {
    load_count(i_loop) = 0;
    node_load_count(i_loop) = 0;
  }
  for (j_loop = 1; j_loop <= 21; ++j_loop) {
    elem_rec& el = elem(j_loop);
    el.I_rel = 1;
    el.E_rel = 1;
    el.p_count = el.m_count = el.w_count = 0;
  }
  // The empty beam is its one element from 0 to 10000 with four free equations, and a mechanism: a
  // load dropped on it before any support lands in that element and meets the mechanism message,
  // instead of falling into an element of no length and being solved as if the beam were held.
  f.number_dof();
  mechanism = True;
  next_force = 21, next_moment = 31, next_dist = 41, next_support = 1, next_fixed = 6, next_hinge = 11,
  next_release = 16;
  for (i_loop = 1; i_loop <= kObjects; ++i_loop) {
    ui::Image& icon = f.Image1[i_loop];
    // The palette strip: one icon every 150 twips leftwards from x 9000, tops scattered about 100.
    icon.Left = float(9000 - 150 * i_loop);
    icon.Top = float(canvas::kParkTop + 100 * std::sin(double(i_loop)));
    icon.Picture_ = beam::objectPicture(kind_icon(Byte(i_loop)));
    if (kind_of(i_loop) == Kind::force) forces(i_loop).on = False;
    if (kind_of(i_loop) == Kind::moment) moments(i_loop).on = False;
    if (kind_of(i_loop) == Kind::dist) {
      icon.Width = 500;
      icon.Tag = ui::CStr(int(ui::CInt(icon.Width / 2)));
      dist_loads(i_loop).on = False;
    }
  }
}

Integer kind_icon(Byte index) {
  constexpr Integer codes[] = {0, 1, 2, 3, 4, 6, 10, 8};  // by kind: none, support ... distributed load
  return codes[int(kind_of(index))];
}

Integer object_icon(Byte index) {
  if (kind_of(index) == Kind::fixed_end) {
    if (left_end == True && node_list(0).obj == index) return beam::kFixedOnLeftEnd;
    if (right_end == True && node_list.contains(n_elem) && node_list(n_elem).obj == index) return beam::kFixedOnRightEnd;
  }
  if (is_node(index)) return kind_icon(index);
  if (kind_of(index) == Kind::force) return forces(index).value > 0 ? 6 : forces(index).value < 0 ? 9 : 0;
  if (kind_of(index) == Kind::moment) return moments(index).value < 0 ? 7 : moments(index).value > 0 ? 10 : 0;
  if (kind_of(index) == Kind::dist) return dist_loads(index).value > 0 ? 8 : dist_loads(index).value < 0 ? 11 : 0;
  return 0;
}
