#include "platform/error_text.h"

#include "platform/utf8.h"

std::string DescribeError(const std::exception& error, std::string_view separator) {
  std::string message = error.what();
  try {
    std::rethrow_if_nested(error);
  } catch (const std::exception& cause) {
    message += separator;
    message += DescribeError(cause, separator);
  } catch (...) {}
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
  std::string excerpt = FirstCodePoints(value, kQuotedValueLength);
  if (excerpt.size() < value.size()) excerpt += "\u2026";
  return excerpt;
}
