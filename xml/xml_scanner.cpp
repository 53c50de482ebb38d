#include "xml/xml_scanner.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "platform/error_text.h"
#include "platform/utf8.h"
#include "xml/xml_chars.h"
#include "xml/xml_errors.h"
#include "xml/xml_messages.h"

namespace {

// What a byte of the text can be, for the reading loops. Bytes 0x80 and above are parts of
// multi-byte characters: they stop the table-driven loops and are checked a character at a time.
enum : unsigned char {
  kSpace = 1,                // TAB, LF, CR, space
  kNameStart = 2,            // ASCII letter, "_", ":"
  kNameChar = 4,             // ASCII letter, digit, ".", "-", "_", ":"
  kNameEnd = 8,              // ends a name without being an error
  kTextStop = 16,            // ends the fast run through character data
  kLiteralStop = 32,         // ends the fast run through a quoted value
  kCollapsingTextStop = 64,  // the same where white space collapses: also TAB and LF
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
    if (control || c >= 0x80 || c == '<' || c == '&' || c == '\r' || c == ']') k |= kTextStop | kCollapsingTextStop;
    if (c == '\t' || c == '\n') k |= kCollapsingTextStop;
    if (control || c >= 0x80 || c == '<' || c == '&' || c == '\r' || c == '\n' || c == '"' || c == '\'' || c == '~')
      k |= kLiteralStop;
    classes[c] = k;
  }
  return classes;
}();

inline unsigned char ClassOf(const char* p) { return kByteClass[static_cast<unsigned char>(*p)]; }

// The length of the well-formed multi-byte sequence at p when it encodes an XML character, else
// 0 (the caller then decodes it the slow way, which reports the fault). Keeps non-ASCII text off
// the slow path. This fast path stays beside the reading loops on purpose: it accepts only what
// DecodeUtf8 (platform/utf8.h), the one strict decoder, accepts, and leaves every doubtful
// sequence to it.
inline int XmlCharLength(const char* p, const char* end) {
  const auto byte = [p](int i) { return static_cast<unsigned char>(p[i]); };
  const auto continuation = [&byte](int i) { return (byte(i) & 0xC0) == 0x80; };
  const unsigned lead = byte(0);
  const std::ptrdiff_t available = end - p;
  if (lead >= 0xC2 && lead <= 0xDF) return available >= 2 && continuation(1) ? 2 : 0;
  if (lead >= 0xE0 && lead <= 0xEF) {
    if (available < 3 || !continuation(1) || !continuation(2)) return 0;
    if (lead == 0xE0 && byte(1) < 0xA0) return 0;                      // overlong
    if (lead == 0xED && byte(1) >= 0xA0) return 0;                     // surrogate
    if (lead == 0xEF && byte(1) == 0xBF && byte(2) >= 0xBE) return 0;  // U+FFFE, U+FFFF
    return 3;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    if (available < 4 || !continuation(1) || !continuation(2) || !continuation(3)) return 0;
    if (lead == 0xF0 && byte(1) < 0x90) return 0;   // overlong
    if (lead == 0xF4 && byte(1) >= 0x90) return 0;  // above U+10FFFF
    return 4;
  }
  return 0;
}

// The fast loops work on local pointers: a loop that stepped a member would store it at every
// byte, since the bytes read might alias it.
inline const char* SkipWhile(const char* p, const char* end, unsigned char kinds) {
  while (p != end && (ClassOf(p) & kinds)) ++p;
  return p;
}

inline const char* SkipUntil(const char* p, const char* end, unsigned char stops) {
  while (p != end && !(ClassOf(p) & stops)) ++p;
  return p;
}

// Whether character data goes on past p: where white space collapses, two spaces in a row stop
// it too (p + 1 must be readable then).
inline bool IsPlainText(const char* p, bool collapsing) {
  if (!collapsing) return !(ClassOf(p) & kTextStop);
  return !(ClassOf(p) & kCollapsingTextStop) && !(p[0] == ' ' && p[1] == ' ');
}

// Sixteen bytes tested at once, as a vector of bytes (the compilers' vector extension, which
// becomes SIMD instructions where the processor has them). A test gives 0xFF for each byte that
// passes it and 0 for the others.
using TSixteenBytes [[gnu::vector_size(16)]] = unsigned char;

inline TSixteenBytes SixteenBytesAt(const char* p) {
  TSixteenBytes bytes;
  std::memcpy(&bytes, p, sizeof bytes);
  return bytes;
}

