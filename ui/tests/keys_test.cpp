// Keys through the real widgets: what the handlers leave in KeyCode and KeyAscii is what the widget
// gets, a grid leaves every key to the window, a KeyUp goes only where its KeyDown went, and a held key
// under X11 gives one KeyUp however Qt flags the repeats.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>
#include <QWindow>

#include "ui/form.h"
#include "ui/grid.h"
#include "ui/keys.h"
#include "ui/qt_services.h"
#include "ui/views.h"

namespace {

struct Keyed : ui::Form {
  Keyed() : ui::Form("Keyed") {
    KeyPreview = true;
    Width = 8000;
    Height = 5000;
    Text1.Move(300, 300, 3000, 300);
    MSFlexGrid1.Move(300, 900, 6000, 3000);
    MSFlexGrid1.setRows(4);
    MSFlexGrid1.setCols(4);
  }
  ui::TextBox Text1{this, nullptr, "Text1"};
  ui::Grid MSFlexGrid1{this, nullptr, "MSFlexGrid1"};
  std::vector<std::string> log;
  std::function<void(int&)> onKeyDown;
  void Form_KeyDown(int& KeyCode, int) override {
    log.push_back("down " + std::to_string(KeyCode));
    if (onKeyDown) onKeyDown(KeyCode);
  }
  void Form_KeyUp(int& KeyCode, int) override { log.push_back("up " + std::to_string(KeyCode)); }
};

struct KeyRouting : ::testing::Test {
  ui::QtServices svc{"t"};
  Keyed f;
  QLineEdit* line = nullptr;
  QTableView* table = nullptr;
  void SetUp() override {
    ui::FormWindow* w = ui::realize(f);
    w->applyGeometry();
    w->show();
    line = qobject_cast<QLineEdit*>(ui::childHost(f.Text1));
    table = qobject_cast<QTableView*>(ui::childHost(f.MSFlexGrid1));
    ASSERT_TRUE(line && table);
  }
  void TearDown() override {
    ui::settleKeys();
    ui::unrealize(f);
  }
  static void send(QWidget* w, QEvent::Type t, int key, quint32 scan, const QString& text,
                   unsigned long time = 0, bool repeat = false) {
    QKeyEvent e(t, key, Qt::NoModifier, scan, 0, 0, text, repeat);
    e.setTimestamp(time);
    QApplication::sendEvent(w, &e);
  }
  static void type(QWidget* w, int key, quint32 scan, const QString& text) {
    send(w, QEvent::KeyPress, key, scan, text);
    send(w, QEvent::KeyRelease, key, scan, text);
  }
};

TEST_F(KeyRouting, TheWidgetGetsTheKeyAsTheHandlersLeftIt) {
  f.Text1.Text = "ab";
  line->setCursorPosition(2);
  int replaceWith = -1;
  f.Text1.KeyPress = [&](int& KeyAscii) {
    if (replaceWith >= 0) KeyAscii = replaceWith;
  };
  type(line, Qt::Key_C, 54, "c");
  EXPECT_EQ(f.Text1.Text.get(), "abc") << "an untouched key is typed";
  replaceWith = 0;
  type(line, Qt::Key_D, 40, "d");
  EXPECT_EQ(f.Text1.Text.get(), "abc") << "KeyAscii 0 swallows the key";
  replaceWith = '7';
  type(line, Qt::Key_E, 26, "e");
  EXPECT_EQ(f.Text1.Text.get(), "abc7") << "another character is typed in its place";
  replaceWith = 0xE0;  // the Hebrew letter alef in the code page of KeyAscii
  type(line, Qt::Key_T, 28, "t");
  EXPECT_EQ(f.Text1.Text.get(), "abc7\u05d0");

  replaceWith = -1;
  f.onKeyDown = [](int& KeyCode) {
    if (KeyCode == ui::vbKeyDelete) KeyCode = 0;
    if (KeyCode == ui::vbKeyHome) KeyCode = ui::vbKeyBack;
  };
  line->setCursorPosition(1);
  type(line, Qt::Key_Delete, 119, "");
  EXPECT_EQ(f.Text1.Text.get(), "abc7\u05d0") << "KeyCode 0 swallows the key";
  type(line, Qt::Key_Home, 110, "");
  EXPECT_EQ(f.Text1.Text.get(), "bc7\u05d0") << "the key the handler put in its place acts";
}

TEST_F(KeyRouting, AGridLeavesEveryKeyButArrowsAndTabToTheWindow) {
  int entered = 0;
  std::string typed;
  f.MSFlexGrid1.EnterCell = [&] { ++entered; };
  f.MSFlexGrid1.KeyPress = [&](int& KeyAscii) { typed += char(KeyAscii); };
  for (int r = 1; r < 4; ++r) f.MSFlexGrid1.setTextMatrix(r, 1, std::to_string(r));
  f.MSFlexGrid1.setRow(1);
  f.MSFlexGrid1.setCol(1);
  table->setFocus();
  type(table, Qt::Key_2, 11, "2");
  type(table, Qt::Key_1, 10, "1");
  type(table, Qt::Key_Return, 36, "\r");
  type(table, Qt::Key_End, 115, "");
  type(table, Qt::Key_PageDown, 117, "");
  EXPECT_EQ(typed, "21\r");
  EXPECT_EQ(entered, 0) << "typing never moves the current cell";
  EXPECT_EQ(f.MSFlexGrid1.Row(), 1);
  EXPECT_EQ(f.MSFlexGrid1.Col(), 1);
  type(table, Qt::Key_Down, 116, "");
  EXPECT_EQ(f.MSFlexGrid1.Row(), 2);
  type(table, Qt::Key_Tab, 23, "\t");
  EXPECT_EQ(f.MSFlexGrid1.Col(), 2);
  EXPECT_EQ(entered, 2);
  f.onKeyDown = [](int& KeyCode) { KeyCode = 0; };
  type(table, Qt::Key_Down, 116, "");
  EXPECT_EQ(f.MSFlexGrid1.Row(), 2) << "an arrow swallowed by the key preview moves nothing";
}

TEST_F(KeyRouting, AKeyUpGoesOnlyWhereItsKeyDownWent) {
  // Enter closed a message box on its press; its release lands on the form.
  QWidget box;
  box.show();
  send(&box, QEvent::KeyPress, Qt::Key_Return, 36, "\r");
  send(line, QEvent::KeyRelease, Qt::Key_Return, 36, "\r");
  EXPECT_TRUE(f.log.empty());
  type(line, Qt::Key_Return, 36, "\r");
  EXPECT_EQ(f.log, (std::vector<std::string>{"down 13", "up 13"}));
  f.log.clear();
  // Pressed in the form, released over a message box the KeyDown opened: no KeyUp later either.
  send(line, QEvent::KeyPress, Qt::Key_Right, 114, "");
  send(&box, QEvent::KeyRelease, Qt::Key_Right, 114, "");
  send(line, QEvent::KeyRelease, Qt::Key_Right, 114, "");
  EXPECT_EQ(f.log, (std::vector<std::string>{"down 39"}));
}

TEST_F(KeyRouting, AHeldKeyUnderX11GivesOneKeyUpWhateverQtFlagged) {
  // The events of a held Right key as the X server sends them: a press, then every 40 ms a release and
  // a press with one time stamp, then the real release. Qt flags a pair as a repeat only when the press
  // has already arrived as it reads the release; under load it often has not.
  struct Ev {
    bool press;
    unsigned long t;
    bool flagged;
  };
  std::vector<Ev> seq = {{true, 642853, false}};
  for (unsigned long t = 643514; t <= 643878; t += 40) {
    bool flagged = (t / 40) % 3 == 0;
    seq.push_back({false, t, flagged});
    seq.push_back({true, t, flagged});
  }
  seq.push_back({false, 644371, false});
  // Delivered as Qt delivers them: to the window system's window first, which passes them on to the
  // widget with the focus.
  ui::FormWindow* win = ui::windowOf(f);
  QApplication::setActiveWindow(win);
  line->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), line);
  int presses = 0;
  for (const Ev& e : seq) {
    QKeyEvent ke(e.press ? QEvent::KeyPress : QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier, 114, 0, 0, "",
                 e.flagged);
    ke.setTimestamp(e.t);
    QApplication::sendEvent(win->windowHandle(), &ke);
    presses += e.press;
  }
  ui::settleKeys();
  std::vector<std::string> expected(std::size_t(presses), "down 39");
  expected.push_back("up 39");
  EXPECT_EQ(f.log, expected);

  // Released and pressed again later, or another key between: two strokes.
  f.log.clear();
  send(line, QEvent::KeyPress, Qt::Key_Right, 114, "", 700000);
  send(line, QEvent::KeyRelease, Qt::Key_Right, 114, "", 700100);
  send(line, QEvent::KeyPress, Qt::Key_Right, 114, "", 700300);
  send(line, QEvent::KeyRelease, Qt::Key_Right, 114, "", 700400);
  send(line, QEvent::KeyPress, Qt::Key_Left, 113, "", 700400);
  send(line, QEvent::KeyRelease, Qt::Key_Left, 113, "", 700500);
  ui::settleKeys();
  EXPECT_EQ(f.log, (std::vector<std::string>{"down 39", "up 39", "down 39", "up 39", "down 37", "up 37"}));
}

