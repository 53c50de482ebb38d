#include "platform/color.h"

TColor DefaultSchemeColor(TColor c) {
  if (!IsSchemeColor(c)) return c;
  switch (c & 0xFF) {
    case 0x00: return clSilver;            // scroll bar
    case 0x02: return RGB(0, 84, 227);     // active caption
    case 0x03: return RGB(122, 150, 223);  // inactive caption
    case 0x04: return clWhite;             // menu
    case 0x05: return clWhite;             // window background
    case 0x06: return clBlack;             // window frame
    case 0x07: return clBlack;             // menu text
    case 0x08: return clBlack;             // window text
    case 0x09: return clWhite;             // caption text
    case 0x0D: return RGB(49, 106, 197);   // highlight
    case 0x0E: return clWhite;             // highlight text
    case 0x0F: return RGB(236, 233, 216);  // button face
    case 0x10: return RGB(172, 168, 153);  // button shadow
    case 0x11: return RGB(172, 168, 153);  // grey text
    case 0x12: return clBlack;             // button text
    case 0x13: return RGB(216, 228, 248);  // inactive caption text
    case 0x14: return clWhite;             // button highlight
    case 0x15: return RGB(113, 111, 100);  // 3D dark shadow
    case 0x16: return RGB(241, 239, 226);  // 3D light
    case 0x17: return clBlack;             // tooltip text
    case 0x18: return RGB(255, 255, 225);  // tooltip background
    default: return clBlack;
  }
}
