// The main window's beam canvas: the palette icons, hover selection, drops with their snapping, keyboard moves.
#include "beam/workspace/Form20.h"

#include <algorithm>
#include <cmath>

#include "beam/workspace/Form10.h"
#include "beam/workspace/Module1.h"
#include "beam/workspace/pictures.h"
#include "ui/keys.h"
#include "ui/services.h"
#include "ui/vbtext.h"

using namespace Module20;

namespace {

// A load of magnitude 0 has no direction of its own; its icon keeps its kind's picture so that it
// stays where the pointer can reach it.
int shown_icon(int k) {
  const Integer code = object_icon(Byte(k));
  return code != 0 ? code : kind_icon(Byte(k));
}

// Where a dropped point load stands. Force icons are 120 twips wide and moment icons 270, so a load's
// centre is half that right of its icon's Left.
constexpr float kForceCentre = 60, kMomentCentre = 135;
// A force or moment dropped with its icon's Left below this stands on the left end, its centre on it.
constexpr float kPointToLeftEnd = 350;
// One dropped with its Left beyond these stands on the right end.
constexpr float kForceToRightEnd = 10100, kMomentToRightEnd = 10035;
// The Left of a force's or moment's icon centred on a beam end.
constexpr float kForceOnLeftEnd = canvas::kBeamLeft - kForceCentre, kForceOnRightEnd = canvas::kBeamRight - kForceCentre;
constexpr float kMomentOnLeftEnd = canvas::kBeamLeft - kMomentCentre, kMomentOnRightEnd = canvas::kBeamRight - kMomentCentre;
// The position of a load taken off the beam: beyond its right end, in no element.
constexpr Single kOffTheBeam = 10785;

// The keys move a node object whose icon's Top is below this, and a load whose Top is below the next: an
// object standing on the beam, not one in the palette strip.
constexpr float kNodeKeysTop = 795, kLoadKeysTop = 705;
// A key step of a load goes whole only while this much room is left before the beam end; with less the
// load stops on the end.
constexpr float kKeyRoom = 60, kDistKeyRoomLeft = 47;

}  // namespace

bool Form20::on_the_beam(int k) const {
  if (is_node(k)) {
    for (int i = 0; i <= n_elem && node_list.contains(i); ++i)
      if (node_list(i).obj == k) return true;
    return false;
  }
  if (kind_of(k) == Kind::force) return forces(k).on == True;
  if (kind_of(k) == Kind::moment) return moments(k).on == True;
  if (kind_of(k) == Kind::dist) return dist_loads(k).on == True;
  return false;
}

void Form20::normal_picture(int k) {
  if (!Image1.exists(k)) return;
  Image1[k].Picture_ = beam::objectPicture(shown_icon(k));
  if (kind_of(k) == Kind::dist) Image1[k].Width = 2 * float(ui::Val(Image1[k].Tag.get()));
}

void Form20::refresh_data() {
  if (ffc.Checked) Form10Form->re_load_text();
}

void Form20::image1_MouseMove(int Index, int Button, int Shift, float X, float Y) {
  if (!Image1.exists(Index)) return;
  Picture7.SetFocus();
  drag_dx = ui::CInt(X);
  if (hot_icon == 0) hot_icon = Byte(Index);
  sel_obj = Byte(Index);
  Image1[Index].Picture_ = beam::objectPicture(shown_icon(Index) + 20);
  if (kind_of(Index) == Kind::dist) Image1[Index].Width = 2 * float(ui::Val(Image1[Index].Tag.get()));
  if (hot_icon != Index) {
    normal_picture(hot_icon);
    hot_icon = Byte(Index);
  }
  MousePointer = ui::vbSizeAll;
  refresh_data();
}

void Form20::Picture7_MouseDown(int Button, int Shift, float X, float Y) {
  if (hot_icon != 0) {
    normal_picture(hot_icon);
    hot_icon = 0;
  }
}

