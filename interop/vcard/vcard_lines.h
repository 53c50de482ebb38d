#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/vp_exception.h"

// The content lines of an address-book card file: unfolded, split into group, name, parameters
// and value.

// A card file that cannot be read; the message names the line from 1.
class EVpVCardError : public EVpException {
 public:
  EVpVCardError(int line, const std::string& what)
      : EVpException("line " + std::to_string(line) + ": " + what), Line_(line) {}
  int Line() const { return Line_; }

 private:
  int Line_;
};

// One line longer than this (after unfolding) is refused: no card text or picture needs it.
constexpr size_t kMaxVCardLineBytes = 1 << 20;

struct TVpVCardParam {
  std::string Name;  // upper case
  std::vector<std::string> Values;
};

struct TVpContentLine {
  int Line = 0;  // where the line starts
  std::string Group;
  std::string Name;  // upper case
  // A bare word such as CELL in "TEL;CELL" is a TYPE value, QUOTED-PRINTABLE and BASE64 an
  // ENCODING.
  std::vector<TVpVCardParam> Params;
  std::string Value;  // as written, escapes kept
};

// The text's content lines. A byte order mark at the start and blank lines are skipped; lines end
// in LF, CR LF or CR; a line starting with a blank or tab continues the one before (the blank
// goes), and so does any line after one ending in "=" inside a quoted-printable value. Raises
// EVpVCardError for a line too long, one with control characters (binary data) and one that is
// no content line.
std::vector<TVpContentLine> ReadContentLines(std::string_view text);
