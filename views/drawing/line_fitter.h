#pragma once

#include <cstddef>
#include <string_view>

#include "platform/canvas.h"

// One line taken from the front of a text.
struct TVpFittedLine {
  // What to draw: the line without leading and trailing blanks and control characters. It may be
  // empty (an empty line of the text, or one of blanks only).
  std::string_view Text;
  // Bytes of the text the line uses up, including the break or line end that closes it and the
  // blanks that follow a break. Always at least one code point when the text is not empty.
  size_t Consumed = 0;
};

// Breaks a text (UTF-8) into lines that fit given widths in the canvas's current font, one line at
// a time, working on whole code points:
// - a line feed, a carriage return or the pair of them always ends a line;
// - otherwise the line takes as many characters as fit and ends at the last break among them: a
//   blank (space or tab); a hyphen between two ASCII letters or digits, kept at the line's end; a
//   dot not followed by a digit. When the character after the last fitting one is a blank, the
//   line ends just before it;
// - a word longer than the whole line is cut after the last character that fits, with no hyphen;
// - when not even one character fits, the line is the first character alone, so that every line
//   uses up text.
class TVpLineFitter {
 public:
  explicit TVpLineFitter(TCanvas& canvas) : Canvas_(canvas), AverageCharWidth_(canvas.AverageCharWidth()) {}

  // The next line of the text for the width in pixels.
  TVpFittedLine Next(std::string_view text, int width) const;

 private:
  TCanvas& Canvas_;
  int AverageCharWidth_;
};
