#include "model/quick_add.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <vector>

#include "model/date_format.h"
#include "model/date_stamps.h"
#include "model/day_number.h"
#include "model/enumerations.h"
#include "model/event.h"
#include "model/rule_steps.h"
#include "model/rule_words.h"
#include "model/task.h"
#include "platform/english_locale.h"

namespace {

constexpr std::array<const char*, 7> kWeekdayNames = {"sunday",   "monday", "tuesday", "wednesday",
                                                      "thursday", "friday", "saturday"};
constexpr std::array<const char*, 7> kWeekdayCodes = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};
constexpr std::array<const char*, 12> kMonthNames = {"january",   "february", "march",    "april",
                                                     "may",       "june",     "july",     "august",
                                                     "september", "october",  "november", "december"};

// A word of the line: as typed, and lower-cased without the punctuation that may follow it.
struct TWord {
  std::string Text;
  std::string Key;
};

std::vector<TWord> WordsOf(std::string_view line) {
  std::vector<TWord> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
    const size_t start = i;
    while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) ++i;
    if (start == i) break;
    TWord word{std::string(line.substr(start, i - start)), {}};
    for (char c : word.Text) word.Key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    // A day-first date keeps its closing dot ("24.12."); other words lose a trailing comma or stop.
    const bool dottedDate = word.Key.size() > 1 && word.Key.back() == '.' &&
                            std::isdigit(static_cast<unsigned char>(word.Key[0])) &&
                            word.Key.find('.') + 1 < word.Key.size();
    while (!dottedDate && !word.Key.empty() &&
           std::string_view(",;:!?.").find(word.Key.back()) != std::string_view::npos)
      word.Key.pop_back();
    words.push_back(std::move(word));
  }
  return words;
}

std::optional<int> NumberOf(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// "1st", "2nd", "24th" and plain "24".
std::optional<int> DayOfMonthOf(std::string_view text) {
  for (const char* suffix : {"st", "nd", "rd", "th"})
    if (text.size() > 2 && text.ends_with(suffix)) text.remove_suffix(2);
  const std::optional<int> day = NumberOf(text);
  return day && *day >= 1 && *day <= 31 ? day : std::nullopt;
}

// A weekday's name or its first three (or four) letters: 1 Sunday to 7 Saturday.
std::optional<int> WeekdayOf(std::string_view key) {
  for (int i = 0; i < 7; ++i) {
    const std::string_view name = kWeekdayNames[static_cast<size_t>(i)];
    if (key == name || (key.size() >= 3 && name.starts_with(key)) || key == std::string(name) + "s") return i + 1;
  }
  return std::nullopt;
}

std::optional<int> MonthOf(std::string_view key) {
  for (int i = 0; i < 12; ++i) {
    const std::string_view name = kMonthNames[static_cast<size_t>(i)];
    if (key == name || (key.size() >= 3 && name.starts_with(key)) || (key == "sept" && i == 8)) return i + 1;
  }
  return std::nullopt;
}

// Minutes of a unit word: "min", "minutes", "h", "hours", "days", ...
std::optional<int> UnitMinutes(std::string_view unit) {
  for (const char* word : {"m", "min", "mins", "minute", "minutes"})
    if (unit == word) return 1;
  for (const char* word : {"h", "hr", "hrs", "hour", "hours"})
    if (unit == word) return 60;
  for (const char* word : {"d", "day", "days"})
    if (unit == word) return 1440;
  return std::nullopt;
}

// "45", "1.5" followed by a unit, or written together ("45min", "2h"): minutes.
std::optional<int> SpanOf(std::string_view number, std::string_view unit) {
  const size_t digits = number.find_first_not_of("0123456789.");
  if (digits != std::string_view::npos && unit.empty()) {
    unit = number.substr(digits);
    number = number.substr(0, digits);
  } else if (digits != std::string_view::npos) {
    return std::nullopt;
  }
  const std::optional<int> perUnit = UnitMinutes(unit);
  if (!perUnit || number.empty()) return std::nullopt;
  double value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error != std::errc() || end != number.data() + number.size() || value <= 0 || value > 100000) return std::nullopt;
  return static_cast<int>(value * *perUnit + 0.5);
}

