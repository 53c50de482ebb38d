#include "views/date_edit/date_edit.h"

#include <algorithm>

#include "model/date_format.h"
#include "model/date_helpers.h"
#include "model/day_number.h"
#include "platform/assign_if_changed.h"
#include "views/calendar/calendar_date_range.h"
#include "views/date_edit/date_edit_format.h"

namespace {

// The width of the button's calendar picture.
constexpr int ButtonPictureWidth = 12;

}  // namespace

TVpDateEdit::TVpDateEdit(const TClock& clock, const TLocale& locale) : Clock_(clock), Locale_(locale) {
  Rules_.Order = DateFieldOrderOf(locale.ShortDateFormat());
  Rules_.Epoch = CenturyOfToday(clock);
  Rules_.TodayString = std::string(1, locale.DateSeparator());
  PopupCalColors_.SetColorScheme(cscalWindows);
}

TVpDateEdit::~TVpDateEdit() = default;

void TVpDateEdit::SetForceCentury(bool value) {
  if (!AssignIfChanged(ForceCentury_, value)) return;
  // A text that reads is shown again in the new format; one that does not is left to the user.
  try {
    const double date = ReadDate();
    if (date != 0) ReplaceText(Format(date));
  } catch (const EVpDateEditError&) {}
}

// --- text and date ---

void TVpDateEdit::SetText(std::string text) {
  if (text == Text_) return;
  Text_ = std::move(text);
  if (OnChange) OnChange(*this);
}

double TVpDateEdit::ReadDate() const {
  std::string text = Text_;
  if (OnGetDate) OnGetDate(*this, text);
  return ParseDateText(text, Rules_, Locale_, Clock_.Now());
}

double TVpDateEdit::Date() const { return ReadDate(); }

void TVpDateEdit::ReadText() {
  Date_ = ReadDate();
  ReplaceText(Date_ == 0 ? std::string() : Format(Date_));
}

void TVpDateEdit::SetDate(double value) {
  if (value != 0 && !WithinCalendarRange(value)) throw EVpDateEditError("Error: Invalid Date.");
  Date_ = value;
  ReplaceText(value == 0 ? std::string() : Format(value));
  if (OnSetDate) OnSetDate(*this);
}

std::string TVpDateEdit::TextError() const {
  try {
    ReadDate();
    return "";
  } catch (const EVpDateEditError& error) {
    return error.what();
  }
}

std::string TVpDateEdit::Format(double date) const {
  return FormatDateTime(DateEditFormat(Locale_.ShortDateFormat(), ForceCentury_), date, Locale_);
}

void TVpDateEdit::ReplaceText(std::string text) {
  if (text == Text_) return;
  Text_ = std::move(text);
  if (Window_ != nullptr) Window_->TextReplaced();
  if (OnChange) OnChange(*this);
}

// --- the field ---

TRect TVpDateEdit::ButtonRect(int editWidth, int clientHeight) const {
  if (!ShowButton_) return {};
  const int width = std::max(clientHeight * 3 / 4, ButtonPictureWidth + 6);
  const int right = editWidth - (Ctl3D_ ? 4 : 2);
  return {right - width, 0, right, clientHeight};
}

void TVpDateEdit::ButtonClicked() {
  if (ButtonEnabled()) OpenDropDown();
}

bool TVpDateEdit::KeyDown(int key, TShiftState shift) {
  if (key != VK_DOWN || (shift & ssAlt) == 0) return false;
  OpenDropDown();
  return true;
}

bool TVpDateEdit::KeyPress(char32_t character) {
  if (!AllowIncDec_ || (character != U'+' && character != U'-')) return false;
  ReadText();
  const double from = Date_ != 0 ? Date_ : DateOf(Clock_.Now());
  const double to = DateOf(from) + (character == U'+' ? 1 : -1);
  // At the ends of the calendar range the date stays.
  if (WithinCalendarRange(to)) SetDate(to);
  return true;
}

void TVpDateEdit::Exit() {
  try {
    ReadText();
  } catch (const EVpDateEditError&) {
    if (Window_ != nullptr) Window_->FocusField(false);
    throw;
  }
  if (!DropDownOpen_ && OnExit) OnExit(*this);
}
