#include <gtest/gtest.h>

#include <random>

#include "xml/parser.h"

// Character data is read in whole words where it can be; these runs put every kind of piece at
// every offset, so each word boundary meets each piece, and compare with an oracle built from
// the pieces' meanings.
namespace {

struct TPiece {
  const char* Written;  // as in the document
  const char* Meaning;  // the characters it stands for
};

const TPiece kPieces[] = {{"a", "a"},
                          {"word", "word"},
                          {" ", " "},
                          {"  ", "  "},
                          {"\t", "\t"},
                          {"\n", "\n"},
                          {"\r\n", "\n"},
                          {"\r", "\n"},
                          {"&#32;", " "},
                          {"&#10;", "\n"},
                          {"&amp;", "&"},
                          {"&lt;", "<"},
                          {"\xC3\xA9", "\xC3\xA9"},
                          {"\xE6\x97\xA5", "\xE6\x97\xA5"},
                          {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
                          {"]", "]"},
                          {"]]", "]]"},
                          {">", ">"}};

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// No white space at either end, one space between words.
std::string Collapsed(const std::string& text) {
  std::string collapsed;
  bool pendingSpace = false;
  for (const char c : text) {
    if (IsSpace(c)) {
      pendingSpace = !collapsed.empty();
    } else {
      if (pendingSpace) collapsed += ' ';
      pendingSpace = false;
      collapsed += c;
    }
  }
  return collapsed;
}

std::vector<std::string> TextsOf(const std::string& document, bool preserve) {
  TVpParser parser;
  std::vector<std::string> texts;
  parser.SetOnSpaceMode([preserve](TVpParser&, std::string_view, bool& keep) { keep = preserve; });
  parser.SetOnText([&texts](TVpParser&, std::string_view text) { texts.emplace_back(text); });
  EXPECT_TRUE(parser.ParseMemory(document)) << parser.ErrorMessages().front();
  return texts;
}

TEST(ParserTextRuns, MatchTheMeaningOfTheirPieces) {
  std::mt19937 random(7);
  for (int round = 0; round < 3000; ++round) {
    std::string written;
    std::string meaning;
    const int count = static_cast<int>(random() % 40);
    for (int i = 0; i < count; ++i) {
      const TPiece& piece = kPieces[random() % std::size(kPieces)];
      // "]]" followed by ">" would be the forbidden "]]>"; CR followed by LF is one line end
      if (std::string_view(piece.Written) == ">" && written.ends_with("]]")) continue;
      if (piece.Written[0] == '\n' && written.ends_with('\r')) continue;
      written += piece.Written;
      meaning += piece.Meaning;
    }
    SCOPED_TRACE(written);
    const std::string document = "<a>" + written + "<b/>" + written + "</a>";
    const std::vector<std::string> preserved = TextsOf(document, true);
    const std::vector<std::string> expectedPreserved =
        meaning.empty() ? std::vector<std::string>{} : std::vector<std::string>{meaning, meaning};
    EXPECT_EQ(preserved, expectedPreserved);
    const std::string collapsed = Collapsed(meaning);
    const std::vector<std::string> expectedCollapsed =
        collapsed.empty() ? std::vector<std::string>{} : std::vector<std::string>{collapsed, collapsed};
    EXPECT_EQ(TextsOf(document, false), expectedCollapsed);
  }
}

// Character data is tested many bytes at a time; a fault must be found at its own column
// wherever it stands in such a block, where white space collapses and where it is kept.
TEST(ParserTextRuns, FindAFaultAtItsColumnWhereverItStands) {
  const struct {
    const char* Fault;
    const char* Message;
  } faults[] = {{"\x01", "Invalid XML Character found"},
                {"\xEF\xBF\xBE", "Invalid XML Character found"},
                {"\xFF", "Badly formed UTF-8 character in stream"},
                {"\x80", "Badly formed UTF-8 character in stream"},
                {"\xC3", "Badly formed UTF-8 character in stream"},
                {"\xED\xA0\x80", "Badly formed UTF-8 character in stream"}};
  for (const auto& fault : faults) {
    for (int offset = 0; offset < 40; ++offset) {
      std::string before;
      for (int i = 0; i < offset; ++i) before += i % 5 == 4 ? ' ' : 'w';
      const std::string document = "<a>" + before + fault.Fault + " and more text after it</a>";
      for (const bool preserve : {false, true}) {
        TVpParser parser;
        parser.SetOnSpaceMode([preserve](TVpParser&, std::string_view, bool& keep) { keep = preserve; });
        parser.SetOnText([](TVpParser&, std::string_view) {});
        ASSERT_FALSE(parser.ParseMemory(document)) << document;
        EXPECT_EQ(parser.ErrorMessages().front(),
                  "Line: 1 Col: " + std::to_string(offset + 4) + " Error: " + fault.Message)
            << document;
      }
    }
  }
}

}  // namespace
