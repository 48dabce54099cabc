// K d = P by Crout's LU decomposition with implicit partial pivoting (ui/crout.h), then forward and back
// substitution; P is replaced by d.
#include <cmath>

#include "beam/solver/beam_solver.h"
#include "ui/crout.h"

using namespace Module20;

namespace {
// A pivot this small against its row's largest entry is a zero left over from rounding: the rows are
// dependent and the structure can move without load.
constexpr double kZeroPivot = 1e-11;
}  // namespace

bool BeamSolver::ludcmp(Byte n) {
  if (n == 0) return true;
  if (n > 40) n = 40;
  for (int i = 1; i <= n; ++i) P0(i) = P(i);
  ui::CroutLU lu;
  const ui::CroutOutcome outcome = lu.factor(n, [](long i, long j) { return K(i + 1, j + 1); }, {kZeroPivot, false});
  if (outcome == ui::CroutOutcome::kNoScale) {
    solve_failure = kSingular;
    stop_simulation();
    show_message(" singular ");
    return false;
  }
  auto refuse = [this] {
    solve_failure = kRefused;
    stop_simulation();
    show_message(kMechanismMessageA);
    return false;
  };
  if (outcome == ui::CroutOutcome::kZeroPivot) return refuse();
  lu.substitute([](long i) -> Double& { return P(i + 1); });
  for (int i = 1; i <= n; ++i)
    if (!std::isfinite(P(i))) {
      for (int j = 1; j <= n; ++j) P(j) = P0(j);
      return refuse();
    }
  return true;
}
