#pragma once

#include <cstddef>
#include <exception>
#include <string>
#include <string_view>

// The message of an error followed by those of the errors it was raised for (its nested
// exceptions), joined by the separator: "Error: Unable to open Tasks" + "the file ... does not
// exist".
std::string DescribeError(const std::exception& error, std::string_view separator);

// A message on one line, as a log holds it: each run of line breaks becomes ": ".
std::string OneLine(std::string_view message);

// How many code points of a bad value an error message quotes.
constexpr int kQuotedValueLength = 60;

// A value read from a file or the command line as an error message quotes it: the whole value
// when it is short, else its first kQuotedValueLength code points (never part of one) and "…",
// so that a huge bad value cannot flood the message or the box that shows it.
std::string ValueExcerpt(std::string_view value);
