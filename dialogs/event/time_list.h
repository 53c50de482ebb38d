#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One entry of a time list: a time of day in milliseconds from midnight and its text.
struct TVpTimeEntry {
  std::int64_t Ms = 0;
  std::string Text;
};

// A time of day as the event window shows it, in the window's own formats whatever the desktop's
// locale: "09:30" (24-hour) or "9:30 AM" (12-hour). Seconds are not shown.
std::string FormatTimeOfDay(std::int64_t ms, bool twelveHour);

// The time of day typed as the user would: "9:15", "09:15", "9.15", "915", "0915", "9", "9:15 pm",
// "9pm", "12 AM"; nothing for text that is no time of day.
std::optional<std::int64_t> ParseTimeOfDay(const std::string& text);

// The drop-down list of times of the event window: every half hour from midnight to 23:30, then
// "23:59" ("11:59 PM") in place of midnight at the end of the day. A time off that grid (10:15
// after a drag, or one with seconds) gets an entry of its own in time order, so that the exact
// time is shown and kept. One entry is always selected.
class TVpTimeList {
 public:
  explicit TVpTimeList(bool twelveHour = false);

  int Count() const { return static_cast<int>(Entries_.size()); }
  const TVpTimeEntry& Entry(int index) const { return Entries_.at(static_cast<size_t>(index)); }
  std::vector<std::string> Texts() const;

  int Selected() const { return Selected_; }
  std::int64_t SelectedMs() const { return Entry(Selected_).Ms; }
  // Selects the entry; an index outside the list selects the nearest end.
  void Select(int index);
  // Selects the entry of the time of day, adding one for it when the list has none. The end of the
  // day (kMsPerDay, an event that ends at midnight) is the last grid entry, which then stands for
  // midnight itself instead of 23:59.
  void SelectTime(std::int64_t ms);

  // The entry at the end of the day: "23:59" or "11:59 PM".
  int EndOfDay() const { return EndOfDay_; }
  // The last entry earlier than the time, the first one later than it; -1 when there is none.
  int LastBefore(std::int64_t ms) const;
  int FirstAfter(std::int64_t ms) const;

 private:
  bool TwelveHour_;
  std::vector<TVpTimeEntry> Entries_;
  int EndOfDay_ = 0;
  int Selected_ = 0;
};