// The offset of the first byte in memory that a test marked, or 16 for none.
inline int FirstMarkedByte(TSixteenBytes marks) {
  std::uint64_t halves[2];
  std::memcpy(halves, &marks, sizeof halves);
  const auto firstIn = [](std::uint64_t half) {
    if constexpr (std::endian::native == std::endian::little) return std::countr_zero(half) / 8;
    return std::countl_zero(half) / 8;
  };
  if (halves[0]) return firstIn(halves[0]);
  if (halves[1]) return 8 + firstIn(halves[1]);
  return 16;
}

// The bytes of the sixteen at p that may stop character data: bytes below 0x20 or beyond ASCII,
// "<", "&", "]", and (collapsing) a space that another follows, p[16] included.
inline TSixteenBytes TextStops(const char* p, bool collapsing) {
  const TSixteenBytes bytes = SixteenBytesAt(p);
  TSixteenBytes stops = (bytes < 0x20) | (bytes >= 0x80) | (bytes == '<') | (bytes == '&') | (bytes == ']');
  if (collapsing) stops |= (bytes == ' ') & (SixteenBytesAt(p + 1) == ' ');
  return stops;
}

// The first byte at or after p where character data needs a look, or the last byte (which the
// caller looks at anyway), so that p + 1 is readable wherever two spaces are tested. Sixteen bytes
// are tested at once and a test that fails leads straight to the byte that failed it.
inline const char* SkipPlainText(const char* p, const char* end, bool collapsing) {
  while (end - p > 16) {
    const int first = FirstMarkedByte(TextStops(p, collapsing));
    p += first;
    if (first == 16) continue;
    if (static_cast<unsigned char>(*p) >= 0x80) {
      // Well-formed characters beyond ASCII, as many as follow each other.
      do {
        const int length = XmlCharLength(p, end);
        if (length == 0) return p;
        p += length;
      } while (p != end && static_cast<unsigned char>(*p) >= 0x80);
    } else if (!collapsing && (*p == '\t' || *p == '\n')) {
      ++p;  // white space that is kept
    } else {
      return p;
    }
  }
  while (end - p > 1 && IsPlainText(p, collapsing)) ++p;
  return p;
}

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

TVpXmlScanner::TVpXmlScanner(std::string_view document) : Input_(document) {
  const std::string_view text = Input_.Text();
  P_ = text.data();
  End_ = text.data() + text.size();
}

void TVpXmlScanner::Fail(const std::string& message) { FailAt(P_, message); }

void TVpXmlScanner::FailAtNextCharacter(const std::string& message) {
  if (P_ != End_) CharAt(P_);  // an undecodable or forbidden character is the first fault
  FailAt(P_, message);
}

void TVpXmlScanner::FailAt(const char* at, const std::string& message) {
  const TVpTextPosition position = Input_.PositionOf(at);
  throw EVpParserError(message, position.StreamPosition, position.Line, position.Column);
}

void TVpXmlScanner::FailCharacterAt(const char* at, const std::string& message) {
  const TVpTextPosition position = Input_.PositionOf(at);
  throw EVpFilterError(message, position.StreamPosition, position.Line, position.Column);
}

void TVpXmlScanner::FailNameExpected() {
  if (P_ == End_) Fail(XmlMessages::UnexpectedEndOfFile);
  FailAtNextCharacter(XmlMessages::InvalidName + QuotedText(CharAt(P_)));
}

// Decodes and checks the character that at points to: undecodable bytes and characters outside the XML
// Char class are errors.
char32_t TVpXmlScanner::DecodeChar(const char* at, int& length) {
  const auto byte = static_cast<unsigned char>(*at);
  if (byte < 0x80) {
    if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r')
      FailCharacterAt(at, XmlMessages::InvalidXmlCharacter);
    length = 1;
    return byte;
  }
  const TUtf8Sequence sequence = DecodeUtf8(at, End_);
  if (sequence.Status != TUtf8Sequence::usOk) FailCharacterAt(at, Input_.BadlyFormedMessage());
  if (!IsXmlChar(sequence.Value)) FailCharacterAt(at, XmlMessages::InvalidXmlCharacter);
  length = sequence.Length;
  return sequence.Value;
}

