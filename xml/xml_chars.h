#pragma once

// Character classes of XML 1.0. Characters are Unicode code points (char32_t); text is UTF-8,
// decoded by platform/utf8.h.

// The Char class: TAB, LF, CR, 0x20-0xD7FF, 0xE000-0xFFFD, 0x10000-0x10FFFF.
inline bool IsXmlChar(char32_t c) {
  if (c < 0x20) return c == 0x09 || c == 0x0A || c == 0x0D;
  if (c <= 0xD7FF) return true;
  if (c < 0xE000) return false;
  if (c <= 0xFFFD) return true;
  return c >= 0x10000 && c <= 0x10FFFF;
}

// TAB, LF, CR and space.
inline bool IsXmlWhitespace(char32_t c) { return c == 0x20 || c == 0x09 || c == 0x0A || c == 0x0D; }

// Letter, "_" or ":": may start a name. Letters are the base characters and ideographs of XML 1.0.
bool IsNameStartChar(char32_t c);
// Letter, digit, ".", "-", "_", ":", combining character or extender: may continue a name.
bool IsNameChar(char32_t c);
// Characters allowed in a public identifier.
bool IsPubidChar(char32_t c);
