#include <gtest/gtest.h>

#include <cmath>
#include <ctime>

#include "platform/system_clock.h"

// Now is the local date and time as a day number (days since 30 December 1899): checked against
// the C library's own count of days since 1970 for the local date.
TEST(SystemClock, NowIsTodaysLocalDayNumber) {
  const double now = TSystemClock().Now();
  const std::time_t seconds = std::time(nullptr);
  std::tm local{};
  localtime_r(&seconds, &local);
  std::tm midnight{};
  midnight.tm_year = local.tm_year;
  midnight.tm_mon = local.tm_mon;
  midnight.tm_mday = local.tm_mday;
  const long long daysSince1970 = static_cast<long long>(timegm(&midnight)) / 86400;
  const double hours = local.tm_hour + local.tm_min / 60.0;
  // A minute's slack for a midnight passing between the two readings.
  EXPECT_NEAR(now, static_cast<double>(daysSince1970 + 25569) + hours / 24.0, 2.0 / 1440.0);
}
