#pragma once
// Keys as the windows number them (virtual-key codes), from what Qt reports. Letters go by the
// physical key, so that a Hebrew keyboard layout still gives D, R, F, C for the keys that carry them.

namespace ui {

inline constexpr int vbKeyBack = 8, vbKeyTab = 9, vbKeyReturn = 13, vbKeyShift = 16, vbKeyControl = 17,
                     vbKeyMenu = 18, vbKeyEscape = 27, vbKeySpace = 32, vbKeyPageUp = 33, vbKeyPageDown = 34,
                     vbKeyEnd = 35, vbKeyHome = 36, vbKeyLeft = 37, vbKeyUp = 38, vbKeyRight = 39,
                     vbKeyDown = 40, vbKeyInsert = 45, vbKeyDelete = 46;
// A letter's key code is its capital's character code ('T' for the key T), a digit's its character's.

// qtKey: Qt::Key; scanCode: the native scan code (X11 key code) or 0 when the platform gives none.
// Returns 0 for a key without such a code.
int vbKeyCode(int qtKey, unsigned scanCode);
// Qt keyboard modifiers to the shift bits 1 (Shift), 2 (Ctrl), 4 (Alt).
int vbShiftBits(unsigned qtModifiers);
// The character code of KeyPress: ASCII as is, a Hebrew letter as its code-page 1255 byte, else the
// code point.
int vbKeyAscii(char32_t ch);
// The way back, for a key a handler replaced: the Qt::Key of a key code (0 when there is none) and the
// character of a KeyAscii.
int qtKeyOf(int vbKeyCode);
char32_t charOfKeyAscii(int keyAscii);

}  // namespace ui
