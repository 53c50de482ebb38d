#include "platform/search_folding.h"

#include "platform/utf8.h"

namespace {

// The base letters of U+00C0 to U+017F; '*' for the few that fold to two letters or none.
constexpr std::string_view kLatinBases =
    "aaaaaa*ceeeeiiiidnooooo*ouuuuy**"  // U+00C0
    "aaaaaa*ceeeeiiiidnooooo*ouuuuy*y"  // U+00E0
    "aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiii**jjkkkllllllllllnnnnnnnnnoooooo**"
    "rrrrrrssssssssttttttuuuuuuuuuuuuwwyyyzzzzzzs";  // U+0100

// The folding of a letter that becomes two (or a sign that stays): nothing when it is one letter.
std::string_view TwoLetterFold(char32_t c) {
  switch (c) {
    case 0xC6:
    case 0xE6: return "ae";
    case 0xDE:
    case 0xFE: return "th";
    case 0xDF: return "ss";
    case 0x132:
    case 0x133: return "ij";
    case 0x152:
    case 0x153: return "oe";
    default: return {};
  }
}

}  // namespace

void AppendFolded(std::string& out, std::string_view text, std::vector<size_t>* origins) {
  const char* p = text.data();
  const char* const end = p + text.size();
  auto add = [&](std::string_view folded, const char* from) {
    out += folded;
    if (origins) origins->insert(origins->end(), folded.size(), static_cast<size_t>(from - text.data()));
  };
  while (p < end) {
    // A run of ASCII, lowered at once.
    const char* const run = p;
    while (p < end && static_cast<unsigned char>(*p) < 0x80) ++p;
    if (p > run) {
      const size_t length = static_cast<size_t>(p - run), start = out.size();
      out.resize(start + length);
      for (size_t i = 0; i < length; ++i)
        out[start + i] = run[i] >= 'A' && run[i] <= 'Z' ? static_cast<char>(run[i] - 'A' + 'a') : run[i];
      if (origins)
        for (size_t i = 0; i < length; ++i) origins->push_back(static_cast<size_t>(run - text.data()) + i);
      if (p == end) break;
    }
    const TUtf8Sequence sequence = DecodeUtf8(p, end);
    const char32_t code = sequence.Value;
    if (sequence.Status == TUtf8Sequence::usOk && code >= 0xC0 && code <= 0x17F) {
      const std::string_view two = TwoLetterFold(code);
      const char base = kLatinBases[code - 0xC0];
      if (!two.empty()) add(two, p);
      else if (base != '*') add(std::string_view(&base, 1), p);
      else add(std::string_view(p, static_cast<size_t>(sequence.Length)), p);  // × and ÷
    } else {
      add(std::string_view(p, static_cast<size_t>(sequence.Length)), p);
    }
    p += sequence.Length;
  }
}

std::string Folded(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendFolded(out, text);
  return out;
}

std::string SnippetAround(std::string_view text, std::string_view foldedNeedle, size_t width) {
  std::string folded;
  std::vector<size_t> origins;
  AppendFolded(folded, text, &origins);
  const size_t at = folded.find(foldedNeedle);
  if (at == std::string::npos) return {};
  const size_t hit = origins.empty() ? 0 : origins[at];
  // Whole code points from some way before the place to the width's end.
  size_t from = hit > width / 3 ? hit - width / 3 : 0;
  while (from > 0 && (static_cast<unsigned char>(text[from]) & 0xC0) == 0x80) --from;
  size_t to = from + width < text.size() ? from + width : text.size();
  while (to < text.size() && (static_cast<unsigned char>(text[to]) & 0xC0) == 0x80) ++to;
  std::string snippet = from > 0 ? "..." : "";
  for (char c : text.substr(from, to - from)) snippet += c == '\n' || c == '\r' || c == '\t' ? ' ' : c;
  if (to < text.size()) snippet += "...";
  return snippet;
}
