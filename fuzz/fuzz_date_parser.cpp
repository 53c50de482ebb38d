#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/date_format.h"
#include "platform/english_locale.h"
#include "views/calendar/calendar_date_range.h"
#include "views/date_edit/date_edit_parser.h"

// The first byte chooses the field order, the required fields and the century rule; the rest is
// the typed text. A text either reads as a date of the calendar range or raises the date edit's
// error, and a date read comes back the same from its own text in full.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const TEnglishLocale locale;
  const double today = 45422.375;  // 10 May 2024, 09:00
  TVpDateTextRules rules;
  rules.Order = static_cast<TVpDateFieldOrder>(data[0] % 3);
  rules.RequiredFields = (data[0] >> 2) & 7;
  rules.Epoch = (data[0] & 0x20) != 0 ? 1950 : 0;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  double date;
  try {
    date = ParseDateText(text, rules, locale, today);
  } catch (const EVpDateEditError&) {
    return 0;
  }
  if (date == 0) return 0;
  if (!WithinCalendarRange(date) || date != static_cast<double>(static_cast<long long>(date))) __builtin_trap();
  static constexpr const char* FullFormats[] = {"m/d/yyyy", "d.m.yyyy", "yyyy-m-d"};
  const std::string again = FormatDateTime(FullFormats[rules.Order], date, locale);
  if (ParseDateText(again, rules, locale, today) != date) __builtin_trap();
  return 0;
}
