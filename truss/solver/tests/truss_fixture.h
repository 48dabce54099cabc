#pragma once
// A fresh truss program for each test: the main window started (its splash dismissed by the scripted
// services), the model at its start-up state, and helpers that build a truss through the editor's own
// handlers, as the user's clicks would.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "truss/solver/Form2.h"
#include "truss/solver/common1.h"
#include "truss/workspace/Form1.h"
#include "truss/workspace/frmTrussSplash.h"
#include "ui/testing.h"
#include "ui/vbtext.h"

namespace truss_test {

// Point 0, the origin, stands here after every reset.
inline constexpr float kX0 = Form1::kOriginX, kY0 = Form1::kOriginY;

// Tools of Option4 and selection modes of Option3.
using Tool = Form1::Tool;
using enum Form1::Tool;
using Mode = Form1::Mode;
using enum Form1::Mode;

// Every model variable as the program starts.
inline void resetModel() { common1::state = common1::variables{}; }

struct TrussFixture : ::testing::Test {
  ui::ScriptedServices svc;

  void SetUp() override {
    Form2Form.reset();
    Form1Form.reset();
    frmTrussSplashForm.reset();
    resetModel();
    svc.messages.clear();
    svc.titles.clear();
    svc.started.clear();
    Form1Form->Show();
  }
  void TearDown() override {
    Form2Form.reset();
    Form1Form.reset();
    frmTrussSplashForm.reset();
  }

  Form1& f() { return *Form1Form; }
  Form2& f2() { return *Form2Form; }

  // A point at (dx, dy) twips from point 0, y upwards; returns its slot.
  int point(float dx, float dy) {
    int before = common1::points_count;
    f().Picture1_MouseUp(ui::vbLeftButton, 0, kX0 + dx, kY0 - dy);
    for (int v = 0; v <= before && v < 50; ++v)
      if (common1::P_data(v).Enabled && common1::P_data(v).x == kX0 + dx && common1::P_data(v).y == kY0 - dy)
        return v;
    return -1;
  }
  void bar(int a, int b) {
    f().Option4[kBar].Value = true;
    f().Image1_Click(a);
    f().Image1_Click(b);
  }
  void tool(int p, Tool t) {
    f().Option4[t].Value = true;
    f().Image1_MouseDown(p, 0, 0, 0, 0);
    f().Option4[kBar].Value = true;
  }
  // Two bars at 45 degrees to two fixed supports (point 0 and p1), the top point p2 loaded; bar 0 and bar 1.
  int p1 = -1, p2 = -1;
  void twoBars(Tool load = kDown) {
    p1 = point(2000, 0);
    p2 = point(1000, 1000);
    tool(p1, kFixed);
    tool(p2, load);
    bar(0, p2);
    bar(p1, p2);
  }
  void solve() { f().cc1_Click(); }
  void select(Mode m) { f().Option3[m].Value = true; }
  void key(int code) { f().Form_KeyDown(code, 0); }
  double cell(ui::Grid& g, int r, int c) { return ui::Val(g.TextMatrix(r, c)); }
};

}  // namespace truss_test
