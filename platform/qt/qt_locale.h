#pragma once

#include <QLocale>
#include <QString>

#include "platform/locale.h"

// The desktop's locale, with Qt's date and time formats turned into the planner's tokens.
class TQtLocale : public TLocale {
 public:
  explicit TQtLocale(QLocale locale = QLocale::system()) : Locale_(std::move(locale)) {}
  std::string LongDayName(int weekday) const override;
  std::string ShortDayName(int weekday) const override;
  std::string LongMonthName(int month) const override;
  std::string ShortMonthName(int month) const override;
  std::string ShortDateFormat() const override;
  std::string LongDateFormat() const override;
  std::string ShortTimeFormat() const override;
  std::string LongTimeFormat() const override;
  std::string TimeAMString() const override;
  std::string TimePMString() const override;
  char DateSeparator() const override;
  char TimeSeparator() const override;
  std::string LanguageName() const override;
  int LanguageIdentifier() const override;

  // A Qt date/time format ("dd/MM/yyyy", "h:mm:ss AP") in the planner's tokens ("dd/mm/yyyy",
  // "h:nn:ss ampm").
  static std::string ConvertQtFormat(const QString& format);

 private:
  QLocale Locale_;
};
