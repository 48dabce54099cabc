#pragma once
// The main window of the truss program: the canvas on which points, bars, supports and loads are built
// with the mouse and the keys, the tool panel, the menus, the scroll bars and the stress spectrum.
//
// The editor's handlers are also the editing operations of the program: the model reset, the solve's
// removal of points without bars and the keyboard call them with made-up mouse arguments, so their
// arguments and side effects are an interface.

#include <string>

#include "ui/control.h"
#include "ui/control_array.h"
#include "ui/form.h"
#include "ui/menu.h"
#include "ui/picturebox.h"
#include "ui/vbtypes.h"

class Form1 : public ui::Form {
 public:
  Form1();

  static constexpr const char* kCaption = "Kesvo - מסבכים";
  // Where point 0, the origin of the axes, stands after every reset: near the canvas's bottom left.
  static constexpr float kOriginX = 2168, kOriginY = 29100;
  // The tools of Option4 and the selection modes of Option3, by index.
  enum Tool { kBar = 0, kFixed = 1, kRollerX = 2, kRollerY = 3, kDown = 4, kUp = 5, kRight = 6, kLeft = 7 };
  enum Mode { kNone = 0, kPoints = 1, kLoads = 2, kBars = 3, kSupports = 4 };

  // Menus, in display order.
  ui::Menu aa1{this, nullptr, "aa1", "קובץ"};
  ui::Menu aa2{this, &aa1, "aa2", " חדש..."};
  ui::Menu tt1{this, &aa1, "tt1", "-"};
  ui::Menu aa5{this, &aa1, "aa5", "פתיחה..."};
  ui::Menu aa4{this, &aa1, "aa4", "שמירה בשם ..."};
  ui::Menu tt{this, &aa1, "tt", "-"};
  ui::Menu aa3{this, &aa1, "aa3", "יציאה"};
  ui::Menu cc1{this, nullptr, "cc1", "&פתור"};
  ui::Menu dd1{this, nullptr, "dd1", "אפשרויות"};
  ui::Menu dd6{this, &dd1, "dd6", "הסתר סרגל כלים אוטומטית"};
  ui::Menu dd2{this, &dd1, "dd2", "עידכון הנתונים בכול פתרון"};
  ui::Menu dd3{this, &dd1, "dd3", "גרף תזוזות בכל פתרון"};
  ui::Menu dd4{this, &dd1, "dd4", "צבע מוטות לפי מאמץ בכל פתרון"};
  ui::Menu dd5{this, &dd1, "dd5", "הצג עזרה"};
  ui::Menu bb1{this, nullptr, "bb1", "נתונים ונוסחאות"};

  // The viewport with the canvas, the scroll bars and the strip that brings the tool panel back.
  ui::ScrollBar VScroll1{this, nullptr, "VScroll1", 1};
  ui::ScrollBar HScroll1{this, nullptr, "HScroll1", 0};
  ui::PictureBox Picture5{this, nullptr, "Picture5"};
  ui::PictureBox Picture1{this, &Picture5, "Picture1"};
  ui::ControlArray<ui::LineControl> Line1{this, &Picture1, "Line1"};
  ui::ControlArray<ui::Label> Label6{this, &Picture1, "Label6"};
  ui::ControlArray<ui::LineControl> Line11{this, &Picture1, "Line11"};
  ui::Label Label3{this, &Picture1, "Label3"};
  ui::Label Label4{this, &Picture1, "Label4"};
  ui::ControlArray<ui::Image> Image1{this, &Picture1, "Image1"};
  ui::ControlArray<ui::PictureBox> Picture2{this, &Picture1, "Picture2"};
  ui::PictureBox Picture7{this, nullptr, "Picture7"};

  // Hidden picture holders: point markers normal and selected, supports normal (0..2) and selected (10..12).
  ui::ControlArray<ui::Image> Image2{this, nullptr, "Image2"};
  ui::ControlArray<ui::Image> Image3{this, nullptr, "Image3"};
  ui::ControlArray<ui::Image> Image4{this, nullptr, "Image4"};

  // The help panel with its two hint lines.
  ui::PictureBox Picture3{this, nullptr, "Picture3"};
  ui::Label Label8{this, &Picture3, "Label8"};
  ui::Label Label7{this, &Picture3, "Label7"};

