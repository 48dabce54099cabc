// A random walk of user events over the beam program: whatever the user does, the beam stays a sound
// model and what is shown belongs to it.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>
#include <filesystem>

#include <unistd.h>
#include <sstream>

#include "beam/workspace/tests/workspace_fixture.h"
#include "tests/walk/walker.h"

using namespace Module20;

namespace {

// Everything the solution depends on, as text: when it differs from what it was when the graphs were
// drawn, the graphs belong to another beam.
std::string beamInputs() {
  std::ostringstream o;
  o << int(n_elem) << ';';
  for (int i = 0; i <= n_elem && node_list.contains(i); ++i) o << node_list(i).obj << '@' << node_list(i).x << ',';
  // Loads not on the beam carry nothing.
  for (int k = 21; k <= 30; ++k)
    if (forces(k).on == True) o << k << ' ' << forces(k).value << ' ' << forces(k).pos << ',';
  for (int k = 31; k <= 40; ++k)
    if (moments(k).on == True) o << k << ' ' << moments(k).value << ' ' << moments(k).pos << ',';
  for (int k = 41; k <= 50; ++k)
    if (dist_loads(k).on == True)
      o << k << ' ' << dist_loads(k).value << ' ' << dist_loads(k).pos << ' ' << dist_loads(k).span << ',';
  for (int e = 1; e <= n_elem && elem.contains(e); ++e) o << elem(e).E_rel << ' ' << elem(e).I_rel << ',';
  o << unit_F << ' ' << unit_E << ' ' << unit_I << ' ' << unit_L;
  return o.str();
}

std::string num(double v) {
  std::ostringstream o;
  o << v;
  return o.str();
}

// A point force (force) or moment k (1..10): placed on the beam and held by exactly the element or
// node at its position; when not placed, held nowhere.
std::string checkPoint(bool force, int k) {
  const load_rec& obj = force ? forces(20 + k) : moments(30 + k);
  const std::string name = std::string(force ? "force " : "moment ") + std::to_string((force ? 20 : 30) + k);
  int holders = 0;
  for (int e = 1; e <= n_elem; ++e) {
    const elem_rec& el = elem(e);
    const load_rec& slot = force ? el.p_load(k) : el.m_load(k);
    if (slot.on != True) continue;
    ++holders;
    if (obj.on != True) continue;
    if (!(slot.pos >= 0 && slot.pos < el.length))
      return name + " is held by element " + std::to_string(e) + " at " + num(slot.pos) + ", outside its length " + num(el.length);
    if (std::abs(Single(el.x_start) + slot.pos - obj.pos) > 0.5f)
      return name + " at " + num(obj.pos) + " is held by element " + std::to_string(e) + " at " + num(el.x_start + slot.pos);
  }
  const bool atNode = (force ? node_force(k).dof : node_moment(k).dof) > 0 || (force ? force_at_node(k) : moment_at_node(k)) != 0;
  if (atNode) {
    ++holders;
    bool found = false;
    for (int i = 0; i <= n_elem; ++i) found = found || std::abs(Single(node_list(i).x) - obj.pos) <= 0.5f;
    if (obj.on == True && !found) return name + " is held by a node, but no node stands at " + num(obj.pos);
  }
  if (obj.on == True) {
    if (!(obj.pos >= 0 && obj.pos <= 10000)) return name + " is placed off the beam, at " + num(obj.pos);
    if (holders != 1) return name + " is placed at " + num(obj.pos) + " and held by " + std::to_string(holders) + " places";
  } else if (holders != 0) {
    return name + " is not placed but still held by " + std::to_string(holders) + " places";
  }
  return "";
}

std::string checkDist(int k) {
  const dist_rec& obj = dist_loads(40 + k);
  const std::string name = "distributed load " + std::to_string(40 + k);
  int first = 0, last = 0, count = 0;
  Single span = 0;
  for (int e = 1; e <= n_elem; ++e) {
    const dist_rec& slot = elem(e).w_load(k);
    if (slot.on != True) continue;
    if (first == 0) first = e;
    last = e;
    ++count;
    span += slot.span;
    if (!(slot.pos >= 0 && slot.pos < elem(e).length + 0.5f && slot.pos + slot.span <= elem(e).length + 0.5f))
      return name + " lies outside element " + std::to_string(e) + ": from " + num(slot.pos) + " over " + num(slot.span);
  }
  if (obj.on != True) {
    if (count) return name + " is not placed but still held by " + std::to_string(count) + " elements";
    return "";
  }
  if (!(obj.pos >= 0 && obj.pos + obj.span <= 10000.5f))
    return name + " is placed off the beam: from " + num(obj.pos) + " over " + num(obj.span);
  if (count == 0) return name + " is placed but no element holds it";
  if (last - first + 1 != count) return name + " is held by elements with a gap between them";
  if (std::abs(Single(elem(first).x_start) + elem(first).w_load(k).pos - obj.pos) > 0.5f)
    return name + " at " + num(obj.pos) + " starts in element " + std::to_string(first) + " at " +
           num(elem(first).x_start + elem(first).w_load(k).pos);
  if (std::abs(span - obj.span) > 1) return name + " spans " + num(obj.span) + " but its elements hold " + num(span);
  return "";
}

// A number as the readout formats it: digits, a point, digits, perhaps a sign.
bool formatted(const std::string& t) {
  std::size_t i = t[0] == '-' ? 1 : 0, digits = 0, points = 0;
  for (; i < t.size(); ++i) {
    if (std::isdigit((unsigned char)t[i])) ++digits;
    else if (t[i] == '.') ++points;
    else return false;
  }
  return digits > 0 && points == 1;
}

struct BeamWatch {
  walk::Shown graphs, readout;
  // How far the walk got: for the report of a long walk.
  long solved = 0, mechanisms = 0;
  int mostElements = 0, mostLoads = 0;

