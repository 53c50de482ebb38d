#include "interop/vcard/vcard_lines.h"

#include "interop/vcard/vcard_text.h"
#include "platform/ascii_text.h"

namespace {

bool IsNameCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

// A logical line being put together, which knows once its name and parameters are complete
// whether its value is quoted-printable. The search for the ":" goes on where it stopped, so
// that a long line costs its length once.
class TLogicalLine {
 public:
  bool Empty() const { return Text_.empty(); }
  const std::string& Text() const { return Text_; }
  int Start() const { return Start_; }

  void Begin(std::string_view line, int number) {
    Text_ = line;
    Start_ = number;
    Searched_ = 0;
    HeaderEnd_ = std::string::npos;
  }
  void Append(std::string_view more) { Text_ += more; }
  // Joins the next line in place of the soft break's "=".
  void JoinSoftBreak(std::string_view next) {
    Text_.pop_back();
    Text_ += next;
  }
  void Clear() { Text_.clear(); }

  // Whether the value is quoted-printable and broken softly (a "=" at its end).
  bool EndsInSoftBreak() {
    if (Text_.empty() || Text_.back() != '=') return false;
    if (HeaderEnd_ == std::string::npos) {
      HeaderEnd_ = Text_.find(':', Searched_);
      Searched_ = Text_.size();
      if (HeaderEnd_ == std::string::npos) return false;
      QuotedPrintable_ =
          UpperCaseAscii(std::string_view(Text_).substr(0, HeaderEnd_)).find("QUOTED-PRINTABLE") != std::string::npos;
    }
    return QuotedPrintable_;
  }

 private:
  std::string Text_;
  int Start_ = 0;
  size_t Searched_ = 0;
  size_t HeaderEnd_ = std::string::npos;
  bool QuotedPrintable_ = false;
};

class TContentLineParser {
 public:
  TContentLineParser(std::string_view text, int line) : Text_(text), Line_(line) {}

  TVpContentLine Parse() {
    for (const char c : Text_) {
      if (IsControlCharacter(c)) Fail("a control character: this is not card text");
    }
    TVpContentLine result;
    result.Line = Line_;
    result.Name = Word();
    if (Peek() == '.') {
      ++Pos_;
      result.Group = result.Name;
      result.Name = Word();
    }
    result.Name = UpperCaseAscii(result.Name);
    while (Peek() == ';') {
      ++Pos_;
      result.Params.push_back(Param());
    }
    if (Peek() != ':') Fail("\"" + std::string(Text_.substr(0, 40)) + "\" is not a card line (NAME:value)");
    result.Value = std::string(Text_.substr(Pos_ + 1));
    return result;
  }

 private:
  char Peek() const { return Pos_ < Text_.size() ? Text_[Pos_] : '\0'; }

  [[noreturn]] void Fail(const std::string& what) const { throw EVpVCardError(Line_, what); }

  std::string Word() {
    const size_t start = Pos_;
    while (Pos_ < Text_.size() && IsNameCharacter(Text_[Pos_])) ++Pos_;
    if (Pos_ == start) Fail("\"" + std::string(Text_.substr(0, 40)) + "\" is not a card line (NAME:value)");
    return std::string(Text_.substr(start, Pos_ - start));
  }

  TVpVCardParam Param() {
    std::string name = UpperCaseAscii(Word());
    if (Peek() != '=') {  // a bare word
      const bool encoding = name == "QUOTED-PRINTABLE" || name == "BASE64" || name == "8BIT" || name == "7BIT";
      return {.Name = encoding ? "ENCODING" : "TYPE", .Values = {name}};
    }
    TVpVCardParam param{.Name = std::move(name), .Values = {}};
    do {
      ++Pos_;  // the "=" or ","
      param.Values.push_back(ParamValue());
    } while (Peek() == ',');
    return param;
  }

  // A value up to the next "," ";" or ":", or a quoted one; "^n" "^^" and "^'" stand for a line
  // break, "^" and a double quote.
  std::string ParamValue() {
    std::string value;
    const bool quoted = Peek() == '"';
    if (quoted) ++Pos_;
    while (Pos_ < Text_.size()) {
      const char c = Text_[Pos_];
      if (quoted ? c == '"' : (c == ',' || c == ';' || c == ':')) break;
      const char next = Pos_ + 1 < Text_.size() ? Text_[Pos_ + 1] : '\0';
      if (c == '^' && (next == 'n' || next == '^' || next == '\'')) {
        value += next == 'n' ? '\n' : next == '^' ? '^' : '"';
        Pos_ += 2;
        continue;
      }
      value += c;
      ++Pos_;
    }
    if (quoted) {
      if (Peek() != '"') Fail("a parameter value's quote is not closed");
      ++Pos_;
    }
    return value;
  }

  std::string_view Text_;
  int Line_;
  size_t Pos_ = 0;
};

}  // namespace

std::vector<TVpContentLine> ReadContentLines(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::vector<TVpContentLine> lines;
  TLogicalLine logical;
  auto finish = [&] {
    if (!logical.Empty()) lines.push_back(TContentLineParser(logical.Text(), logical.Start()).Parse());
    logical.Clear();
  };
  size_t pos = 0;
  for (int number = 1; pos < text.size(); ++number) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(pos, end - pos);
    if (line.size() > kMaxVCardLineBytes) throw EVpVCardError(number, "the line is longer than 1 MB");
    pos = end;
    while (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;

    const bool folded = !line.empty() && (line[0] == ' ' || line[0] == '\t');
    if (logical.EndsInSoftBreak()) {
      logical.JoinSoftBreak(line);
    } else if (folded && !logical.Empty()) {
      logical.Append(line.substr(1));
    } else if (line.find_first_not_of(" \t") == std::string_view::npos) {
      finish();
    } else {
      finish();
      logical.Begin(line, number);
    }
    if (logical.Text().size() > kMaxVCardLineBytes)
      throw EVpVCardError(logical.Start(), "the line is longer than 1 MB");
  }
  finish();
  return lines;
}