  // The tool panel.
  ui::TabControl SSTab2{this, nullptr, "SSTab2", 3, 3};
  ui::Frame FrameTools{this, &SSTab2, "FrameTools"};
  ui::ControlArray<ui::OptionButton> Option4{this, &FrameTools, "Option4"};
  ui::Frame FrameSelect{this, &SSTab2, "FrameSelect"};
  ui::ControlArray<ui::OptionButton> Option3{this, &FrameSelect, "Option3"};
  ui::Frame FrameIndex{this, &SSTab2, "FrameIndex"};
  ui::TextBox Text5{this, &FrameIndex, "Text5"};
  ui::Frame FrameCoords{this, &SSTab2, "FrameCoords"};
  ui::TextBox Text3{this, &FrameCoords, "Text3"};
  ui::TextBox Text4{this, &FrameCoords, "Text4"};
  ui::Label LabelX{this, &FrameCoords, "LabelX"};
  ui::Label LabelY{this, &FrameCoords, "LabelY"};
  ui::Frame FrameSpectrum{this, &SSTab2, "FrameSpectrum"};
  ui::PictureBox Picture4{this, &FrameSpectrum, "Picture4"};
  ui::ComboBox Combo2{this, &FrameSpectrum, "Combo2"};
  ui::ControlArray<ui::OptionButton> Option1{this, &FrameSpectrum, "Option1"};
  ui::Label LabelMax{this, &FrameSpectrum, "LabelMax"};

  ui::Frame FrameBarWidth{this, &SSTab2, "FrameBarWidth"};
  ui::Frame FramePointSize{this, &SSTab2, "FramePointSize"};
  ui::ControlArray<ui::Slider> Slider1{this, &FrameBarWidth, "Slider1"};
  ui::Frame FrameScale{this, &SSTab2, "FrameScale"};
  ui::ComboBox Combo1{this, &FrameScale, "Combo1"};
  ui::Frame FrameLength{this, &SSTab2, "FrameLength"};
  ui::TextBox Text1{this, &FrameLength, "Text1"};
  ui::LineControl Line3{this, &FrameLength, "Line3"};

  ui::Frame FrameMagnify{this, &SSTab2, "FrameMagnify"};
  ui::Slider Slider2{this, &FrameMagnify, "Slider2"};
  ui::Label Label12{this, &FrameMagnify, "Label12"};
  ui::Label Label11{this, &FrameMagnify, "Label11"};
  ui::Label Label10{this, &FrameMagnify, "Label10"};
  ui::Frame FramePen{this, &SSTab2, "FramePen"};
  ui::ControlArray<ui::Slider> Slider3{this, &FramePen, "Slider3"};
  ui::ControlArray<ui::Label> LabelPen{this, &FramePen, "LabelPen"};
  ui::CommandButton Command1{this, &SSTab2, "Command1"};
  ui::CommandButton Command2{this, &SSTab2, "Command2"};
  ui::Label LabelTension{this, &SSTab2, "LabelTension"};
  ui::Label LabelCompression{this, &SSTab2, "LabelCompression"};

  // Start-up, reset, layout, shutdown.
  void Form_Load() override;
  void Form_Resize() override;
  void Form_Unload(int& Cancel) override;
  // mode 1: the first reset at start-up, which also makes the control arrays; 0: a new truss.
  void start1(Byte& mode);

  // The canvas editor.
  void Picture1_MouseUp(int Button, int Shift, float X, float Y);
  void Picture1_MouseMove(int Button, int Shift, float X, float Y);
  void Picture1_DragOver(ui::Control& Source, float X, float Y, int State);
  void Image1_Click(int Index);
  void Image1_MouseDown(int Index, int Button, int Shift, float X, float Y);
  void Image1_MouseMove(int Index, int Button, int Shift, float X, float Y);
  void Label6_MouseMove(int Index, int Button, int Shift, float X, float Y);
  void Option3_Click(int Index);
  void move_line(float X, float Y);
  // A bar that waits for its second end is taken back: its line hidden, its first end forgotten.
  void cancel_bar();

  // The keyboard and the load arrows.
  void Form_KeyDown(int& KeyCode, int Shift) override;
  void Picture2_MouseMove(int Index, int Button, int Shift, float X, float Y);