  // A new run of the program: nothing was drawn yet.
  void restart() {
    graphs.forget();
    readout.forget();
  }

  std::string check() {
    // While the main window loads (its splash up), the model is not made yet.
    if (!Form20Form.exists() || !Form20Form->loaded() || !Form20Form->Visible.get()) return "";
    Form20& f = *Form20Form;
    const int n = n_elem;
    if (n < 1 || n > 21) return "n_elem is " + std::to_string(n);
    if (node_list(0).x != 0) return "the first node stands at " + std::to_string(node_list(0).x);
    if (node_list(n).x != 10000) return "the last node stands at " + std::to_string(node_list(n).x);
    for (int e = 1; e <= n; ++e) {
      const int a = node_list(e - 1).x, b = node_list(e).x;
      if (b <= a) return "the node list is not sorted: node " + std::to_string(e) + " at " + std::to_string(b);
      if (e < n && (node_list(e).obj < 1 || node_list(e).obj > 20))
        return "inner node " + std::to_string(e) + " holds object " + std::to_string(node_list(e).obj);
      const elem_rec& el = elem(e);
      if (el.x_start != a || std::abs(el.length - Single(b - a)) > 0.5f || el.length < 1)
        return "element " + std::to_string(e) + " runs from " + std::to_string(el.x_start) + " over " + num(el.length) +
               ", its nodes from " + std::to_string(a) + " to " + std::to_string(b);
    }
    for (int k = 1; k <= 10; ++k) {
      for (bool force : {true, false})
        if (std::string bad = checkPoint(force, k); !bad.empty()) return bad;
      if (std::string bad = checkDist(k); !bad.empty()) return bad;
    }
    mostElements = std::max(mostElements, n);
    mostLoads = std::max(mostLoads, load_count(1) + load_count(2) + load_count(3));
    if (mechanism == True) ++mechanisms;
    if (!f.Picture3.drawn().empty()) ++solved;
    const std::string inputs = beamInputs();
    // A solve draws the graphs again and writes the readout, perhaps with the same numbers.
    const bool drawn = graphs.note(std::to_string(f.Picture3.revision()), inputs);
    if (!f.Picture3.drawn().empty()) {
      if (!graphs.current(inputs)) return "the graphs show the solution of an earlier beam";
      if (mechanism == True) return "the graphs show a solution of a mechanism";
    }
    // The readout: values the program wrote (what the user typed into its boxes is his own text).
    std::string texts;
    bool shown = false, values = true;
    for (int g = 0; g <= 2; ++g)
      if (f.Text2.exists(g)) {
        const std::string& t = f.Text2[g].Text.get();
        texts += t + "|";
        shown = shown || (f.Text2[g].shownInContainer() && !t.empty());
        values = values && (t.empty() || formatted(t));
      }
    shown = shown && values;
    if (!readout.note(texts, inputs) && drawn) readout.remade(inputs);
    if (shown && !readout.current(inputs)) return "the readout shows values of an earlier beam: " + texts;
    return "";
  }
};

// The walk's aim: a beam that is held (two supports on it) and loaded, so that most events meet a
// solved beam, built as the user builds it: an icon added from the menu, then dragged onto the beam;
// and once it stands, its loads dragged along it.
bool beamAim(walk::Walk& w) {
  if (!Form20Form.exists() || !Form20Form->loaded() || !Form20Form->Visible.get()) return false;
  Form20& f = *Form20Form;
  auto onBeam = [](int obj) {
    for (int i = 0; i <= n_elem; ++i)
      if (node_list(i).obj == obj) return true;
    return false;
  };
  auto placed = [&](int k) {
    return k <= 20 ? onBeam(k) : k <= 30 ? forces(k).on == True : k <= 40 ? moments(k).on == True : dist_loads(k).on == True;
  };
  int supports = 0, loads = 0;
  for (int k = 1; k <= 5; ++k) supports += onBeam(k);
  for (int k = 21; k <= 50; ++k) loads += placed(k);
  const float x = float(w.uniform(int(canvas::kBeamLeft) + 200, int(canvas::kBeamRight) - 200));
  const float y = (canvas::kBandTop + canvas::kBandBottom) / 2;
  struct Kind {
    int first, last;
    const char* menu;
    const char* item;
  };
  const Kind support{1, 5, "הוספת אובייקטים", "סמך"};
  const Kind kinds[] = {{21, 30, "הוספת אובייקטים", "כח"}, {31, 40, "הוספת אובייקטים", "מומנט"}, {41, 50, "הוספת אובייקטים", "כח רציף"}};
  if (supports >= 2 && loads >= 1 && w.chance(0.6)) {
    // A load already on the beam, moved along it.
    std::vector<int> on;
    for (int k = 21; k <= 50; ++k)
      if (placed(k) && f.Image1[k].Visible.get()) on.push_back(k);
    if (!on.empty()) return w.dragControl(f.Image1[on[std::size_t(w.uniform(0, int(on.size()) - 1))]], f.Picture7, x, y);
  }
  const Kind& kind = supports < 2 || (supports < 5 && w.chance(0.3)) ? support : kinds[w.uniform(0, 2)];
  for (int k = kind.first; k <= kind.last; ++k)
    if (f.Image1[k].Visible.get() && !placed(k)) return w.dragControl(f.Image1[k], f.Picture7, x, y);
  return w.chooseMenu(f, kind.menu, kind.item);
}

struct BeamWalk : ::testing::Test {
  std::filesystem::path dir = std::filesystem::temp_directory_path() / ("kesvo-beam-walk-" + std::to_string(getpid()));
  void SetUp() override {
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    for (const char* file : {"TIPOFDAY.TXT", "TIPOK.txt"})
      std::filesystem::copy_file(std::filesystem::path(KESVO_BEAM_DIR) / file, dir / file);
  }
  void TearDown() override {
    Workspace::resetAll();
    std::filesystem::remove_all(dir);
  }
};

TEST_F(BeamWalk, NoEventBreaksTheBeamOrShowsAStaleOrNonFiniteResult) {
  // Most events meet a solved beam, each a solve and a drawing of the graphs: 2000 of them take the time
  // 5000 events of a beam that was mostly a mechanism took.
  walk::Settings settings = walk::Settings::fromEnvironment(2000, 20261210);
  BeamWatch watch;
  walk::Walk* self = nullptr;
  walk::Walk w(
      settings,
      [&]() -> ui::Form& {
        Workspace::resetAll();
        watch.restart();
        self->services().folder = dir.string();
        Form20Form->Show();
        return *Form20Form;
      },
      [&] { return watch.check(); });
  self = &w;
  w.setAim(0.4, beamAim);
  std::string failure = w.run();
  EXPECT_EQ(failure, "");
  std::printf("beam walk, seed %llu: %s\n  events with graphs %ld (%.0f%% of the events), with a mechanism %ld; most elements %d, most loads %d\n",
              (unsigned long long)settings.seed, w.statistics().c_str(), watch.solved,
              100.0 * double(watch.solved) / double(std::max(1L, w.eventCount())), watch.mechanisms, watch.mostElements,
              watch.mostLoads);
  walk::Walk::closeAll();
  Workspace::resetAll();
}

}  // namespace