void Form20::Picture7_MouseMove(int Button, int Shift, float X, float Y) {
  MousePointer = ui::vbDefault;
  StatusBar2.Panels(1).Text = "X=" + ui::Format(double(X - canvas::kBeamLeft) * beam_length / kBeamTwips, "00.00");
}

void Form20::picture7_DragDrop(ui::Control& Source, float X, float Y, Placing how) {
  using namespace canvas;
  const int k = Source.Index();
  if (!Image1.exists(k) || &Image1[k] != &Source) return;
  ui::Image& icon = Image1[k];
  X = X - float(drag_dx);
  auto inBand = [](float y) { return y >= kBandTop && y <= kBandBottom; };
  Integer obj = Integer(k);
  if (is_node(k)) {
    if (inBand(Y)) {
      icon.Move(X, kind_of(k) == Kind::support ? kSupportTop : kNodeTop);
      sort_p(obj, how);
    } else {
      reactions(k) = {};
      icon.Move(X, kParkTop);
      remove_p(obj);
    }
    number_dof();
    check_mechanism();
    if (load_count(kForces) + load_count(kMoments) + load_count(kDistLoads) > 0) fer_all();
    else forget_solution();
  } else if (icon.Move(X, Y), inBand(icon.Top)) {
    if (kind_of(k) == Kind::force) {
      if (X < kPointToLeftEnd) X = kForceOnLeftEnd;
      if (X > kForceToRightEnd) X = kForceOnRightEnd;
      icon.Move(X, kForceTop);
      forces(k).pos = icon.Left - kBeamLeft + kForceCentre;
      if (forces(k).on == False) {
        forces(k).on = True;
        ++load_count(kForces);
      }
      fer_force(obj);
    } else if (kind_of(k) == Kind::moment) {
      if (X < kPointToLeftEnd) X = kMomentOnLeftEnd;
      if (X > kMomentToRightEnd) X = kMomentOnRightEnd;
      icon.Move(X, kMomentTop);
      moments(k).pos = icon.Left - kBeamLeft + kMomentCentre;
      if (moments(k).on == False) {
        moments(k).on = True;
        ++load_count(kMoments);
      }
      fer_moment(obj);
    } else {
      if (X < kBeamLeft) X = kBeamLeft;
      if (X > kBeamRight - icon.Width) X = kBeamRight - icon.Width;
      icon.Move(X, kDistTop);
      dist_loads(k).pos = icon.Left - kBeamLeft;
      dist_loads(k).span = icon.Width;
      if (dist_loads(k).on == False) {
        dist_loads(k).on = True;
        ++load_count(kDistLoads);
      }
      fer_dist(obj);
    }
  } else {
    icon.Move(X, kParkTop);
    const Kind kind = kind_of(k);
    const int count = kind == Kind::force ? kForces : kind == Kind::moment ? kMoments : kDistLoads;
    Integer& on = kind == Kind::force ? forces(k).on : kind == Kind::moment ? moments(k).on : dist_loads(k).on;
    if (on == True) {
      on = False;
      if (kind == Kind::force) forces(k).pos = kOffTheBeam;
      else if (kind == Kind::moment) moments(k).pos = kOffTheBeam;
      else dist_loads(k).pos = kOffTheBeam;
      if (load_count(count) > 0) --load_count(count);
      if (kind == Kind::force) fer_force(obj);
      else if (kind == Kind::moment) fer_moment(obj);
      else fer_dist(obj);
    }
  }
  refresh_data();
}

