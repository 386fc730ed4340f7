#pragma once
// Key codes, shift states and mouse buttons as the program's event handlers receive them
// (the classic virtual-key numbering: 46 is Delete, 65 is A ...).
#include <Qt>

constexpr int vbKeyBack = 8;
constexpr int vbKeyTab = 9;
constexpr int vbKeyReturn = 13;
constexpr int vbKeyShift = 16;
constexpr int vbKeyControl = 17;
constexpr int vbKeyMenu = 18;
constexpr int vbKeyPause = 19;
constexpr int vbKeyCapital = 20;
constexpr int vbKeyEscape = 27;
constexpr int vbKeySpace = 32;
constexpr int vbKeyPageUp = 33;
constexpr int vbKeyPageDown = 34;
constexpr int vbKeyEnd = 35;
constexpr int vbKeyHome = 36;
constexpr int vbKeyLeft = 37;
constexpr int vbKeyUp = 38;
constexpr int vbKeyRight = 39;
constexpr int vbKeyDown = 40;
constexpr int vbKeyInsert = 45;
constexpr int vbKeyDelete = 46;
constexpr int vbKey0 = 48;
constexpr int vbKeyA = 65;
constexpr int vbKeyNumpad0 = 96;
constexpr int vbKeyF1 = 112;

// Shift state bits.
constexpr int vbShiftMask = 1;
constexpr int vbCtrlMask = 2;
constexpr int vbAltMask = 4;

// Mouse button bits.
constexpr int vbLeftButton = 1;
constexpr int vbRightButton = 2;
constexpr int vbMiddleButton = 4;

// The key code of a Qt key (0 when the key has none); keypad digits and operators get
// their keypad codes when the keypad modifier is set.
int VbKeyCode(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// The shift-state bits of the modifiers.
int VbShiftState(Qt::KeyboardModifiers modifiers);
// The button bits of one button or a set of buttons.
int VbButton(Qt::MouseButtons buttons);
