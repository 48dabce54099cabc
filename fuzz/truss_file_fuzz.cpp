// Fuzzes the truss file reader: any text either reads as a truss the editor can make, or is refused; no
// crash, hang or sanitizer report, and what is written of a truss that was read reads again as that truss.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "truss/workspace/truss_file.h"

namespace {

bool near(float a, float b) { return std::fabs(a - b) <= 1e-6f * std::fmax(std::fabs(a), std::fabs(b)); }

bool near(const std::vector<float>& a, const std::vector<float>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (!near(a[i], b[i])) return false;
  return true;
}

// What the window's replay relies on without checking again.
bool makeable(const truss_file::contents& c) {
  const std::size_t n = c.bars.size(), m = c.points.size();
  if (n > truss_file::kMaxBars || m < 1 || m > truss_file::kMaxPoints || c.E.size() != n || c.A.size() != n) return false;
  if (c.dof_count < 0 || c.dof_count > truss_file::kMaxDof || !c.points[0].Enabled) return false;
  if (c.magnification < truss_file::kMinMagnification || c.magnification > truss_file::kMaxMagnification) return false;
  int loads = 0;
  for (const truss_file::point_line& p : c.points) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || std::fabs(p.x) > truss_file::kMaxCoordinate ||
        std::fabs(p.y) > truss_file::kMaxCoordinate || p.R_type > 3 || std::abs(p.F_type_x) > 1 ||
        std::abs(p.F_type_y) > 1)
      return false;
    loads += (p.F_type_x != 0) + (p.F_type_y != 0);
  }
  if (loads > truss_file::kMaxLoads) return false;
  for (const truss_file::bar_row& b : c.bars)
    if (b.is_bar() && !(b.a >= 0 && b.a < b.b && std::size_t(b.b) < m && c.points[std::size_t(b.a)].Enabled &&
                        c.points[std::size_t(b.b)].Enabled))
      return false;
  for (float v : c.E)
    if (!(v >= 0) || !std::isfinite(v)) return false;
  for (float v : c.A)
    if (!(v >= 0) || !std::isfinite(v)) return false;
  for (const truss_file::load_pair& l : c.loads)
    if (!(l.value >= 0) || !std::isfinite(l.value) || l.dof < 1 || l.dof > c.dof_count) return false;
  return true;
}

bool same(const truss_file::contents& a, const truss_file::contents& b) {
  if (a.dof_count != b.dof_count || a.bars != b.bars || a.magnification != b.magnification ||
      a.points.size() != b.points.size() || a.loads.size() != b.loads.size() || !near(a.E, b.E) || !near(a.A, b.A))
    return false;
  for (std::size_t i = 0; i < a.points.size(); ++i) {
    const truss_file::point_line &p = a.points[i], &q = b.points[i];
    if (p.Enabled != q.Enabled || p.F_type_x != q.F_type_x || p.F_type_y != q.F_type_y || p.R_type != q.R_type ||
        !near(p.x, q.x) || !near(p.y, q.y))
      return false;
  }
  for (std::size_t i = 0; i < a.loads.size(); ++i)
    if (a.loads[i].dof != b.loads[i].dof || !near(a.loads[i].value, b.loads[i].value)) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::optional<truss_file::contents> c = truss_file::read(text);
  if (!c) return 0;
  if (!makeable(*c)) std::abort();
  const std::optional<truss_file::contents> back = truss_file::read(truss_file::write(*c));
  if (!back || !same(*c, *back)) std::abort();
  return 0;
}
