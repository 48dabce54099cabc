#include "beam/solver/Module20.h"

#include <functional>
#include <vector>

using namespace Module20;

namespace {

// Every module variable, each once. Their start values are written in one place only, their
// initialisers in Module20.h; Module20_initialize() puts back the copy of them taken below.
template <class F>
void each_variable(F&& f) {
  f(graf_color), f(K), f(k_elem), f(left_end), f(right_end), f(reactions), f(i_loop), f(j_loop);
  f(unit_F), f(beam_length), f(unit_E), f(unit_I), f(unit_L), f(unit_def), f(unit_system), f(cur_elem);
  f(V_x), f(M_x), f(def_x), f(ludcmp_d), f(forces), f(moments), f(dist_loads), f(k_loop);
  f(next_force), f(next_moment), f(next_dist), f(next_fixed), f(next_support), f(next_hinge), f(next_release);
  f(on_beam), f(elem), f(node_list), f(load_count), f(node_load_count), f(node_force), f(force_at_node);
  f(node_moment), f(moment_at_node), f(node_load), f(P), f(P0), f(drag_dx), f(graf_scale), f(sel_obj);
  f(graf_max), f(find_max), f(n_elem), f(free_dof), f(mechanism), f(solve_on), f(V0), f(M0), f(teta0), f(def0);
  f(EI_cur), f(update_drag), f(solve_failure);
}

// Taken during the program's static initialisation, after the variables' own (they are defined before
// it in this file), so before anything has changed them.
const std::vector<std::function<void()>> kRestore = [] {
  std::vector<std::function<void()>> restore;
  each_variable([&](auto& v) { restore.push_back([&v, start = v] { v = start; }); });
  return restore;
}();

}  // namespace

void Module20::Module20_initialize() {
  for (const auto& put_back : kRestore) put_back();
}
