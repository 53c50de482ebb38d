#include "dialogs/reminder/notification_rules.h"

#include "dialogs/common/line_breaks.h"
#include "dialogs/event/time_list.h"
#include "model/date_format.h"
#include "model/day_number.h"
#include "model/event.h"
#include "model/moment.h"
#include "model/reminder.h"

namespace {

constexpr std::int64_t kMinuteMs = kMsPerMinute;
constexpr std::int64_t kHourMs = 60 * kMsPerMinute;
constexpr std::int64_t kDayMs = kMsPerDay;

}  // namespace

const std::vector<TVpSnoozeDelay>& TVpNotificationRules::SnoozeDelays() {
  static const std::vector<TVpSnoozeDelay> delays = {
      {"5 Minutes", 5 * kMinuteMs},   {"10 Minutes", 10 * kMinuteMs},
      {"15 Minutes", 15 * kMinuteMs}, {"30 Minutes", 30 * kMinuteMs},
      {"45 Minutes", 45 * kMinuteMs}, {"1 Hour", kHourMs},
      {"2 Hours", 2 * kHourMs},       {"3 Hours", 3 * kHourMs},
      {"4 Hours", 4 * kHourMs},       {"5 Hours", 5 * kHourMs},
      {"6 Hours", 6 * kHourMs},       {"7 Hours", 7 * kHourMs},
      {"8 Hours", 8 * kHourMs},       {"1 Day", kDayMs},
      {"2 Days", 2 * kDayMs},         {"3 Days", 3 * kDayMs},
      {"4 Days", 4 * kDayMs},         {"5 Days", 5 * kDayMs},
      {"6 Days", 6 * kDayMs},         {"1 Week", 7 * kDayMs},
  };
  return delays;
}

TVpNotificationRules::TVpNotificationRules(const TClock& clock, const TLocale& locale, const TVpEvent& event,
                                           TColor background, bool twelveHour)
    : Clock_(clock),
      Locale_(locale),
      StartTime_(ReminderOccurrence(event, clock.Now())),
      // The occurrence lasts as long as the event.
      EndTime_(ValueOfMoment(MomentOf(StartTime_) + MomentOf(event.EndTime()) - MomentOf(event.StartTime()))),
      AllDay_(event.AllDayEvent()),
      TwelveHour_(twelveHour),
      Subject_(event.Description()),
      Notes_(WithLineFeeds(event.Notes())),
      Location_(event.Location()),
      Background_(background) {}

bool TVpNotificationRules::Overdue() const { return MomentOf(Clock_.Now()) > MomentOf(StartTime_); }

std::string TVpNotificationRules::Caption() const {
  return std::string(Overdue() ? "OVERDUE!" : "Reminder") + " : " + FormatShortDate(StartTime_, Locale_) + " " +
         FormatShortTime(StartTime_, Locale_);
}

std::string TVpNotificationRules::When() const {
  const auto day = [this](std::int64_t dayNumber) {
    return FormatDateTime(Locale_.LongDateFormat(), static_cast<double>(dayNumber), Locale_);
  };
  const auto time = [this](double value) { return FormatTimeOfDay(TimeMsOf(value), TwelveHour_); };
  const std::int64_t startDay = DayNumberOf(StartTime_);
  std::int64_t endDay = DayNumberOf(EndTime_);
  if (AllDay_) {
    // An end at midnight belongs to the day before it.
    if (endDay > startDay && TimeMsOf(EndTime_) == 0) --endDay;
    return day(startDay) + (endDay > startDay ? " to " + day(endDay) : std::string()) + ", all day";
  }
  const std::string start = day(startDay) + ", " + time(StartTime_);
  if (MomentOf(EndTime_) <= MomentOf(StartTime_)) return start;
  if (endDay == startDay) return start + " \u2013 " + time(EndTime_);
  return start + " to " + day(endDay) + ", " + time(EndTime_);
}

void TVpNotificationRules::SelectSnooze(int index) {
  if (index >= 0 && index < static_cast<int>(SnoozeDelays().size())) SnoozeIndex_ = index;
}

void TVpNotificationRules::Apply(TVpReminderAnswer answer, TVpEvent& event) const {
  switch (answer) {
    case raSnooze:
      event.SetSnoozeTime(ValueOfMoment(MomentOf(Clock_.Now()) + SnoozeDelays()[static_cast<size_t>(SnoozeIndex_)].Ms));
      break;
    case raDismiss:
      // Dismissing one occurrence of a series leaves the reminders of the later ones on.
      if (const std::optional<double> next = NextReminderAfter(event, Clock_.Now())) event.SetSnoozeTime(*next);
      else event.SetAlarmSet(false);
      break;
    case raClosed:
    case raOpenItem: break;
  }
}
