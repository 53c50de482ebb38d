#pragma once

#include <optional>
#include <string_view>

// A finite decimal number, with a point or a comma as its separator, an optional leading "+" and
// an optional exponent; nothing else, not even blanks. Empty when the text is no such number.
std::optional<double> ParseDecimal(std::string_view text);
