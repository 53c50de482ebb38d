#pragma once
#include <string>
#include <string_view>

// Where a calendar file could not be read: the line (1 for the first; 0 when no line is to
// blame) and what is wrong there.
struct TIcalReadError {
  int Line = 0;
  std::string Message;
};

// The longest physical line taken in; longer ones end the reading at once.
constexpr std::size_t kMaxIcalLineLength = 1 << 20;

// The bytes of a calendar file made ready for the parser: a leading byte-order mark dropped, lines
// unfolded and ended with CRLF, a body that is not valid UTF-8 read as Latin-1 and converted.
// Checks the line structure on the way (a content line has a name and a ':'; BEGIN and END pair
// up; the file starts with a calendar and ends outside any component) so that a malformed or
// truncated file is refused with the line to blame. False with the error when it is refused.
bool PrepareIcalText(std::string_view bytes, std::string& text, TIcalReadError& error);
