// The tutorial window: its design state, its unit captions, why a table is empty, and the update that fills
// its tables (properties_tables.cpp) and draws its graphs (properties_graphs.cpp) from the beam as it stands.
#include "beam/workspace/properties.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>

#include "beam/workspace/Form20.h"
#include "ui/vbtext.h"

using namespace Module20;

namespace {

// The unit captions by unit system (1 metric, 2 inch), each beside the rows of its table that it
// names; no units leaves them all empty.
struct UnitCaption {
  ui::Label properties::*label;
  float top;
  const char* metric;
  const char* inch;
};
const UnitCaption kUnitCaptions[] = {
    {&properties::Label11, 900, "L[m]       :יחידות", "L[ft]        :יחידות"},
    {&properties::Label12, 1140, "EI[N*m^2]", "EI[lbf*ft^2]"},
    {&properties::Label14, 4600, "F[kN]      :יחידות", "F[klbf]      :יחידות"},
    {&properties::Label13, 5080, "M[kN*m]   ", "M[klbf*ft]    "},
    {&properties::Label15, 5640, "F[kN]      :יחידות", "F[klbf]      :יחידות"},
    {&properties::Label16, 6120, "M[kN*m]   ", "M[klbf*ft]    "},
    {&properties::Label18, 1100, "[kN] יחידות:     כוח", "[klbf] יחידות:     כוח"},
    {&properties::Label17, 1360, "[kN*m] מומנט", "[klbf*ft] מומנט"},
    {&properties::Label19, 4620, "[rad/10^2]  יחידות:   סבוב", "[rad/144]  יחידות:     סבוב"},
    {&properties::Label20, 4880, "[cm/10^4]   שקיעה  ", "[in/1728]   שקיעה   "},
};

// Why the solution tables and graphs are empty.
const char* const kNoSolutionMechanism = "אין פתרון: המבנה הוא מנגנון. טבלאות הפתרון והגרפים ריקים עד שהמבנה יתוקן.";
const char* const kNoSolutionSingular =
    "אין פתרון: מערכת המשוואות סינגולרית (יש דרגת חופש ללא קשיחות), ולכן אין הזזות ואין כוחות קצה.";
const char* const kNoSolutionSolveOff =
    "אין פתרון עדכני: \"פתור בכל גרירה\" כבוי. לחץ \"פתור\" ואחר כך \"עדכן\".";
const char* const kNoSolutionYet =
    "אין פתרון עדכני: הקורה השתנתה מאז הפתרון האחרון או שאין עליה עומסים. לחץ \"פתור\" ואחר כך \"עדכן\".";

// A Hebrew caption reads from the right, its stops and Latin words where a Hebrew reader expects them,
// the explanations too, line by line as their runs of blanks break them; in a right-to-left label
// alignment 0 is the right edge. The unit captions, stored to be read from the right of a left-to-right
// line, stay left to right.
void sentence(ui::Label& l) {
  l.RightToLeft = true;
  l.Alignment = 0;
}

// An explanation as its author laid it out: he ended a line by padding it with blanks to the label's
// edge in a font of his own, which in another font falls short or runs over, so a run of three blanks or
// more ends a line wherever it falls; a double blank inside a line stays.
void explanation(ui::Label& l, const char* caption) {
  l.Caption = caption;
  l.LineEndBlanks = 3;
  sentence(l);
}

// One step of the method: its explanation at the right, its table at the left.
void step(ui::Label& l, const char* caption, ui::Grid& g, int rows, float top, float height, float width = 5700) {
  explanation(l, caption);
  l.Move(7770, top, 2640, height);
  g.setRows(rows);
  g.setCols(2);
  g.Move(150, top, width, height);
}

// The line that says why a tab shows no solution; hidden while there is one.
void reasonLine(ui::Label& l, float left, float top, float width) {
  sentence(l);
  l.ForeColor = ui::RGB(192, 0, 0);
  l.WordWrap = false;
  l.Move(left, top, width, 255);
  l.Visible = false;
}

}  // namespace

