#include "print/decimal_text.h"

#include <charconv>
#include <cmath>
#include <string>

std::optional<double> ParseDecimal(std::string_view text) {
  std::string normal(text);
  for (char& c : normal)
    if (c == ',') c = '.';
  double value = 0;
  const char* begin = normal.data();
  const char* end = begin + normal.size();
  if (begin != end && *begin == '+') ++begin;
  const auto result = std::from_chars(begin, end, value, std::chars_format::general);
  if (normal.empty() || result.ec != std::errc() || result.ptr != end || !std::isfinite(value)) return std::nullopt;
  return value;
}
