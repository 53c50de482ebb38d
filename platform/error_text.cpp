#include "platform/error_text.h"

std::string DescribeError(const std::exception& error, std::string_view separator) {
  std::string message = error.what();
  try {
    std::rethrow_if_nested(error);
  } catch (const std::exception& cause) {
    message += separator;
    message += DescribeError(cause, separator);
  } catch (...) {
  }
  return message;
}

std::string OneLine(std::string_view message) {
  std::string line;
  bool afterBreak = false;
  for (const char c : message) {
    if (c == '\r' || c == '\n') {
      afterBreak = !line.empty();
      continue;
    }
    if (afterBreak) line += ": ";
    afterBreak = false;
    line += c;
  }
  return line;
}

std::string ValueExcerpt(std::string_view value) {
  // A code point is a byte and the continuation bytes after it, at most three; a stray
  // continuation byte counts as one of its own, so the cut is bounded in bytes too.
  const auto isContinuation = [&](size_t at) { return (static_cast<unsigned char>(value[at]) & 0xC0) == 0x80; };
  size_t end = 0;
  for (size_t count = 0; count < kQuotedValueLength && end < value.size(); ++count) {
    const size_t start = end++;
    while (end < value.size() && end - start < 4 && isContinuation(end)) ++end;
  }
  if (end == value.size()) return std::string(value);
  return std::string(value.substr(0, end)) + "\u2026";
}
