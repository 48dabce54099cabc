// The controls' model: values held exactly as set, and the events that setting a value fires.
#include <gtest/gtest.h>

#include "ui/control_array.h"
#include "ui/picturebox.h"
#include "ui/form.h"
#include "ui/testing.h"

namespace {

struct TestForm : ui::Form {
  TestForm() : ui::Form("TestForm") {}
  ui::Frame Frame1{this, nullptr, "Frame1"};
  ui::CommandButton Command1{this, nullptr, "Command1"};
  ui::CheckBox Check1{this, nullptr, "Check1"};
  ui::OptionButton OptA{this, &Frame1, "OptA"}, OptB{this, &Frame1, "OptB"};
  ui::OptionButton OptOther{this, nullptr, "OptOther"};
  ui::ComboBox Combo1{this, nullptr, "Combo1"};
  ui::Slider Slider1{this, nullptr, "Slider1"};
  ui::TextBox Text1{this, nullptr, "Text1"};
  ui::Image Image1{this, nullptr, "Image1"};
  ui::Timer Timer1{this, nullptr, "Timer1"};
  int loads = 0, unloads = 0, cancel = 0;
  void Form_Load() override { ++loads; }
  void Form_Unload(int& Cancel) override {
    ++unloads;
    Cancel = cancel;
  }
};

struct Controls : ::testing::Test {
  ui::ScriptedServices svc;
  TestForm f;
};

TEST_F(Controls, ButtonValueTruePressesAtOnceEveryTime) {
  int clicks = 0;
  f.Command1.Click = [&] { ++clicks; };
  f.Command1.Value = true;
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(f.Command1.Value.get());
  f.Command1.Value = true;
  EXPECT_EQ(clicks, 2);
  f.Command1.Value = false;
  EXPECT_EQ(clicks, 2);
}

TEST_F(Controls, CheckBoxClickRunsOnlyWhenTheValueChanges) {
  int clicks = 0;
  f.Check1.Click = [&] { ++clicks; };
  f.Check1.Value = 0;
  EXPECT_EQ(clicks, 0);
  f.Check1.Value = 1;
  f.Check1.Value = 1;
  EXPECT_EQ(clicks, 1);
  f.Check1.Value = 0;
  EXPECT_EQ(clicks, 2);
}

TEST_F(Controls, OptionButtonsAreExclusiveWithinTheirContainer) {
  std::vector<std::string> clicked;
  f.OptA.Click = [&] { clicked.push_back("A"); };
  f.OptB.Click = [&] { clicked.push_back("B"); };
  f.OptOther.Value = true;
  f.OptA.Value = true;
  f.OptB.Value = true;
  f.OptB.Value = true;  // already chosen: no second Click
  EXPECT_FALSE(f.OptA.Value.get());
  EXPECT_TRUE(f.OptB.Value.get());
  EXPECT_TRUE(f.OptOther.Value.get()) << "an option in another container stays chosen";
  EXPECT_EQ(clicked, (std::vector<std::string>{"A", "B"}));
}

TEST_F(Controls, ComboListIndexStartsAtMinusOneAndSettingItRunsClick) {
  EXPECT_EQ(f.Combo1.ListIndex.get(), -1);
  int clicks = 0;
  f.Combo1.Click = [&] { ++clicks; };
  f.Combo1.AddItem("X1");
  f.Combo1.AddItem("X10");
  f.Combo1.ListIndex = 1;
  EXPECT_EQ(f.Combo1.Text.get(), "X10");
  f.Combo1.ListIndex = 1;
  EXPECT_EQ(clicks, 2);
  EXPECT_THROW(f.Combo1.ListIndex = 5, std::out_of_range);
}

TEST_F(Controls, SliderKeepsItsValueInRangeAndRunsChangeOnChange) {
  int changes = 0;
  f.Slider1.Change = [&] { ++changes; };
  f.Slider1.Min = 10;
  f.Slider1.Max = 30;
  EXPECT_EQ(f.Slider1.Value.get(), 10);
  EXPECT_EQ(changes, 1) << "raising Min moved the value";
  f.Slider1.Value = 26;
  f.Slider1.Value = 26;
  EXPECT_EQ(changes, 2);
  f.Slider1.Value = 99;
  EXPECT_EQ(f.Slider1.Value.get(), 30);
  f.Slider1.Max = 20;
  EXPECT_EQ(f.Slider1.Value.get(), 20);
  EXPECT_EQ(changes, 4);
}

TEST_F(Controls, TwipsAreHeldExactlyAsSet) {
  f.Image1.Left = 1000;
  EXPECT_EQ(f.Image1.Left.get(), 1000.0f);
  for (int i = 0; i < 15; ++i) f.Image1.Left = f.Image1.Left + 1;
  EXPECT_EQ(f.Image1.Left.get(), 1015.0f);
  f.Image1.Top = -7.5f;
  EXPECT_EQ(f.Image1.Top.get(), -7.5f);
}

TEST_F(Controls, VisibilityIsTheControlsOwnFlagBeforeItsWindowShows) {
  f.Image1.Visible = false;
  EXPECT_FALSE(f.Image1.Visible.get());
  f.Image1.Visible = true;
  EXPECT_TRUE(f.Image1.Visible.get());
  EXPECT_FALSE(f.Visible.get());
  f.Frame1.Visible = false;
  EXPECT_FALSE(f.OptA.shownInContainer());
}

TEST_F(Controls, ImageTakesThePicturesSizeUnlessStretched) {
  ui::Picture p = ui::Picture::draw(24, 10, [](ui::PicturePainter&) {});
  f.Image1.Picture_ = p;
  EXPECT_EQ(f.Image1.Width.get(), 360.0f);
  EXPECT_EQ(f.Image1.Height.get(), 150.0f);
  f.Image1.Stretch = true;
  f.Image1.Width = 500;
  f.Image1.Picture_ = ui::Picture::draw(8, 8, [](ui::PicturePainter&) {});
  EXPECT_EQ(f.Image1.Width.get(), 500.0f);
  EXPECT_TRUE(f.Image1.Picture_.get() == f.Image1.Picture_.get());
  EXPECT_FALSE(f.Image1.Picture_.get() == p);
}

TEST_F(Controls, TextChangeRunsOnEveryNewText) {
  int changes = 0;
  f.Text1.Change = [&] { ++changes; };
  f.Text1.Text = "1";
  f.Text1.Text = "1";
  f.Text1.Text = "12";
  EXPECT_EQ(changes, 2);
}

TEST_F(Controls, TimerTicksOnlyWhileEnabledWithAnInterval) {
  int ticks = 0;
  f.Timer1.Tick = [&] { ++ticks; };
  f.Timer1.tick();
  f.Timer1.Interval = 1000;
  f.Timer1.tick();
  f.Timer1.Enabled = false;
  f.Timer1.tick();
  EXPECT_EQ(ticks, 1);
  EXPECT_TRUE(svc.running.empty());
  f.Timer1.Enabled = true;
  EXPECT_EQ(svc.running.size(), 1u);
}

TEST_F(Controls, FormLoadsOnceShowsModalThroughTheScriptAndMayCancelUnload) {
  f.Show();
  f.Show();
  EXPECT_EQ(f.loads, 1);
  EXPECT_TRUE(f.Visible.get());
  f.cancel = 1;
  EXPECT_FALSE(f.Unload());
  EXPECT_TRUE(f.loaded());
  f.cancel = 0;
  EXPECT_TRUE(f.Unload());
  EXPECT_FALSE(f.loaded());

  int seen = 0;
  svc.onModal = [&](ui::Form& m) {
    ++seen;
    EXPECT_TRUE(m.Visible.get());
  };
  f.Show(ui::vbModal);
  EXPECT_EQ(seen, 1);
  EXPECT_FALSE(f.loaded()) << "a modal form the script left open is unloaded";
  EXPECT_EQ(f.loads, 2);
  EXPECT_EQ(svc.modalShown, (std::vector<std::string>{"TestForm"}));
}

TEST_F(Controls, SettingAFormsVisibleShowsOrHidesIt) {
  f.Visible = true;
  EXPECT_TRUE(f.loaded());
  EXPECT_EQ(f.loads, 1);
  EXPECT_TRUE(f.Visible.get());
  f.Visible = false;
  EXPECT_TRUE(f.loaded()) << "hiding does not unload";
  EXPECT_FALSE(f.Visible.get());
}

TEST_F(Controls, KeyPreviewLetsTheFormSeeKeysFirst) {
  struct K : ui::Form {
    K() : ui::Form("K") { KeyPreview = true; }
    ui::TextBox Text1{this, nullptr, "Text1"};
    std::vector<std::string> log;
    void Form_KeyDown(int& KeyCode, int) override {
      log.push_back("form " + std::to_string(KeyCode));
      if (KeyCode == 46) KeyCode = 0;
    }
  } k;
  k.Text1.KeyDown = [&](int& code, int) { k.log.push_back("text " + std::to_string(code)); };
  k.dispatchKeyDown(&k.Text1, 37, 0);
  k.dispatchKeyDown(&k.Text1, 46, 0);
  EXPECT_EQ(k.log, (std::vector<std::string>{"form 37", "text 37", "form 46"}));
}

struct ArrayForm : ui::Form {
  ArrayForm() : ui::Form("ArrayForm") {
    for (int i = 0; i <= 50; ++i) Image1.Load(i);
    for (int i = 201; i <= 300; ++i) Image1.Load(i);
  }
  ui::PictureBox Picture1{this, nullptr, "Picture1"};
  ui::ControlArray<ui::Image> Image1{this, &Picture1, "Image1"};
};

TEST(ControlArray, SparseMembersRaiseEventsWithTheirIndex) {
  ui::ScriptedServices svc;
  ArrayForm f;
  std::vector<int> seen;
  f.Image1.MouseMove = [&](int i, int b, int, float x, float) {
    seen.push_back(i);
    EXPECT_EQ(b, 1);
    EXPECT_EQ(x, 30.0f);
  };
  f.Image1[7].raiseMouse(1, 1, 0, 30, 0);
  f.Image1[250].raiseMouse(1, 1, 0, 30, 0);
  EXPECT_EQ(seen, (std::vector<int>{7, 250}));
  EXPECT_EQ(f.Image1[250].Index(), 250);
  EXPECT_FALSE(f.Image1.exists(100));
  EXPECT_THROW(f.Image1[100], std::out_of_range);
  EXPECT_FALSE(f.Image1.Load(7)) << "a member that exists is not made twice";
  EXPECT_EQ(f.Image1.Count(), 151u);
  EXPECT_EQ(f.Image1.UBound(), 300);
  EXPECT_EQ(f.Image1[3].container(), &f.Picture1);
  // Through a const array: the same members, as const, and the same check.
  const auto& images = f.Image1;
  EXPECT_EQ(&images[250], &f.Image1[250]);
  EXPECT_EQ(images.find(250), &f.Image1[250]);
  EXPECT_EQ(images.find(100), nullptr);
  EXPECT_THROW(images[100], std::out_of_range);
  int members = 0;
  images.forEach([&](int, const ui::Image&) { ++members; });
  EXPECT_EQ(members, 151);
}

}  // namespace