void TVpXmlScanner::SkipCharacter() {
  const auto byte = static_cast<unsigned char>(*P_);
  int length = byte >= 0x20 && byte < 0x80 ? 1 : XmlCharLength(P_, End_);
  if (length == 0) DecodeChar(P_, length);
  P_ += length;
}

// The character that at points to, as text, for messages.
std::string TVpXmlScanner::CharAt(const char* at) {
  int length;
  DecodeChar(at, length);
  return std::string(at, length);
}

void TVpXmlScanner::FailExpected(std::string_view token) {
  FailAtNextCharacter(XmlMessages::ExpectedString + QuotedText(token));
}

void TVpXmlScanner::RequireWhitespace() {
  if (P_ == End_ || !(ClassOf(P_) & kSpace)) {
    const TVpTextPosition position = Position();
    FailAtNextCharacter(XmlMessages::WhitespaceExpected(position.Line, position.Column));
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
  if (P_ != End_ && (ClassOf(P_) & kNameStart)) P_ = SkipWhile(P_ + 1, End_, kNameChar);
  while (P_ != End_ && !(ClassOf(P_) & kNameEnd)) {
    // Not an ASCII name character: a name character beyond ASCII, or a fault.
    int length;
    const char32_t c = DecodeChar(P_, length);
    if (!(P_ == start ? IsNameStartChar(c) : IsNameChar(c)))
      Fail(XmlMessages::InvalidName + QuotedText(std::string(P_, length)));
    P_ = SkipWhile(P_ + length, End_, kNameChar);
  }
  return {start, static_cast<std::size_t>(P_ - start)};
}

TVpXmlScanner::TLiteral TVpXmlScanner::ReadLiteral(std::string& out, TLiteralKind kind) {
  if (P_ == End_ || (*P_ != '"' && *P_ != '\'' && *P_ != '~')) FailAtNextCharacter(XmlMessages::ExpectedQuote);
  const char quote = *P_++;
  const char* start = P_;
  const char* copied = P_;  // the raw text before it is in out, once rewriting has begun
  const std::size_t outStart = out.size();
  bool rewritten = false;
  const auto copyRaw = [&] {
    out.append(copied, static_cast<std::size_t>(P_ - copied));
    rewritten = true;
  };
  while (true) {
    P_ = SkipUntil(P_, End_, kLiteralStop);
    if (P_ == End_) Fail(XmlMessages::ExpectedDelimiter + std::string(1, quote));
    const char c = *P_;
    if (c == quote) break;
    switch (c) {
      case '"':
      case '\'':
      case '~': ++P_; break;
      case '\r':
      case '\n':
        copyRaw();
        out += ' ';
        P_ += c == '\r' && P_ + 1 != End_ && P_[1] == '\n' ? 2 : 1;
        copied = P_;
        break;
      case '&':
        if (kind == lkDeclaration) {
          ++P_;
          break;
        }
        copyRaw();
        AppendUtf8(out, ReadReference());
        copied = P_;
        break;
      case '<':
        if (kind == lkAttribute) Fail(XmlMessages::LessThanInAttributeValue);
        ++P_;
        break;
      default: SkipCharacter();
    }
  }
  const std::string_view raw(start, static_cast<std::size_t>(P_ - start));
  if (!rewritten) {
    ++P_;
    return {raw, false};
  }
  copyRaw();
  ++P_;
  return {std::string_view(out).substr(outStart), true};
}

std::string TVpXmlScanner::ReadLiteral(TLiteralKind kind) {
  std::string buffer;
  return std::string(ReadLiteral(buffer, kind).Value);
}

// A reference, P_ at its "&": the character it stands for.
char32_t TVpXmlScanner::ReadReference() {
  const char* start = P_++;
  if (P_ == End_ || *P_ != '#') {
    const std::string_view name = ReadName();
    Require(";");
    const char c = PredefinedEntity(name);
    if (c == 0) Fail(XmlMessages::UndeclaredEntity + QuotedText(name));
    return static_cast<unsigned char>(c);
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
    if (P_ == End_) Fail(XmlMessages::UnexpectedEndOfFile);
    if (*P_ == ';') break;
    const int digit = DigitValue(*P_, base);
    if (digit < 0) Fail(XmlMessages::IllegalReferenceCharacter + QuotedText(CharAt(P_)));
    // Past the last character the value stays just above it, however many digits follow.
    value = std::min<std::uint32_t>(value * base + digit, 0x110000);
    ++P_;
  }
  if (P_ == digits) Fail(XmlMessages::IllegalReferenceCharacter + QuotedText(";"));
  ++P_;
  if (!IsXmlChar(value))
    Fail(XmlMessages::InvalidCharacterReference +
         QuotedText(std::string_view(start, static_cast<std::size_t>(P_ - start))));
  return value;
}

std::string_view TVpXmlScanner::ReadUntil(std::string_view delimiter) {
  const char* start = P_;
  const char* copied = P_;
  bool rewritten = false;
  while (true) {
    if (P_ == End_) Fail(XmlMessages::EndOfInputLookingForDelimiter + QuotedText(delimiter));
    const char c = *P_;
    if (c == delimiter[0] && Match(delimiter)) break;
    if (c == '\r') {
      if (!rewritten) Text_.clear();
      Text_.append(copied, static_cast<std::size_t>(P_ - copied));
      Text_ += '\n';
      rewritten = true;
      P_ += P_ + 1 != End_ && P_[1] == '\n' ? 2 : 1;
      copied = P_;
    } else {
      SkipCharacter();
    }
  }
  const char* stop = P_ - delimiter.size();
  if (!rewritten) return {start, static_cast<std::size_t>(stop - start)};
  Text_.append(copied, static_cast<std::size_t>(stop - copied));
  return Text_;
}

std::string_view TVpXmlScanner::ReadCharacterData(bool collapseSpace) {
  if (collapseSpace) SkipWhitespace();
  const char* start = P_;
  const char* copied = P_;  // the text before it is in Text_, once rewriting has begun
  bool rewritten = false;
  const auto copyRaw = [&] {
    if (!rewritten) Text_.clear();
    Text_.append(copied, static_cast<std::size_t>(P_ - copied));
    rewritten = true;
  };
  // Collapsed text has a space only between two other characters, never two in a row.
  const auto appendSpace = [&] {
    if (!Text_.empty() && Text_.back() != ' ') Text_ += ' ';
  };
  while (true) {
    P_ = SkipPlainText(P_, End_, collapseSpace);
    if (P_ == End_) Fail(XmlMessages::UnexpectedEndOfFile);
    if (collapseSpace && (ClassOf(P_) & kSpace)) {
      copyRaw();
      SkipWhitespace();
      appendSpace();
      copied = P_;
      continue;
    }
    switch (*P_) {
      case '<': {
        if (rewritten) copyRaw();
        std::string_view text = rewritten ? std::string_view(Text_) : std::string_view(start, P_ - start);
        if (collapseSpace && text.ends_with(' ')) text.remove_suffix(1);
        return text;
      }
      case '&': {
        copyRaw();
        const char32_t c = ReadReference();
        if (collapseSpace && IsXmlWhitespace(c)) {
          appendSpace();
          SkipWhitespace();
        } else {
          AppendUtf8(Text_, c);
        }
        copied = P_;
        break;
      }
      case '\r':  // only where white space is kept
        copyRaw();
        Text_ += '\n';
        P_ += P_ + 1 != End_ && P_[1] == '\n' ? 2 : 1;
        copied = P_;
        break;
      case ']':
        if (End_ - P_ >= 3 && P_[1] == ']' && P_[2] == '>') Fail(XmlMessages::CDataEndInText);
        ++P_;
        break;
      default: SkipCharacter();
    }
  }
}

void TVpXmlScanner::SwitchToIso88591() {
  const std::string_view rest = Input_.SwitchToIso88591(P_);
  P_ = rest.data();
  End_ = rest.data() + rest.size();
}

std::string_view CollapseWhitespace(std::string_view text, std::string& buffer) {
  if (buffer.size() < text.size()) buffer.resize(text.size());
  char* const begin = buffer.data();
  char* out = begin;
  const char* p = text.data();
  const char* const end = p + text.size();
  while (true) {
    while (p != end && (ClassOf(p) & kSpace)) ++p;
    if (p == end) break;
    if (out != begin) *out++ = ' ';
    while (p != end && !(ClassOf(p) & kSpace)) *out++ = *p++;
  }
  return {begin, static_cast<std::size_t>(out - begin)};
}

std::string QuotedText(std::string_view text) {
  std::string quoted = "'";
  for (const char c : ValueExcerpt(text)) {
    quoted += c;
    if (c == '\'') quoted += '\'';
  }
  return quoted + "'";
}