  // Menus and the tool panel's immediate controls.
  void aa2_Click();
  void aa3_Click();
  void aa4_Click();
  void aa5_Click();
  void bb1_Click();
  void cc1_Click();
  void dd2_Click();
  void dd3_Click();
  void dd4_Click();
  void dd5_Click();
  void dd6_Click();
  void Combo1_Click();
  void Command1_Click();
  void Command2_Click();

  // Scales, sliders, scrolling.
  void HScroll1_Change();
  void VScroll1_Change();
  void Slider1_Change(int Index);
  void Slider2_Scroll();
  // The magnification is saved with the truss, so moving it changes the truss's file.
  void Slider2_Change();
  void Slider2_MouseUp(int Button, int Shift, float X, float Y);
  void Slider2_KeyUp(int& KeyCode, int Shift);
  void Slider2_GotFocus();
  void Slider2_LostFocus();
  void Slider3_Change(int Index);
  void SSTab2_Click();
  void Picture7_MouseMove(int Button, int Shift, float X, float Y);

  // State of the bar tool, which the file window and the solve also read.
  Byte bar_pending = 0;   // 1 while a bar has its first end and waits for its second
  Integer bar_index = 0;  // the Line1 index of the bar being drawn

  // A live point: a slot whose marker is shown and whose record is enabled.
  bool live_point(int p);
  // The point marker size in force (1..3), kept in Slider1(1)'s Tag.
  int point_size();
  // Half the marker size in twips for a point size.
  static float half_size(int size);
  // True when the truss has changed since it was last opened, saved or made new.
  bool truss_changed = false;
  // The truss changed: it is no longer the one last opened, saved or made new, nor the one solved.
  void truss_edited();
  // Every bar black again but the bar picked in the bar selection, which keeps its highlight.
  void uncolour_bars();
  // The colouring by sign without a current solution (every bar olive) is on the canvas.
  bool unsolved_colours = false;
  // Before the truss on the canvas is discarded: when it has changed, asks whether to save it (through
  // the save window), discard it, or go back. True when it may go: saved, discarded, or unchanged.
  bool may_discard_truss();
  // The model and the canvas reset to a new truss, without asking.
  void new_truss();
  // The caption names the truss: "חדש" after New, or its file's name after a save or an open (the
  // caption of an opened file sets its dash wider).
  void set_title(const std::string& name, bool opened = false);
  // Where the data window opens at each showing: beside this window where the screen has room (right,
  // else left), else over it below its menu bar and left of its tool panel, so that the menus, the tool
  // panel and the drawing, which grows from the canvas's bottom left, stay usable; always on the screen.
  void place_data_window(ui::Form& data);
  // A window moved to (left, top), as far as it must go to stand wholly on the screen.
  static void place_on_screen(ui::Form& w, float left, float top);

 private:
  // True while a slider has the keyboard focus.
  bool slider_focus = false;
  Integer bar_first_point = 0;  // the point of the first end of the bar being drawn

  // The pictures of the markers: a support's normal or highlighted form, every selected point, load
  // arrow or support back to normal (one support at most is highlighted; `except` keeps that one).
  ui::Picture support_picture(int s, bool highlighted);
  void restore_points();
  void restore_arrows();
  void highlight_arrow(int k);
  void restore_support(int except);
  // A deleted or cancelled bar: its line hidden and black, its label hidden, its ends forgotten.
  void hide_bar(int l);
  void clear_bar_ends(int l);
  // The coordinate readout of point p, in millimetres from point 0, y upwards.
  void show_readout(int p);

  void first_point();
  void paint_spectrum();
  // The design state of the window's parts, in the order the constructor sets them.
  void design_menus();
  void design_canvas();
  void design_markers();
  void design_help();
  void design_tool_panel();
  void design_elements_tab();
  void design_properties_tab();
  void design_displacements_tab();
  // A frame or control on tab `tab` of the tool panel, at its place, in the panel's font, with its caption.
  static void on_tab(ui::Control& c, int tab, float l, float t, float w, float h, const char* caption);
  // The tool chosen in Option4: the highest k in 1..7 that is chosen, 0 for the bar tool.
  int tool();
};

inline ui::FormRef<Form1> Form1Form;
