#pragma once
// The truss file: plain text in lines (CR LF written; CR LF or LF read), items separated by commas, texts
// in double quotes, Booleans as #TRUE# or #FALSE#, numbers in C-locale decimal text. With n bar slots,
// m point slots and d free directions of the last solve, the lines are:
//
//   "321499410"                                   the signature (read with or without its quotes)
//   n / m / d                                     one count a line
//   n bar rows: m marks (1 where the bar ends at that point, else 0), then the row number
//   m point lines: Enabled, F_type_x, F_type_y, R_type, x, y (canvas twips)
//   E(0) .. E(n-1), "E"
//   A(0) .. A(n-1), "A"
//   value, dof number ... for the free directions 1..d, "F"
//   the magnification of the displaced shape
//
// Reading is a pure function of the text: the whole file is parsed and checked into `contents` before
// anything of the open truss is touched, so a damaged file changes nothing. A file is damaged unless it is
// a truss the editor could have made: at most 200 bar slots, 50 point slots, 100 free directions and 40
// loads, every bar row with no mark or exactly two (on points that exist), supports and loads that the
// editor's rules allow, finite coordinates, E, A and loads (E, A and loads not negative), and DOF numbers
// within 1..d.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

#include "truss/solver/common1.h"
#include "ui/vbtypes.h"

namespace truss_file {

inline constexpr const char* kSignature = "321499410";
inline constexpr int kMaxBars = common1::kMaxBars;
inline constexpr int kMaxPoints = common1::kMaxPoints;
inline constexpr int kMaxDof = common1::kMaxDof;
inline constexpr int kMaxLoads = common1::kMaxLoads;
// Far beyond the 30000-twip canvas, yet every position still converts to screen pixels.
inline constexpr float kMaxCoordinate = 1e6f;
inline constexpr int kMinMagnification = 1, kMaxMagnification = 30000;
// The largest valid file is some tens of kilobytes; a bigger one is not a truss.
inline constexpr std::size_t kMaxFileSize = 1 << 20;

struct point_line {
  bool Enabled = true;
  Integer F_type_x = 0, F_type_y = 0;
  Byte R_type = 0;
  Single x = 0, y = 0;
  bool operator==(const point_line&) const = default;
};

// A bar row: the two points it joins (a < b), or none for a bar slot without a bar.
struct bar_row {
  Integer a = -1, b = -1;
  bool is_bar() const { return a >= 0; }
  bool operator==(const bar_row&) const = default;
};

struct load_pair {
  Single value = 0;
  Integer dof = 0;
  bool operator==(const load_pair&) const = default;
};

struct contents {
  Integer dof_count = 0;
  std::vector<bar_row> bars;       // n rows
  std::vector<point_line> points;  // m lines
  std::vector<Single> E, A;         // n values each
  std::vector<load_pair> loads;
  Long magnification = 1;
  bool operator==(const contents&) const = default;
};

// The truss a file's text holds, or nothing for a damaged file (why, when asked, says what is wrong).
std::optional<contents> read(std::string_view text, std::string* why = nullptr);
// The text of a file holding the truss.
std::string write(const contents& c);

// Writes text to path so that the file is either the old one, whole, or the new one, whole: into a new
// file in the same folder, renamed over the target only when every byte is written and flushed.
bool save_text(const std::string& path, const std::string& text);
// The write call the saving uses; tests put a failing one in (a full disk).
inline ssize_t (*write_call)(int fd, const void* data, std::size_t size) = nullptr;

}  // namespace truss_file
