#include "views/drawing/line_fitter.h"

#include <algorithm>
#include <vector>

#include "platform/utf8.h"

namespace {

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
// Blanks and control characters, trimmed from both ends of a line.
bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= ' '; }
bool IsAsciiLetterOrDigit(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

// One paragraph of a text (up to its first line end) cut into code points.
class TParagraph {
 public:
  explicit TParagraph(std::string_view text) : Text_(text), Offsets_(CodePointStarts(text)) {}

  int Length() const { return static_cast<int>(Offsets_.size()) - 1; }
  // The first n code points.
  std::string_view Prefix(int n) const { return Text_.substr(0, Offsets_[n]); }
  // The first byte of the code point at the 1-based position p, or 0 outside the paragraph. A
  // multi-byte character gives its lead byte, which matches no ASCII test below.
  char At(int p) const { return p >= 1 && p <= Length() ? Text_[Offsets_[p - 1]] : '\0'; }

  // Whether the line may end with the character at the 1-based position p. (Line ends break
  // too, but a paragraph holds none.)
  bool IsBreak(int p) const {
    const char c = At(p);
    if (IsBlank(c)) return true;
    if (c == '-') return IsAsciiLetterOrDigit(At(p - 1)) && IsAsciiLetterOrDigit(At(p + 1));
    if (c == '.') return !(At(p + 1) >= '0' && At(p + 1) <= '9');
    return false;
  }

 private:
  std::string_view Text_;
  std::vector<size_t> Offsets_;
};

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsTrimmed(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsTrimmed(s.back())) s.remove_suffix(1);
  return s;
}

// Length of the line end at the front of the text: 2 for a carriage return and line feed, 1 for
// either alone, 0 for none.
size_t LineEndLength(std::string_view text) {
  if (text.starts_with("\r\n")) return 2;
  return !text.empty() && IsLineEnd(text.front()) ? 1 : 0;
}

}  // namespace

TVpFittedLine TVpLineFitter::Next(std::string_view text, int width) const {
  const TParagraph paragraph(text.substr(0, std::find_if(text.begin(), text.end(), IsLineEnd) - text.begin()));
  const int length = paragraph.Length();
  auto widthOf = [&](int n) { return Canvas_.TextWidth(paragraph.Prefix(n)); };

  // The number of characters that fit: from the estimate by the average character width, or by
  // bisection when the font reports none.
  int fit = 0;
  if (AverageCharWidth_ > 0) {
    fit = std::clamp(width / AverageCharWidth_, 0, length);
    while (fit < length && widthOf(fit) < width) ++fit;
    while (fit > 0 && widthOf(fit) > width) --fit;
  } else {
    int low = 0;
    int high = length;
    while (low < high) {
      const int middle = (low + high + 1) / 2;
      if (widthOf(middle) <= width) low = middle;
      else high = middle - 1;
    }
    fit = low;
  }

  if (fit >= length) {
    const size_t used = paragraph.Prefix(length).size();
    return {Trim(paragraph.Prefix(length)), used + LineEndLength(text.substr(used))};
  }

  int lineLength = fit;
  if (!IsBlank(paragraph.At(fit + 1))) {
    for (int p = fit; p >= 1; --p) {
      if (paragraph.IsBreak(p)) {
        lineLength = p;
        break;
      }
    }
  }
  lineLength = std::max(lineLength, 1);

  // The blanks after a break belong to no line; a line end right after them closes this line.
  const std::string_view line = paragraph.Prefix(lineLength);
  size_t used = line.size();
  while (used < text.size() && IsBlank(text[used])) ++used;
  used += LineEndLength(text.substr(used));
  return {Trim(line), used};
}
