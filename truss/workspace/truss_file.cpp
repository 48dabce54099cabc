#include "truss/workspace/truss_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace truss_file {

namespace {

// Thrown inside the reader only; read() turns it into "damaged".
struct damaged {
  std::string why;
};

[[noreturn]] void refuse(std::string why) { throw damaged{std::move(why)}; }

struct item {
  std::string_view text;  // without the quotes of a text item
  bool quoted = false;
};

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// The text as lines, each ended by LF or CR LF (the last one may lack its end).
class lines {
 public:
  explicit lines(std::string_view text) : rest_(text) {
    if (rest_.substr(0, 3) == "\xEF\xBB\xBF") rest_.remove_prefix(3);
  }

  std::string_view next(const char* what) {
    if (rest_.empty()) refuse(std::string("the file ends before ") + what);
    std::string_view line;
    const std::size_t end = rest_.find('\n');
    if (end == std::string_view::npos) {
      line = rest_;
      rest_ = {};
    } else {
      line = rest_.substr(0, end);
      rest_.remove_prefix(end + 1);
    }
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
  }

  // Only blank lines may follow the last line.
  void finish() {
    while (!rest_.empty())
      if (!trimmed(next("the end")).empty()) refuse("text after the last line");
  }

 private:
  std::string_view rest_;
};

std::vector<item> items(std::string_view line) {
  std::vector<item> out;
  std::size_t pos = 0;
  while (true) {
    std::size_t comma = pos;
    bool inQuotes = false;
    while (comma < line.size() && (inQuotes || line[comma] != ',')) {
      if (line[comma] == '"') inQuotes = !inQuotes;
      ++comma;
    }
    if (inQuotes) refuse("a text item without its closing quote");
    std::string_view s = trimmed(line.substr(pos, comma - pos));
    item it{s, false};
    if (s.find('"') != std::string_view::npos) {
      if (s.size() < 2 || s.front() != '"' || s.back() != '"' || s.substr(1, s.size() - 2).find('"') != s.npos)
        refuse("a quote inside an item");
      it = item{s.substr(1, s.size() - 2), true};
    }
    out.push_back(it);
    if (comma >= line.size()) return out;
    pos = comma + 1;
  }
}

std::vector<item> items(lines& in, const char* what, std::size_t count) {
  std::vector<item> it = items(in.next(what));
  if (it.size() != count) refuse(std::string("wrong number of items in ") + what);
  return it;
}

long long integer(const item& it, long long lo, long long hi, const char* what) {
  long long v = 0;
  const char* b = it.text.data();
  const char* e = b + it.text.size();
  auto [p, ec] = std::from_chars(b, e, v);
  if (it.quoted || it.text.empty() || ec != std::errc() || p != e) refuse(std::string(what) + " is not a whole number");
  if (v < lo || v > hi) refuse(std::string(what) + " is out of range");
  return v;
}

float number(const item& it, const char* what) {
  float v = 0;
  const char* b = it.text.data();
  const char* e = b + it.text.size();
  auto [p, ec] = std::from_chars(b, e, v, std::chars_format::general);
  if (it.quoted || it.text.empty() || ec != std::errc() || p != e || !std::isfinite(v))
    refuse(std::string(what) + " is not a number");
  return v;
}

float not_negative(const item& it, const char* what) {
  const float v = number(it, what);
  if (v < 0) refuse(std::string(what) + " is negative");
  return v;
}

contents parse(std::string_view text) {
  lines in(text);
  contents c;
  {
    std::vector<item> sig = items(in, "the signature", 1);
    if (sig[0].text != kSignature) refuse("not a truss file");
  }
  const int n = int(integer(items(in, "the bar count", 1)[0], 0, kMaxBars, "the bar count"));
  const int m = int(integer(items(in, "the point count", 1)[0], 1, kMaxPoints, "the point count"));
  c.dof_count = Integer(integer(items(in, "the count of free directions", 1)[0], 0, kMaxDof, "the count of free directions"));

  for (int j = 0; j < n; ++j) {
    // The row's own number, its last item, is not looked at: a bar is known by its place.
    std::vector<item> row = items(in, "a bar row", std::size_t(m) + 1);
    std::vector<int> ends;
    for (int p = 0; p < m; ++p) {
      const std::string_view mark = row[std::size_t(p)].text;
      if (mark == "1")
        ends.push_back(p);
      else if (mark != "0")
        refuse("a bar row mark is neither 0 nor 1");
    }
    if (ends.size() == 2)
      c.bars.push_back(bar_row{Integer(ends[0]), Integer(ends[1])});
    else if (ends.empty())
      c.bars.push_back(bar_row{});
    else
      refuse("a bar row whose marks are not a bar's two ends");
  }

  int loads = 0;
  for (int p = 0; p < m; ++p) {
    std::vector<item> it = items(in, "a point line", 6);
    point_line pt;
    if (it[0].quoted || (it[0].text != "#TRUE#" && it[0].text != "#FALSE#")) refuse("a point's Enabled is not #TRUE# or #FALSE#");
    pt.Enabled = it[0].text == "#TRUE#";
    pt.F_type_x = Integer(integer(it[1], -1, 1, "F_type_x"));
    pt.F_type_y = Integer(integer(it[2], -1, 1, "F_type_y"));
    pt.R_type = Byte(integer(it[3], common1::kNoSupport, common1::kRollerInY, "R_type"));
    pt.x = number(it[4], "x");
    pt.y = number(it[5], "y");
    if (std::fabs(pt.x) > kMaxCoordinate || std::fabs(pt.y) > kMaxCoordinate) refuse("a point far off the canvas");
    if (!pt.Enabled && (p == 0 || pt.F_type_x || pt.F_type_y || pt.R_type))
      refuse("a deleted point with a support or load, or point 0 deleted");
    // The editor's rules: a fixed point carries no load, a roller none across its free direction.
    if ((pt.R_type == common1::kFixedSupport && (pt.F_type_x || pt.F_type_y)) ||
        (pt.R_type == common1::kRollerInX && pt.F_type_y) || (pt.R_type == common1::kRollerInY && pt.F_type_x))
      refuse("a load that the point's support does not allow");
    loads += (pt.F_type_x != 0) + (pt.F_type_y != 0);
    c.points.push_back(pt);
  }
  if (loads > kMaxLoads) refuse("more loads than the editor can place");
  for (const bar_row& b : c.bars)
    if (b.is_bar() && (!c.points[std::size_t(b.a)].Enabled || !c.points[std::size_t(b.b)].Enabled))
      refuse("a bar at a deleted point");

  for (auto [values, what] : {std::pair{&c.E, "E"}, std::pair{&c.A, "A"}}) {
    std::vector<item> it = items(in, what, std::size_t(n) + 1);
    for (int j = 0; j < n; ++j) values->push_back(not_negative(it[std::size_t(j)], what));
  }

  {
    std::vector<item> it = items(in.next("the loads"));
    if (it.back().text != "F") refuse("the load line does not end with F");
    if ((it.size() - 1) % 2 != 0) refuse("a load without its direction number");
    for (std::size_t k = 0; k + 1 < it.size(); k += 2) {
      if (c.dof_count == 0) refuse("a load of a truss without free directions");
      const float value = not_negative(it[k], "a load");
      const int dof = int(integer(it[k + 1], 1, c.dof_count, "a load's direction number"));
      c.loads.push_back(load_pair{value, Integer(dof)});
    }
  }

  c.magnification =
      Long(integer(items(in, "the magnification", 1)[0], kMinMagnification, kMaxMagnification, "the magnification"));
  in.finish();
  return c;
}

std::string text_of(float v) {
  char buf[32];
  auto [p, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 7);
  return ec == std::errc() ? std::string(buf, p) : std::string("0");
}

}  // namespace

