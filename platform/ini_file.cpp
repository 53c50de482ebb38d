#include "platform/ini_file.h"

#include <algorithm>

#include "platform/ascii_text.h"
#include "platform/utf16.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// The section name of a "[Name]" line.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  if (line.size() < 2 || line.front() != '[') return std::nullopt;
  const auto close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

bool IsComment(std::string_view line) {
  line = Trim(line);
  return !line.empty() && (line.front() == ';' || line.front() == '#');
}

// The key name and value of a "Key=Value" line.
std::optional<std::pair<std::string_view, std::string_view>> KeyAndValue(std::string_view line) {
  if (IsComment(line) || SectionName(line)) return std::nullopt;
  const auto equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return std::make_pair(Trim(line.substr(0, equals)), line.substr(equals + 1));
}

std::string Unquote(std::string_view value) {
  value = Trim(value);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return std::string(value);
}

// The text to store for a value so that reading it back gives the value again.
std::string Quoted(std::string_view value) {
  std::string clean;
  for (char c : value)
    if (c != '\r' && c != '\n') clean += c;
  const bool needsQuotes =
      !clean.empty() &&
      (IsBlank(clean.front()) || IsBlank(clean.back()) ||
       ((clean.front() == '"' || clean.front() == '\'') && clean.size() >= 2 && clean.back() == clean.front()));
  return needsQuotes ? "\"" + clean + "\"" : clean;
}

}  // namespace

TIniFile::TIniFile(std::string path, TFileWriter& writer) : Path_(std::move(path)), Writer_(writer) {
  if (const auto text = ReadWholeFile(Path_)) Parse(*text);
}

TIniFile::TIniFile(std::string path, TFileWriter& writer, std::string_view text)
    : Path_(std::move(path)), Writer_(writer) {
  Parse(text);
}

void TIniFile::Parse(std::string_view bytes) {
  std::string decoded;
  std::string_view rest = bytes;
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    Encoding_ = feUtf8WithBom;
    rest.remove_prefix(3);
  } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    const bool bigEndian = bytes[0] == '\xFE';
    Encoding_ = bigEndian ? feUtf16BigEndian : feUtf16LittleEndian;
    // A unit that cannot be decoded stands for U+FFFD, and reading goes on after it.
    for (std::string_view units = bytes.substr(2); !units.empty();) {
      const size_t decodedBytes = AppendUtf16AsUtf8(decoded, units, bigEndian);
      if (decodedBytes == units.size()) break;
      decoded += "\uFFFD";
      units.remove_prefix(std::min(decodedBytes + 2, units.size()));
    }
    rest = decoded;
  }
  constexpr std::string_view kLineEnds = "\r\n";
  const auto lineEndAt = [&](size_t at) { return rest.substr(at, rest.substr(at, 2) == "\r\n" ? 2 : 1); };
  if (const size_t first = rest.find_first_of(kLineEnds); first != std::string_view::npos) LineEnd_ = lineEndAt(first);
  while (!rest.empty()) {
    const size_t end = rest.find_first_of(kLineEnds);
    Lines_.emplace_back(rest.substr(0, end));
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + lineEndAt(end).size());
  }
}

size_t TIniFile::FindSection(const std::vector<std::string>& lines, std::string_view section) {
  for (size_t i = 0; i < lines.size(); ++i) {
    const auto name = SectionName(lines[i]);
    if (name && SameTextAscii(*name, section)) return i;
  }
  return std::string::npos;
}

std::optional<std::string> TIniFile::Read(std::string_view section, std::string_view key) const {
  const size_t header = FindSection(Lines_, section);
  if (header == std::string::npos) return std::nullopt;
  for (size_t i = header + 1; i < Lines_.size() && !SectionName(Lines_[i]); ++i) {
    const auto pair = KeyAndValue(Lines_[i]);
    if (pair && SameTextAscii(pair->first, key)) return Unquote(pair->second);
  }
  return std::nullopt;
}

void TIniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
  std::vector<std::string> lines = Lines_;
  const std::string stored = Quoted(value);
  size_t header = FindSection(lines, section);
  if (header == std::string::npos) {
    lines.push_back("[" + std::string(section) + "]");
    header = lines.size() - 1;
  }
  size_t insertAt = header + 1;  // after the section's last key
  bool replaced = false;
  for (size_t i = header + 1; i < lines.size() && !SectionName(lines[i]); ++i) {
    const auto pair = KeyAndValue(lines[i]);
    if (!pair) continue;
    if (SameTextAscii(pair->first, key)) {
      lines[i] = std::string(pair->first) + "=" + stored;
      replaced = true;
      break;
    }
    insertAt = i + 1;
  }
  if (!replaced) lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), std::string(key) + "=" + stored);

  std::swap(Lines_, lines);
  try {
    Writer_.ReplaceFile(Path_, Text());
  } catch (...) {
    std::swap(Lines_, lines);
    throw;
  }
}

std::string TIniFile::Text() const {
  std::string text;
  for (const std::string& line : Lines_) text += line + LineEnd_;
  switch (Encoding_) {
    case feUtf8: break;
    case feUtf8WithBom: return "\xEF\xBB\xBF" + text;
    case feUtf16LittleEndian: return "\xFF\xFE" + Utf8AsUtf16(text, false);
    case feUtf16BigEndian: return "\xFE\xFF" + Utf8AsUtf16(text, true);
  }
  return text;
}
