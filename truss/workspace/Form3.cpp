#include "truss/workspace/Form3.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "truss/solver/Form2.h"
#include "truss/solver/common1.h"
#include "truss/workspace/Form1.h"
#include "ui/keys.h"
#include "ui/services.h"

using namespace common1;

namespace {
namespace fs = std::filesystem;

const char* const kNotATrussFile = "קבוץ זה אינו קובץ שמתאים לתוכנה";
const char* const kNotSaved = "שמירת הקובץ נכשלה - הקובץ לא נשמר";
const char* const kReplace = "הקובץ כבר קיים. להחליף אותו?";
constexpr float kHoleY = -200;

std::string homeFolder() {
  const char* home = std::getenv("HOME");
  std::error_code ec;
  return home && *home && fs::is_directory(home, ec) ? home : "/";
}

// The file's text, or nothing for what is not a readable regular file of a truss file's size (a device
// or a pipe would block or never end).
std::optional<std::string> fileText(const std::string& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text;
  char buf[4096];
  while (in.read(buf, sizeof buf), in.gcount() > 0) {
    text.append(buf, std::size_t(in.gcount()));
    if (text.size() > truss_file::kMaxFileSize) return std::nullopt;
  }
  if (in.bad()) return std::nullopt;
  return text;
}
}  // namespace

Form3::Form3() : ui::Form("Form3") {
  Caption = "פתיחה/שמירה";
  BorderStyle = 3;
  setClientSize(4380, 2955);
  Drive1.Move(120, 240, 1995, 315);
  Dir1.Move(120, 600, 1995, 1440);
  File1.Move(2220, 240, 1995, 1845);
  Text1.Move(240, 2340, 1455, 315);
  Label1.Move(1740, 2400, 855, 195);
  Command1.Move(2760, 2220, 1155, 675);
  Text2.Move(240, 2340, 1455, 315);
  Label2.Move(1740, 2400, 855, 255);
  Command2.Move(2760, 2340, 1155, 435);
  Label1.Caption = "שם קובץ";
  Label2.Caption = "שם קובץ";
  Command1.Caption = "שמירה בשם     (כולל סיומת)";
  Command2.Caption = "פתח";
  for (ui::Control* c : std::initializer_list<ui::Control*>{&Text1, &Label1, &Command1, &Text2, &Label2, &Command2}) {
    c->FontName = "Miriam";
    c->Visible = false;
  }
  Drive1.Change = [this] { Drive1_Change(); };
  Dir1.Change = [this] { Dir1_Change(); };
  File1.Click = [this] { File1_Click(); };
  Command1.Click = [this] { Command1_Click(); };
  Command2.Click = [this] { Command2_Click(); };
  // The lists keep their folder from one opening of the window to the next; the first is at home.
  Dir1.Path = homeFolder();
}

void Form3::Form_Load() {
  Form1& f = *Form1Form;
  const bool save = f.aa4.Checked.get(), open = f.aa5.Checked.get() && !save;
  Text1.Text = "";
  Text2.Text = "";
  Text1.Visible = save;
  Label1.Visible = save;
  Command1.Visible = save;
  Text2.Visible = open;
  Label2.Visible = open;
  Command2.Visible = open;
  // What the folder holds now, not what it held when the window was last open.
  Dir1.refresh();
  Dir1_Change();
  File1.refresh();
  // Over the main window, whose truss it saves or replaces.
  Form1::place_on_screen(*this, f.Left + (f.Width - Width) / 2, f.Top + (f.Height - Height) / 2);
}

void Form3::Form_Unload(int& Cancel) {
  if (!Form1Form.exists()) return;
  Form1Form->aa4.Checked = false;
  Form1Form->aa5.Checked = false;
}

void Form3::Drive1_Change() { Dir1.Path = Drive1.Drive.get(); }

void Form3::Dir1_Change() {
  File1.Path = Dir1.Path.get();
  const std::string& p = Dir1.Path.get();
  path_sep = !p.empty() && p.back() == '/' ? "" : "/";
}

void Form3::File1_Click() {
  if (Form1Form->aa4.Checked.get())
    Text1.Text = File1.FileName.get();
  else if (Form1Form->aa5.Checked.get())
    Text2.Text = File1.FileName.get();
}

truss_file::contents Form3::from_model() {
  Form1& f = *Form1Form;
  truss_file::contents c;
  const int n = std::clamp<int>(lines_count, 0, truss_file::kMaxBars);
  const int m = std::clamp<int>(points_count, 0, truss_file::kMaxPoints);
  c.dof_count = Integer(std::clamp<int>(dof_count, 0, truss_file::kMaxDof));
  for (int p = 0; p < m; ++p) {
    const point_rec& r = P_data(p);
    if (f.live_point(p))
      c.points.push_back(truss_file::point_line{true, r.F_type_x, r.F_type_y, r.R_type, r.x, r.y});
    else
      c.points.push_back(truss_file::point_line{true, 0, 0, 0, float(p), kHoleY});
  }
  for (int j = 0; j < n; ++j) {
    truss_file::bar_row row;
    // A bar still waiting for its second end is not part of the truss.
    const bool pending = f.bar_pending == 1 && f.bar_index == j;
    if (f.Line1.exists(j) && f.Line1[j].Visible.get() && !pending) {
      std::vector<Integer> ends;
      for (int p = 0; p < m; ++p)
        if (P_L_index(j, p, 0) == -1) ends.push_back(Integer(p));
      if (ends.size() == 2 && f.live_point(ends[0]) && f.live_point(ends[1])) row = {ends[0], ends[1]};
    }
    c.bars.push_back(row);
    c.E.push_back(line_E(j));
    c.A.push_back(line_A(j));
  }
  for (int i = 1; i <= c.dof_count; ++i) c.loads.push_back(truss_file::load_pair{f_value(i), Integer(i)});
  c.magnification = f.Slider2.Value.get();
  return c;
}