void Form20::Form_KeyDown(int& KeyCode, int Shift) {
  using namespace canvas;
  key_down = true;
  const int k = sel_obj;
  // Only an object standing on the beam is moved: one in the palette strip or parked has no place
  // in the model that a move could change.
  if (k == 0 || !Image1.exists(k) || !on_the_beam(k)) return;
  ui::Image& icon = Image1[k];
  const float step = 15.0f * float(Form10Form->Slider2.Value);
  const float W = icon.Width;
  if (icon.Top > kNodeKeysTop && is_node(k)) {
    if (KeyCode == ui::vbKeyRight && icon.Left + W <= kBeamRight) icon.Left = icon.Left + step;
    if (KeyCode == ui::vbKeyLeft && icon.Left >= kBeamLeft) icon.Left = icon.Left - step;
  } else if (icon.Top > kLoadKeysTop && is_load(k)) {
    // A step stops at the beam end: a load never leaves the beam by the keyboard.
    const bool dist = kind_of(k) == Kind::dist;
    const float rightmost = dist ? kBeamRight - W : kBeamRight - W / 2;
    const float leftmost = dist ? kBeamLeft : kBeamLeft - W / 2;
    if (KeyCode == ui::vbKeyRight) {
      const bool room = dist ? icon.Left + W + kKeyRoom <= kBeamRight : icon.Left + W / 2 + kKeyRoom <= kBeamRight;
      icon.Left = room ? std::min(icon.Left + step, rightmost) : rightmost;
    }
    if (KeyCode == ui::vbKeyLeft) {
      const bool room = dist ? icon.Left - kDistKeyRoomLeft >= kBeamLeft : icon.Left + W / 2 - kKeyRoom >= kBeamLeft;
      icon.Left = room ? std::max(icon.Left - step, leftmost) : leftmost;
    }
  }
  if (k <= last_of(Kind::release)) key_moved(kMovedNode) = True;
  if (k <= last_of(Kind::force)) key_moved(kMovedForce) = True;
  if (k <= last_of(Kind::moment)) key_moved(kMovedMoment) = True;
  if (k <= last_of(Kind::dist)) key_moved(kMovedDist) = True;
  if (kind_of(k) == Kind::dist) {
    if (KeyCode == ui::vbKeyUp && icon.Left + icon.Width < kBeamRight)
      icon.Width = std::min(icon.Width + step, kBeamRight - icon.Left);
    if (KeyCode == ui::vbKeyDown && icon.Width > 2 * step) icon.Width = icon.Width - step;
    icon.Tag = ui::CStr(icon.Width / 2);
    key_moved(kMovedDist) = True;
  }
}

void Form20::Form_KeyUp(int& KeyCode, int Shift) {
  // A release whose press went elsewhere (the Enter that closed a message box) is not a move here.
  if (!key_down) return;
  key_down = false;
  const int k = sel_obj;
  if (k != 0 && Image1.exists(k) && on_the_beam(k)) {
    ui::Image& icon = Image1[k];
    Integer obj = Integer(k);
    if (key_moved(kMovedDist) && k > last_of(Kind::moment)) {
      dist_loads(k).span = icon.Width;
      dist_loads(k).pos = icon.Left - canvas::kBeamLeft;
      fer_dist(obj);
      key_moved(kMovedDist) = False;
    } else if (key_moved(kMovedMoment) && k > last_of(Kind::force)) {
      moments(k).pos = icon.Width / 2 + icon.Left - canvas::kBeamLeft;
      fer_moment(obj);
      key_moved(kMovedMoment) = False;
    } else if (key_moved(kMovedForce) && k > last_of(Kind::release)) {
      forces(k).pos = icon.Width / 2 + icon.Left - canvas::kBeamLeft;
      fer_force(obj);
      key_moved(kMovedForce) = False;
    } else if (key_moved(kMovedNode)) {
      sort_p(obj);
      number_dof();
      check_mechanism();
      // The loads follow the new elements also into a mechanism (fer_all then leaves out the solve),
      // so that no load stays in an element that no longer holds it.
      if (load_count(kForces) + load_count(kMoments) + load_count(kDistLoads) > 0) fer_all();
      else forget_solution();
      // After a mechanism the node flag stays set, so the next release re-places the node again.
      if (mechanism != True) key_moved(kMovedNode) = False;
    }
  }
  if (k != 0) refresh_data();
  // The key was typed here: the tool window shows beside the beam, and the keys stay with the beam, so
  // the next T is a command again rather than a letter in a box of the tool window.
  if (KeyCode == 'T') switch_tools(false);
}
