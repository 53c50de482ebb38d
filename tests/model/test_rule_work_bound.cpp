#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "model/event.h"
#include "model/moment.h"
#include "model/occurrences.h"
#include "tests/model/model_test_support.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr auto kBound = std::chrono::seconds(20);  // the sanitizers slow each step down
#else
constexpr auto kBound = std::chrono::seconds(2);
#endif

}  // namespace

// Rules that place few starts or none over centuries of steps: asking whether such an event falls
// on a day ends in well under the time a view may take, first and again.
TEST(RuleWorkBound, AbsurdRulesAnswerQuickly) {
  const TLocalZone desktop("Europe/Berlin");
  struct TCase {
    const char* Rule;
    double Start;
    const char* Zone;
  };
  const TCase cases[] = {
      {"FREQ=SECONDLY;BYMONTH=2;BYMONTHDAY=30", At(2024, 1, 1, 9, 0), ""},
      {"FREQ=MINUTELY", At(1900, 1, 1, 0, 0), ""},
      {"FREQ=SECONDLY", At(2026, 1, 1, 0, 0), "America/New_York"},
      {"FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=30", At(1900, 1, 1, 9, 0), ""},
      {"FREQ=HOURLY;BYDAY=MO;BYMONTHDAY=31;BYMONTH=2;COUNT=1000000", At(1900, 1, 1, 9, 0), "Asia/Tokyo"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Rule);
    TVpEvent event;
    event.SetStartTime(c.Start);
    event.SetEndTime(c.Start + kOneMinute);
    event.SetTimeZone(c.Zone);
    event.SetRepeatRule(c.Rule);
    for (int pass = 0; pass < 2; ++pass) {
      const auto begun = std::chrono::steady_clock::now();
      EXPECT_FALSE(FallsOn(event, Day(2026, 6, 1)));
      EXPECT_LT(std::chrono::steady_clock::now() - begun, kBound) << "pass " << pass;
    }
  }
}

// A series begun long before the days asked about skips its walk ahead; questions asked in any order
// afterwards (earlier ones too) give what a walk through every start from the beginning gives.
TEST(RuleWorkBound, ASkippedWalkAnswersAsTheWholeWalk) {
  const TLocalZone desktop("Europe/Berlin");
  const struct {
    const char* Rule;
    double Start;
    const char* Zone;
  } kCases[] = {
      {"FREQ=DAILY", At(2009, 3, 2, 8, 30), ""},
      {"FREQ=WEEKLY;BYDAY=MO,WE,FR", At(2010, 1, 4, 9, 0), "America/New_York"},
      {"FREQ=MONTHLY;BYDAY=-1FR", At(2000, 1, 28, 18, 0), ""},
      {"FREQ=HOURLY;INTERVAL=6", At(2020, 1, 1, 3, 0), "Asia/Tokyo"},
      {"FREQ=YEARLY;INTERVAL=4;BYMONTH=2;BYMONTHDAY=29", At(1996, 2, 29, 12, 0), ""},
      {"FREQ=DAILY;UNTIL=20260301T000000Z", At(2012, 5, 5, 7, 0), "America/New_York"},
  };
  const double kAsked[] = {At(2026, 12, 11, 12, 0), At(2015, 6, 1, 0, 0),    At(2027, 3, 20, 23, 59),
                           At(2003, 1, 1, 0, 0),    At(2026, 12, 10, 8, 30), At(2040, 2, 29, 12, 0)};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Rule);
    const auto event = [&] {
      auto made = std::make_unique<TVpEvent>();
      made->SetStartTime(c.Start);
      made->SetEndTime(c.Start + kOneMinute * 30);
      made->SetTimeZone(c.Zone);
      made->SetRepeatRule(c.Rule);
      return made;
    };
    const std::unique_ptr<TVpEvent> asked = event();
    for (const double moment : kAsked) {
      SCOPED_TRACE(moment);
      // The whole walk: a fresh event asked about this moment alone, its walk never skipping far.
      std::optional<TVpOccurrence> before, after;
      {
        const std::unique_ptr<TVpEvent> fresh = event();
        for (std::int64_t from = MomentOf(c.Start) - 1;;) {
          const std::optional<TVpOccurrence> next = OccurrenceAfter(*fresh, from);
          if (!next || next->Start > MomentOf(moment)) {
            after = next;
            break;
          }
          before = next;
          from = next->Start;
        }
      }
      EXPECT_EQ(OccurrenceAtOrBefore(*asked, MomentOf(moment)), before);
      EXPECT_EQ(OccurrenceAfter(*asked, MomentOf(moment)), after);
    }
  }
}
