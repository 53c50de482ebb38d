#pragma once

// Keyboard and mouse input as the views receive it.

// Which modifier keys and mouse buttons were down (a set of bits).
using TShiftState = unsigned;
constexpr TShiftState ssShift = 1;
constexpr TShiftState ssAlt = 2;
constexpr TShiftState ssCtrl = 4;
constexpr TShiftState ssLeft = 8;
constexpr TShiftState ssRight = 16;
constexpr TShiftState ssMiddle = 32;
constexpr TShiftState ssDouble = 64;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// The shape of the mouse pointer over a point of a view: what a press there would do.
enum TPointerShape { psArrow, psResizeVertical };

// Key codes of the keys the views handle; letters and digits use their upper-case ASCII code.
enum TKeyCode {
  VK_BACK = 0x08,
  VK_TAB = 0x09,
  VK_RETURN = 0x0D,
  VK_ESCAPE = 0x1B,
  VK_SPACE = 0x20,
  VK_PRIOR = 0x21,  // Page Up
  VK_NEXT = 0x22,   // Page Down
  VK_END = 0x23,
  VK_HOME = 0x24,
  VK_LEFT = 0x25,
  VK_UP = 0x26,
  VK_RIGHT = 0x27,
  VK_DOWN = 0x28,
  VK_INSERT = 0x2D,
  VK_DELETE = 0x2E,
  VK_APPS = 0x5D,  // the context-menu key
  VK_F2 = 0x71,
  VK_F10 = 0x79,
  VK_ADD = 0x6B,
  VK_SUBTRACT = 0x6D,
};
