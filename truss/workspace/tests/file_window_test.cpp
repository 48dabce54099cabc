// Saving and opening trusses through the open/save window: round trips of the whole truss, refused files
// that leave the open truss untouched, and failed saves that leave the old file whole.
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <tuple>

#include "beam/solver/tests/beam_cases.h"
#include "truss/solver/tests/truss_fixture.h"
#include "truss/workspace/Form3.h"

namespace {

using namespace truss_test;
using namespace common1;
namespace fs = std::filesystem;

const char* const kNotATrussFile = "קבוץ זה אינו קובץ שמתאים לתוכנה";
const char* const kNotSaved = "שמירת הקובץ נכשלה - הקובץ לא נשמר";
const char* const kReplace = "הקובץ כבר קיים. להחליף אותו?";

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void spit(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }

// The truss as the user sees it: points by slot, bars in slot order (a bar is its two points, E and A),
// supports and loads by point, the loads by free direction, the magnification, and the solution.
struct Truss {
  std::vector<std::tuple<int, int, int, int, float, float>> points;  // slot, R_type, F_type_x, F_type_y, x, y
  std::vector<std::tuple<std::set<int>, float, float, float>> bars;  // ends, E, A, t
  std::vector<std::pair<int, int>> supports, loads;                  // (point, type)
  std::vector<float> f;                                              // f_value 1..dof_count
  int points_count = 0, dof_count = 0, magnification = 0;
  float max_sigma = 0;
};

Truss truss(Form1& f) {
  Truss t;
  t.points_count = points_count;
  for (int p = 0; p < points_count; ++p)
    if (P_data(p).Enabled && f.Image1[p].Visible.get())
      t.points.emplace_back(p, P_data(p).R_type, P_data(p).F_type_x, P_data(p).F_type_y, P_data(p).x, P_data(p).y);
  for (int j = 0; j < lines_count; ++j) {
    if (!f.Line1[j].Visible.get()) continue;
    std::set<int> ends;
    for (int p = 0; p < points_count; ++p)
      if (P_L_index(j, p, 0) == -1) ends.insert(p);
    t.bars.emplace_back(ends, line_E(j), line_A(j), line_t(j));
  }
  for (int s = 201; s < supports_count; ++s)
    if (R_data(s).Enabled && f.Image1[s].Visible.get()) t.supports.emplace_back(R_data(s).point_index, R_data(s).type_f);
  for (int k = 0; k < forces_count; ++k)
    if (F_data(k).Enabled && f.Picture2[k].Visible.get()) t.loads.emplace_back(F_data(k).point_index, F_data(k).type_f);
  std::sort(t.supports.begin(), t.supports.end());
  std::sort(t.loads.begin(), t.loads.end());
  for (int i = 1; i <= dof_count; ++i) t.f.push_back(f_value(i));
  t.dof_count = dof_count;
  t.magnification = f.Slider2.Value.get();
  t.max_sigma = max_sigma;
  return t;
}

void expectSame(const Truss& a, const Truss& b) {
  EXPECT_EQ(a.points, b.points);
  EXPECT_EQ(a.bars, b.bars);
  EXPECT_EQ(a.supports, b.supports);
  EXPECT_EQ(a.loads, b.loads);
  EXPECT_EQ(a.f, b.f);
  EXPECT_EQ(a.points_count, b.points_count);
  EXPECT_EQ(a.dof_count, b.dof_count);
  EXPECT_EQ(a.magnification, b.magnification);
  EXPECT_EQ(a.max_sigma, b.max_sigma);
}

// Everything of the open truss, to show that a refused file or a failed save changes nothing at all.
struct Everything {
  std::vector<std::tuple<bool, int, int, int, float, float>> points;
  std::vector<int16_t> incidence;
  std::vector<std::tuple<bool, int, int>> forces, supports;
  std::vector<float> values;
  std::vector<std::tuple<bool, float, float, float, float>> lines;
  std::vector<bool> markers;
  std::vector<int> counts;
  std::string caption;
  bool operator==(const Everything&) const = default;
};

Everything everything(Form1& f) {
  Everything e;
  for (int p = 0; p <= 50; ++p) {
    const point_rec& r = P_data(p);
    e.points.emplace_back(r.Enabled, r.R_type, r.F_type_x, r.F_type_y, r.x, r.y);
    for (int l = 0; l <= 200; ++l) {
      e.incidence.push_back(P_L_index(l, p, 0));
      e.incidence.push_back(P_L_index(l, p, 1));
    }
  }
  for (const force_rec& r : F_data) e.forces.emplace_back(r.Enabled, r.point_index, r.type_f);
  for (const support_rec& r : R_data) e.supports.emplace_back(r.Enabled, r.point_index, r.type_f);
  for (int i = 1; i <= 200; ++i) e.values.push_back(f_value(i));
  for (int j = 0; j <= 200; ++j) {
    e.values.push_back(line_E(j));
    e.values.push_back(line_A(j));
    e.values.push_back(line_t(j));
    const ui::LineControl& l = f.Line1[j];
    e.lines.emplace_back(l.Visible.get(), l.X1.get(), l.Y1.get(), l.X2.get(), l.Y2.get());
  }
  for (int i = 1; i <= 100; ++i) e.values.push_back(dof_u(i, 1));
  f.Image1.forEach([&e](int, ui::Image& m) { e.markers.push_back(m.Visible.get()); });
  f.Picture2.forEach([&e](int, ui::PictureBox& a) { e.markers.push_back(a.Visible.get()); });
  e.counts = {points_count, lines_count, forces_count, supports_count, dof_count, f.Slider2.Value.get(),
              f.bar_pending, f.aa4.Checked.get(), f.aa5.Checked.get()};
  e.caption = f.Caption.get();
  return e;
}

struct FileWindow : TrussFixture {
  fs::path dir;

