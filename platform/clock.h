#pragma once

// The current local date and time as a day number: days since 30 December 1899, the time of day
// as the fraction, on whole milliseconds.
class TClock {
 public:
  virtual ~TClock() = default;
  virtual double Now() const = 0;
};