std::optional<contents> read(std::string_view text, std::string* why) {
  if (text.size() > kMaxFileSize) {
    if (why) *why = "too large";
    return std::nullopt;
  }
  try {
    return parse(text);
  } catch (const damaged& d) {
    if (why) *why = d.why;
    return std::nullopt;
  }
}

std::string write(const contents& c) {
  std::string out;
  auto end = [&out] { out += "\r\n"; };
  const std::size_t m = c.points.size();
  out += '"';
  out += kSignature;
  out += '"';
  end();
  out += std::to_string(c.bars.size());
  end();
  out += std::to_string(m);
  end();
  out += std::to_string(c.dof_count);
  end();
  for (std::size_t j = 0; j < c.bars.size(); ++j) {
    const bar_row& b = c.bars[j];
    for (std::size_t p = 0; p < m; ++p) {
      out += b.is_bar() && (int(p) == b.a || int(p) == b.b) ? '1' : '0';
      out += ',';
    }
    out += std::to_string(j);
    end();
  }
  for (const point_line& p : c.points) {
    out += p.Enabled ? "#TRUE#," : "#FALSE#,";
    out += std::to_string(p.F_type_x) + "," + std::to_string(p.F_type_y) + "," + std::to_string(int(p.R_type)) + ",";
    out += text_of(p.x) + "," + text_of(p.y);
    end();
  }
  for (auto [values, marker] : {std::pair{&c.E, "\"E\""}, std::pair{&c.A, "\"A\""}}) {
    for (float v : *values) out += text_of(v) + ",";
    out += marker;
    end();
  }
  for (const load_pair& l : c.loads) out += text_of(l.value) + "," + std::to_string(l.dof) + ",";
  out += "\"F\"";
  end();
  out += std::to_string(c.magnification);
  end();
  return out;
}

bool save_text(const std::string& path, const std::string& text) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path target(path);
  // A link stays a link: the file it points to is the one replaced.
  if (fs::is_symlink(target, ec)) {
    fs::path real = fs::canonical(target, ec);
    if (ec) return false;
    target = real;
  }
  if (fs::is_directory(target, ec) || target.filename().empty()) return false;
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = mkstemp(temp.data());
  if (fd < 0) return false;
  // The new file gets the old one's permissions, or those of any new file.
  struct stat st {};
  mode_t mode;
  if (::stat(target.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  bool ok = fchmod(fd, mode) == 0;
  auto put = write_call ? write_call : &::write;
  for (std::size_t done = 0; ok && done < text.size();) {
    const ssize_t k = put(fd, text.data() + done, text.size() - done);
    if (k < 0 && errno == EINTR) continue;
    if (k <= 0) {
      ok = false;
      break;
    }
    done += std::size_t(k);
  }
  if (ok && fsync(fd) != 0) ok = false;
  if (close(fd) != 0) ok = false;
  if (ok && std::rename(temp.c_str(), target.c_str()) != 0) ok = false;
  if (!ok) unlink(temp.c_str());
  return ok;
}

}  // namespace truss_file
