#include "platform/search_folding.h"

#include <cstdint>
#include <cstring>

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

constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

// Eight ASCII bytes with their capital letters lowered: a byte's high bit marks, after adding, that
// it is at least "A" and not above "Z"; that bit moved to 0x20 lowers it.
std::uint64_t LoweredAscii(std::uint64_t x) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull;
  const std::uint64_t atLeastA = x + kOnes * (0x80 - 'A');
  const std::uint64_t aboveZ = x + kOnes * (0x7F - 'Z');
  return x | (((atLeastA & ~aboveZ) & kHighBits) >> 2);
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
    // A run of ASCII, found and lowered eight bytes at a time.
    const char* const run = p;
    for (std::uint64_t x = 0; end - p >= 8 && (std::memcpy(&x, p, 8), (x & kHighBits) == 0);) p += 8;
    while (p < end && static_cast<unsigned char>(*p) < 0x80) ++p;
    if (p > run) {
      const size_t length = static_cast<size_t>(p - run), start = out.size();
      out.resize(start + length);
      char* const into = out.data() + start;
      size_t i = 0;
      for (std::uint64_t x = 0; i + 8 <= length; i += 8) {
        std::memcpy(&x, run + i, 8);
        x = LoweredAscii(x);
        std::memcpy(into + i, &x, 8);
      }
      for (; i < length; ++i) into[i] = run[i] >= 'A' && run[i] <= 'Z' ? static_cast<char>(run[i] - 'A' + 'a') : run[i];
      if (origins)
        for (size_t k = 0; k < length; ++k) origins->push_back(static_cast<size_t>(run - text.data()) + k);
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
