#pragma once

#include <string>
#include <string_view>
#include <vector>

// Stamps of clock times in the compact form calendar files use: "YYYYMMDDTHHMMSS" for a time,
// "YYYYMMDD" for a whole day. Lists are comma-separated.

// The stamp of a day number: its date, and its time unless dateOnly (whole seconds).
std::string StampText(double value, bool dateOnly);
// The day number a stamp names; false for text that is not a stamp of a real date and time.
bool ParseStamp(std::string_view text, double& value);

struct TVpStamp {
  double Value = 0;
  bool DateOnly = false;  // the stamp names a whole day
};

// The stamps of a list, in order; an entry that is not a stamp is left out.
std::vector<TVpStamp> ParseStampList(std::string_view text);
std::string StampListText(const std::vector<double>& values, bool dateOnly);