void Form3::Command1_Click() {
  const std::string name = Text1.Text.get();
  if (name.empty()) return;
  const std::string path = File1.Path.get() + path_sep + name;
  std::error_code ec;
  if (fs::exists(path, ec) && ui::MsgBoxYesNo(kReplace) != ui::vbYes) return;
  const truss_file::contents c = from_model();
  const std::string text = truss_file::write(c);
  // What is written must open again: a model holding what no truss file may hold is not saved.
  if (!truss_file::read(text) || !truss_file::save_text(path, text)) {
    ui::MsgBox(kNotSaved);
    return;
  }
  // The model now matches the file: the holes hold the points without bars that the file has, until the
  // next solve removes them.
  Form1& f = *Form1Form;
  for (int v = 0; v < int(c.points.size()); ++v)
    if (!f.Image1[v].Visible.get()) f.Picture1_MouseUp(ui::vbLeftButton, 0, float(v), kHoleY);
  f.set_title(name);
  f.truss_changed = false;
  Unload();
}

void Form3::replay(const truss_file::contents& c) {
  Form1& f = *Form1Form;
  const int m = int(c.points.size());
  const truss_file::point_line& p0 = c.points[0];
  f.Picture1_DragOver(f.Image1[0], p0.x, p0.y, 0);
  // After New only slot 0 is in use, so point k lands in slot k.
  for (int k = 1; k < m; ++k) {
    const truss_file::point_line& p = c.points[std::size_t(k)];
    if (p.Enabled)
      f.Picture1_MouseUp(ui::vbLeftButton, 0, p.x, p.y);
    else
      f.Picture1_MouseUp(ui::vbLeftButton, 0, float(k), kHoleY);
  }
  // Point 0 keeps the fixed support New gave it only when the file gives it one; otherwise that support
  // is picked and deleted as the user would, and the file's own support and loads go on.
  const bool keepOrigin = p0.R_type == kFixedSupport;
  if (!keepOrigin) {
    f.Option3[Form1::kSupports].Value = true;
    for (int s = kFirstSupport; s < supports_count && s <= kLastSupport; ++s) {
      if (!R_data(s).Enabled || R_data(s).point_index != 0) continue;
      f.Image1_MouseMove(s, 0, 0, 0, 0);
      int del = ui::vbKeyDelete;
      f.Form_KeyDown(del, 0);
    }
    f.Option3[Form1::kPoints].Value = true;
  }
  auto place = [&f](int k, int tool) {
    f.Option4[tool].Value = true;
    f.Image1_MouseDown(k, 0, 0, 0, 0);
  };
  for (int k = keepOrigin ? 1 : 0; k < m; ++k) {
    const truss_file::point_line& p = c.points[std::size_t(k)];
    if (!p.Enabled) continue;
    // The support tools are numbered as the support types.
    if (p.R_type >= Form1::kFixed && p.R_type <= Form1::kRollerY) place(k, p.R_type);
    if (p.F_type_y == -1) place(k, Form1::kDown);
    if (p.F_type_y == 1) place(k, Form1::kUp);
    if (p.F_type_x == 1) place(k, Form1::kRight);
    if (p.F_type_x == -1) place(k, Form1::kLeft);
  }
  f.Option4[Form1::kBar].Value = true;
  for (std::size_t i = 0; i < c.bars.size(); ++i) {
    const truss_file::bar_row& row = c.bars[i];
    if (!row.is_bar()) continue;
    f.Image1_MouseMove(row.b, 0, 0, 0, 0);
    f.Image1_Click(row.b);
    f.Image1_MouseMove(row.a, 0, 0, 0, 0);
    f.Image1_Click(row.a);
    // A row the editor did not complete leaves no bar waiting for the next row to finish.
    if (f.bar_pending == 1) {
      f.cancel_bar();
      continue;
    }
    const int j = f.bar_index;
    // E and A belong to the bar the row made, wherever the editor put it.
    if (f.Line1.exists(j) && f.Line1[j].Visible.get() && P_L_index(j, row.a, 0) == -1 && P_L_index(j, row.b, 0) == -1) {
      line_E(j) = c.E[i];
      line_A(j) = c.A[i];
    }
  }
  for (const truss_file::load_pair& l : c.loads) f_value(l.dof) = l.value;
  f.Slider2.Value = c.magnification;
  f.Slider2_Scroll();
}

void Form3::Command2_Click() {
  const std::string name = Text2.Text.get();
  if (name.empty()) return;
  const std::optional<std::string> text = fileText(File1.Path.get() + path_sep + name);
  const std::optional<truss_file::contents> c = text ? truss_file::read(*text) : std::nullopt;
  // A refused file leaves the open truss as it was.
  if (!c) {
    ui::MsgBox(kNotATrussFile);
    return;
  }
  Form1& f = *Form1Form;
  // The open menu has asked whether the truss on the canvas may go.
  f.new_truss();
  replay(*c);
  Form2Form->show_uniform_values();
  Form2Form->Command3.Value = true;
  f.set_title(name, true);
  f.truss_changed = false;
  Unload();
}
