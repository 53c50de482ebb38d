#pragma once

#include <functional>

#include "model/enumerations.h"

// A span of time: two date-times (for a span within one day, fractions of a day) and the hours
// that bound it. Moving one end past the other pushes the other along, so the range never turns
// inside out.
class TVpTimeRange {
 public:
  // onChange runs after every change of StartTime or EndTime (a day view repaints through it).
  explicit TVpTimeRange(std::function<void()> onChange = {}) : OnChange_(std::move(onChange)) {}

  double StartTime() const { return StartTime_; }
  // A start later than the end first moves the end to the start plus 30 minutes.
  void SetStartTime(double value);
  double EndTime() const { return EndTime_; }
  // An end earlier than the start first moves the start to the end minus 30 minutes.
  void SetEndTime(double value);

  TVpHours RangeBegin() const { return RangeBegin_; }
  // Sets the first hour and StartTime to it; an earlier RangeEnd moves to the hour after (at most
  // 23). Hours outside 0 to 23 are taken as the nearest of them.
  void SetRangeBegin(int hour);
  TVpHours RangeEnd() const { return RangeEnd_; }
  // Sets the last hour and EndTime to it; a later RangeBegin moves to the hour before (at least 0).
  void SetRangeEnd(int hour);

 private:
  void Changed();

  std::function<void()> OnChange_;
  double StartTime_ = 0;
  double EndTime_ = 0;
  TVpHours RangeBegin_ = h_00;
  TVpHours RangeEnd_ = h_00;
};
