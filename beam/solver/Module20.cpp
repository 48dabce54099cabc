#include "beam/solver/Module20.h"

void Module20_initialize() {
  graf_color.fill({});
  K.fill(0);
  k_elem.fill({});
  left_end = right_end = False;
  reactions.fill({});
  i_loop = j_loop = 0;
  unit_F = beam_length = unit_E = unit_I = unit_def = 1;
  unit_L = 1.0f / 10000;
  unit_system = 0;
  cur_elem = 0;
  V_x = M_x = def_x = 0;
  ludcmp_d = 0;
  forces.fill({});
  moments.fill({});
  dist_loads.fill({});
  k_loop = 0;
  next_force = 21, next_moment = 31, next_dist = 41, next_fixed = 6, next_support = 1, next_hinge = 11,
  next_release = 16;
  on_beam.clear();
  elem.fill({});
  node_list.fill({});
  load_count.fill(0);
  node_load_count.fill(0);
  node_force.fill({});
  force_at_node.fill(0);
  node_moment.fill({});
  moment_at_node.fill(0);
  node_load.fill(0);
  P.fill(0);
  P0.fill(0);
  drag_dx = 0;
  graf_scale.fill(0);
  sel_obj = 0;
  graf_max.fill(0);
  find_max = False;
  n_elem = 1;
  free_dof = 0;
  mechanism = False;
  solve_on = True;
  V0 = M0 = teta0 = def0 = EI_cur = 0;
  update_drag = 0;
  solve_failure = kNoFailure;
}
