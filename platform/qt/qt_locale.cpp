#include "platform/qt/qt_locale.h"

#include "platform/language_ids.h"
#include "platform/qt/qt_text.h"

#include <cctype>

namespace {

// Weekday 1 is Sunday here and Monday in Qt.
int QtWeekday(int weekday) { return weekday == 1 ? 7 : weekday - 1; }

char FirstSeparator(const std::string& format, char fallback) {
  bool quoted = false;
  for (char c : format) {
    if (c == '\'' || c == '"') quoted = !quoted;
    else if (!quoted && c != ' ' && !std::isalpha(static_cast<unsigned char>(c))) return c;
  }
  return fallback;
}

}  // namespace

std::string TQtLocale::LongDayName(int weekday) const {
  return FromQt(Locale_.dayName(QtWeekday(weekday), QLocale::LongFormat));
}
std::string TQtLocale::ShortDayName(int weekday) const {
  return FromQt(Locale_.dayName(QtWeekday(weekday), QLocale::ShortFormat));
}
std::string TQtLocale::LongMonthName(int month) const { return FromQt(Locale_.monthName(month, QLocale::LongFormat)); }
std::string TQtLocale::ShortMonthName(int month) const {
  return FromQt(Locale_.monthName(month, QLocale::ShortFormat));
}
std::string TQtLocale::ShortDateFormat() const { return ConvertQtFormat(Locale_.dateFormat(QLocale::ShortFormat)); }
std::string TQtLocale::LongDateFormat() const { return ConvertQtFormat(Locale_.dateFormat(QLocale::LongFormat)); }
std::string TQtLocale::ShortTimeFormat() const { return ConvertQtFormat(Locale_.timeFormat(QLocale::ShortFormat)); }
std::string TQtLocale::LongTimeFormat() const { return ConvertQtFormat(Locale_.timeFormat(QLocale::LongFormat)); }
std::string TQtLocale::TimeAMString() const { return FromQt(Locale_.amText()); }
std::string TQtLocale::TimePMString() const { return FromQt(Locale_.pmText()); }
char TQtLocale::DateSeparator() const { return FirstSeparator(ShortDateFormat(), '/'); }
char TQtLocale::TimeSeparator() const { return FirstSeparator(LongTimeFormat(), ':'); }
std::string TQtLocale::LanguageName() const { return FromQt(QLocale::languageToString(Locale_.language())); }

int TQtLocale::LanguageIdentifier() const { return LanguageIdentifierOf(FromQt(Locale_.name())); }

std::string TQtLocale::ConvertQtFormat(const QString& format) {
  const std::string in = FromQt(format);
  std::string out;
  size_t i = 0;
  auto run = [&](char c) {
    size_t n = 0;
    while (i + n < in.size() && in[i + n] == c) ++n;
    return n;
  };
  while (i < in.size()) {
    const char c = in[i];
    if (c == '\'') {  // quoted literal; '' is a quote character
      size_t end = i + 1;
      std::string literal;
      while (end < in.size()) {
        if (in[end] == '\'') {
          if (end + 1 < in.size() && in[end + 1] == '\'') {
            literal += '\'';
            end += 2;
            continue;
          }
          break;
        }
        literal += in[end++];
      }
      out += '"' + literal + '"';
      i = end + 1;
      continue;
    }
    const size_t n = run(c);
    switch (c) {
      case 'M': out += std::string(std::min<size_t>(n, 4), 'm'); break;
      case 'm': out += std::string(std::min<size_t>(n, 2), 'n'); break;
      case 'H': out += std::string(std::min<size_t>(n, 2), 'h'); break;
      case 'A':
      case 'a': out += "ampm"; break;
      case 'P':
      case 'p': break;  // the second letter of AP
      case 't': break;  // time zone: not shown
      default: out += in.substr(i, n);
    }
    i += n;
  }
  // A zone removed at the end leaves a trailing blank.
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}
