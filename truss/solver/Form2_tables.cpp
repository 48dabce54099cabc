#include "truss/solver/Form2.h"

#include "truss/solver/cells.h"
#include "truss/workspace/Form1.h"
#include "ui/vbtext.h"

using namespace common1;
using truss::clearBody;

namespace {
// The internal tables and how many rows and columns they hold, a heading row or column included: every
// F_data slot, every support index kFirstSupport..kLastSupport, every bar and point slot, and every bar
// end a point can list.
constexpr int kForceRows = kMaxLoads + 2, kSupportRows = kLastSupport - kFirstSupport + 2, kBarRows = kMaxBars + 2,
              kPointCols = kMaxPoints + 2;
constexpr int kDirectionRows = kMaxBarsAtPoint + 2, kDirectionCols = 3 * (kMaxPoints + 1) + 1;

std::string truth(bool b) { return b ? "True" : "False"; }
}  // namespace

void Form2::make_tables() {
  ui::Frame& panel = Frame1[1];
  panel.Caption = "נתוני חישוב";
  panel.Move(120, 480, 11160, kPanelHeight);
  panel.Visible = false;
  struct Table {
    int index;
    const char* heading;
    float l, t, w, h;
    int rows, cols;
  };
  const Table tables[] = {
      {0, "P_L_index", 480, 780, 3300, 1800, kBarRows, kPointCols},
      {1, "F_data", 3900, 540, 3000, 2040, kForceRows, 4},
      {2, "R_data", 7020, 540, 3000, 2040, kSupportRows, 4},
      {3, "P_data", 120, 2880, 3600, 2100, 7, kPointCols},
      {4, "Line", 3840, 2880, 3600, 2100, 5, kBarRows},
      {5, "כיוונים", 7560, 2880, 3480, 2100, kDirectionRows, kDirectionCols},
  };
  for (const Table& t : tables) {
    MSFlexGrid1.LoadIn(t.index, &panel);
    ui::Grid& g = MSFlexGrid1[t.index];
    g.Move(t.l, t.t, t.w, t.h);
    g.setRows(t.rows);
    g.setCols(t.cols);
    g.LeftToRight = true;
    LabelTable.LoadIn(t.index, &panel);
    LabelTable[t.index].Caption = t.heading;
    LabelTable[t.index].Move(t.l, t.t - 270, 1500, 240);
  }
  LabelTable[0].Move(120, 270, 1500, 240);
  LabelTable.LoadIn(6, &panel);
  LabelTable[6].Caption = "נקודות";
  LabelTable[6].Move(1680, 510, 1200, 240);
  LabelTable.LoadIn(7, &panel);
  LabelTable[7].Caption = "קו";
  LabelTable[7].Move(120, 1560, 330, 240);
  Command2.Caption = "עדכן";
  Command2.Move(10140, 540, 900, 420);
  Command2.Click = [this] { Command2_Click(); };
  LabelTable.forEach([](int, ui::Label& l) { l.FontName = "Miriam"; });
}

void Form2::text_start() {
  ui::Grid& f = MSFlexGrid1[1];
  ui::Grid& r = MSFlexGrid1[2];
  const char* const recHeads[] = {"Enabled", "point_index", "type_f"};
  for (int c = 1; c <= 3; ++c) {
    f.setTextMatrix(0, c, recHeads[c - 1]);
    r.setTextMatrix(0, c, recHeads[c - 1]);
  }
  for (int k = 0; k <= kMaxLoads; ++k) f.setTextMatrix(k + 1, 0, ui::CStr(k));
  for (int k = 0; k < kSupportRows - 1; ++k) r.setTextMatrix(k + 1, 0, ui::CStr(k));
  ui::Grid& pl = MSFlexGrid1[0];
  for (int l = 0; l <= kMaxBars; ++l) pl.setTextMatrix(l + 1, 0, ui::CStr(l));
  for (int p = 0; p <= kMaxPoints; ++p) pl.setTextMatrix(0, p + 1, ui::CStr(p));
  ui::Grid& line = MSFlexGrid1[4];
  const char* const ends[] = {"X1", "Y1", "X2", "Y2"};
  for (int k = 1; k <= 4; ++k) line.setTextMatrix(k, 0, ends[k - 1]);
  for (int l = 0; l <= kMaxBars; ++l) line.setTextMatrix(0, l + 1, ui::CStr(l));
  ui::Grid& pd = MSFlexGrid1[3];
  const char* const fields[] = {"R_type", "F_type_x", "F_type_y", "x", "y", "Enabeld"};
  for (int k = 1; k <= 6; ++k) pd.setTextMatrix(k, 0, fields[k - 1]);
  for (int p = 0; p <= kMaxPoints; ++p) pd.setTextMatrix(0, p + 1, ui::CStr(p));
  ui::Grid& dir = MSFlexGrid1[5];
  const char* const slot[] = {"line(index)", "dir_x", "dir_y"};
  for (int p = 0; p <= kMaxPoints; ++p) {
    dir.setTextMatrix(0, 3 * p + 1, "P(" + ui::Str(p) + ")");
    for (int k = 0; k < 3; ++k) dir.setTextMatrix(1, 3 * p + 1 + k, slot[k]);
  }
  for (int s = 1; s <= kMaxBarsAtPoint; ++s) dir.setTextMatrix(s + 1, 0, ui::CStr(s));
  for (int t = 0; t <= 5; ++t) truss::fitColumns(MSFlexGrid1[t], 480);
}

