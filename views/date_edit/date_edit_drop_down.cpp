// The date edit's drop-down calendar.

#include "model/day_number.h"
#include "views/date_edit/date_edit.h"

TVpCalendar& TVpDateEdit::EnsureCalendar() {
  if (!Calendar_) {
    Calendar_ = std::make_unique<TVpCalendar>(Clock_, Locale_);
    Calendar_->SetDropDown(true);
    Calendar_->OnChange = [this](TVpCalendar&, double date) { CalendarChanged(date); };
  }
  // The edit's settings as they are now, also when they changed since the last opening.
  TVpCalendar& calendar = *Calendar_;
  calendar.Resize(PopupCalWidth_, PopupCalHeight_);
  calendar.SetWeekStarts(WeekStarts_);
  calendar.SetCtl3D(Ctl3D_);
  calendar.Font().Assign(PopupCalFont_);
  calendar.Colors().Assign(PopupCalColors_);
  return calendar;
}

void TVpDateEdit::OpenDropDown() {
  if (DropDownOpen_) return;
  // The flag is up while the text is read, so that the field losing the focus to the calendar
  // raises no exit event; a text that cannot be read ends the opening with the flag down again.
  DropDownOpen_ = true;
  try {
    ReadText();
    TVpCalendar& calendar = EnsureCalendar();
    calendar.SetDate(Text_.empty() ? Clock_.Now() : Date_);
    if (Window_ != nullptr) Window_->ShowDropDown(calendar);
    calendar.FocusChanged(true);
  } catch (...) {
    DropDownOpen_ = false;
    throw;
  }
}

void TVpDateEdit::CloseDropDown(bool caretToEnd) {
  if (!DropDownOpen_) return;
  DropDownOpen_ = false;
  if (Window_ != nullptr) {
    Window_->FocusField(caretToEnd);
    Window_->HideDropDown();
  }
  Calendar_->FocusChanged(false);
}

void TVpDateEdit::CalendarChanged(double date) {
  if (!DropDownOpen_) return;
  SetDate(DateOf(date));
  if (!Calendar_->KeepOpen()) CloseDropDown(true);
}

bool TVpDateEdit::DropDownKeyDown(int key, TShiftState shift) {
  if (!DropDownOpen_) return false;
  if (key == VK_UP && (shift & ssAlt) != 0) {
    CloseDropDown();
    return true;
  }
  const bool used = Calendar_->KeyDown(key, shift);
  if (key == VK_ESCAPE && shift == 0) {
    CloseDropDown();
    return true;
  }
  return used;
}

bool TVpDateEdit::DropDownKeyPress(char32_t character) { return DropDownOpen_ && Calendar_->KeyPress(character); }

void TVpDateEdit::DropDownMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (DropDownOpen_) Calendar_->MouseDown(button, shift, x, y);
}

void TVpDateEdit::DropDownMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (!DropDownOpen_) return;
  const TRect client{0, 0, Calendar_->Width(), Calendar_->Height()};
  if (client.Contains({x, y})) Calendar_->MouseUp(button, shift, x, y);
  else CloseDropDown();
}

void TVpDateEdit::DropDownFocusLost() { CloseDropDown(); }
