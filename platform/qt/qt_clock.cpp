#include "platform/qt/qt_clock.h"

double TQtClock::Now() const { return DayNumberOf(QDateTime::currentDateTime()); }

double TQtClock::DayNumberOf(const QDateTime& local) {
  constexpr qint64 kMsPerDay = 86400000;
  const qint64 days = QDate(1899, 12, 30).daysTo(local.date());
  const qint64 ms = local.time().msecsSinceStartOfDay();
  return static_cast<double>(days * kMsPerDay + ms) / kMsPerDay;
}