// A clock time: "12:30", "9", "7pm", "7:30pm", "0930" is not one. meridiem tells whether am or pm
// was given; bare numbers are taken only where allowBare.
struct TClock {
  int Minute = 0;
  bool Meridiem = false;
};
std::optional<TClock> ClockOf(std::string_view key, std::string_view next, bool allowBare, int& used) {
  used = 1;
  if (key == "noon" || key == "midday") return TClock{12 * 60, true};
  if (key == "midnight") return TClock{0, true};
  std::string_view suffix;
  for (const char* meridiem : {"am", "pm", "a.m", "p.m", "h"})
    if (key.ends_with(meridiem)) {
      suffix = meridiem;
      key.remove_suffix(suffix.size());
      break;
    }
  if (suffix.empty() && (next == "am" || next == "pm")) {
    suffix = next;
    used = 2;
  }
  // "7.30pm" with a dot, "7:30" with a colon: "24.12" is a date.
  const size_t colon = key.find_first_of(suffix.empty() || suffix == "h" ? ":" : ":.");
  const std::optional<int> hour = NumberOf(key.substr(0, colon));
  std::optional<int> minute = 0;
  if (colon != std::string_view::npos)
    minute = key.size() - colon == 3 ? NumberOf(key.substr(colon + 1)) : std::nullopt;
  if (!hour || !minute || *minute > 59) return std::nullopt;
  if (colon == std::string_view::npos && suffix.empty() && !allowBare) return std::nullopt;
  const bool am = suffix.starts_with('a');
  const bool pm = suffix.starts_with('p');
  if ((am || pm) ? (*hour < 1 || *hour > 12) : (*hour > 24 || (*hour == 24 && *minute > 0))) return std::nullopt;
  int h = *hour % (am || pm ? 12 : 24);
  if (pm) h += 12;
  return TClock{h * 60 + *minute, am || pm};
}

class TReader {
 public:
  TReader(std::string_view line, double now, const TVpQuickAddOptions& options)
      : Words_(WordsOf(line)), Today_(DayNumberOf(now)), Options_(options) {}

  TVpQuickAdd Read() {
    std::vector<std::string> subject;
    bool inLocation = false;
    for (size_t i = 0; i < Words_.size();) {
      const size_t used = ReadAt(i);
      if (used > 0) {
        inLocation = LocationOpened_;
        LocationOpened_ = false;
        i += used;
        continue;
      }
      (inLocation ? Location_ : subject).push_back(Words_[i].Text);
      ++i;
    }
    Added_.Subject = Joined(subject);
    Added_.Location = Joined(Location_);
    FinishRepeat();
    return Added_;
  }