  void SetUp() override {
    Form3Form.reset();
    TrussFixture::SetUp();
    dir = fs::temp_directory_path() /
          ("kesvo-truss-files-" + std::to_string(getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override {
    truss_file::write_call = nullptr;
    svc.onModal = nullptr;
    Form3Form.reset();
    TrussFixture::TearDown();
    fs::remove_all(dir);
  }

  // Chooses a menu item that opens the window, and drives the window with the script; returns whether
  // the window was still open after the script (a refused file or a failed save keeps it open).
  bool drive(ui::Menu& item, const std::function<void(Form3&)>& script) {
    bool open = false;
    svc.onModal = [&](ui::Form& form) {
      auto& w = dynamic_cast<Form3&>(form);
      script(w);
      open = w.loaded();
    };
    item.choose();
    svc.onModal = nullptr;
    return open;
  }
  bool save(const fs::path& folder, const std::string& name) {
    return drive(f().aa4, [&](Form3& w) {
      w.Dir1.Path = folder.string();
      w.Text1.Text = name;
      w.Command1.Value = true;
    });
  }
  bool open(const fs::path& folder, const std::string& name) {
    return drive(f().aa5, [&](Form3& w) {
      w.Dir1.Path = folder.string();
      w.Text2.Text = name;
      w.Command2.Value = true;
    });
  }
};

// The trusses of the round trips, built through the editor and the model variables the data window writes.
struct Build {
  const char* name;
  std::function<void(FileWindow&)> build;
};

void triangle(FileWindow& t) {
  int a = t.point(2000, 0), b = t.point(1000, 1500);
  t.tool(a, kRollerX);
  t.bar(0, a);
  t.bar(a, b);
  t.bar(b, 0);
  t.tool(b, kDown);
  t.tool(b, kRight);
}

const Build kBuilds[] = {
    {"a triangle with two loads", triangle},
    {"holes among the point slots and a deleted bar in the middle",
     [](FileWindow& t) {
       int a = t.point(2000, 0), hole = t.point(500, 500), b = t.point(1000, 1500), hole2 = t.point(3000, 3000);
       int c = t.point(3000, 1500);
       t.tool(a, kFixed);
       t.bar(0, b);
       t.bar(a, c);  // deleted below
       t.bar(a, b);
       t.bar(b, c);
       t.bar(a, c);
       t.tool(c, kUp);
       t.tool(c, kLeft);
       for (int p : {hole, hole2}) {
         t.select(kPoints);
         t.f().Image1_MouseMove(p, 0, 0, 0, 0);
         t.key(46);
       }
       t.select(kBars);
       t.f().Label6_MouseMove(1, 0, 0, 0, 0);
       t.key(46);
     }},
    {"per-bar E and A, zero and per-direction loads, a magnification",
     [](FileWindow& t) {
       triangle(t);
       t.solve();
       line_E(0) = 70.5f;
       line_A(1) = 250;
       line_E(2) = 0.125f;
       f_value(1) = 0;
       f_value(2) = 2500;
       f_value(3) = 12.75f;
       t.f().Slider2.Value = 4321;
     }},
    {"point 0 on a roller with loads, and a roller moving in y",
     [](FileWindow& t) {
       int a = t.point(2000, 0), b = t.point(1000, 1500);
       t.select(kSupports);
       t.f().Image1_MouseMove(201, 0, 0, 0, 0);
       t.key(46);
       t.tool(0, kRollerY);
       t.tool(0, kDown);
       t.tool(a, kFixed);
       t.tool(b, kRollerX);
       t.tool(b, kRight);
       t.bar(0, a);
       t.bar(a, b);
       t.bar(b, 0);
       t.f().Picture1_DragOver(t.f().Image1[0], kX0 + 300, kY0 - 45, 0);
     }},
};

struct RoundTrip : FileWindow, ::testing::WithParamInterface<Build> {};

TEST_P(RoundTrip, ASavedTrussOpensAsTheSameTruss) {
  const Build& b = GetParam();
  b.build(*this);
  solve();
  const Truss saved = truss(f());
  EXPECT_FALSE(save(dir, "truss.txt"));
  EXPECT_EQ(f().Caption.get(), "Kesvo - מסבכים   -   truss.txt");
  f().aa2_Click();
  point(4000, 4000);
  svc.answers = {ui::vbNo};  // the point may go
  EXPECT_FALSE(open(dir, "truss.txt"));
  svc.messages.erase(svc.messages.begin());
  expectSame(truss(f()), saved);
  EXPECT_EQ(f().Caption.get(), "Kesvo - מסבכים     -    truss.txt");
  EXPECT_TRUE(svc.messages.empty()) << svc.messages.front();
  EXPECT_FALSE(f().aa4.Checked.get() || f().aa5.Checked.get());
  EXPECT_EQ(origin_x, std::get<4>(saved.points.front()));
}
INSTANTIATE_TEST_SUITE_P(FileWindow, RoundTrip, ::testing::ValuesIn(kBuilds), caseName<Build>);

TEST_F(FileWindow, ZeroLoadsAndPerBarValuesStayWithTheirBarsAfterADeletedBar) {
  int a = point(2000, 0), b = point(1000, 1500);
  tool(a, kRollerX);
  bar(0, a);
  bar(0, b);  // bar 1, deleted below
  bar(a, b);
  bar(b, 0);
  tool(b, kDown);
  select(kBars);
  f().Label6_MouseMove(1, 0, 0, 0, 0);
  key(46);
  line_E(2) = 100;
  line_A(3) = 300;
  solve();
  f_value(1) = 0;
  save(dir, "t");
  open(dir, "t");
  // The rows that made bars are 0, 2 and 3; the editor gives them the lines 0, 1 and 2.
  EXPECT_EQ(line_E(1), 100);
  EXPECT_EQ(line_A(2), 300);
  EXPECT_EQ(line_E(2), 210);
  EXPECT_EQ(f_value(1), 0) << "a zero load stays zero";
}

TEST_F(FileWindow, SavingFillsTheHolesWithPointsWithoutBarsUntilTheNextSolve) {
  for (int i = 1; i <= 3; ++i) point(float(i) * 1000, 0);
  select(kPoints);
  f().Image1_MouseMove(2, 0, 0, 0, 0);
  key(46);
  save(dir, "holes");
  const std::string text = slurp(dir / "holes");
  EXPECT_NE(text.find("\r\n4\r\n"), std::string::npos);
  EXPECT_NE(text.find("#TRUE#,0,0,0,3168,29100\r\n#TRUE#,0,0,0,2,-200\r\n#TRUE#,0,0,0,5168,29100\r\n"), std::string::npos)
      << text;
  EXPECT_NE(text.find("\r\n\"F\"\r\n1\r\n"), std::string::npos) << "a truss never solved has only F in its load line";
  EXPECT_TRUE(f().Image1[2].Visible.get());
  EXPECT_EQ(P_data(2).x, 2);
  EXPECT_EQ(P_data(2).y, -200);
  solve();
  EXPECT_FALSE(f().Image1[2].Visible.get());
}

TEST_F(FileWindow, TheExampleFileOpensSolved) {
  spit(dir / "example.trs",
       "\"321499410\"\r\n3\r\n4\r\n5\r\n1,0,0,1,0\r\n0,1,0,1,1\r\n0,0,1,1,2\r\n#TRUE#,0,0,1,2168,29100\r\n"
       "#TRUE#,0,0,1,4168,29100\r\n#TRUE#,0,0,1,6168,29100\r\n#TRUE#,0,-1,0,4168,27100\r\n210,210,210,\"E\"\r\n"
       "1000,1000,1000,\"A\"\r\n1000,1,1000,2,\"F\"\r\n50\r\n");
  EXPECT_FALSE(open(dir, "example.trs"));
  EXPECT_TRUE(svc.messages.empty());
  EXPECT_EQ(points_count, 4);
  EXPECT_EQ(supports_count, 204);
  EXPECT_EQ(dof_count, 2);
  EXPECT_EQ(f().Slider2.Value.get(), 50);
  EXPECT_EQ(f().Label11.Caption.get(), " 50");
  // Three bars under a load down share it symmetrically, all in compression.
  EXPECT_NEAR(line_t(0), line_t(2), 1e-2);
  EXPECT_LT(line_t(1), line_t(0));
  EXPECT_LT(line_t(0), 0);
  EXPECT_TRUE(f().Line1[2].Visible.get());
  EXPECT_EQ(f().Line1[0].X1.get(), 4168) << "a bar runs from its later point to its earlier one";
}

// A bar left waiting goes with the old truss when a new one comes, and the bars a file makes are all
// finished: afterwards no hint asks for a second end.
TEST_F(FileWindow, AfterNewOrOpenNoHintAsksForASecondEnd) {
  spit(dir / "t.trs",
       "\"321499410\"\r\n3\r\n3\r\n0\r\n1,1,0,0\r\n0,1,1,1\r\n1,0,1,2\r\n#TRUE#,0,0,1,2168,29100\r\n"
       "#TRUE#,0,0,2,4168,29100\r\n#TRUE#,0,-1,0,3168,27100\r\n210,210,210,\"E\"\r\n1000,1000,1000,\"A\"\r\n"
       "\"F\"\r\n50\r\n");
  const struct {
    const char* name;
    std::function<void(FileWindow&)> replace;
  } ways[] = {
      {"new", [](FileWindow& t) { t.f().aa2.choose(); }},
      {"open", [](FileWindow& t) { EXPECT_FALSE(t.open(t.dir, "t.trs")) << "the window closes after the open"; }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.name);
    f().Image1_Click(point(1000, 0));
    ASSERT_EQ(f().Label7.Caption.get(), "חבר קצה שני");
    svc.answers = {ui::vbNo};
    way.replace(*this);
    EXPECT_EQ(f().bar_pending, 0);
    EXPECT_EQ(f().Label7.Caption.get(), "");
  }
}

TEST_F(FileWindow, AFilePointLineReadingFalseBecomesAPointWithoutBars) {
  spit(dir / "f",
       "\"321499410\"\n1\n3\n0\n1,0,1,0\n#TRUE#,0,0,1,2168,29100\n#FALSE#,0,0,0,9,9\n#TRUE#,0,-1,3,4168,27100\n"
       "210,\"E\"\n1000,\"A\"\n\"F\"\n1\n");
  open(dir, "f");
  EXPECT_TRUE(svc.messages.empty());
  EXPECT_FALSE(P_data(1).Enabled) << "removed again by the solve";
  EXPECT_EQ(P_data(1).y, -200);
  EXPECT_TRUE(P_data(2).Enabled);
  EXPECT_EQ(P_data(2).x, 4168) << "the point after it keeps its slot";
  EXPECT_EQ(P_data(2).F_type_y, -1);
}

TEST_F(FileWindow, ARefusedFileLeavesTheOpenTrussAsItWasWithOneMessage) {
  triangle(*this);
  solve();
  save(dir, "good");
  const std::string good = slurp(dir / "good");
  std::vector<std::pair<std::string, std::string>> files = {
      {"wrong signature", "\"321499411\"" + good.substr(good.find('\r'))},
      {"no F", good.substr(0, good.find(",\"F\"")) + good.substr(good.find(",\"F\"") + 4)},
      {"a count of -1", "\"321499410\"\r\n-1" + good.substr(good.find("\r\n", 13))},
      {"a count of 10^9", "\"321499410\"\r\n1000000000" + good.substr(good.find("\r\n", 13))},
      {"a non-numeric item", good.substr(0, good.find("210,")) + "abc," + good.substr(good.find("210,") + 4)},
  };
  const std::size_t loads = good.find(",1,", good.find("\"A\"\r\n"));
  files.emplace_back("a DOF of 0", good.substr(0, loads) + ",0," + good.substr(loads + 3));
  for (std::size_t end = good.find('\n'); end + 1 < good.size(); end = good.find('\n', end + 1))
    files.emplace_back("cut after byte " + std::to_string(end), good.substr(0, end + 1));
  fs::create_directories(dir / "a folder");
  files.emplace_back("", "");  // a name that does not exist
  const Everything before = everything(f());
  for (std::size_t k = 0; k < files.size(); ++k) {
    SCOPED_TRACE(files[k].first);
    svc.messages.clear();
    const std::string name = files[k].first.empty() ? "missing" : "bad" + std::to_string(k);
    if (!files[k].first.empty()) spit(dir / name, files[k].second);
    EXPECT_TRUE(open(dir, name)) << "the window stays open";
    EXPECT_EQ(svc.messages, std::vector<std::string>{kNotATrussFile});
    EXPECT_TRUE(everything(f()) == before);
  }
  svc.messages.clear();
  EXPECT_TRUE(open(dir, "a folder"));
  EXPECT_EQ(svc.messages, std::vector<std::string>{kNotATrussFile});
  EXPECT_TRUE(everything(f()) == before);
}

TEST_F(FileWindow, ADCountOnePastTheLoadsRefusesTheirDirectionNumber) {
  triangle(*this);
  solve();
  ASSERT_EQ(dof_count, 3);
  save(dir, "good");
  std::string text = slurp(dir / "good");
  const std::size_t at = text.find(",3,\"F\"");
  ASSERT_NE(at, std::string::npos) << text;
  spit(dir / "bad", text.substr(0, at) + ",4,\"F\"" + text.substr(at + 6));
  const Everything before = everything(f());
  EXPECT_TRUE(open(dir, "bad"));
  EXPECT_TRUE(everything(f()) == before);
  EXPECT_EQ(svc.messages.size(), 1u);
}

TEST_F(FileWindow, AFailedSaveLeavesTheOldFileWholeTheWindowOpenAndTheCaption) {
  triangle(*this);
  solve();
  spit(dir / "old", "the old file\r\n");
  const Everything before = everything(f());

  // A disk that fills up after the first bytes.
  truss_file::write_call = [](int fd, const void* data, std::size_t size) -> ssize_t {
    if (size > 16) return ::write(fd, data, 16);
    errno = ENOSPC;
    return -1;
  };
  svc.answers = {ui::vbYes};
  EXPECT_TRUE(save(dir, "old"));
  EXPECT_EQ(svc.messages, (std::vector<std::string>{kReplace, kNotSaved}));
  EXPECT_EQ(slurp(dir / "old"), "the old file\r\n");
  EXPECT_TRUE(everything(f()) == before);
  truss_file::write_call = nullptr;
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1) << "no temporary file is left";

  // A folder that cannot be written, whoever the user is, and a folder that is gone.
  for (fs::path folder : {fs::path("/proc"), dir / "gone"}) {
    svc.messages.clear();
    EXPECT_TRUE(drive(f().aa4, [&](Form3& w) {
      w.Dir1.Path = folder.string();
      w.Text1.Text = "truss";
      w.Command1.Value = true;
    }));
    EXPECT_EQ(svc.messages, std::vector<std::string>{kNotSaved}) << folder;
    EXPECT_TRUE(everything(f()) == before);
  }
}

TEST_F(FileWindow, OverwritingAsksFirst) {
  triangle(*this);
  spit(dir / "old", "the old file\r\n");
  svc.answers = {ui::vbNo};
  EXPECT_TRUE(save(dir, "old"));
  EXPECT_EQ(slurp(dir / "old"), "the old file\r\n");
  EXPECT_EQ(svc.messages, std::vector<std::string>{kReplace});
  svc.answers = {ui::vbYes};
  EXPECT_FALSE(save(dir, "old"));
  EXPECT_TRUE(truss_file::read(slurp(dir / "old")));
}

// A name that is a symbolic link is saved through it: the link stays a link, and the file it points to
// (by a relative link into another folder, or by a link to that link) takes the truss with its own
// permissions kept. A link that points to no file is not saved through: the message says so and the
// link stays as it was.
TEST_F(FileWindow, SavingThroughASymbolicLinkWritesTheFileItPointsTo) {
  triangle(*this);
  solve();
  const fs::path real = dir / "real" / "bridge.trs";
  fs::create_directories(real.parent_path());
  fs::create_symlink("real/bridge.trs", dir / "link.trs");
  fs::create_symlink("link.trs", dir / "second.trs");
  const fs::perms mine = fs::perms::owner_read | fs::perms::owner_write;
  for (const char* name : {"link.trs", "second.trs"}) {
    spit(real, "the old file\r\n");
    fs::permissions(real, mine);
    svc.messages.clear();
    svc.answers = {ui::vbYes};
    EXPECT_FALSE(save(dir, name)) << name << ": saved, the window closed";
    EXPECT_EQ(svc.messages, std::vector<std::string>{kReplace}) << name;
    EXPECT_TRUE(fs::is_symlink(dir / name)) << name;
    EXPECT_TRUE(truss_file::read(slurp(real))) << name;
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, mine) << name;
  }
  EXPECT_EQ(fs::read_symlink(dir / "link.trs"), "real/bridge.trs");
  EXPECT_EQ(fs::read_symlink(dir / "second.trs"), "link.trs");
  const int points = points_count;
  EXPECT_FALSE(open(dir, "link.trs")) << "it opens through the link";
  EXPECT_EQ(points_count, points);

  fs::create_symlink("real/none.trs", dir / "nowhere.trs");
  svc.messages.clear();
  EXPECT_TRUE(save(dir, "nowhere.trs"));
  EXPECT_EQ(svc.messages, std::vector<std::string>{kNotSaved});
  EXPECT_TRUE(fs::is_symlink(dir / "nowhere.trs"));
  EXPECT_FALSE(fs::exists(real.parent_path() / "none.trs"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 4) << "no temporary file is left";
  EXPECT_EQ(std::distance(fs::directory_iterator(real.parent_path()), fs::directory_iterator()), 1);
}

TEST_F(FileWindow, TheWindowShowsTheControlsOfItsModeAndTheListsChoose) {
  spit(dir / "a.trs", "x");
  spit(dir / "b.trs", "x");
  fs::create_directories(dir / "sub");
  drive(f().aa4, [&](Form3& w) {
    EXPECT_EQ(w.Caption.get(), "פתיחה/שמירה");
    EXPECT_TRUE(f().aa4.Checked.get());
    EXPECT_TRUE(w.Text1.Visible.get() && w.Label1.Visible.get() && w.Command1.Visible.get());
    EXPECT_FALSE(w.Text2.Visible.get() || w.Label2.Visible.get() || w.Command2.Visible.get());
    EXPECT_EQ(w.Command1.Caption.get(), "שמירה בשם     (כולל סיומת)");
    w.Dir1.Path = dir.string();
    EXPECT_EQ(w.File1.items(), (std::vector<std::string>{"a.trs", "b.trs"}));
    w.File1.userChoose(1);
    EXPECT_EQ(w.Text1.Text.get(), "b.trs");
    w.Text1.Text = "";
    w.Command1.Value = true;  // an empty name does nothing
    EXPECT_TRUE(w.loaded());
    w.Dir1.Path = "/";
    EXPECT_EQ(w.path_sep, "");
    w.Dir1.userOpen("tmp");
    EXPECT_EQ(w.path_sep, "/");
    w.Dir1.Path = dir.string();
  });
  EXPECT_FALSE(f().aa4.Checked.get()) << "closing the window clears the mark";
  drive(f().aa5, [&](Form3& w) {
    EXPECT_EQ(w.Dir1.Path.get(), dir.string()) << "the lists keep their folder";
    EXPECT_TRUE(w.Text2.Visible.get() && w.Command2.Visible.get());
    EXPECT_FALSE(w.Text1.Visible.get() || w.Command1.Visible.get());
    EXPECT_EQ(w.Text2.Text.get(), "");
    w.File1.userChoose(0);
    EXPECT_EQ(w.Text2.Text.get(), "a.trs");
    EXPECT_EQ(w.Text1.Text.get(), "");
  });
  EXPECT_FALSE(f().aa5.Checked.get());
  EXPECT_EQ(svc.modalShown, (std::vector<std::string>{"frmTrussSplash", "Form3", "Form3"}));
}

TEST_F(FileWindow, TheWindowOpensOverItsMainWindowAndOnTheScreen) {
  svc.screenW = 30000;
  svc.screenH = 16000;
  struct Case {
    const char* name;
    float left, top;
  } cases[] = {{"in the middle", 9000, 3000}, {"at the screen's bottom right", 24000, 12000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    f().Move(c.left, c.top);
    drive(f().aa4, [&](Form3& w) {
      const float cx = w.Left + w.Width / 2, cy = w.Top + w.Height / 2;
      EXPECT_GT(cx, f().Left.get());
      EXPECT_LT(cx, f().Left + f().Width);
      EXPECT_GT(cy, f().Top.get());
      EXPECT_LT(cy, f().Top + f().Height);
      EXPECT_LE(w.Left + w.Width, svc.screenW);
      EXPECT_LE(w.Top + w.Height, svc.screenH);
    });
  }
}

TEST_F(FileWindow, ClosingTheMainWindowUnloadsTheOpenSaveWindow) {
  drive(f().aa4, [&](Form3& w) {
    f().Unload();
    EXPECT_FALSE(w.loaded());
  });
}

// ---- a changed truss is not discarded unasked ----

const char* const kUnsaved = "השינויים במסבך לא נשמרו. לשמור אותם?";

// The four ways of discarding the truss on the canvas, each with what shows that it went.
struct Discard {
  const char* name;
  std::function<void(FileWindow&)> run;
  std::function<bool(FileWindow&)> went;
};
const Discard kDiscards[] = {
    {"the close box", [](FileWindow& t) { t.f().Unload(); }, [](FileWindow& t) { return !t.f().loaded(); }},
    {"File > Exit", [](FileWindow& t) { t.f().aa3.choose(); }, [](FileWindow& t) { return t.svc.ended; }},
    {"File > New", [](FileWindow& t) { t.f().aa2.choose(); },
     [](FileWindow& t) { return lines_count == 0 && t.f().Caption.get() == "Kesvo - מסבכים   -   חדש"; }},
    {"File > Open", [](FileWindow& t) { t.f().aa5.choose(); },
     [](FileWindow& t) { return t.f().Caption.get() == "Kesvo - מסבכים     -    other"; }},
};

struct Unsaved : FileWindow {
  // What the save window does when the question's Yes brings it up.
  enum Save { kSaves, kClosed, kFails } saving = kSaves;
  void SetUp() override {
    FileWindow::SetUp();
    svc.ended = false;
    svc.answers.clear();
    // The file the open window opens: point 0 alone, moved.
    truss_file::contents c = Form3::from_model();
    c.points[0].x += 500;
    spit(dir / "other", truss_file::write(c));
    script();
  }
  void script() {
    svc.onModal = [this](ui::Form& form) {
      auto* file = dynamic_cast<Form3*>(&form);
      if (!file) return;  // the splash
      Form3& w = *file;
      if (f().aa4.Checked.get()) {
        if (saving == kClosed) return;
        w.Dir1.Path = saving == kSaves ? dir.string() : "/proc";
        w.Text1.Text = "kept";
        w.Command1.Value = true;
      } else {
        w.Dir1.Path = dir.string();
        w.Text2.Text = "other";
        w.Command2.Value = true;
      }
    };
  }
};

struct StateCase {
  const char* name;
  std::function<void(Unsaved&)> make;
};
const StateCase kStateCases[] = {
    {"started", [](Unsaved&) {}},
    {"saved", [](Unsaved& t) {
       triangle(t);
       t.save(t.dir, "saved");
       t.script();
     }},
    {"opened", [](Unsaved& t) {
       triangle(t);
       t.svc.answers = {ui::vbNo};
       t.f().aa5.choose();
     }},
    {"made new", [](Unsaved& t) {
       triangle(t);
       t.svc.answers = {ui::vbNo};
       t.f().aa2.choose();
     }},
    {"solved, which removes the points no bar reaches", [](Unsaved& t) {
       triangle(t);
       t.save(t.dir, "saved");
       t.script();
       t.solve();
     }},
};

// The name of a case of a table combined with a way of discarding the truss.
template <class Case>
std::string withDiscard(const ::testing::TestParamInfo<std::tuple<Case, Discard>>& info, const char* joint) {
  const auto& [c, d] = info.param;
  const std::string name = std::string(c.name) + joint + d.name;
  Case named = c;
  named.name = name.c_str();
  return caseName(::testing::TestParamInfo<Case>(named, info.index));
}

struct Unchanged : Unsaved, ::testing::WithParamInterface<std::tuple<StateCase, Discard>> {};

TEST_P(Unchanged, AnUnchangedTrussGoesUnasked) {
  const auto& [c, d] = GetParam();
  c.make(*this);
  svc.messages.clear();
  d.run(*this);
  EXPECT_TRUE(svc.messages.empty()) << svc.messages.front();
  EXPECT_TRUE(d.went(*this));
}
INSTANTIATE_TEST_SUITE_P(Unsaved, Unchanged,
                         ::testing::Combine(::testing::ValuesIn(kStateCases), ::testing::ValuesIn(kDiscards)),
                         [](const auto& info) { return withDiscard(info, ", then "); });

struct AnswerCase {
  const char* name;
  int answer;
  Unsaved::Save saving;
  bool goes, saved;
};
const AnswerCase kAnswerCases[] = {
    {"cancel", ui::vbCancel, Unsaved::kSaves, false, false},
    {"discard", ui::vbNo, Unsaved::kSaves, true, false},
    {"save", ui::vbYes, Unsaved::kSaves, true, true},
    {"save, but the save window is closed", ui::vbYes, Unsaved::kClosed, false, false},
    {"save, but the save fails", ui::vbYes, Unsaved::kFails, false, false},
};

struct Answered : Unsaved, ::testing::WithParamInterface<std::tuple<AnswerCase, Discard>> {};

TEST_P(Answered, AChangedTrussIsSavedDiscardedOrKeptAsAnswered) {
  const auto& [c, d] = GetParam();
  triangle(*this);
  solve();
  const Everything before = everything(f());
  svc.messages.clear();
  svc.answers = {c.answer};
  saving = c.saving;
  d.run(*this);
  ASSERT_FALSE(svc.messages.empty());
  EXPECT_EQ(svc.messages.front(), kUnsaved);
  EXPECT_EQ(d.went(*this), c.goes);
  EXPECT_EQ(fs::exists(dir / "kept"), c.saved);
  if (!c.goes) {
  EXPECT_TRUE(everything(f()) == before);
  EXPECT_TRUE(f().loaded() && !svc.ended);
  EXPECT_TRUE(f2().solution_current) << "the solution stays with its truss";
  }
}
INSTANTIATE_TEST_SUITE_P(Unsaved, Answered,
                         ::testing::Combine(::testing::ValuesIn(kAnswerCases), ::testing::ValuesIn(kDiscards)),
                         [](const auto& info) { return withDiscard(info, ", answered "); });

struct EditCase {
  const char* name;
  std::function<void(Unsaved&)> edit;
};
const EditCase kEditCases[] = {
    {"a point added", [](Unsaved& t) { t.point(3000, 3000); }},
    {"a point dragged", [](Unsaved& t) { t.f().Picture1_DragOver(t.f().Image1[0], kX0 + 100, kY0, 0); }},
    {"a bar", [](Unsaved& t) { t.bar(0, t.point(1000, 0)); }},
    {"a support", [](Unsaved& t) { t.tool(t.point(1000, 0), kRollerX); }},
    {"a load", [](Unsaved& t) { t.tool(t.point(1000, 0), kDown); }},
    {"another E", [](Unsaved& t) {
     t.f2().Text2[0].Text = "70";
     t.f2().Command6_Click();
     }},
    {"another load", [](Unsaved& t) {
     t.f2().Text3.Text = "5";
     t.f2().Command5_Click();
     }},
    // The file keeps it.
    {"another magnification", [](Unsaved& t) { t.f().Slider2.Value = 250; }},
};

struct AnEdit : Unsaved, ::testing::WithParamInterface<EditCase> {};

TEST_P(AnEdit, ChangesTheTruss) {
  const EditCase& c = GetParam();
  c.edit(*this);
  EXPECT_TRUE(f().truss_changed);
}
INSTANTIATE_TEST_SUITE_P(Unsaved, AnEdit, ::testing::ValuesIn(kEditCases), caseName<EditCase>);

}  // namespace

#include <QFontMetrics>
#include <QToolButton>

#include "ui/qt_services.h"
#include "ui/views.h"

// The save button's caption is wider than the button: it shows on two lines, broken at its blanks,
// each of them whole.
TEST(FileWindowOnScreen, TheSaveButtonsCaptionIsNotClipped) {
  ui::QtServices svc("truss");
  Form3Form.reset();
  Form1Form.reset();
  Form1Form->aa4.Checked = true;
  Form3& w = *Form3Form;
  w.Load();
  ui::realize(w)->show();
  auto* button = qobject_cast<QToolButton*>(ui::childHost(w.Command1));
  ASSERT_NE(button, nullptr);
  const int room = button->width() - 6;
  const QStringList lines = ui::wrapCaption(button->fontMetrics(), button->text(), room);
  EXPECT_EQ(lines, (QStringList{"שמירה בשם", "(כולל סיומת)"}));
  for (const QString& line : lines) EXPECT_LE(button->fontMetrics().horizontalAdvance(line), room);
  EXPECT_LE(int(lines.size()) * button->fontMetrics().height(), button->height() - 6);
  ui::unrealize(w);
  Form3Form.reset();
  Form1Form.reset();
}
