#include "interop/ical/ical_text.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

bool IsValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80           ? 1
                               : (lead >> 5) == 0x6  ? 2
                               : (lead >> 4) == 0xE  ? 3
                               : (lead >> 3) == 0x1E ? 4
                                                     : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    i += length;
  }
  return true;
}

std::string Latin1ToUtf8(std::string_view text) {
  std::string result;
  result.reserve(text.size() + text.size() / 8);
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      result += c;
    } else {
      result += static_cast<char>(0xC0 | (byte >> 6));
      result += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return result;
}

std::string Upper(std::string_view text) {
  std::string result(text);
  std::transform(result.begin(), result.end(), result.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return result;
}

struct TOpen {
  std::string Name;
  int Line;
};

// The most values the calendar library takes from one line of a property that holds several; it
// drops the rest without a word.
constexpr std::size_t kMaxValuesPerLine = 500;

// Where the value of a content line begins: after the first ':' outside a quoted parameter value.
std::size_t ValueStartOf(const std::string& line) {
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"') quoted = !quoted;
    else if (line[i] == ':' && !quoted) return i + 1;
  }
  return line.size();
}

// Appends the content line ended with CRLF. A list of more dates (RDATE, EXDATE) than the library
// takes from one line becomes several lines of the same property, which mean the same.
void AppendContentLine(std::string& out, const std::string& line) {
  const std::string name = Upper(std::string_view(line).substr(0, line.find_first_of(";:")));
  if ((name != "RDATE" && name != "EXDATE") ||
      static_cast<std::size_t>(std::count(line.begin(), line.end(), ',')) < kMaxValuesPerLine) {
    out.append(line).append("\r\n");
    return;
  }
  const std::size_t valueStart = ValueStartOf(line);
  std::size_t from = valueStart;
  std::size_t values = 0;
  for (std::size_t at = from;;) {
    const std::size_t comma = line.find(',', at);
    const bool last = comma == std::string::npos;
    if (++values == kMaxValuesPerLine || last) {
      out.append(line, 0, valueStart).append(line, from, (last ? line.size() : comma) - from).append("\r\n");
      if (last) return;
      from = comma + 1;
      values = 0;
    }
    at = comma + 1;
  }
}

// Whether a repeat rule's value (upper case) repeats more often than daily.
bool RepeatsWithinADay(const std::string& rule) {
  const std::size_t at = rule.find("FREQ=");
  if (at == std::string::npos) return false;
  const std::string frequency = rule.substr(at + 5, rule.find(';', at) - at - 5);
  return frequency == "SECONDLY" || frequency == "MINUTELY" || frequency == "HOURLY";
}

// Checks one unfolded content line against the components open so far.
bool CheckLine(const std::string& line, int number, std::vector<TOpen>& open, bool& seenCalendar,
               TIcalReadError& error) {
  const std::size_t colon = line.find(':');
  const std::size_t nameEnd = line.find_first_of(";:");
  if (colon == std::string::npos || nameEnd == 0) {
    error = {number, "line " + std::to_string(number) + " is no content line (name:value)"};
    return false;
  }
  const std::string name = Upper(line.substr(0, nameEnd));
  // Only the values the check reads are copied: a long text need not be.
  const bool checked = name == "BEGIN" || name == "END" || name == "RRULE";
  const std::string value = checked ? Upper(std::string_view(line).substr(colon + 1)) : std::string();
  if (!seenCalendar && !(name == "BEGIN" && value == "VCALENDAR")) {
    error = {number, "line " + std::to_string(number) + ": a calendar file starts with BEGIN:VCALENDAR"};
    return false;
  }
  // The library expands a time zone's rules for every conversion; one that changes the offset
  // more often than daily would cost it time and memory without end.
  if (name == "RRULE" && RepeatsWithinADay(value) &&
      std::any_of(open.begin(), open.end(), [](const TOpen& component) { return component.Name == "VTIMEZONE"; })) {
    error = {number, "line " + std::to_string(number) + ": a time zone's rule repeats more often than daily"};
    return false;
  }
  if (name == "BEGIN") {
    seenCalendar = true;
    open.push_back({value, number});
  } else if (name == "END") {
    if (open.empty() || open.back().Name != value) {
      error = {number, "line " + std::to_string(number) + ": END:" + value +
                           (open.empty() ? " closes nothing"
                                         : " closes " + open.back().Name + " begun on line " +
                                               std::to_string(open.back().Line))};
      return false;
    }
    open.pop_back();
  } else if (open.empty()) {
    error = {number, "line " + std::to_string(number) + ": " + name + " stands outside any calendar"};
    return false;
  }
  return true;
}

}  // namespace

bool PrepareIcalText(std::string_view bytes, std::string& text, TIcalReadError& error) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  // Lines first, on the raw bytes: a huge line or a binary file is refused before any copy.
  int number = 0;
  for (std::size_t start = 0; start < bytes.size();) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    ++number;
    if (end - start > kMaxIcalLineLength) {
      error = {number,
               "line " + std::to_string(number) + " is longer than " + std::to_string(kMaxIcalLineLength) + " bytes"};
      return false;
    }
    if (bytes.substr(start, end - start).find('\0') != std::string_view::npos) {
      error = {number, "line " + std::to_string(number) + " holds a NUL byte: this is no calendar file"};
      return false;
    }
    start = end + 1;
  }
  // Then the content lines, unfolded here so that a character folded across two lines is whole
  // again before the check for UTF-8.
  std::vector<TOpen> open;
  bool seenCalendar = false;
  std::string unfolded;
  unfolded.reserve(bytes.size());
  std::string line;
  int lineStart = 0;
  auto finishLine = [&]() {
    if (lineStart == 0) return true;
    AppendContentLine(unfolded, line);
    return CheckLine(line, lineStart, open, seenCalendar, error);
  };
  number = 0;
  for (std::size_t start = 0; start <= bytes.size();) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view physical = bytes.substr(start, end - start);
    if (!physical.empty() && physical.back() == '\r') physical.remove_suffix(1);
    ++number;
    if (!physical.empty() && (physical[0] == ' ' || physical[0] == '\t') && lineStart > 0) {
      line.append(physical.substr(1));  // a folded continuation
    } else {
      if (!finishLine()) return false;
      line.assign(physical);
      lineStart = physical.find_first_not_of(" \t") == std::string_view::npos ? 0 : number;
    }
    start = end + 1;
  }
  if (!finishLine()) return false;
  if (!seenCalendar) {
    error = {0, "the file holds no calendar"};
    return false;
  }
  if (!open.empty()) {
    error = {number, "the file ends inside " + open.back().Name + " begun on line " + std::to_string(open.back().Line)};
    return false;
  }
  text = IsValidUtf8(unfolded) ? std::move(unfolded) : Latin1ToUtf8(unfolded);
  return true;
}