 private:
  static std::string Joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
    while (!text.empty() && std::string_view(",;-:").find(text.back()) != std::string_view::npos) text.pop_back();
    return text;
  }

  std::string_view Key(size_t i) const { return i < Words_.size() ? std::string_view(Words_[i].Key) : ""; }

  // The words a reader takes at i; 0 when none reads them.
  size_t ReadAt(size_t i) {
    for (const auto read :
         {&TReader::ReadTaskMark, &TReader::ReadAllDay, &TReader::ReadRepeat, &TReader::ReadUntil, &TReader::ReadTimes,
          &TReader::ReadReminder, &TReader::ReadDuration, &TReader::ReadDate, &TReader::ReadOn, &TReader::ReadLocation})
      if (const size_t used = (this->*read)(i); used > 0) return used;
    return 0;
  }

  size_t ReadTaskMark(size_t i) {
    if (i != 0 || !(Key(0) == "task" || Key(0) == "todo" || Key(0) == "to-do")) return 0;
    // "task" alone may begin a subject ("Task force meeting"); "task:" and "todo" mark a task.
    if (Key(0) == "task" && !Words_[0].Text.ends_with(':')) return 0;
    Added_.IsTask = true;
    return 1;
  }

  size_t ReadAllDay(size_t i) {
    if (Key(i) == "all-day" || Key(i) == "allday") return Added_.AllDay = true, 1;
    if (Key(i) == "all" && Key(i + 1) == "day") return Added_.AllDay = true, 2;
    return 0;
  }

  // --- days ---
  void SetDay(std::int64_t day) {
    if (!Added_.Day) Added_.Day = day;
  }

  size_t ReadDate(size_t i) {
    std::int64_t day = 0;
    const size_t used = DateAt(i, day);
    if (used > 0) SetDay(day);
    return used;
  }

  // "on" before a date or a weekday.
  size_t ReadOn(size_t i) {
    if (Key(i) != "on") return 0;
    std::int64_t day = 0;
    const size_t used = DateAt(i + 1, day);
    if (used == 0) return 0;
    SetDay(day);
    return used + 1;
  }

  // The first day on or after today with the weekday.
  std::int64_t NextWeekday(int weekday, std::int64_t from) const {
    const int today = DayOfWeek(static_cast<double>(from));
    return from + (weekday - today + 7) % 7;
  }

  // A day the words at i name, and how many they are.
  size_t DateAt(size_t i, std::int64_t& day) const {
    const std::string_view key = Key(i);
    if (key == "today" || key == "tonight") return day = Today_, 1;
    if (key == "tomorrow") return day = Today_ + 1, 1;
    if (key == "next" && WeekdayOf(Key(i + 1))) {
      // The weekday of the next week, the week starting on the desktop's first day.
      const int sinceWeekStart = (DayOfWeek(static_cast<double>(Today_)) - Options_.WeekStart + 7) % 7;
      const std::int64_t nextWeek = Today_ - sinceWeekStart + 7;
      day = NextWeekday(*WeekdayOf(Key(i + 1)), nextWeek);
      return 2;
    }
    if (key == "in" && NumberOf(Key(i + 1))) {
      const int n = *NumberOf(Key(i + 1));
      const std::string_view unit = Key(i + 2);
      if (unit == "day" || unit == "days") return day = Today_ + n, 3;
      if (unit == "week" || unit == "weeks") return day = Today_ + 7LL * n, 3;
      return 0;
    }
    if (const std::optional<int> weekday = WeekdayOf(key)) return day = NextWeekday(*weekday, Today_), 1;
    return CalendarDateAt(i, day);
  }

  // A date of the calendar: "Dec 24", "24 December", "24th of December 2027", "2027-01-15",
  // "24.12.", "12/24". Without a year, the next such day from today.
  size_t CalendarDateAt(size_t i, std::int64_t& day) const {
    int d = 0, m = 0;
    std::optional<int> year;
    size_t used = 0;
    const std::string_view key = Key(i);
    if (const std::optional<int> month = MonthOf(key); month && DayOfMonthOf(Key(i + 1))) {
      m = *month;
      d = *DayOfMonthOf(Key(i + 1));
      used = 2;
    } else if (const std::optional<int> dayOfMonth = DayOfMonthOf(key)) {
      const size_t of = Key(i + 1) == "of" ? 1 : 0;
      const std::optional<int> month = MonthOf(Key(i + 1 + of));
      if (!month) return NumericDateAt(key, day) ? 1 : 0;
      d = *dayOfMonth;
      m = *month;
      used = 2 + of;
    } else {
      return NumericDateAt(key, day) ? 1 : 0;
    }
    if (const std::optional<int> y = NumberOf(Key(i + used)); y && *y >= 1900 && *y <= 2999) {
      year = y;
      ++used;
    }
    return DayOf(year, m, d, day) ? used : 0;
  }

  bool NumericDateAt(std::string_view key, std::int64_t& day) const {
    std::vector<std::string_view> parts;
    char separator = 0;
    for (char c : {'-', '.', '/'})
      if (key.find(c) != std::string_view::npos) separator = c;
    if (separator == 0) return false;
    size_t start = 0;
    for (size_t at; (at = key.find(separator, start)) != std::string_view::npos; start = at + 1)
      parts.push_back(key.substr(start, at - start));
    parts.push_back(key.substr(start));
    if (separator == '.' && parts.back().empty()) parts.pop_back();  // "24.12."
    std::vector<int> numbers;
    for (std::string_view part : parts) {
      const std::optional<int> n = NumberOf(part);
      if (!n) return false;
      numbers.push_back(*n);
    }
    if (separator == '-')
      return numbers.size() == 3 && parts[0].size() == 4 && DayOf(numbers[0], numbers[1], numbers[2], day);
    if (numbers.size() < 2 || numbers.size() > 3) return false;
    const bool dayFirst = separator == '.' || Options_.DayFirst;
    std::optional<int> year;
    if (numbers.size() == 3) year = numbers[2] < 100 ? 2000 + numbers[2] : numbers[2];
    return dayFirst ? DayOf(year, numbers[1], numbers[0], day) : DayOf(year, numbers[0], numbers[1], day);
  }

  bool DayOf(std::optional<int> year, int month, int dayOfMonth, std::int64_t& day) const {
    if (month < 1 || month > 12 || dayOfMonth < 1 || dayOfMonth > 31) return false;
    const TVpDate today = DecodeDate(static_cast<double>(Today_));
    const auto exists = [&](int y) { return DecodeDate(EncodeDate(y, month, dayOfMonth)).Day == dayOfMonth; };
    int y = year.value_or(today.Year);
    if (!year && (!exists(y) || DayNumberOf(EncodeDate(y, month, dayOfMonth)) < Today_)) ++y;
    if (!year)
      while (!exists(y) && y < today.Year + 8) ++y;  // 29 February
    if (!exists(y)) return false;
    day = DayNumberOf(EncodeDate(y, month, dayOfMonth));
    return true;
  }

  // --- times ---
  size_t ReadTimes(size_t i) {
    size_t at = i;
    const bool from = Key(i) == "from" || Key(i) == "between";
    if (from || Key(i) == "at") ++at;
    int used = 0;
    // "9-10", "9:00-10:30", "9am-5pm" in one word.
    if (const size_t dash = Key(at).find('-'); dash != std::string_view::npos && dash > 0) {
      int u = 0;
      const std::optional<TClock> start = ClockOf(Key(at).substr(0, dash), "", true, u);
      const std::optional<TClock> end = ClockOf(Key(at).substr(dash + 1), Key(at + 1), true, used);
      if (start && end) return SetTimes(*start, *end), at - i + used;
    }
    const std::optional<TClock> start = ClockOf(Key(at), Key(at + 1), at != i, used);
    if (!start) return 0;
    at += static_cast<size_t>(used);
    const std::string_view link = Key(at);
    if (link == "to" || link == "-" || link == "until" || link == "till" || (from && link == "and")) {
      if (const std::optional<TClock> end = ClockOf(Key(at + 1), Key(at + 2), true, used)) {
        SetTimes(*start, *end);
        return at + 1 + static_cast<size_t>(used) - i;
      }
    }
    Added_.StartMinute = start->Minute;
    return at - i;
  }

  // A span of the day: "2-5pm" is in the afternoon; an end before the start is on the next day.
  void SetTimes(TClock start, const TClock& end) {
    if (!start.Meridiem && end.Meridiem && start.Minute < 12 * 60 && start.Minute + 12 * 60 <= end.Minute)
      start.Minute += 12 * 60;
    Added_.StartMinute = start.Minute;
    Added_.EndMinute = end.Minute > start.Minute ? end.Minute : end.Minute + 1440;
  }

  size_t ReadDuration(size_t i) {
    if (Key(i) != "for") return 0;
    if (Key(i + 1) == "an" && Key(i + 2) == "hour") return Added_.DurationMinutes = 60, 3;
    if (Key(i + 1) == "half" && Key(i + 2) == "an" && Key(i + 3) == "hour") return Added_.DurationMinutes = 30, 4;
    if (const std::optional<int> span = SpanOf(Key(i + 1), ""); span) return Added_.DurationMinutes = span, 2;
    if (const std::optional<int> span = SpanOf(Key(i + 1), Key(i + 2)); span) return Added_.DurationMinutes = span, 3;
    return 0;
  }

  size_t ReadReminder(size_t i) {
    size_t at = i;
    if ((Key(i) == "remind" || Key(i) == "alert") && Key(i + 1) == "me") at = i + 2;
    else if (Key(i) == "remind" || Key(i) == "reminder" || Key(i) == "alert" || Key(i) == "alarm") at = i + 1;
    else return 0;
    size_t used = 1;
    std::optional<int> span = SpanOf(Key(at), "");
    if (!span) {
      span = SpanOf(Key(at), Key(at + 1));
      used = 2;
    }
    if (!span) return 0;
    Added_.ReminderMinutes = span;
    at += used;
    if (Key(at) == "before" || Key(at) == "ahead" || Key(at) == "earlier") ++at;
    return at - i;
  }

  // --- repeats ---
  size_t ReadRepeat(size_t i) {
    const std::string_view key = Key(i);
    for (const auto& [word, freq] :
         {std::pair{"daily", "DAILY"}, std::pair{"weekly", "WEEKLY"}, std::pair{"monthly", "MONTHLY"},
          std::pair{"yearly", "YEARLY"}, std::pair{"annually", "YEARLY"}})
      if (key == word) return Freq_ = freq, 1;
    if (NumberOf(key) && (Key(i + 1) == "times" || Key(i + 1) == "x")) return Count_ = *NumberOf(key), 2;
    if (key != "every" && key != "each") return 0;
    size_t at = i + 1;
    if (Key(at) == "other") {
      Interval_ = 2;
      ++at;
    } else if (const std::optional<int> n = NumberOf(Key(at)); n && *n > 0) {
      Interval_ = *n;
      ++at;
    }
    const std::string_view unit = Key(at);
    for (const auto& [word, freq] : {std::pair{"day", "DAILY"}, std::pair{"week", "WEEKLY"},
                                     std::pair{"month", "MONTHLY"}, std::pair{"year", "YEARLY"}})
      if (unit == word || unit == std::string(word) + "s") return Freq_ = freq, at + 1 - i;
    if (unit == "weekday" || unit == "weekdays") {
      Freq_ = "WEEKLY";
      for (int weekday = 2; weekday <= 6; ++weekday) Weekdays_.push_back(weekday);
      return at + 1 - i;
    }
    // "every Monday and Thursday", "every mon, thu".
    size_t end = at;
    for (size_t j = at; j < Words_.size(); ++j) {
      if (const std::optional<int> weekday = WeekdayOf(Key(j))) {
        Weekdays_.push_back(*weekday);
        end = j + 1;
      } else if (Key(j) != "and" && !Key(j).empty()) {
        break;
      }
    }
    if (end == at) return 0;
    Freq_ = "WEEKLY";
    return end - i;
  }

  // "until March" (up to March), "until 15 March", "until 2027-01-15"; "until 5pm" is an end time.
  size_t ReadUntil(size_t i) {
    if (Key(i) != "until" && Key(i) != "till") return 0;
    if (const std::optional<int> month = MonthOf(Key(i + 1)); month && !DayOfMonthOf(Key(i + 2))) {
      const TVpDate today = DecodeDate(static_cast<double>(Today_));
      const int year = *month > today.Month ? today.Year : today.Year + 1;
      Until_ = DayNumberOf(EncodeDate(year, *month, 1)) - 1;
      return 2;
    }
    std::int64_t day = 0;
    if (const size_t used = CalendarDateAt(i + 1, day); used > 0) return Until_ = day, used + 1;
    return 0;
  }

  void FinishRepeat() {
    if (Freq_.empty()) return;
    std::string rule = "FREQ=" + Freq_;
    if (Interval_ > 1) rule += ";INTERVAL=" + std::to_string(Interval_);
    if (!Weekdays_.empty()) {
      rule += ";BYDAY=";
      for (size_t j = 0; j < Weekdays_.size(); ++j)
        rule += (j > 0 ? "," : "") + std::string(kWeekdayCodes[static_cast<size_t>(Weekdays_[j] - 1)]);
      // The series starts on the first of its weekdays from its day on.
      const std::int64_t from = Added_.Day.value_or(Today_);
      std::int64_t first = NextWeekday(Weekdays_.front(), from);
      for (int weekday : Weekdays_) first = std::min(first, NextWeekday(weekday, from));
      Added_.Day = first;
    }
    if (Count_ > 0) {
      rule += ";COUNT=" + std::to_string(Count_);
    } else if (Until_) {
      // A timed series ends with the until day's last second.
      const bool wholeDays = !Added_.StartMinute || Added_.AllDay;
      rule += ";UNTIL=" + StampText(static_cast<double>(*Until_) + (wholeDays ? 0 : EncodeTime(23, 59, 59)), wholeDays);
    }
    Added_.RepeatRule = rule;
  }

  // "at" before words that are no time: the place, up to the next part the line says.
  size_t ReadLocation(size_t i) {
    if (Key(i) != "at" || i + 1 >= Words_.size()) return 0;
    LocationOpened_ = true;
    return 1;
  }

  std::vector<TWord> Words_;
  std::int64_t Today_;
  TVpQuickAddOptions Options_;
  TVpQuickAdd Added_;
  std::vector<std::string> Location_;
  bool LocationOpened_ = false;
  std::string Freq_;
  int Interval_ = 1;
  std::vector<int> Weekdays_;
  int Count_ = 0;
  std::optional<std::int64_t> Until_;
};

}  // namespace

