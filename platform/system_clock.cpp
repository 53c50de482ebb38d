#include "platform/system_clock.h"

#include <chrono>
#include <ctime>

double TSystemClock::Now() const {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  const long long ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
  // Days from 30 December 1899 to the local date, by the civil-from-days rule.
  const int y = local.tm_year + 1900 - (local.tm_mon < 2 ? 1 : 0);
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yoe = y - era * 400;
  const int mp = (local.tm_mon + 10) % 12;  // months from March; tm_mon counts from January as 0
  const int doy = (153 * mp + 2) / 5 + local.tm_mday - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  const long long daysSince1970 = static_cast<long long>(era) * 146097 + doe - 719468;
  const long long days = daysSince1970 + 25569;  // 1 January 1970 is day 25569
  const long long msOfDay = ((local.tm_hour * 60LL + local.tm_min) * 60 + local.tm_sec) * 1000 + ms;
  return static_cast<double>(days * 86400000LL + msOfDay) / 86400000.0;
}
