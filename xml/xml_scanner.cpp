#include "xml/xml_scanner.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "xml/xml_chars.h"
#include "xml/xml_errors.h"

namespace {

// What a byte of the text can be, for the reading loops. Bytes 0x80 and above are parts of
// multi-byte characters: they stop every fast loop and are decoded one character at a time.
enum : unsigned char {
  kSpace = 1,         // TAB, LF, CR, space
  kNameStart = 2,     // ASCII letter, "_", ":"
  kNameChar = 4,      // ASCII letter, digit, ".", "-", "_", ":"
  kNameEnd = 8,       // ends a name without being an error
  kTextStop = 16,     // ends the fast run through character data
  kLiteralStop = 32,  // ends the fast run through a quoted value
};

constexpr std::array<unsigned char, 256> kByteClass = [] {
  std::array<unsigned char, 256> classes{};
  for (int c = 0; c < 256; ++c) {
    unsigned char k = 0;
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    const bool digit = c >= '0' && c <= '9';
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') k |= kSpace;
    if (letter || c == '_' || c == ':') k |= kNameStart;
    if (letter || digit || c == '.' || c == '-' || c == '_' || c == ':') k |= kNameChar;
    for (const char end : std::string_view("%<>&,|*+?)='\"[ \t\n\r;/")) {
      if (c == static_cast<unsigned char>(end)) k |= kNameEnd;
    }
    const bool control = c < 0x20 && c != '\t' && c != '\n' && c != '\r';
    if (control || c >= 0x80 || c == '<' || c == '&' || c == '\r' || c == ']') k |= kTextStop;
    if (control || c >= 0x80 || c == '<' || c == '&' || c == '\r' || c == '\n' || c == '"' || c == '\'' ||
        c == '~')
      k |= kLiteralStop;
    classes[c] = k;
  }
  return classes;
}();

inline unsigned char ClassOf(const char* p) { return kByteClass[static_cast<unsigned char>(*p)]; }

// The replacement character of a predefined entity, or 0.
char PredefinedEntity(std::string_view name) {
  if (name == "amp") return '&';
  if (name == "lt") return '<';
  if (name == "gt") return '>';
  if (name == "apos") return '\'';
  if (name == "quot") return '"';
  return 0;
}

int DigitValue(char c, int base) {
  if (c >= '0' && c <= '9') return c - '0';
  if (base == 16 && c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (base == 16 && c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

TVpXmlScanner::TVpXmlScanner(std::string_view Document) : Input_(Document) {
  const std::string_view text = Input_.Text();
  P_ = text.data();
  End_ = text.data() + text.size();
}

void TVpXmlScanner::Fail(const std::string& Message) {
  if (P_ != End_) CharAt(P_);  // an undecodable or forbidden character is the first fault
  FailAt(P_, Message);
}

void TVpXmlScanner::FailAt(const char* At, const std::string& Message) {
  const TVpTextPosition position = Input_.PositionOf(At);
  throw EVpParserError(Message, position.StreamPosition, position.Line, position.Column);
}

void TVpXmlScanner::FailCharacterAt(const char* At, const std::string& Message) {
  const TVpTextPosition position = Input_.PositionOf(At);
  throw EVpFilterError(Message, position.StreamPosition, position.Line, position.Column);
}

void TVpXmlScanner::FailNameExpected() {
  if (P_ == End_) Fail("Unexpected end of file ");
  Fail("Invalid XML name: " + QuotedText(CharAt(P_)));
}

// Decodes and checks the character at At: undecodable bytes and characters outside the XML
// Char class are errors.
char32_t TVpXmlScanner::DecodeChar(const char* At, int& Length) {
  const auto byte = static_cast<unsigned char>(*At);
  if (byte < 0x80) {
    if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r')
      FailCharacterAt(At, "Invalid XML Character found");
    Length = 1;
    return byte;
  }
  const TUtf8Sequence sequence = DecodeUtf8(At, End_);
  if (sequence.Status != TUtf8Sequence::usOk) FailCharacterAt(At, Input_.BadlyFormedMessage());
  if (!IsXmlChar(sequence.Value)) FailCharacterAt(At, "Invalid XML Character found");
  Length = sequence.Length;
  return sequence.Value;
}

// The character at At as text, for messages.
std::string TVpXmlScanner::CharAt(const char* At) {
  int length;
  DecodeChar(At, length);
  return std::string(At, length);
}

void TVpXmlScanner::SkipWhitespace() {
  while (P_ != End_ && (ClassOf(P_) & kSpace)) ++P_;
}

bool TVpXmlScanner::Match(std::string_view Token) {
  if (static_cast<std::size_t>(End_ - P_) < Token.size() || std::string_view(P_, Token.size()) != Token)
    return false;
  P_ += Token.size();
  return true;
}

void TVpXmlScanner::Require(std::string_view Token) {
  if (!Match(Token)) Fail("Expected String: " + QuotedText(Token));
}

void TVpXmlScanner::RequireWhitespace() {
  if (P_ == End_ || !(ClassOf(P_) & kSpace)) {
    const TVpTextPosition position = Position();
    Fail("Whitespace expected at byte Line: " + std::to_string(position.Line) +
         " Position: " + std::to_string(position.Column));
  }
  SkipWhitespace();
}

void TVpXmlScanner::EqualsSign() {
  SkipWhitespace();
  Require("=");
  SkipWhitespace();
}

std::string_view TVpXmlScanner::ReadName() {
  const char* start = P_;
  while (P_ != End_) {
    const unsigned char kind = ClassOf(P_);
    if (kind & (P_ == start ? kNameStart : kNameChar)) {
      ++P_;
      continue;
    }
    if (kind & kNameEnd) break;
    int length;
    const char32_t c = DecodeChar(P_, length);
    if (!(P_ == start ? IsNameStartChar(c) : IsNameChar(c))) Fail("Invalid XML name: " + QuotedText(std::string(P_, length)));
    P_ += length;
  }
  return {start, static_cast<std::size_t>(P_ - start)};
}

TVpXmlScanner::TLiteral TVpXmlScanner::ReadLiteral(std::string& Out, TLiteralKind Kind) {
  if (P_ == End_ || (*P_ != '"' && *P_ != '\'' && *P_ != '~')) Fail("Expected \" or '");
  const char quote = *P_++;
  const char* start = P_;
  const char* copied = P_;  // the raw text before it is in Out, once rewriting has begun
  const std::size_t outStart = Out.size();
  bool rewritten = false;
  const auto copyRaw = [&] {
    Out.append(copied, static_cast<std::size_t>(P_ - copied));
    rewritten = true;
  };
  while (true) {
    while (P_ != End_ && !(ClassOf(P_) & kLiteralStop)) ++P_;
    if (P_ == End_) Fail(std::string("Expected: ") + quote);
    const char c = *P_;
    if (c == quote) break;
    switch (c) {
      case '"':
      case '\'':
      case '~':
        ++P_;
        break;
      case '\r':
      case '\n':
        copyRaw();
        Out += ' ';
        P_ += c == '\r' && P_ + 1 != End_ && P_[1] == '\n' ? 2 : 1;
        copied = P_;
        break;
      case '&':
        if (Kind == lkDeclaration) {
          ++P_;
          break;
        }
        copyRaw();
        AppendReference(Out);
        copied = P_;
        break;
      case '<':
        if (Kind == lkAttribute) Fail("Invalid character in attribute value: '<'");
        ++P_;
        break;
      default: {
        int length;
        DecodeChar(P_, length);
        P_ += length;
      }
    }
  }
  const std::string_view raw(start, static_cast<std::size_t>(P_ - start));
  if (!rewritten) {
    ++P_;
    return {raw, false};
  }
  copyRaw();
  ++P_;
  return {std::string_view(Out).substr(outStart), true};
}

std::string TVpXmlScanner::ReadLiteral(TLiteralKind Kind) {
  std::string buffer;
  return std::string(ReadLiteral(buffer, Kind).Value);
}

// A reference, P_ at its "&": appends the character it stands for.
void TVpXmlScanner::AppendReference(std::string& Out) {
  const char* start = P_++;
  if (P_ == End_ || *P_ != '#') {
    const std::string_view name = ReadName();
    Require(";");
    const char c = PredefinedEntity(name);
    if (c == 0) Fail("Reference to undeclared entity: " + QuotedText(name));
    Out += c;
    return;
  }
  ++P_;
  int base = 10;
  if (P_ != End_ && *P_ == 'x') {
    base = 16;
    ++P_;
  }
  const char* digits = P_;
  std::uint32_t value = 0;
  while (true) {
    if (P_ == End_) Fail("Unexpected end of file ");
    if (*P_ == ';') break;
    const int digit = DigitValue(*P_, base);
    if (digit < 0) Fail("Illegal character in reference" + QuotedText(CharAt(P_)));
    // Past the last character the value stays just above it, however many digits follow.
    value = std::min<std::uint32_t>(value * base + digit, 0x110000);
    ++P_;
  }
  if (P_ == digits) Fail("Illegal character in reference';'");
  ++P_;
  if (!IsXmlChar(value))
    Fail("Invalid character reference: " + QuotedText(std::string_view(start, static_cast<std::size_t>(P_ - start))));
  AppendUtf8(Out, value);
}

std::string_view TVpXmlScanner::ReadUntil(std::string_view Delimiter) {
  const char* start = P_;
  const char* copied = P_;
  bool rewritten = false;
  while (true) {
    if (P_ == End_) Fail("End of input while looking for delimiter: " + QuotedText(Delimiter));
    const char c = *P_;
    if (c == Delimiter[0] && Match(Delimiter)) break;
    if (c == '\r') {
      if (!rewritten) Text_.clear();
      Text_.append(copied, static_cast<std::size_t>(P_ - copied));
      Text_ += '\n';
      rewritten = true;
      P_ += P_ + 1 != End_ && P_[1] == '\n' ? 2 : 1;
      copied = P_;
    } else {
      int length;
      DecodeChar(P_, length);
      P_ += length;
    }
  }
  const char* stop = P_ - Delimiter.size();
  if (!rewritten) return {start, static_cast<std::size_t>(stop - start)};
  Text_.append(copied, static_cast<std::size_t>(stop - copied));
  return Text_;
}

std::string_view TVpXmlScanner::ReadCharacterData() {
  const char* start = P_;
  const char* copied = P_;
  bool rewritten = false;
  const auto copyRaw = [&] {
    if (!rewritten) Text_.clear();
    Text_.append(copied, static_cast<std::size_t>(P_ - copied));
    rewritten = true;
  };
  while (true) {
    while (P_ != End_ && !(ClassOf(P_) & kTextStop)) ++P_;
    if (P_ == End_) Fail("Unexpected end of file ");
    switch (*P_) {
      case '<':
        if (!rewritten) return {start, static_cast<std::size_t>(P_ - start)};
        copyRaw();
        return Text_;
      case '&':
        copyRaw();
        AppendReference(Text_);
        copied = P_;
        break;
      case '\r':
        copyRaw();
        Text_ += '\n';
        P_ += P_ + 1 != End_ && P_[1] == '\n' ? 2 : 1;
        copied = P_;
        break;
      case ']':
        if (End_ - P_ >= 3 && P_[1] == ']' && P_[2] == '>')
          Fail("Invalid characters in element's character data: ']]>'");
        ++P_;
        break;
      default: {
        int length;
        DecodeChar(P_, length);
        P_ += length;
      }
    }
  }
}

void TVpXmlScanner::SwitchToIso88591() {
  const std::string_view rest = Input_.SwitchToIso88591(P_);
  P_ = rest.data();
  End_ = rest.data() + rest.size();
}

void CollapseWhitespace(std::string_view run, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < run.size();) {
    while (i < run.size() && (ClassOf(&run[i]) & kSpace)) ++i;
    const std::size_t word = i;
    while (i < run.size() && !(ClassOf(&run[i]) & kSpace)) ++i;
    if (i == word) break;
    if (!out.empty()) out += ' ';
    out.append(run, word, i - word);
  }
}

bool IsCollapsed(std::string_view run) {
  if (ClassOf(&run.front()) & kSpace || ClassOf(&run.back()) & kSpace) return false;
  for (std::size_t i = 0; i + 1 < run.size(); ++i) {
    if (!(ClassOf(&run[i]) & kSpace)) continue;
    if (run[i] != ' ' || run[i + 1] == ' ') return false;
  }
  return true;
}


std::string QuotedText(std::string_view text) {
  std::string quoted = "'";
  for (const char c : text) {
    quoted += c;
    if (c == '\'') quoted += '\'';
  }
  return quoted + "'";
}