TVpQuickAddOptions QuickAddOptionsOf(const std::string& localeName) {
  const std::string region = localeName.size() >= 5 && localeName[2] == '_' ? localeName.substr(3, 2) : "";
  TVpQuickAddOptions options;
  for (const char* sundayFirst : {"US", "CA", "JP", "IL", "BR", "MX", "PH"})
    if (region == sundayFirst) options.WeekStart = 1;
  options.DayFirst = region != "US" && region != "PH";
  return options;
}

TVpQuickAdd ParseQuickAdd(std::string_view line, double now, const TVpQuickAddOptions& options) {
  return TReader(line, now, options).Read();
}

std::optional<TVpQuickTimes> QuickAddTimes(const TVpQuickAdd& added, double now) {
  if (!added.Day && !added.StartMinute) return std::nullopt;
  const double day = static_cast<double>(added.Day.value_or(DayNumberOf(now)));
  if (added.AllDay || !added.StartMinute) return TVpQuickTimes{day, day + 1439.0 / 1440, true};
  const int start = *added.StartMinute;
  const int end = added.EndMinute ? *added.EndMinute : start + added.DurationMinutes.value_or(60);
  return TVpQuickTimes{day + start / 1440.0, day + end / 1440.0, false};
}

std::string DescribeQuickAdd(const TVpQuickAdd& added, double now) {
  std::string text = std::string(added.IsTask ? "Task" : "Event") + " \"" + added.Subject + "\"";
  const std::optional<TVpQuickTimes> times = QuickAddTimes(added, now);
  if (!times) return text + ", no date found";
  // The line is English: so is what it was read as.
  const TEnglishLocale english;
  text += added.IsTask ? ", due " : ", on ";
  text += FormatDateTime("dddd, d mmmm yyyy", times->Start, english);
  if (!added.IsTask) {
    if (times->AllDay) {
      text += ", all day";
    } else {
      text +=
          ", " + FormatDateTime("hh:nn", times->Start, english) + " to " + FormatDateTime("hh:nn", times->End, english);
      if (DateOf(times->End) > DateOf(times->Start)) text += " the next day";
    }
  }
  if (!added.Location.empty()) text += ", at " + added.Location;
  if (!added.RepeatRule.empty()) {
    std::string words = RepeatRuleInWords(added.RepeatRule);
    if (!words.empty()) words[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(words[0])));
    text += ", " + words;
  }
  if (added.ReminderMinutes) text += ", reminder " + std::to_string(*added.ReminderMinutes) + " minutes before";
  return text;
}

void ApplyQuickAdd(const TVpQuickAdd& added, const TVpQuickTimes& times, TVpEvent& event) {
  event.SetAllDayEvent(times.AllDay);
  event.SetStartTime(times.Start);
  event.SetEndTime(times.End);
  event.SetDescription(added.Subject);
  event.SetLocation(added.Location);
  if (!added.RepeatRule.empty()) {
    event.SetRepeatRule(added.RepeatRule);
    event.SetRepeatRangeEnd(RuleRangeEnd(added.RepeatRule, times.Start, times.AllDay));
  }
  if (added.ReminderMinutes) {
    event.SetAlarmSet(true);
    event.SetAlarmAdvance(*added.ReminderMinutes);
    event.SetAlarmAdvanceType(atMinutes);
  }
}

void ApplyQuickAdd(const TVpQuickAdd& added, double now, TVpTask& task) {
  task.SetCreatedOn(now);
  task.SetDescription(added.Subject);
  if (const std::optional<TVpQuickTimes> times = QuickAddTimes(added, now)) task.SetDueDate(DateOf(times->Start));
}
