#pragma once

#include <string>
#include <string_view>

#include "xml/in_char_filter.h"

// The character level of the XML reader: a cursor over the decoded text of one document with the
// reading steps the grammar is made of (names, quoted values, references, character data, text
// up to a delimiter). Every character it steps over is checked: undecodable bytes and characters
// outside the XML Char class raise EVpFilterError; syntax errors raise EVpParserError. Both carry
// the position of the next character not yet consumed.
//
// Texts come back as views of the document where nothing had to be rewritten, else as views of
// a buffer of the scanner's that stays valid until the scanner reads the next text.
class TVpXmlScanner {
 public:
  // A quoted value; Rewritten when it is the tail of the buffer it was read into.
  struct TLiteral {
    std::string_view Value;
    bool Rewritten;
  };
  enum TLiteralKind {
    lkDeclaration,                // no references; "&" is an ordinary character
    lkDeclarationWithReferences,  // references replaced
    lkAttribute                   // references replaced; a raw "<" is an error
  };

  // The document's bytes must outlive the scanner.
  explicit TVpXmlScanner(std::string_view document);

  bool AtEnd() const { return P_ == End_; }
  // The next byte; only when not AtEnd().
  char Peek() const { return *P_; }
  // Steps over the next byte; only for an ASCII character just looked at with Peek().
  void Skip() { ++P_; }
  // The next character (checked), for messages; only when not AtEnd().
  std::string NextCharacter() { return CharAt(P_); }

  TVpTextPosition Position() { return Input_.PositionOf(P_); }
  const TVpInCharFilter& Input() const { return Input_; }
  // Ends the parse with a syntax error at the current position.
  [[noreturn]] void Fail(const std::string& message);
  // The same for an error about the next character; when that character is itself undecodable
  // or forbidden, that is reported instead, as it is the first fault.
  [[noreturn]] void FailAtNextCharacter(const std::string& message);
  // Fails because a name is required where the next character cannot start one.
  [[noreturn]] void FailNameExpected();

  // Steps over TAB, LF, CR and space.
  void SkipWhitespace() {
    const char* p = P_;  // a local, which the loop need not store at every byte
    while (p != End_ && (*p == ' ' || *p == '\n' || *p == '\t' || *p == '\r')) ++p;
    P_ = p;
  }
  // Consumes the token when it comes next; else consumes nothing. Inline, so that a token
  // written in the call is compared without a call.
  bool Match(std::string_view token) {
    if (static_cast<std::size_t>(End_ - P_) < token.size() || std::string_view(P_, token.size()) != token) return false;
    P_ += token.size();
    return true;
  }
  // Consumes the token or fails with "Expected String: 'token'".
  void Require(std::string_view token) {
    if (!Match(token)) FailExpected(token);
  }
  // At least one white-space character, then any more.
  void RequireWhitespace();
  // White space, "=", white space.
  void EqualsSign();
  // A name, possibly empty: it ends before white space, the end of input or one of the
  // delimiters that may follow a name; any other character that cannot stand in it fails.
  std::string_view ReadName();
  // A value between double quotes, single quotes or "~" (the same character closes it). Line ends
  // become spaces; TAB and every other character are kept. A rewritten value is appended to out.
  TLiteral ReadLiteral(std::string& out, TLiteralKind kind);
  // The same, as a string of its own.
  std::string ReadLiteral(TLiteralKind kind);
  // Character data up to the next "<" (not consumed), with references replaced and line ends as
  // LF, its white space collapsed when asked (see CollapseWhitespace). "]]>" in it is an error,
  // and so is the end of input.
  std::string_view ReadCharacterData(bool collapseSpace);
  // The text up to the delimiter, which is consumed; line ends in it become LF.
  std::string_view ReadUntil(std::string_view delimiter);

  // Reads the rest of the document, from the current position on, as ISO-8859-1.
  void SwitchToIso88591();

 private:
  [[noreturn]] void FailAt(const char* at, const std::string& message);
  [[noreturn]] void FailExpected(std::string_view token);
  [[noreturn]] void FailCharacterAt(const char* at, const std::string& message);
  char32_t DecodeChar(const char* at, int& length);
  // Steps over the character at P_, checking it.
  void SkipCharacter();
  std::string CharAt(const char* at);
  char32_t ReadReference();

  TVpInCharFilter Input_;
  const char* P_;     // the next character not yet consumed
  const char* End_;   // end of the text
  std::string Text_;  // the last rewritten run of character data or delimited text
};

// A text between single quotes, with single quotes inside it doubled, as messages quote texts.
std::string QuotedText(std::string_view text);
// The white space of a text collapsed: none at either end, one space between words. The result
// is written to the start of Buffer, which only grows.
std::string_view CollapseWhitespace(std::string_view text, std::string& buffer);
