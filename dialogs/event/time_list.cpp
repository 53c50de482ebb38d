#include "dialogs/event/time_list.h"

#include <algorithm>

#include "model/date_format.h"
#include "model/day_number.h"

namespace {

constexpr std::int64_t kMsPerHalfHour = 30 * kMsPerMinute;
// What the last grid entry stands for unless the event ends at midnight.
constexpr std::int64_t kLastMinute = kMsPerDay - kMsPerMinute;

}  // namespace

std::string FormatTimeOfDay(std::int64_t ms, bool twelveHour) {
  const std::int64_t minutes = ms / kMsPerMinute;
  const std::int64_t hour = minutes / 60 % 24;
  const std::string minute = TwoDigits(minutes % 60);
  if (!twelveHour) return TwoDigits(hour) + ":" + minute;
  const std::int64_t shown = hour % 12 == 0 ? 12 : hour % 12;
  return std::to_string(shown) + ":" + minute + (hour < 12 ? " AM" : " PM");
}

std::optional<std::int64_t> ParseTimeOfDay(const std::string& text) {
  std::string before;  // the digits before a separator, or all of them
  std::string after;   // the digits after one
  std::string suffix;
  bool separated = false;
  for (const char c : text) {
    if (c == ' ') continue;
    if (c >= '0' && c <= '9' && suffix.empty()) (separated ? after : before) += c;
    else if ((c == ':' || c == '.') && !separated && suffix.empty()) separated = true;
    else suffix += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  }
  if (!separated && before.size() > 2) {  // "915", "0915"
    after = before.substr(before.size() - 2);
    before.resize(before.size() - 2);
  }
  if (before.empty() || before.size() > 2 || ((separated || !after.empty()) && after.size() != 2)) return std::nullopt;
  int hour = std::stoi(before);
  const int minute = after.empty() ? 0 : std::stoi(after);
  if (minute > 59) return std::nullopt;
  if (suffix == "AM" || suffix == "PM") {
    if (hour < 1 || hour > 12) return std::nullopt;
    hour = hour % 12 + (suffix == "PM" ? 12 : 0);
  } else if (!suffix.empty() || hour > 23) {
    return std::nullopt;
  }
  return (hour * 60 + minute) * kMsPerMinute;
}

TVpTimeList::TVpTimeList(bool twelveHour) : TwelveHour_(twelveHour) {
  for (std::int64_t ms = 0; ms < kMsPerDay; ms += kMsPerHalfHour)
    Entries_.push_back({ms, FormatTimeOfDay(ms, twelveHour)});
  EndOfDay_ = Count();
  Entries_.push_back({kLastMinute, FormatTimeOfDay(kLastMinute, twelveHour)});
}

std::vector<std::string> TVpTimeList::Texts() const {
  std::vector<std::string> texts;
  for (const TVpTimeEntry& entry : Entries_) texts.push_back(entry.Text);
  return texts;
}

void TVpTimeList::Select(int index) { Selected_ = std::clamp(index, 0, Count() - 1); }

void TVpTimeList::SelectTime(std::int64_t ms) {
  if (ms == kMsPerDay) {
    Entries_[static_cast<size_t>(EndOfDay_)].Ms = kMsPerDay;
    Selected_ = EndOfDay_;
    return;
  }
  const auto at = std::find_if(Entries_.begin(), Entries_.end(), [ms](const TVpTimeEntry& e) { return e.Ms >= ms; });
  const int index = static_cast<int>(at - Entries_.begin());
  if (at == Entries_.end() || at->Ms != ms) {
    Entries_.insert(at, {ms, FormatTimeOfDay(ms, TwelveHour_)});
    if (index <= EndOfDay_) ++EndOfDay_;
  }
  Selected_ = index;
}

int TVpTimeList::LastBefore(std::int64_t ms) const {
  for (int i = Count() - 1; i >= 0; --i)
    if (Entry(i).Ms < ms) return i;
  return -1;
}

int TVpTimeList::FirstAfter(std::int64_t ms) const {
  for (int i = 0; i < Count(); ++i)
    if (Entry(i).Ms > ms) return i;
  return -1;
}