struct Lists : ui::Form {
  Lists() : ui::Form("Lists") {
    Width = 6000;
    Height = 3000;
    Combo1.Move(120, 280, 2880, 300);
    Combo1.AddItem("");
    Combo1.AddItem("15 mm/picsel");
    Combo1.AddItem("30 mm/picsel");
    Combo1.Text = "15 mm/picsel";
    Combo2.Move(120, 800, 2880, 300);
    Combo2.AddItem("X1");
    Combo2.Text = "none chosen";
  }
  ui::ComboBox Combo1{this, nullptr, "Combo1"};
  ui::ComboBox Combo2{this, nullptr, "Combo2"};
};

TEST(Combo, ShowsTheTextItWasGivenWithoutChoosingAnItem) {
  ui::QtServices svc{"t"};
  Lists f;
  ui::realize(f);
  auto* c1 = qobject_cast<QComboBox*>(ui::childHost(f.Combo1));
  auto* c2 = qobject_cast<QComboBox*>(ui::childHost(f.Combo2));
  ASSERT_TRUE(c1 && c2);
  EXPECT_EQ(c1->currentText().toStdString(), "15 mm/picsel");
  EXPECT_EQ(f.Combo1.ListIndex.get(), -1) << "showing the text chooses no item";
  EXPECT_EQ(c2->currentIndex(), -1);
  EXPECT_EQ(c2->placeholderText().toStdString(), "none chosen");
  int clicks = 0;
  f.Combo1.Click = [&] { ++clicks; };
  c1->activated(1);  // the user chooses the item that was shown
  EXPECT_EQ(f.Combo1.ListIndex.get(), 1);
  EXPECT_EQ(clicks, 1);
  ui::unrealize(f);
}

}  // namespace
