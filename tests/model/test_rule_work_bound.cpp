#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "model/event.h"
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
