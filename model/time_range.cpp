#include "model/time_range.h"

#include <algorithm>

#include "model/day_number.h"

namespace {

constexpr double kHalfHour = 1.0 / 48;

TVpHours ToHour(int hour) { return static_cast<TVpHours>(std::clamp(hour, 0, 23)); }

}  // namespace

void TVpTimeRange::Changed() {
  if (OnChange_) OnChange_();
}

void TVpTimeRange::SetStartTime(double value) {
  value = SnapToMs(value);
  if (ToMs(value) > ToMs(EndTime_)) EndTime_ = SnapToMs(value + kHalfHour);
  StartTime_ = value;
  Changed();
}

void TVpTimeRange::SetEndTime(double value) {
  value = SnapToMs(value);
  if (ToMs(value) < ToMs(StartTime_)) StartTime_ = SnapToMs(value - kHalfHour);
  EndTime_ = value;
  Changed();
}

void TVpTimeRange::SetRangeBegin(int hour) {
  const TVpHours begin = ToHour(hour);
  if (RangeEnd_ < begin) RangeEnd_ = ToHour(begin + 1);
  RangeBegin_ = begin;
  SetStartTime(static_cast<int>(begin) / 24.0);
}

void TVpTimeRange::SetRangeEnd(int hour) {
  const TVpHours end = ToHour(hour);
  if (end < RangeBegin_) RangeBegin_ = ToHour(end - 1);
  RangeEnd_ = end;
  SetEndTime(static_cast<int>(end) / 24.0);
}
