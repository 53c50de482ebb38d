#pragma once

#include "platform/language_ids.h"
#include "platform/locale.h"

// English names and United States formats, fixed: for tests and the command-line tools, whose
// output must not depend on the machine's locale.
class TEnglishLocale : public TLocale {
 public:
  std::string LongDayName(int weekday) const override;
  std::string ShortDayName(int weekday) const override;
  std::string LongMonthName(int month) const override;
  std::string ShortMonthName(int month) const override;
  std::string ShortDateFormat() const override { return "m/d/yyyy"; }
  std::string LongDateFormat() const override { return "dddd, mmmm d, yyyy"; }
  std::string ShortTimeFormat() const override { return "h:nn ampm"; }
  std::string LongTimeFormat() const override { return "h:nn:ss ampm"; }
  std::string TimeAMString() const override { return "AM"; }
  std::string TimePMString() const override { return "PM"; }
  char DateSeparator() const override { return '/'; }
  char TimeSeparator() const override { return ':'; }
  std::string LanguageName() const override { return "English"; }
  // English as spoken in the United States.
  int LanguageIdentifier() const override { return MakeLanguageIdentifier(0x09, 1); }
};
