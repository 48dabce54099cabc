#pragma once
// The beam program started as the user starts it (splash closed by the script), in a folder of its
// own for the tip files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "beam/solver/Module20.h"
#include "beam/solver/tests/beam_places.h"
#include "beam/workspace/Form10.h"
#include "beam/workspace/Form20.h"
#include "beam/workspace/frmSplash.h"
#include "beam/workspace/frmTip.h"
#include "beam/workspace/properties.h"
#include "ui/testing.h"

struct Workspace : ::testing::Test {
  ui::ScriptedServices svc;
  std::filesystem::path dir;

  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    // A parameterised test's names hold slashes: the folder is one level, whatever the name.
    std::string name = std::string("kesvo-beam-") + info->test_suite_name() + "-" + info->name();
    std::replace(name.begin(), name.end(), '/', '-');
    dir = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    svc.folder = dir.string();
    resetAll();
  }
  void TearDown() override {
    resetAll();
    std::filesystem::remove_all(dir);
  }
  static void resetAll() {
    Form20Form.reset();
    Form10Form.reset();
    frmSplashForm.reset();
    frmTipForm.reset();
    propertiesForm.reset();
    Module20::Module20_initialize();
  }
  void write(const char* name, const std::string& bytes) { std::ofstream(dir / name, std::ios::binary) << bytes; }
  std::string read(const char* name) {
    std::ifstream in(dir / name, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  Form20& start() {
    Form20Form->Load();
    return *Form20Form;
  }
  // The user takes icon k by its top left corner and drops it with its Left at X and the pointer at Y: the
  // canvas gets the drop as the mouse gives it.
  void drop(int k, float X, float Y) {
    Form20& f = *Form20Form;
    f.image1_MouseMove(k, 0, 0, 0, 0);
    f.Picture7.DragDrop(f.Image1[k], X, Y);
  }
  // The user drops icon k onto the beam at `at` (twips(x) or fraction(f) of the beam).
  void dropAt(int k, Along at) { drop(k, iconLeftAt(Integer(k), Form20Form->Image1[k].Width, at), onBeamY(Integer(k))); }
  // Supports on both ends and a unit force whose centre stands at x twips from the left end.
  void simplySupported(float x) {
    dropAt(1, fraction(0));
    dropAt(2, fraction(1));
    dropAt(21, twips(x));
  }
  // Where node object k stands: kOnLeftEnd, kOnRightEnd, or the x of its inner node (kNowhere when off
  // the beam).
  static constexpr int kOnLeftEnd = -1, kOnRightEnd = -2, kNowhere = -3;
  static int placeOf(int k) {
    using namespace Module20;
    if (left_end == True && node_list(0).obj == k) return kOnLeftEnd;
    if (right_end == True && node_list(n_elem).obj == k) return kOnRightEnd;
    for (int i = 1; i < n_elem; ++i)
      if (node_list(i).obj == k) return node_list(i).x;
    return kNowhere;
  }
  void key(int code, int repeats = 1) {
    for (int i = 0; i < repeats; ++i) {
      int c = code;
      Form20Form->Form_KeyDown(c, 0);
    }
    int c = code;
    Form20Form->Form_KeyUp(c, 0);
  }
};
