#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/date_stamps.h"
#include "model/day_number.h"
#include "model/event.h"
#include "model/moment.h"
#include "model/occurrences.h"
#include "model/rule_steps.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("TZ", "Europe/Berlin", 1);
  tzset();
  return 0;
}

// The first byte chooses a whole-day start and the event's zone; the rest is a stamp list, a line
// break and a repeat rule. Every stamp read is written back the same; the rule's starts begin with
// the event's own, come later than it and within the calendar; an event with the rule, the list as
// its exception and extra dates, walks forward occurrence by occurrence.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool dateOnly = (data[0] & 1) != 0;
  static const char* const kZones[] = {"", "America/New_York", "Europe/Berlin", "Asia/Kathmandu"};
  const char* zone = kZones[(data[0] >> 1) & 3];
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::size_t lineBreak = text.find('\n');
  const std::string_view list = text.substr(0, lineBreak);
  const std::string rule(lineBreak == std::string_view::npos ? std::string_view() : text.substr(lineBreak + 1));

  const std::vector<TVpStamp> stamps = ParseStampList(list);
  for (const TVpStamp& stamp : stamps) {
    double again = 0;
    if (!ParseStamp(StampText(stamp.Value, stamp.DateOnly), again) || again != stamp.Value) __builtin_trap();
  }

  // The walk starts at the list's first stamp, else early on a day the European clocks go forward.
  double start = stamps.empty() ? EncodeDate(2024, 3, 31) + EncodeTime(2, 30, 0) : stamps[0].Value;
  if (dateOnly) start = DateOf(start);
  TVpRuleSteps steps;
  steps.Open(rule, start, dateOnly, zone);
  if (steps.Next() != start) __builtin_trap();
  for (int i = 0; i < 200; ++i) {
    const std::optional<double> next = steps.Next();
    if (!next) break;
    if (MomentOf(*next) <= MomentOf(start) || *next >= EncodeDate(10000, 1, 1)) __builtin_trap();
  }
  RuleRangeEnd(rule, start, dateOnly, zone);

  TVpEvent event;
  event.SetStartTime(start);
  event.SetEndTime(ValueOfMoment(MomentOf(start) + 3'600'000));
  event.SetAllDayEvent(dateOnly);
  event.SetTimeZone(zone);
  event.SetRepeatRule(rule);
  event.SetExceptionDates(std::string(list));
  event.SetExtraDates(std::string(list));
  const std::int64_t length = MomentOf(event.EndTime()) - MomentOf(event.StartTime());
  std::int64_t moment = MomentOf(event.StartTime()) - 1;
  for (int i = 0; i < 50; ++i) {
    const std::optional<TVpOccurrence> next = OccurrenceAfter(event, moment);
    if (!next) break;
    if (next->Start <= moment || next->End - next->Start != length) __builtin_trap();
    moment = next->Start;
  }
  FallsOn(event, EncodeDate(2024, 4, 1));
  return 0;
}
