#pragma once

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/color.h"

// A skin file: a small text file in the program folder's Skins/ (or anywhere else) naming the
// skin and the colours of the palette every window draws with, one `key = value` per line:
//
//   # The dark skin: light text on dark grey.
//   name = Dark
//   style = Fusion
//   window = #353535
//   window-text = #E8E8E8
//   base = #262626
//   text = #E8E8E8
//   button = #404040
//   button-text = #E8E8E8
//   highlight = #2F6FB7
//   highlighted-text = #FFFFFF
//   tooltip-base = #404040
//   tooltip-text = #E8E8E8
//   link = #6FA8EF
//
// Blank lines and lines starting with '#' are comments; blanks around keys and values do not
// count. `name` and every colour are required, each once; colours are #RRGGBB. `style` (a widget
// style of the desktop's toolkit) is optional. Unknown keys are refused, so that a misspelt key
// is told rather than ignored.

// The palette colours a skin names, in the order of kSkinColorKeys.
enum TSkinColorRole {
  scWindow,
  scWindowText,
  scBase,
  scText,
  scButton,
  scButtonText,
  scHighlight,
  scHighlightedText,
  scToolTipBase,
  scToolTipText,
  scLink,
  kSkinColorCount
};
inline constexpr std::array<const char*, kSkinColorCount> kSkinColorKeys = {
    "window",    "window-text",      "base",         "text",         "button", "button-text",
    "highlight", "highlighted-text", "tooltip-base", "tooltip-text", "link"};

using TSkinPalette = std::array<TColor, kSkinColorCount>;

struct TSkin {
  std::string Name;
  std::string Style;  // empty: the desktop's own widget style
  TSkinPalette Colors{};
};

// A skin file that cannot be read or is malformed; the message names the file, the line and why.
class ESkinFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads a skin file's text; fileName names it in errors.
TSkin ParseSkin(std::string_view text, const std::string& fileName);
// Reads the skin file at path.
TSkin ReadSkinFile(const std::string& path);