namespace {
// The directions table has a second heading row, naming the three fields of each bar end.
void emptyTables(ui::ControlArray<ui::Grid>& tables) {
  for (int t = 0; t <= 5; ++t) clearBody(tables[t], t == 5 ? 2 : 1);
}
}  // namespace

void Form2::clear_tables() {
  if (!tables_filled) return;
  tables_filled = false;
  emptyTables(MSFlexGrid1);
}

void Form2::Command2_Click() {
  // Every table is written whole, so nothing of a deleted element stays in it; the next edit empties them.
  emptyTables(MSFlexGrid1);
  tables_filled = true;
  // The bar directions as the truss stands, not as the last solve found them; the points no bar reaches
  // are the solve's to remove.
  point_lines(*this);
  ui::Grid& pl = MSFlexGrid1[0];
  for (int p = 0; p < points_count && p <= kMaxPoints; ++p)
    for (int l = 0; l < lines_count && l <= kMaxBars; ++l)
      if (P_L_index(l, p, 0) == -1) pl.setTextMatrix(l + 1, p + 1, "1");
  ui::Grid& f = MSFlexGrid1[1];
  for (int k = 0; k < forces_count && k <= kMaxLoads; ++k) {
    f.setTextMatrix(k + 1, 1, truth(F_data(k).Enabled));
    f.setTextMatrix(k + 1, 2, ui::CStr(int(F_data(k).point_index)));
    f.setTextMatrix(k + 1, 3, ui::CStr(int(F_data(k).type_f)));
  }
  ui::Grid& r = MSFlexGrid1[2];
  for (int s = kFirstSupport; s < supports_count && s <= kLastSupport; ++s) {
    const int row = s - kFirstSupport + 1;
    r.setTextMatrix(row, 1, truth(R_data(s).Enabled));
    r.setTextMatrix(row, 2, ui::CStr(int(R_data(s).point_index)));
    r.setTextMatrix(row, 3, ui::CStr(int(R_data(s).type_f)));
  }
  ui::Grid& line = MSFlexGrid1[4];
  if (Form1Form.exists()) {
    Form1& m = *Form1Form;
    for (int l = 0; l < lines_count && l <= kMaxBars; ++l) {
      if (!m.Line1.exists(l)) continue;
      const ui::LineControl& b = m.Line1[l];
      line.setTextMatrix(1, l + 1, ui::Str(b.X1.get()));
      line.setTextMatrix(2, l + 1, ui::Str(b.Y1.get()));
      line.setTextMatrix(3, l + 1, ui::Str(b.X2.get()));
      line.setTextMatrix(4, l + 1, ui::Str(b.Y2.get()));
    }
  }
  ui::Grid& pd = MSFlexGrid1[3];
  ui::Grid& dir = MSFlexGrid1[5];
  for (int p = 0; p < points_count && p <= kMaxPoints; ++p) {
    const point_rec& pt = P_data(p);
    pd.setTextMatrix(1, p + 1, ui::CStr(int(pt.R_type)));
    pd.setTextMatrix(2, p + 1, ui::CStr(int(pt.F_type_x)));
    pd.setTextMatrix(3, p + 1, ui::CStr(int(pt.F_type_y)));
    pd.setTextMatrix(4, p + 1, ui::CStr(pt.x));
    pd.setTextMatrix(5, p + 1, ui::CStr(pt.y));
    pd.setTextMatrix(6, p + 1, truth(pt.Enabled));
    for (int s = 1; s <= pt.slots_used && pt.line_slot.contains(s); ++s) {
      const line_slot_rec& e = pt.line_slot(s);
      dir.setTextMatrix(s + 1, 3 * p + 1, ui::CStr(int(e.line)));
      dir.setTextMatrix(s + 1, 3 * p + 2, ui::finiteCStr(e.dir_x));
      dir.setTextMatrix(s + 1, 3 * p + 3, ui::finiteCStr(e.dir_y));
    }
  }
  for (int t = 0; t <= 5; ++t) truss::fitColumns(MSFlexGrid1[t], 480);
}