properties::properties() : ui::Form("properties") {
  Caption = "עזרה לימודית";
  BorderStyle = 1;
  StartUpPosition = 2;
  setClientSize(10440, 7380);
  SSTab1.Move(0, 0, 10440, 7380);
  SSTab1.setTabCaption(0, " פתרון גרפי");
  SSTab1.setTabCaption(1, "הסבר על פתרון גרפי");
  SSTab1.setTabCaption(2, "שלב שני");
  SSTab1.setTabCaption(3, "שלב ראשון");

  // Tab 0: each picture is exactly as wide as the beam, x being the twips from its left end.
  for (ui::Control* c : std::initializer_list<ui::Control*>{&Label8, &Picture1, &Label9, &Picture2})
    c->TabPage = 0;
  Label8.Caption = "  גרף שלב ראשון  (FER):";
  sentence(Label8);
  Label8.Move(5240, 480, 4980, 255);
  Label9.Caption = "  גרף שלב שני (תיקון כתוצאה מהזזות קיימות):";
  sentence(Label9);
  Label9.Move(5240, 3860, 4980, 255);
  reasonLine(Label22, 200, 1100, 9600);
  Label22.Alignment = 2;
  for (ui::PictureBox* p : {&Picture1, &Picture2}) {
    p->BorderStyle = 0;
    p->BackColor = ui::RGB(255, 255, 255);
    p->AutoRedraw = true;
  }
  Picture1.Move(220, 760, 10000, 3000);
  Picture2.Move(220, 4140, 10000, 3000);
  for (ui::LineControl* l : {&Line1, &Line2}) {
    l->X1 = 0, l->Y1 = 1500, l->X2 = 9960, l->Y2 = 1500;
  }

  // Tab 1.
  Label10.TabPage = 1;
  explanation(Label10,
      " בגליון פתרון גרפי ניתן לראות את הגרפים של שני חלקי     הפתרון:  1.  פתרון FER                         "
      "                                       2.  תיקון כתוצאה מהזזות                                   חיבור שני "
      "הגרפים נותן את פתרון הקורה שמופיע גם במסך העבודה של התוכנה.                                              צבעי "
      "הגרפים: ירוק-גזירה  אדום-מומנט  כחול-שקיעה.               ");
  Label10.Move(2220, 1200, 6000, 3000);

  // Tab 2: the load vector, K, the displacements and the end forces due to them.
  for (ui::Control* c : std::initializer_list<ui::Control*>{&Label21, &Label4, &MSFlexGrid4, &Label18, &Label17,
                                                            &Label5, &MSFlexGrid5, &Label6, &MSFlexGrid6, &Label19,
                                                            &Label20, &Label7, &MSFlexGrid7, &Label15, &Label16})
    c->TabPage = 2;
  reasonLine(Label21, 150, 480, 10140);
  step(Label4, "4.  ווקטור עומסים בדרגות החופש      הפעילות  (P).", MSFlexGrid4, 2, 800, 900);
  step(Label5, "5.  מטריצת הקשיחות של המבנה [K].", MSFlexGrid5, 2, 1820, 2380, 7600);
  step(Label6,
       "6.  הזזות בדרגות חופש פעילות             פתרון מערכת המשוואות:                                "
       "                 {K]*{d}={P]   ",
       MSFlexGrid6, 2, 4320, 900);
  step(Label7, "7. פתרון התיקון כתוצאה מקיום הזזות        עבור כל  אלמנט.        ", MSFlexGrid7, 5, 5340, 1700);

  // Tab 3: the elements, their equation numbers and their fixed-end reactions.
  for (ui::Control* c : std::initializer_list<ui::Control*>{&Label1, &MSFlexGrid1, &Label11, &Label12, &Label2,
                                                            &MSFlexGrid2, &Label3, &MSFlexGrid3, &Label14, &Label13})
    c->TabPage = 3;
  step(Label1, "1.  חלוקת הקורה לאלמנטים:        אורך וקשיחות. ", MSFlexGrid1, 3, 600, 1300);
  step(Label2,
       "2.  מספור דרגות החופש הפעילות        בסדר עולה מימין לשמאל עבור      כל אלמנט (0 עבור דרגות חופש    "
       "תפוסות).",
       MSFlexGrid2, 5, 2200, 1800);
  step(Label3, "3.  פתרון תגובות קיר (FER)              עבור כל אלמנט.", MSFlexGrid3, 5, 4300, 1800);
  for (ui::Grid* g : {&MSFlexGrid1, &MSFlexGrid2, &MSFlexGrid3, &MSFlexGrid7}) g->setColWidth(0, 1100);
  for (const UnitCaption& u : kUnitCaptions) {
    (this->*u.label).WordWrap = false;
    (this->*u.label).Move(5900, u.top, 1940, 255);
  }

  aa1.Click = [this] { aa1_Click(); };
  aa2.Click = [this] { aa2_Click(); };
  bb_1.Click = [this] { bb_1_Click(); };
}

void properties::Form_Load() { aa2_Click(); }

void properties::aa1_Click() { Unload(); }

void properties::show_units() {
  const bool metric = unit_system == 1, inch = unit_system == 2;
  for (const UnitCaption& u : kUnitCaptions) (this->*u.label).Caption = metric ? u.metric : inch ? u.inch : "";
}

void properties::show_reason(bool solved) {
  const char* why = solved                                         ? ""
                    : mechanism == True || solve_failure == kRefused ? kNoSolutionMechanism
                    : solve_failure == kSingular                     ? kNoSolutionSingular
                    : solve_on != True                               ? kNoSolutionSolveOff
                                                                     : kNoSolutionYet;
  for (ui::Label* l : {&Label21, &Label22}) {
    l->Caption = why;
    l->Visible = !solved;
  }
}

void properties::aa2_Click() {
  for (j_loop = 0; j_loop <= 2; ++j_loop) tut_max(j_loop) = 0;
  show_units();
  Picture1.Cls();
  Picture2.Cls();
  Picture1.DrawWidth = 2;
  Picture2.DrawWidth = 2;
  tut_height = Picture1.Height;

  // The tables and graphs show only figures of the beam as it now stands: K, the equation numbers and
  // the fixed-end reactions always are; the load vector once a solve has formed it; the displacements
  // and end forces only after a solve that succeeded.
  const bool solved = Form20Form->solution_current && mechanism != True;
  const bool loads = solved || solve_failure == kSingular;
  fill_tables(loads, solved);
  show_reason(solved);
  bb_1.Enabled = solved;
  if (!solved) return;

  fit_scales({3}, tut_max, tut_scale);
  fit_steps();
  for (tut_elem = 1; tut_elem <= n_elem && elem.contains(tut_elem); ++tut_elem) fun31();
  for (tut_elem = 1; tut_elem <= n_elem && elem.contains(tut_elem); ++tut_elem) fun32();
}
