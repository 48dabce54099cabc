#include "ui/keys.h"

#include <Qt>

namespace ui {

namespace {
// X11 key codes (evdev + 8) of the letter keys, in the order A..Z.
constexpr unsigned kLetterScan[26] = {38, 56, 54, 40, 26, 41, 42, 43, 31, 44, 45, 46, 58,
                                      57, 32, 33, 24, 27, 39, 28, 30, 55, 25, 53, 29, 52};
// X11 key codes of the digit row 0..9.
constexpr unsigned kDigitScan[10] = {19, 10, 11, 12, 13, 14, 15, 16, 17, 18};
}  // namespace

int vbKeyCode(int qtKey, unsigned scanCode) {
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 'A' + (qtKey - Qt::Key_A);
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return '0' + (qtKey - Qt::Key_0);
  switch (qtKey) {
    case Qt::Key_Backspace: return vbKeyBack;
    case Qt::Key_Tab: case Qt::Key_Backtab: return vbKeyTab;
    case Qt::Key_Return: case Qt::Key_Enter: return vbKeyReturn;
    case Qt::Key_Shift: return vbKeyShift;
    case Qt::Key_Control: return vbKeyControl;
    case Qt::Key_Alt: return vbKeyMenu;
    case Qt::Key_Escape: return vbKeyEscape;
    case Qt::Key_Space: return vbKeySpace;
    case Qt::Key_PageUp: return vbKeyPageUp;
    case Qt::Key_PageDown: return vbKeyPageDown;
    case Qt::Key_End: return vbKeyEnd;
    case Qt::Key_Home: return vbKeyHome;
    case Qt::Key_Left: return vbKeyLeft;
    case Qt::Key_Up: return vbKeyUp;
    case Qt::Key_Right: return vbKeyRight;
    case Qt::Key_Down: return vbKeyDown;
    case Qt::Key_Insert: return vbKeyInsert;
    case Qt::Key_Delete: return vbKeyDelete;
    default: break;
  }
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return 112 + (qtKey - Qt::Key_F1);
  // Another layout's letter (Hebrew, say): the physical key decides.
  if (scanCode) {
    for (int i = 0; i < 26; ++i)
      if (kLetterScan[i] == scanCode) return 'A' + i;
    for (int i = 0; i < 10; ++i)
      if (kDigitScan[i] == scanCode) return '0' + i;
  }
  return 0;
}

int vbShiftBits(unsigned m) {
  int s = 0;
  if (m & Qt::ShiftModifier) s |= 1;
  if (m & Qt::ControlModifier) s |= 2;
  if (m & Qt::AltModifier) s |= 4;
  return s;
}

int vbKeyAscii(char32_t ch) {
  if (ch < 128) return int(ch);
  if (ch >= 0x05D0 && ch <= 0x05EA) return int(0xE0 + (ch - 0x05D0));
  return int(ch);
}

int qtKeyOf(int code) {
  if (code >= 'A' && code <= 'Z') return Qt::Key_A + (code - 'A');
  if (code >= '0' && code <= '9') return Qt::Key_0 + (code - '0');
  if (code >= 112 && code <= 123) return Qt::Key_F1 + (code - 112);
  switch (code) {
    case vbKeyBack: return Qt::Key_Backspace;
    case vbKeyTab: return Qt::Key_Tab;
    case vbKeyReturn: return Qt::Key_Return;
    case vbKeyShift: return Qt::Key_Shift;
    case vbKeyControl: return Qt::Key_Control;
    case vbKeyMenu: return Qt::Key_Alt;
    case vbKeyEscape: return Qt::Key_Escape;
    case vbKeySpace: return Qt::Key_Space;
    case vbKeyPageUp: return Qt::Key_PageUp;
    case vbKeyPageDown: return Qt::Key_PageDown;
    case vbKeyEnd: return Qt::Key_End;
    case vbKeyHome: return Qt::Key_Home;
    case vbKeyLeft: return Qt::Key_Left;
    case vbKeyUp: return Qt::Key_Up;
    case vbKeyRight: return Qt::Key_Right;
    case vbKeyDown: return Qt::Key_Down;
    case vbKeyInsert: return Qt::Key_Insert;
    case vbKeyDelete: return Qt::Key_Delete;
    default: return 0;
  }
}

char32_t charOfKeyAscii(int a) {
  if (a >= 0xE0 && a <= 0xFA) return char32_t(0x05D0 + (a - 0xE0));
  return a > 0 ? char32_t(a) : 0;
}

}  // namespace ui
