#pragma once

#include <string>

// Names and formats of the user's locale. Weekdays are numbered 1 (Sunday) to 7 (Saturday),
// months 1 to 12. Formats use the tokens of the planner's date/time formatter (d, m, yyyy, h,
// nn, ss, am/pm, ...).
class TLocale {
 public:
  virtual ~TLocale() = default;
  virtual std::string LongDayName(int weekday) const = 0;
  virtual std::string ShortDayName(int weekday) const = 0;
  virtual std::string LongMonthName(int month) const = 0;
  virtual std::string ShortMonthName(int month) const = 0;
  virtual std::string ShortDateFormat() const = 0;
  // The date written out, as in "Monday, December 7, 2026" or "Montag, 7. Dezember 2026".
  virtual std::string LongDateFormat() const = 0;
  virtual std::string ShortTimeFormat() const = 0;
  virtual std::string LongTimeFormat() const = 0;
  virtual std::string TimeAMString() const = 0;
  virtual std::string TimePMString() const = 0;
  virtual char DateSeparator() const = 0;
  virtual char TimeSeparator() const = 0;
  // The English name of the user's default language ("English", "German", ...).
  virtual std::string LanguageName() const = 0;
  // The user's default language as a language identifier (platform/language_ids.h); 0 when the
  // language has no number.
  virtual int LanguageIdentifier() const = 0;
};
